#include "zip/zipbackground.h"

#include "background/layoutfiles.h"
#include "background/tilegrid.h"
#include "io/tr.h"
#include "zip/zipclass.h"

#include <QDir>
#include <QFile>

namespace {

QByteArray contentOf(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

ZipBackgroundResult ZipBackground(const QString &exePath, const QString &relativeFolder,
                                  const LayoutPlan &made, const QString &archivePath)
{
    const QString backgroundFolder = BackgroundFolder(exePath, relativeFolder);
    QStringList names = made.layoutNames();
    QStringList sources;
    for (const QString &name : names)
        sources.append(LayoutFilePath(exePath, relativeFolder, name));
    for (const TileSpec &tile : made.Tiles) {
        names.append(tile.FileName);
        sources.append(backgroundFolder + tile.FileName);
    }

    ZipBackgroundResult result;
    // A background with a file missing is not installable, so nothing is
    // written rather than an archive that silently lacks a tile.
    ZipClass archive;
    for (const QString &source : sources) {
        if (!archive.AddFile(source)) {
            result.errorString = archive.errorString();
            return result;
        }
    }
    // Twins that disagree belong to two different backgrounds (a make that was interrupted,
    // or files changed by hand): neither describes the tiles for sure.
    for (int twin = 0; twin + 1 < made.layoutNames().size(); twin += 2) {
        if (contentOf(sources[twin]) != contentOf(sources[twin + 1])) {
            result.errorString = Tr("Cannot pack the background: %1 and %2 differ; make the background again")
                                     .arg(QDir::toNativeSeparators(sources[twin]),
                                          QDir::toNativeSeparators(sources[twin + 1]));
            return result;
        }
    }

    if (!archive.WriteZip(archivePath, true)) {
        result.errorString = archive.errorString();
        return result;
    }
    result.entries = names;
    result.ok = true;
    return result;
}

ZipBackgroundResult ZipBackground(const QString &exePath, const QString &relativeFolder,
                                  int lastGeneratedResolution, const QString &archivePath)
{
    return ZipBackground(exePath, relativeFolder,
                         PlanBackground(lastGeneratedResolution, ResolutionSize(lastGeneratedResolution), false),
                         archivePath);
}
