#include "commands/commands.h"

#include "background/composebackground.h"
#include "background/decodepicture.h"
#include "background/generatebackground.h"
#include "background/originalbackup.h"
#include "background/tilegrid.h"
#include "commands/gamelocate.h"
#include "games/gameprofile.h"
#include "games/steamlibrary.h"
#include "io/messages.h"
#include "io/wholefile.h"
#include "zip/installbackground.h"
#include "zip/zipbackground.h"

#include <algorithm>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

namespace {

CommandResult outcome(bool ok, const QString &errorString, const QStringList &touched = {})
{
    CommandResult result;
    result.status = ok ? CommandResult::Done : CommandResult::Failed;
    result.errorString = ok ? QString() : errorString;
    result.touched = touched;
    return result;
}

// The addon folder is made where it is missing; the game's own folder never is.
void makeAddonFolder(const GameFolders &game)
{
    if (game.Addon)
        QDir().mkpath(game.Background);
}

} // namespace

namespace Commands {

QSize DecodeSizeFor(int resolution)
{
    // Wide HD keeps the picture's shape, which the all-purpose size already covers.
    return resolution == WideHdResolution ? QSize() : ResolutionSize(resolution);
}

bool DecodePictureFor(const QString &fileName, int resolution, QImage *decoded, QString *errorString)
{
    return DecodePicture(fileName, *decoded, errorString, DecodeSizeFor(resolution));
}

QImage MadePicture(const QImage &decoded, int resolution)
{
    const QSize size = resolution == WideHdResolution ? WideHdSize(decoded.size()) : ResolutionSize(resolution);
    if (size.isEmpty())
        return {};
    return decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

CommandResult Make(const GameFolders &game, const QImage &madePicture, int resolution)
{
    makeAddonFolder(game);
    CommandResult result;
    if (QFileInfo(game.Resource).isDir() && !EnsureOriginalBackup(game.Resource, &result.errorString))
        return result;
    const GenerateResult made = GenerateBackgroundFiles(madePicture, resolution, game.Resource, game.Background, game.ReadsHd);
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
    makeAddonFolder(game);
    QStringList installed;
    QString error;
    const bool ok = InstallBackground(QDir::toNativeSeparators(archive), game.Resource, game.ReadsHd, &installed, &error);
    return outcome(ok, error, installed);
}

CommandResult Restore(const GameFolders &game)
{
    QString error;
    const bool ok = RestoreOriginalBackup(game.Resource, &error);
    return outcome(ok, error);
}

bool ComposeShown(const GameFolders &game, QImage *picture, QString *errorString)
{
    // The layout the game reads: the HD pair where its liblist.gam says so.
    return ComposeBackground(game.Resource, game.ReadsHd, picture, errorString);
}

CommandResult Export(const GameFolders &game, const QString &fileName)
{
    QImage picture;
    QString error;
    if (!ComposeShown(game, &picture, &error))
        return outcome(false, error);
    // The format follows the name; the bytes go through the whole-file writer like every file.
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    const QByteArray format = suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") ? "jpg" : "png";
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
