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

// Packs `sources` under `names`, the first `layoutCount` being layout files in twin pairs.
ZipBackgroundResult pack(const QStringList &names, const QStringList &sources, qsizetype layoutCount,
                         const QString &archivePath)
{
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
    for (qsizetype twin = 0; twin + 1 < layoutCount; twin += 2) {
        if (contentOf(sources[twin]) != contentOf(sources[twin + 1])) {
            result.errorString = Quiltra::tr("Cannot pack the background: %1 and %2 differ; make the background again")
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
    return pack(names, sources, made.layoutNames().size(), archivePath);
}

ZipBackgroundResult ZipShownBackground(const QString &exePath, const QString &relativeFolder, bool hdPair,
                                       const QString &archivePath)
{
    QStringList names;
    for (const char *name : LayoutFileNames)
        names.append(QLatin1String(name));
    if (hdPair) {
        for (const char *name : HdLayoutFileNames)
            names.append(QLatin1String(name));
    }
    QStringList sources;
    QStringList tiles;
    for (const QString &name : std::as_const(names)) {
        sources.append(LayoutFilePath(exePath, relativeFolder, name));
        QSize size;
        QList<PlacedTile> placed;
        ZipBackgroundResult result;
        if (!ReadLayoutFile(sources.last(), &size, &placed, &result.errorString))
            return result;
        // The archive holds the tiles at its top level, as the game's background folder holds them.
        const QString prefix = QStringLiteral("resource/background/");
        for (const PlacedTile &tile : placed) {
            const QString file = tile.Path.mid(prefix.size());
            if (!tile.Path.startsWith(prefix, Qt::CaseInsensitive) || file.isEmpty() || file.contains(u'/')) {
                result.errorString = Quiltra::tr("Cannot pack the background: %1 names %2, which is not in the background folder")
                                         .arg(QDir::toNativeSeparators(sources.last()), tile.Path);
                return result;
            }
            if (!tiles.contains(file))
                tiles.append(file);
        }
    }
    const qsizetype layoutCount = names.size();
    const QString backgroundFolder = BackgroundFolder(exePath, relativeFolder);
    for (const QString &tile : std::as_const(tiles)) {
        names.append(tile);
        sources.append(backgroundFolder + tile);
    }
    return pack(names, sources, layoutCount, archivePath);
}

ZipBackgroundResult ZipBackground(const QString &exePath, const QString &relativeFolder,
                                  int lastGeneratedResolution, const QString &archivePath)
{
    return ZipBackground(exePath, relativeFolder,
                         PlanBackground(lastGeneratedResolution, ResolutionSize(lastGeneratedResolution), false),
                         archivePath);
}
