#include "commands/commands.h"

#include "background/composebackground.h"
#include "background/decodepicture.h"
#include "background/framing.h"
#include "background/generatebackground.h"
#include "background/originalbackup.h"
#include "background/tilegrid.h"
#include "commands/gamelocate.h"
#include "games/gameprofile.h"
#include "games/steamlibrary.h"
#include "io/messages.h"
#include "io/tr.h"
#include "io/wholefile.h"
#include "zip/installbackground.h"
#include "zip/zipbackground.h"

#include <algorithm>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

namespace {

// A size no picture reaches: decoding for it gives the picture at its own size, never enlarged.
const QSize OwnSize(1 << 30, 1 << 30);

CommandResult outcome(bool ok, const QString &errorString, const QStringList &touched = {})
{
    CommandResult result;
    result.status = ok ? CommandResult::Done : CommandResult::Failed;
    result.errorString = ok ? QString() : errorString;
    result.touched = touched;
    return result;
}

// The game's own background is kept aside, and what each change adds is recorded, in the same
// set as the change, so restore can undo all of it.
bool recordInBackup(const GameFolders &game, WholeFileSet *files, QString *errorString)
{
    return AddToOriginalBackup(files, game.Resource, errorString);
}

} // namespace

namespace Commands {

bool Framing::isWhole(int resolution) const
{
    return resolution == WideHdResolution ? Keep.isNull() : Screen == 0;
}

QRect FramedArea(const QSize &picture, int resolution, const Framing &framing, QString *problem)
{
    const QRect whole(QPoint(), picture);
    if (framing.isWhole(resolution) || picture.isEmpty())
        return whole;
    const auto refuse = [problem](const QString &reason) {
        if (problem)
            *problem = reason;
        return QRect();
    };
    QRect area = resolution == WideHdResolution ? framing.Keep : framing.Crop;
    if (area.isNull())
        area = LargestCentredArea(picture, framing.Screen);
    const QString shown = QStringLiteral("%1,%2,%3,%4").arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height());
    const QString size = QStringLiteral("%1x%2").arg(picture.width()).arg(picture.height());
    if (area.isEmpty() || !whole.contains(area))
        return refuse(Quiltra::tr("The area %1 is not inside the picture, which is %2.").arg(shown, size));
    if (resolution == WideHdResolution) {
        const QRect trim = WideHdTrim(picture, area);
        if (trim.isEmpty())
            return refuse(Quiltra::tr("No part of the picture shows the area %1 whole on every screen from 4:3 "
                                      "to 21:9: it is too wide or too high for a picture of %2.").arg(shown, size));
        return trim;
    }
    if (!HasScreenShape(area.size(), framing.Screen))
        return refuse(Quiltra::tr("The area %1 does not have the shape of a %2 screen.")
                          .arg(shown, ScreenShapeText(framing.Screen)));
    return area;
}

QSize DecodeSizeFor(int resolution, const Framing &framing)
{
    // A part of the picture is kept in the picture's own pixels.
    if (!framing.isWhole(resolution))
        return OwnSize;
    // Wide HD keeps the picture's shape, which the all-purpose size already covers.
    return resolution == WideHdResolution ? QSize() : ResolutionSize(resolution);
}

bool DecodePictureFor(const QString &fileName, int resolution, QImage *decoded, QString *errorString,
                      const Framing &framing)
{
    return DecodePicture(fileName, *decoded, errorString, DecodeSizeFor(resolution, framing));
}

QImage MadePicture(const QImage &decoded, int resolution, const Framing &framing)
{
    const QRect area = FramedArea(decoded.size(), resolution, framing);
    if (area.isEmpty())
        return {};
    const QImage kept = area == decoded.rect() ? decoded : decoded.copy(area);
    const QSize size = resolution == WideHdResolution ? WideHdSize(kept.size()) : ResolutionSize(resolution);
    if (size.isEmpty())
        return {};
    return kept.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

CommandResult Make(const GameFolders &game, const QImage &madePicture, int resolution)
{
    // The addon folder is made, with the files, where it is missing; the game's own never is.
    GenerateOptions options;
    options.GameReadsHd = game.ReadsHd;
    options.MakeFolders = game.Addon;
    options.BeforeCommit = [&game](WholeFileSet *files, QString *error) { return recordInBackup(game, files, error); };
    CommandResult result;
    const GenerateResult made = GenerateBackgroundFiles(madePicture, resolution, game.Resource, game.Background, options);
    result.status = made.status == GenerateResult::Done                    ? CommandResult::Done
                    : made.status == GenerateResult::ResourceFolderMissing ? CommandResult::ResourceFolderMissing
                                                                           : CommandResult::Failed;
    result.errorString = made.errorString;
    result.touched = made.writtenFiles;
    return result;
}

CommandResult Zip(const GameFolders &game, const QString &archive)
{
    const ZipBackgroundResult zipped = ZipBackground(game.Resource, QDir::toNativeSeparators(archive));
    return outcome(zipped.ok, zipped.errorString, {archive});
}

CommandResult Install(const GameFolders &game, const QString &archive)
{
    InstallOptions options;
    options.GameReadsHd = game.ReadsHd;
    options.MakeFolders = game.Addon;
    options.BeforeCommit = [&game](WholeFileSet *files, QString *error) { return recordInBackup(game, files, error); };
    QStringList installed;
    QString error;
    const bool ok = InstallBackground(QDir::toNativeSeparators(archive), game.Resource, options, &installed, &error);
    return outcome(ok, error, installed);
}

CommandResult Restore(const GameFolders &game)
{
    QString error;
    const bool ok = RestoreOriginalBackup(game.Resource, &error);
    return outcome(ok, error);
}

QStringList Recover(const GameFolders &game, QString *errorString)
{
    // A set's journal lies in the deepest folder its files share that was there before it: the
    // resource folder for a make, an install or a restore, a folder above it when the set made
    // that folder (a first make into the addon folder), the backup or background folder for
    // smaller sets.
    QStringList folders{game.InstallRoot};
    for (const bool addon : {false, true}) {
        const GameFolders twin = ResolveGameFolders(game.Game, game.Executable, game.OwnFolder, addon);
        folders << QDir::cleanPath(twin.Resource + QStringLiteral("/..")) << twin.Resource << twin.Background
                << OriginalBackupFolder(twin.Resource);
    }
    return RecoverInterruptedSets(folders, errorString);
}

bool ComposeShown(const GameFolders &game, QImage *picture, QString *errorString)
{
    // The layout the game reads: the HD pair where its liblist.gam says so.
    return ComposeBackground(game.Resource, game.ReadsHd, picture, errorString);
}

QByteArray ExportFormat(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "jpg";
    return suffix == QLatin1String("png") || suffix == QLatin1String("bmp") ? suffix.toLatin1() : QByteArray();
}

CommandResult Export(const GameFolders &game, const QString &fileName)
{
    // The format follows the name; the bytes go through the whole-file writer like every file.
    const QByteArray format = ExportFormat(fileName);
    if (format.isEmpty())
        return outcome(false, CannotWriteMessage(fileName, Quiltra::tr("a picture is exported as .png, .jpg, .jpeg or .bmp")));
    QImage picture;
    QString error;
    if (!ComposeShown(game, &picture, &error))
        return outcome(false, error);
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QImageWriter writer(&bytes, format);
    writer.setQuality(95);
    if (!writer.write(picture))
        return outcome(false, CannotWriteMessage(fileName, writer.errorString()));
    const QString target = QDir::toNativeSeparators(fileName);
    const bool ok = WriteWholeFile(target, bytes.data(), &error);
    return outcome(ok, error, {target});
}

QList<FoundGame> Games(const QStringList &steamFolders, const QString &storedExe)
{
    QList<SteamInstall> installs = FindSteamInstalls(steamFolders, ExecutableNames());
    const QString storedCanonical = QFileInfo(storedExe).canonicalFilePath();
    const bool storedKnown = std::any_of(installs.cbegin(), installs.cend(), [&](const SteamInstall &install) {
        return QFileInfo(install.Executable).canonicalFilePath() == storedCanonical;
    });
    if (!storedCanonical.isEmpty() && !storedKnown)
        installs.append({QDir::toNativeSeparators(QFileInfo(storedExe).absolutePath()), storedExe});
    QList<FoundGame> found;
    for (const SteamInstall &install : std::as_const(installs)) {
        for (int game = 0; game < GameCount; ++game) {
            const QString folder = FoundBackgroundFolder(install.Executable, game);
            if (!folder.isEmpty())
                found.append({game, ResolveGameFolders(game, install.Executable, folder, false).GameFolder,
                              install.Executable});
        }
    }
    return found;
}

} // namespace Commands
