#include "zipbackground.h"

#include "gamepaths.h"
#include "tilegrid.h"
#include "zipclass.h"

ZipBackgroundResult ZipBackground(const QString &exePath, const QString &relativeFolder,
                                  int lastGeneratedResolution, const QString &archivePath)
{
    const QString resourceFolder = ResourceFolder(exePath, relativeFolder) + PathSeparatorOf(exePath);
    const QString backgroundFolder = BackgroundFolder(exePath, relativeFolder);
    const QStringList layoutNames = {QStringLiteral("BackgroundLayout.txt"),
                                     QStringLiteral("BackgroundLoadingLayout.txt")};
    QStringList names = layoutNames;
    QStringList sources = {resourceFolder + layoutNames[0], resourceFolder + layoutNames[1]};
    for (const TileSpec &tile : TileGrid(lastGeneratedResolution)) {
        names.append(tile.FileName);
        sources.append(backgroundFolder + tile.FileName);
    }

    // A background with a file missing is not installable, so nothing is
    // written rather than an archive that silently lacks a tile.
    ZipBackgroundResult result;
    ZipClass archive;
    for (const QString &source : sources) {
        if (!archive.AddFile(source)) {
            result.errorString = archive.errorString();
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
