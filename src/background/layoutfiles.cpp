#include "background/layoutfiles.h"

#include "background/tilegrid.h"
#include "io/paths.h"
#include "io/wholefile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

const char *const LineEnd = "\r\n";

void setError(QString *errorString, const QString &text)
{
    if (errorString)
        *errorString = text;
}

} // namespace

QByteArray LayoutText(const QSize &size, const QList<TileSpec> &tiles, const char *keyword)
{
    QByteArray text = "resolution   " + QByteArray::number(size.width()) + "   "
                      + QByteArray::number(size.height()) + LineEnd;
    for (const TileSpec &tile : tiles) {
        if (tile.Column == 'a')
            text += LineEnd;   // each row starts after an empty line
        text += "resource/background/" + tile.FileName.toLatin1() + "      " + keyword + "      "
                + QByteArray::number(tile.X) + "   " + QByteArray::number(tile.Y) + LineEnd;
    }
    return text;
}

QByteArray LayoutFileText(int resolution)
{
    const QSize size = ResolutionSize(resolution);
    return size.isEmpty() ? QByteArray() : LayoutText(size, TileGrid(resolution), "scaled");
}

QStringList LayoutPlan::layoutNames() const
{
    QStringList names{QLatin1String(LayoutFileNames[0]), QLatin1String(LayoutFileNames[1])};
    if (HdPair)
        names << QLatin1String(HdLayoutFileNames[0]) << QLatin1String(HdLayoutFileNames[1]);
    return names;
}

QByteArray LayoutPlan::textOf(const QString &name) const
{
    return name.startsWith(QLatin1String("HD_")) ? HdText : ClassicText;
}

LayoutPlan PlanBackground(int resolution, const QSize &pictureSize, bool gameReadsHd)
{
    LayoutPlan plan;
    plan.Resolution = resolution;
    if (resolution == WideHdResolution) {
        plan.Size = pictureSize;
        plan.Tiles = WideHdTileGrid(pictureSize);
        plan.HdPair = true;
        plan.ClassicText = LayoutText(plan.Size, plan.Tiles, "scaled");
        plan.HdText = LayoutText(plan.Size, plan.Tiles, "fit");
    } else {
        plan.Size = ResolutionSize(resolution);
        plan.Tiles = TileGrid(resolution);
        plan.HdPair = gameReadsHd;
        plan.ClassicText = plan.HdText = LayoutFileText(resolution);
    }
    if (plan.Tiles.isEmpty())
        plan = LayoutPlan();
    return plan;
}

QString LayoutFilePath(const QString &exePath, const QString &relativeFolder, const QString &name)
{
    return ResourceFolder(exePath, relativeFolder) + PathSeparatorOf(exePath) + name;
}

QStringList LayoutFilePaths(const QString &exePath, const QString &relativeFolder)
{
    return {LayoutFilePath(exePath, relativeFolder, QLatin1String(LayoutFileNames[0])),
            LayoutFilePath(exePath, relativeFolder, QLatin1String(LayoutFileNames[1]))};
}

LayoutStatus WriteLayoutFiles(int resolution, const QString &exePath, const QString &relativeFolder,
                              QString *errorString)
{
    const LayoutPlan plan = PlanBackground(resolution, ResolutionSize(resolution), false);
    if (!plan.isValid() || resolution == WideHdResolution) {
        setError(errorString, NoResolutionMessage(resolution));
        return LayoutStatus::WriteFailed;
    }
    const QString folder = ResourceFolder(exePath, relativeFolder);
    if (!QFileInfo(folder).isDir()) {
        setError(errorString, CannotFindFolderMessage(folder));
        return LayoutStatus::ResourceFolderMissing;
    }
    WholeFileSet files;
    if (!AddLayoutFiles(&files, plan, exePath, relativeFolder) || !files.commit()) {
        setError(errorString, files.errorString());
        return LayoutStatus::WriteFailed;
    }
    return LayoutStatus::Written;
}

bool AddLayoutFiles(WholeFileSet *files, const LayoutPlan &plan, const QString &exePath,
                    const QString &relativeFolder)
{
    // Each pair comes from the same bytes and is renamed one right after the other, so the
    // twins agree whenever either can be read.
    for (const QString &name : plan.layoutNames()) {
        if (!files->add(LayoutFilePath(exePath, relativeFolder, name), plan.textOf(name)))
            return false;
    }
    return true;
}
