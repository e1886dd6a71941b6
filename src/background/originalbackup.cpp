#include "background/originalbackup.h"

#include "background/layoutfiles.h"
#include "io/messages.h"
#include "io/tr.h"
#include "io/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

const QString ManifestName = QStringLiteral("manifest.txt");
const QByteArray Kept = "kept ";
const QByteArray Absent = "absent ";

void setError(QString *errorString, const QString &text)
{
    if (errorString)
        *errorString = text;
}

// A path the manifest may list, relative to the resource folder: a layout file or
// "background/<tile>", and nothing that could climb out of the folder.
bool isSafeRelative(const QString &relative)
{
    if (relative.isEmpty() || relative.startsWith(u'/') || relative.contains(u'\\') || relative.contains(u':'))
        return false;
    const QStringList parts = relative.split(u'/');
    return !parts.contains(QStringLiteral("..")) && !parts.contains(QStringLiteral("."))
           && !parts.contains(QString());
}

bool readWhole(const QString &fileName, QByteArray *bytes, QString *errorString)
{
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly)) {
        *bytes = file.readAll();
        if (file.error() == QFileDevice::NoError)
            return true;
    }
    setError(errorString, CannotReadMessage(fileName, file.errorString()));
    return false;
}

struct Manifest
{
    QStringList kept;     // relative paths, layout files and tiles
    QStringList absent;   // layout files that did not exist
};

bool readManifest(const QString &resourceFolder, Manifest *manifest, QString *errorString)
{
    QByteArray text;
    if (!readWhole(QDir(OriginalBackupFolder(resourceFolder)).filePath(ManifestName), &text, errorString))
        return false;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        QStringList *list = line.startsWith(Kept) ? &manifest->kept : line.startsWith(Absent) ? &manifest->absent : nullptr;
        const QString relative = QString::fromUtf8(line.mid(line.indexOf(' ') + 1));
        if (list && isSafeRelative(relative))
            list->append(relative);
    }
    return true;
}

} // namespace

QString OriginalBackupFolder(const QString &resourceFolder)
{
    return QDir(resourceFolder).filePath(QStringLiteral("quiltra-original"));
}

bool HasOriginalBackup(const QString &resourceFolder)
{
    return QFileInfo(QDir(OriginalBackupFolder(resourceFolder)).filePath(ManifestName)).isFile();
}

bool EnsureOriginalBackup(const QString &resourceFolder, QString *errorString)
{
    if (HasOriginalBackup(resourceFolder))
        return true;
    const QDir resource(resourceFolder);
    const QDir backup(OriginalBackupFolder(resourceFolder));

    // The tiles kept are those the layout files place in the background folder, read as the game
    // reads them; tiles anywhere else are never replaced, so they need no copy.
    Manifest manifest;
    QStringList tiles;
    QString unreadable;
    for (const QString &name : AllLayoutFileNames()) {
        if (!QFileInfo(resource.filePath(name)).isFile()) {
            manifest.absent.append(name);
            continue;
        }
        manifest.kept.append(name);
        QSize size;
        QList<PlacedTile> placed;
        QString reason;
        if (!ReadLayoutFile(resource.filePath(name), &size, &placed, &reason)) {
            if (unreadable.isEmpty())
                unreadable = reason;
            continue;
        }
        for (const QString &tile : BackgroundTileNames(placed, nullptr)) {
            const QString relative = QStringLiteral("background/") + tile;
            if (!tiles.contains(relative) && QFileInfo(resource.filePath(relative)).isFile())
                tiles.append(relative);
        }
    }
    // Which tiles a layout file the reader refuses would name cannot be told: the layout files'
    // bytes are kept, but with no manifest the backup is not done, and the change it was to come
    // before stops with the reason, so no tile of the game is lost.
    if (unreadable.isEmpty())
        manifest.kept += tiles;

    WholeFileSet copies;
    QByteArray manifestText;
    for (const QString &relative : manifest.kept) {
        QByteArray bytes;
        const QString target = backup.filePath(relative);
        if (!readWhole(resource.filePath(relative), &bytes, errorString))
            return false;
        if (!QDir().mkpath(QFileInfo(target).path())) {
            setError(errorString, CannotWriteMessage(target, Quiltra::tr("its folder cannot be made")));
            return false;
        }
        if (!copies.add(target, bytes))
            break;
        manifestText += Kept + relative.toUtf8() + '\n';
    }
    for (const QString &relative : manifest.absent)
        manifestText += Absent + relative.toUtf8() + '\n';
    if (!QDir().mkpath(backup.path())) {
        setError(errorString, CannotWriteMessage(backup.path(), Quiltra::tr("its folder cannot be made")));
        return false;
    }
    if (!copies.commit()) {
        setError(errorString, copies.errorString());
        return false;
    }
    if (!unreadable.isEmpty()) {
        setError(errorString, unreadable);
        return false;
    }
    return WriteWholeFile(backup.filePath(ManifestName), manifestText, errorString);
}

bool RestoreOriginalBackup(const QString &resourceFolder, QString *errorString)
{
    Manifest manifest;
    if (!HasOriginalBackup(resourceFolder)) {
        setError(errorString, Quiltra::tr("There is no backup of the original background in %1")
                                  .arg(QDir::toNativeSeparators(OriginalBackupFolder(resourceFolder))));
        return false;
    }
    if (!readManifest(resourceFolder, &manifest, errorString))
        return false;
    const QDir resource(resourceFolder);
    const QDir backup(OriginalBackupFolder(resourceFolder));

    // Tiles first, layout files last, so a layout file never names a tile not yet back.
    const QStringList layouts = AllLayoutFileNames();
    QStringList order;
    for (const QString &relative : manifest.kept) {
        if (!layouts.contains(relative))
            order.append(relative);
    }
    for (const QString &relative : manifest.kept) {
        if (layouts.contains(relative))
            order.append(relative);
    }
    QStringList targets, removals;
    for (const QString &relative : order)
        targets.append(resource.filePath(relative));
    for (const QString &relative : manifest.absent) {
        if (QFileInfo::exists(resource.filePath(relative)))
            removals.append(resource.filePath(relative));
    }
    if (const QString problem = FirstUnreplaceable(targets + removals); !problem.isEmpty()) {
        setError(errorString, problem);
        return false;
    }

    WholeFileSet files;
    for (const QString &relative : order) {
        QByteArray bytes;
        if (!readWhole(backup.filePath(relative), &bytes, errorString))
            return false;
        if (!files.add(resource.filePath(relative), bytes)) {
            setError(errorString, files.errorString());
            return false;
        }
    }
    if (!files.commit()) {
        setError(errorString, files.errorString());
        return false;
    }
    for (const QString &fileName : removals) {
        QFile file(fileName);
        if (!file.remove()) {
            setError(errorString, Quiltra::tr("Cannot remove %1: %2").arg(QDir::toNativeSeparators(fileName), file.errorString()));
            return false;
        }
    }
    return true;
}
