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
                                       const QString &resourceFolder, const QString &backgroundFolder,
                                       const GenerateOptions &options)
{
    const LayoutPlan plan = PlanBackground(resolution, scaledPicture.size(), options.GameReadsHd);
    if (!plan.isValid() && resolution != WideHdResolution)
        return failed(GenerateResult::WriteFailed, NoResolutionMessage(resolution));
    if (!plan.isValid() || scaledPicture.size() != plan.Size)
        return failed(GenerateResult::WriteFailed,
                      Quiltra::tr("The picture is %1x%2 pixels, not %3")
                          .arg(scaledPicture.width()).arg(scaledPicture.height())
                          .arg(resolution == WideHdResolution
                                   ? Quiltra::tr("within 3840x1600") : ResolutionText(resolution)));

    if (!options.MakeFolders && !QFileInfo(resourceFolder).isDir())
        return failed(GenerateResult::ResourceFolderMissing, CannotFindFolderMessage(resourceFolder));

    // The player's background must never end up half old, half new: every file is looked at
    // before anything is written, written aside in full, and only then put in place together,
    // the layout files last so they never name a tile that is not there yet.
    QStringList targets;
    QList<PlannedWrite> planned;
    for (const TileSpec &tile : plan.Tiles) {
        targets.append(backgroundFolder + tile.FileName);
        planned.append({targets.last(), TgaFileSize(tile.TileWidth, tile.TileHeight)});
    }
    for (const QString &name : plan.layoutNames()) {
        targets.append(LayoutFilePath(resourceFolder, name));
        planned.append({targets.last(), plan.textOf(name).size()});
    }
    if (const QString problem = CheckBeforeWriting(planned); !problem.isEmpty())
        return failed(GenerateResult::WriteFailed, problem);

    WholeFileSet files;
    SaveTGA writer;
    for (qsizetype i = 0; i < plan.Tiles.size(); ++i) {
        if (!writer.SaveTGAinFile(&files, targets.at(i), scaledPicture.copy(plan.Tiles.at(i).rect())))
            return failed(GenerateResult::WriteFailed, writer.errorString());
    }
    if (!AddLayoutFiles(&files, plan, resourceFolder))
        return failed(GenerateResult::WriteFailed, files.errorString());
    QString refusal;
    if (options.BeforeCommit && !options.BeforeCommit(&files, &refusal))
        return failed(GenerateResult::WriteFailed, refusal);

    GenerateResult result;
    if (files.commit()) {
        result.status = GenerateResult::Done;
        result.made = plan;
    } else {
        result.errorString = files.errorString();
    }
    result.writtenFiles = files.committedFiles();
    return result;
}
