#pragma once

#include "commands/gamefolders.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// What the window and quiltra-cli do to a game, one call per command. Each works on a game's
// folders resolved once (GameFolders) and returns one result; the front ends only gather the
// input and show the outcome.

struct CommandResult
{
    enum Status { Done, Failed, ResourceFolderMissing };
    Status status = Failed;
    QString errorString;   // names the file and the reason, unless Done
    QStringList touched;   // the files written, replaced or removed, in order

    bool ok() const { return status == Done; }
};

namespace Commands {

// The least size a picture is decoded at for a make at `resolution`: the resolution's own size,
// or, in Wide HD, the size that keeps every pixel the fitted picture needs.
QSize DecodeSizeFor(int resolution);

// Decodes the picture file `fileName` as large as a make at `resolution` needs, into `decoded`.
// The same file and resolution give the same pixels, whichever front end asks.
bool DecodePictureFor(const QString &fileName, int resolution, QImage *decoded, QString *errorString);

// `decoded` as a make at `resolution` cuts it: stretched to the size of 0..3, or in Wide HD kept
// in shape and fitted within 3840x1600. Null outside those.
QImage MadePicture(const QImage &decoded, int resolution);

// Makes the background of `resolution` from `madePicture`, MadePicture's result: the game's own
// background is kept aside first (failing that, nothing is written), the addon folder is made
// where it is missing, then every tile and layout file is written, or none.
CommandResult Make(const GameFolders &game, const QImage &madePicture, int resolution);

// Packs the background the game's layout files name into `archive`: every layout file there,
// then every tile they name.
CommandResult Zip(const GameFolders &game, const QString &archive);

// Installs the background shared in `archive`, completing its pairs so the game shows it.
CommandResult Install(const GameFolders &game, const QString &archive);

// Puts the game's own background back from the backup taken before Quiltra first changed it.
CommandResult Restore(const GameFolders &game);

// Puts right what a killed change left in the game's folders (its own and the addon twin): each
// interrupted set is completed or undone. One line per set put right, for the user.
QStringList Recover(const GameFolders &game, QString *errorString);

// The background the game shows now, put together from its layout file and tiles.
bool ComposeShown(const GameFolders &game, QImage *picture, QString *errorString);

// The picture format an export to `fileName` writes, by its ending: "png", "jpg" (.jpg or
// .jpeg) or "bmp", in any letter case; empty for any other name.
QByteArray ExportFormat(const QString &fileName);

// Saves the background the game shows now as one picture in `fileName`, in the format its name
// asks for (JPEG at quality 95); a name ExportFormat() does not know is refused.
CommandResult Export(const GameFolders &game, const QString &fileName);

// One game found: its number, its folder and the executable that starts it.
struct FoundGame
{
    int Game = -1;
    QString GameFolder;
    QString Executable;
};

// Every game in Steam's libraries under `steamFolders`, then in the install of `storedExe` (the
// executable config.dat holds) when no library holds it already.
QList<FoundGame> Games(const QStringList &steamFolders, const QString &storedExe);

} // namespace Commands
