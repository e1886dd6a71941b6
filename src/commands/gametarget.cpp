#include "commands/gametarget.h"

#include "background/originalbackup.h"
#include "background/tilegrid.h"
#include "games/folderlocate.h"
#include "games/liblist.h"
#include "io/messages.h"
#include "io/wholefile.h"
#include "zip/installbackground.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

QString GameTarget::workFolder() const
{
    return UseAddonFolder ? AddonFolderOf(OwnFolder) : OwnFolder;
}

QString GameTarget::resourceFolder() const
{
    return ResourceFolder(ExePath, workFolder());
}

bool GameTarget::readsHdLayouts() const
{
    return GameReadsHdLayouts(ResourceFolder(ExePath, OwnFolder));
}

QImage MadePicture(const QImage &loaded, int resolution)
{
    const QSize size = resolution == WideHdResolution ? WideHdSize(loaded.size()) : ResolutionSize(resolution);
    if (size.isEmpty())
        return {};
    return loaded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

GenerateResult MakeBackground(const GameTarget &target, const QImage &madePicture, int resolution)
{
    // The addon folder is made where it is missing; the game's own folder never is.
    if (target.UseAddonFolder)
        QDir().mkpath(BackgroundFolder(target.ExePath, target.workFolder()));
    GenerateResult result;
    if (QFileInfo(target.resourceFolder()).isDir()
        && !EnsureOriginalBackup(target.resourceFolder(), &result.errorString))
        return result;
    return GenerateBackgroundFiles(madePicture, resolution, target.ExePath, target.workFolder(),
                                   target.readsHdLayouts());
}

bool InstallArchiveInto(const GameTarget &target, const QString &archive, QStringList *installed,
                        QString *errorString)
{
    if (target.UseAddonFolder)
        QDir().mkpath(BackgroundFolder(target.ExePath, target.workFolder()));
    return InstallBackground(QDir::toNativeSeparators(archive), target.resourceFolder(), installed, errorString);
}

bool WritePictureFile(const QString &fileName, const QImage &picture, QString *errorString)
{
    // The format follows the name; the bytes go through the whole-file writer like every file.
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    const QByteArray format = suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") ? "jpg" : "png";
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QImageWriter writer(&bytes, format);
    writer.setQuality(95);
    if (!writer.write(picture)) {
        *errorString = CannotWriteMessage(fileName, writer.errorString());
        return false;
    }
    return WriteWholeFile(QDir::toNativeSeparators(fileName), bytes.data(), errorString);
}
