#include "background/generatebackground.h"

#include "background/layoutfiles.h"
#include "background/savetga.h"
#include "background/tilegrid.h"
#include "io/tr.h"
#include "io/wholefile.h"

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
        return failed(GenerateResult::WriteFailed, NoResolutionMessage(resolution));
    if (scaledPicture.size() != size)
        return failed(GenerateResult::WriteFailed,
                      Tr("The picture is %1x%2 pixels, not %3")
                          .arg(scaledPicture.width()).arg(scaledPicture.height())
                          .arg(ResolutionText(resolution)));

    const QString resourceFolder = ResourceFolder(exePath, relativeFolder);
    if (!QFileInfo(resourceFolder).isDir())
        return failed(GenerateResult::ResourceFolderMissing,
                      CannotFindFolderMessage(resourceFolder));

    // The player's background must never end up half old, half new: every file is looked at
    // before anything is written, written aside in full, and only then put in place, the
    // layout files last so they never name a tile that is not there yet.
    const QString folder = BackgroundFolder(exePath, relativeFolder);
    const QList<TileSpec> tiles = TileGrid(resolution);
    QStringList targets;
    for (const TileSpec &tile : tiles)
        targets.append(folder + tile.FileName);
    targets += LayoutFilePaths(exePath, relativeFolder);
    if (const QString problem = FirstUnreplaceable(targets); !problem.isEmpty())
        return failed(GenerateResult::WriteFailed, problem);

    WholeFileSet files;
    SaveTGA writer;
    for (qsizetype i = 0; i < tiles.size(); ++i) {
        if (!writer.SaveTGAinFile(&files, targets.at(i), scaledPicture.copy(tiles.at(i).rect())))
            return failed(GenerateResult::WriteFailed, writer.errorString());
    }
    if (!AddLayoutFiles(&files, resolution, exePath, relativeFolder))
        return failed(GenerateResult::WriteFailed, files.errorString());

    GenerateResult result;
    if (files.commit())
        result.status = GenerateResult::Done;
    else
        result.errorString = files.errorString();
    result.writtenFiles = files.committedFiles();
    return result;
}
