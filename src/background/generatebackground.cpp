#include "generatebackground.h"

#include "layoutfiles.h"
#include "savetga.h"
#include "tilegrid.h"

#include <QDir>
#include <QFileInfo>

namespace {

GenerateResult failed(GenerateResult::Status status, const QString &reason)
{
    GenerateResult result;
    result.status = status;
    result.errorString = reason;
    return result;
}

} // namespace

GenerateResult GenerateBackgroundFiles(const QImage &scaledPicture, int resolution,
                                       const QString &exePath, const QString &relativeFolder)
{
    const QSize size = ResolutionSize(resolution);
    if (size.isEmpty())
        return failed(GenerateResult::WriteFailed,
                      QStringLiteral("There is no resolution number %1").arg(resolution));
    if (scaledPicture.size() != size)
        return failed(GenerateResult::WriteFailed,
                      QStringLiteral("The picture is %1x%2 pixels, not %3")
                          .arg(scaledPicture.width()).arg(scaledPicture.height())
                          .arg(ResolutionText(resolution)));

    // The layout files need the resource folder; looking for it before the
    // first tile keeps a run that cannot finish from leaving stray tiles.
    const QString resourceFolder = ResourceFolder(exePath, relativeFolder);
    if (!QFileInfo(resourceFolder).isDir())
        return failed(GenerateResult::ResourceFolderMissing,
                      QStringLiteral("Cannot find the folder %1").arg(QDir::toNativeSeparators(resourceFolder)));

    GenerateResult result;
    const QString folder = BackgroundFolder(exePath, relativeFolder);
    SaveTGA writer;
    for (const TileSpec &tile : TileGrid(resolution)) {
        const QString fileName = folder + tile.FileName;
        if (!writer.SaveTGAinFile(fileName, scaledPicture.copy(tile.rect()))) {
            result.errorString = writer.errorString();
            return result;
        }
        result.writtenFiles.append(fileName);
    }

    switch (WriteLayoutFiles(resolution, exePath, relativeFolder, &result.errorString)) {
    case LayoutStatus::Written:
        result.writtenFiles += LayoutFilePaths(exePath, relativeFolder);
        result.status = GenerateResult::Done;
        break;
    case LayoutStatus::ResourceFolderMissing:   // removed while the tiles were written
        result.status = GenerateResult::ResourceFolderMissing;
        break;
    case LayoutStatus::WriteFailed:
        break;
    }
    return result;
}
