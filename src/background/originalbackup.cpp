#include "background/originalbackup.h"

#include "background/layoutfiles.h"
#include "io/messages.h"
#include "io/tr.h"
#include "io/wholefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace {

const QString BackupFolderName = QStringLiteral("quiltra-original");
const QString ManifestName = QStringLiteral("manifest.txt");

// The largest file read from the game: a tile of 256x256 with room to spare, a layout file. A
// FIFO or device is refused before it is opened.
constexpr qint64 TileCap = 4 * 1024 * 1024;
constexpr qint64 LayoutCap = 64 * 1024;
constexpr qint64 ManifestCap = 4 * 1024 * 1024;

bool fail(QString *errorString, const QString &text)
{
    if (errorString)
        *errorString = text;
    return false;
}

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// A file the manifest may name: relative to the resource folder, '/'-separated, inside it and
// outside the backup, on one line.
bool isFilePath(const QString &path)
{
    if (path.isEmpty() || path.contains(u'\\') || path.contains(u':') || path.contains(u'\n') || path.contains(u'\r')
        || QDir::isAbsolutePath(path))
        return false;
    const QStringList parts = path.split(u'/');
    return !parts.contains(QStringLiteral("..")) && !parts.contains(QStringLiteral(".")) && !parts.contains(QString())
           && parts.first() != BackupFolderName;
}

// A folder the manifest may name: the resource folder ("."), one of the folders above it ("..",
// "../.."), or one inside it.
bool isFolderPath(const QString &path)
{
    return path == u'.' || path.split(u'/').count(QStringLiteral("..")) == path.count(u'/') + 1 || isFilePath(path);
}

// `path` relative to `folder`, '/'-separated and clean, "." for the folder itself.
QString relativeTo(const QDir &folder, const QString &path)
{
    const QString relative = QDir::cleanPath(folder.relativeFilePath(QDir::fromNativeSeparators(path)));
    return relative.isEmpty() ? QStringLiteral(".") : relative;
}

struct KeptFile
{
    QString path;
    qint64 size = 0;
    QByteArray sha256;
};

struct Manifest
{
    QList<KeptFile> kept;
    QStringList added;     // files Quiltra wrote where there were none
    QStringList absent;    // layout files the game did not have
    QStringList folders;   // folders the changes made, relative to the resource folder

    bool records(const QString &path) const
    {
        return added.contains(path) || absent.contains(path)
               || std::any_of(kept.begin(), kept.end(), [&](const KeptFile &file) { return file.path == path; });
    }

    QByteArray text() const
    {
        QByteArrayList lines;
        for (const KeptFile &file : kept)
            lines.append("kept " + QByteArray::number(file.size) + ' ' + file.sha256 + ' ' + file.path.toUtf8());
        for (const QString &path : added)
            lines.append("added " + path.toUtf8());
        for (const QString &path : absent)
            lines.append("absent " + path.toUtf8());
        for (const QString &path : folders)
            lines.append("folder " + path.toUtf8());
        lines.append("lines " + QByteArray::number(lines.size()));
        return lines.join('\n') + '\n';
    }

    // Takes one line other than the count; false for a line not understood, a path that leaves
    // its folder, or one named twice.
    bool take(const QByteArray &line)
    {
        const qsizetype space = line.indexOf(' ');
        const QByteArray word = line.left(space);
        QByteArray rest = line.mid(space + 1);
        if (space < 0)
            return false;
        KeptFile file;
        if (word == "kept") {
            const qsizetype a = rest.indexOf(' '), b = a < 0 ? -1 : rest.indexOf(' ', a + 1);
            bool sized = false;
            file.size = rest.left(a).toLongLong(&sized);
            file.sha256 = rest.mid(a + 1, b - a - 1);
            if (b < 0 || !sized || file.size < 0 || file.sha256.size() != 64
                || QByteArray::fromHex(file.sha256).toHex() != file.sha256)
                return false;
            rest = rest.mid(b + 1);
        }
        const QString path = QString::fromUtf8(rest);
        if (word == "folder") {
            if (!isFolderPath(path) || folders.contains(path))
                return false;
            folders.append(path);
            return true;
        }
        if (!isFilePath(path) || records(path))
            return false;
        if (word == "kept")
            kept.append({path, file.size, file.sha256});
        else if (word == "added")
            added.append(path);
        else if (word == "absent" && AllLayoutFileNames().contains(path))
            absent.append(path);
        else
            return false;
        return true;
    }
};

QString missing(const QString &fileName)
{
    return Quiltra::tr("%1 is missing").arg(ShownPath(fileName));
}

// Reads the manifest in `backup`; false with the reason, naming it, when it is missing, cannot be
// read, is cut short or holds a line not understood.
bool readManifest(const QDir &backup, Manifest *manifest, QString *reason)
{
    const QString fileName = backup.filePath(ManifestName);
    QByteArray text;
    if (!QFileInfo::exists(fileName))
        return fail(reason, missing(fileName));
    if (!ReadRegularFile(fileName, ManifestCap, &text, reason))
        return false;
    QByteArrayList lines = text.split('\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    bool counted = false;
    const qsizetype count = lines.isEmpty() || !lines.last().startsWith("lines ") ? 0 : lines.last().mid(6).toLongLong(&counted);
    if (!counted)
        return fail(reason, Quiltra::tr("%1 is cut short").arg(ShownPath(fileName)));
    lines.removeLast();
    if (count != lines.size())
        return fail(reason, Quiltra::tr("%1 holds %2 lines, not the %3 its last line counts")
                                .arg(ShownPath(fileName), QString::number(lines.size()), QString::number(count)));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!manifest->take(lines[i]))
            return fail(reason, Quiltra::tr("line %1 of %2 is not understood").arg(QString::number(i + 1), ShownPath(fileName)));
    }
    return true;
}

} // namespace

QString OriginalBackupFolder(const QString &resourceFolder)
{
    return QDir(resourceFolder).filePath(BackupFolderName);
}

bool HasOriginalBackup(const QString &resourceFolder)
{
    return QFileInfo(QDir(OriginalBackupFolder(resourceFolder)).filePath(ManifestName)).isFile();
}

bool AddToOriginalBackup(WholeFileSet *files, const QString &resourceFolder, QString *errorString)
{
    const QDir resource(QFileInfo(resourceFolder).absoluteFilePath());
    const QDir backup(OriginalBackupFolder(resource.path()));
    Manifest manifest;
    // Everything is read before the first add, so a file that cannot be read adds nothing.
    QList<std::pair<QString, QByteArray>> copies;
    const auto keep = [&](const QString &path, qint64 cap, QByteArray *kept = nullptr) {
        QByteArray bytes;
        if (!ReadRegularFile(resource.filePath(path), cap, &bytes, errorString))
            return false;
        manifest.kept.append({path, bytes.size(), sha256(bytes)});
        copies.append({path, bytes});
        if (kept)
            *kept = bytes;
        return true;
    };

    if (QFileInfo::exists(backup.path())) {
        QString reason;
        if (!readManifest(backup, &manifest, &reason))
            return fail(errorString, Quiltra::tr("The backup of the original background is damaged: %1; repair or remove "
                                                 "the folder %2 before changing the background")
                                         .arg(reason, ShownPath(backup.path())));
    } else {
        // The game's own background: its layout files and the tiles they place in the background
        // folder, read as the game reads them. Which tiles a layout file the reader refuses would
        // name cannot be told, so the change stops with the reason rather than lose one.
        for (const QString &name : AllLayoutFileNames()) {
            if (!QFileInfo::exists(resource.filePath(name))) {
                manifest.absent.append(name);
                continue;
            }
            QByteArray text;
            QSize size;
            QList<PlacedTile> placed;
            QString reason;
            if (!keep(name, LayoutCap, &text))
                return false;
            if (!ParseLayout(text, &size, &placed, &reason))
                return fail(errorString, CannotReadMessage(resource.filePath(name), reason));
            for (const QString &tile : BackgroundTileNames(placed, nullptr)) {
                const QString path = QStringLiteral("background/") + tile;
                if (isFilePath(path) && !manifest.records(path) && QFileInfo::exists(resource.filePath(path))
                    && !keep(path, TileCap))
                    return false;
            }
        }
    }

    // Every file of the game this set replaces or removes is kept first; what it writes where
    // there was nothing is Quiltra's own, for a restore to remove.
    for (const QString &target : files->targets()) {
        const QString path = relativeTo(resource, target);
        const QString first = path.split(u'/').first();
        if (QDir::isAbsolutePath(path) || first == u".." || first == u'.' || first == BackupFolderName || manifest.records(path))
            continue;
        if (!isFilePath(path))
            return fail(errorString, Quiltra::tr("%1 cannot be kept in the backup of the original background: its name "
                                                 "holds a line break, a backslash or a colon")
                                         .arg(ShownPath(target)));
        if (!QFileInfo::exists(resource.filePath(path)))
            manifest.added.append(path);
        else if (!keep(path, AllLayoutFileNames().contains(path) ? LayoutCap : TileCap))
            return false;
    }

    for (const auto &[path, bytes] : copies) {
        if (!files->add(backup.filePath(path), bytes))
            return fail(errorString, files->errorString());
    }
    for (const QString &folder : files->madeFolders()) {
        const QString path = relativeTo(resource, folder);
        if (isFolderPath(path) && !manifest.folders.contains(path))
            manifest.folders.append(path);
    }
    if (!files->add(backup.filePath(ManifestName), manifest.text()))
        return fail(errorString, files->errorString());
    return true;
}

bool RestoreOriginalBackup(const QString &resourceFolder, QString *errorString)
{
    const QDir resource(QFileInfo(resourceFolder).absoluteFilePath());
    const QDir backup(OriginalBackupFolder(resource.path()));
    if (!QFileInfo::exists(backup.path()))
        return fail(errorString, Quiltra::tr("There is no backup of the original background in %1").arg(ShownPath(backup.path())));

    // Nothing changes unless the whole backup is as it was kept.
    const QString damaged = Quiltra::tr("The backup of the original background is damaged: %1; nothing was restored");
    Manifest manifest;
    QString reason;
    if (!readManifest(backup, &manifest, &reason))
        return fail(errorString, damaged.arg(reason));
    QList<QByteArray> originals;
    for (const KeptFile &kept : manifest.kept) {
        const QString fileName = backup.filePath(kept.path);
        QByteArray bytes;
        if (!QFileInfo::exists(fileName))
            return fail(errorString, damaged.arg(missing(fileName)));
        if (!ReadRegularFile(fileName, TileCap, &bytes, &reason))
            return fail(errorString, damaged.arg(reason));
        if (bytes.size() != kept.size || sha256(bytes) != kept.sha256)
            return fail(errorString, damaged.arg(Quiltra::tr("%1 is not the file that was kept").arg(ShownPath(fileName))));
        originals.append(bytes);
    }

    // The tiles go back before the layout files, so a layout file in place never names a tile
    // not yet back; a file still as it was is left alone.
    WholeFileSet files;
    const QStringList layouts = AllLayoutFileNames();
    for (const bool layout : {false, true}) {
        for (qsizetype i = 0; i < manifest.kept.size(); ++i) {
            const QString target = resource.filePath(manifest.kept[i].path);
            QByteArray current;
            if (layouts.contains(manifest.kept[i].path) != layout
                || (ReadRegularFile(target, originals[i].size(), &current, &reason) && current == originals[i]))
                continue;
            if (!files.add(target, originals[i]))
                return fail(errorString, files.errorString());
        }
    }
    QStringList removed;
    for (const QString &path : manifest.added + manifest.absent) {
        const QFileInfo file(resource.filePath(path));
        if (file.exists() || file.isSymLink())
            removed.append(file.filePath());
    }
    for (const KeptFile &kept : manifest.kept)
        removed.append(backup.filePath(kept.path));
    removed.append(backup.filePath(ManifestName));
    for (const QString &fileName : removed) {
        if (!files.remove(fileName))
            return fail(errorString, files.errorString());
    }
    if (!files.commit())
        return fail(errorString, files.errorString());

    // Then the folders Quiltra made and the backup's, innermost first, each only where empty.
    QStringList folders{backup.path()};
    for (const KeptFile &kept : manifest.kept) {
        for (QString path = kept.path; path.contains(u'/');) {
            path.truncate(path.lastIndexOf(u'/'));
            folders.append(backup.filePath(path));
        }
    }
    for (const QString &folder : manifest.folders)
        folders.append(QDir::cleanPath(resource.filePath(folder)));
    std::sort(folders.begin(), folders.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });
    for (const QString &folder : folders)
        QDir().rmdir(folder);
    return true;
}
