#pragma once

#include "commands/gamefolders.h"

#include <QImage>
#include <QList>
#include <QRect>
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

// How a make frames the picture. The defaults frame nothing: a classic make stretches the whole
// picture, and a Wide HD one keeps all of it in its shape.
struct Framing
{
    int Screen = 0;   // the screen a classic make is for (ScreenShapeOf); 0, 4:3, stretches
    QRect Crop;       // the part a classic make for another screen keeps, in the picture's
                      // pixels; empty for the largest one centred
    QRect Keep;       // the part of the picture a Wide HD make shows whole on every screen from
                      // 4:3 to 21:9; empty for the whole picture, made as it is

    // Whether a make at `resolution` stretches or fits the whole picture, as without framing.
    bool isWhole(int resolution) const;
};

// The part of a picture of `picture` size a make at `resolution` keeps, framed by `framing`:
// the whole picture, the crop (or the largest centred one), or the Wide HD trim that shows the
// kept area on every screen. Empty, with the reason in the user's language, when the crop is
// not inside the picture or not of the screen's shape, or when no part shows the kept area.
QRect FramedArea(const QSize &picture, int resolution, const Framing &framing, QString *problem = nullptr);

// The least size a picture is decoded at for a make at `resolution`: the resolution's own size,
// or, in Wide HD, the size that keeps every pixel the fitted picture needs; the picture's own
// size when the make frames a part of it.
QSize DecodeSizeFor(int resolution, const Framing &framing = {});

// Decodes the picture file `fileName` as large as a make at `resolution` framed by `framing`
// needs, into `decoded`. The same file and choices give the same pixels, whichever front end asks.
bool DecodePictureFor(const QString &fileName, int resolution, QImage *decoded, QString *errorString,
                      const Framing &framing = {});

// `decoded` as a make at `resolution` cuts it: the FramedArea stretched to the size of 0..3, or
// in Wide HD kept in shape and fitted within 3840x1600. A framed make needs the picture decoded
// at its own size (DecodePictureFor does so). Null outside those or when FramedArea is empty.
QImage MadePicture(const QImage &decoded, int resolution, const Framing &framing = {});

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
