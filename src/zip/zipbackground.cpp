#include "zip/zipbackground.h"

#include "background/layoutfiles.h"
#include "background/tgaread.h"
#include "io/messages.h"
#include "io/tr.h"
#include "io/wholefile.h"
#include "zip/zipclass.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray contentOf(const QString &fileName)
{
    QByteArray bytes;
    QString unreadable;
    return ReadRegularFile(fileName, MaxLayoutFileBytes, &bytes, &unreadable) ? bytes : QByteArray();
}

ZipBackgroundResult refused(const QString &errorString)
{
    ZipBackgroundResult result;
    result.errorString = errorString;
    return result;
}

} // namespace

ZipBackgroundResult ZipBackground(const QString &resourceFolder, const QString &archivePath)
{
    const QDir resource(resourceFolder);
    QStringList names, sources, tiles;
    for (const QString &name : AllLayoutFileNames()) {
        const QString path = LayoutFilePath(resourceFolder, name);
        if (!QFileInfo(path).isFile())
            continue;
        QSize size;
        QList<PlacedTile> placed;
        QStringList elsewhere;
        QString error;
        if (!ReadLayoutFile(path, &size, &placed, &error))
            return refused(error);
        for (const QString &tile : BackgroundTileNames(placed, &elsewhere)) {
            if (!tiles.contains(tile))
                tiles.append(tile);
        }
        // The archive holds the tiles at its root, as the game's background folder holds them.
        if (!elsewhere.isEmpty())
            return refused(Quiltra::tr("Cannot pack the background: %1 names %2, which is not in the background folder")
                               .arg(QDir::toNativeSeparators(path), elsewhere.first()));
        names.append(name);
        sources.append(path);
    }
    if (names.isEmpty())
        return refused(Quiltra::tr("Cannot pack the background: there is no layout file in %1")
                           .arg(QDir::toNativeSeparators(resourceFolder)));
    // Twins that disagree belong to two different backgrounds (a make that was interrupted, or
    // files changed by hand): neither describes the tiles for sure.
    for (const QStringList &pair : {AllLayoutFileNames().mid(0, 2), AllLayoutFileNames().mid(2, 2)}) {
        const QString first = LayoutFilePath(resourceFolder, pair[0]), second = LayoutFilePath(resourceFolder, pair[1]);
        if (sources.contains(first) && sources.contains(second) && contentOf(first) != contentOf(second))
            return refused(Quiltra::tr("Cannot pack the background: %1 and %2 differ; make the background again")
                               .arg(QDir::toNativeSeparators(first), QDir::toNativeSeparators(second)));
    }
    // A tile that is missing or that the game could not show makes an archive no one can
    // install, so nothing is written rather than an archive that silently lacks it.
    for (const QString &tile : std::as_const(tiles)) {
        const QString path = resource.filePath(QStringLiteral("background/") + tile);
        QByteArray bytes;
        QString error, reason;
        if (!ReadRegularFile(path, MaxTileFileBytes, &bytes, &error))
            return refused(error);
        if (!CheckTgaTile(bytes, &reason))
            return refused(CannotReadMessage(path, reason));
        names.append(tile);
        sources.append(path);
    }

    ZipClass archive;
    for (qsizetype i = 0; i < sources.size(); ++i) {
        if (!archive.AddFile(sources[i], names[i]))
            return refused(archive.errorString());
    }
    if (!archive.WriteZip(archivePath, true))
        return refused(archive.errorString());
    ZipBackgroundResult result;
    result.ok = true;
    result.entries = names;
    return result;
}
