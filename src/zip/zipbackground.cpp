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
                                  int lastGeneratedResolution, const QString &archivePath)
{
    const QString backgroundFolder = BackgroundFolder(exePath, relativeFolder);
    QStringList sources = LayoutFilePaths(exePath, relativeFolder);
    QStringList names = {QLatin1String(LayoutFileNames[0]), QLatin1String(LayoutFileNames[1])};
    for (const TileSpec &tile : TileGrid(lastGeneratedResolution)) {
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
    // Layout files that disagree belong to two different backgrounds (a make that was
    // interrupted, or files changed by hand): neither describes the tiles for sure.
    if (contentOf(sources[0]) != contentOf(sources[1])) {
        result.errorString = Tr("Cannot pack the background: %1 and %2 differ; make the background again")
                                 .arg(QDir::toNativeSeparators(sources[0]), QDir::toNativeSeparators(sources[1]));
        return result;
    }

    if (!archive.WriteZip(archivePath, true)) {
        result.errorString = archive.errorString();
        return result;
    }
    result.entries = names;
    result.ok = true;
    return result;
}
