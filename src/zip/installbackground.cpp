#include "zip/installbackground.h"

#include "background/layoutfiles.h"
#include "background/originalbackup.h"
#include "io/messages.h"
#include "io/tr.h"
#include "io/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSet>

#include <archive.h>
#include <archive_entry.h>

#include <zlib.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// Archives come from strangers: these bound what one may make us read and hold. A real
// background has a few dozen tiles of at most 256x256x4 bytes and layout files of a few KB;
// with one tile held at a time besides the layout files, no archive makes us hold more than
// about half a megabyte of its data.
constexpr int MaxEntries = 400;
constexpr qint64 MaxLayoutBytes = 64 * 1024;
constexpr qint64 MaxTileBytes = 300 * 1024;
constexpr int TgaHeaderSize = 18;
constexpr int MaxTileSide = 256;

enum class Kind { Layout, Tile, Other };

struct Member
{
    QString entry;     // the name as stored, for messages
    QString name;      // the file name it is installed as
    QByteArray bytes;  // the content; only layout files keep it between the two readings
    quint32 crc = 0;   // of the content as checked
};

using ArchiveReader = std::unique_ptr<archive, decltype(&archive_read_free)>;

QStringList allLayoutNames()
{
    return {QLatin1String(LayoutFileNames[0]), QLatin1String(LayoutFileNames[1]),
            QLatin1String(HdLayoutFileNames[0]), QLatin1String(HdLayoutFileNames[1])};
}

QString reasonOf(archive *reader)
{
    const char *text = archive_error_string(reader);
    return text ? QString::fromLocal8Bit(text) : qt_error_string(archive_errno(reader));
}

QString entryNameOf(archive_entry *entry)
{
    if (const char *utf8 = archive_entry_pathname_utf8(entry))
        return QString::fromUtf8(utf8);
    const char *raw = archive_entry_pathname(entry);
    return raw ? QString::fromLocal8Bit(raw) : QString();
}

bool sameFolders(const QStringList &folders, const QStringList &expected)
{
    if (folders.size() != expected.size())
        return false;
    for (int i = 0; i < folders.size(); ++i) {
        if (!expected[i].isEmpty() && folders[i].compare(expected[i], Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

// What an entry of `parts` (its path split at '/') is, and the file name it is installed as.
// Layout files sit at the top level, in "resource/" or "<game>/resource/"; tiles at the top
// level, in "background/", "resource/background/" or "<game>/resource/background/". An empty
// expected folder stands for the game's folder, whatever it is called.
Kind kindOf(const QStringList &parts, QString *name)
{
    *name = parts.last();
    const QStringList folders = parts.mid(0, parts.size() - 1);
    if (parts.contains(QString()) || parts.contains(QStringLiteral(".")) || name->contains(u':'))
        return Kind::Other;
    const QString resource = QStringLiteral("resource");
    const QString background = QStringLiteral("background");
    if (allLayoutNames().contains(*name)) {
        for (const QStringList &place : {QStringList{}, QStringList{resource}, QStringList{QString(), resource}}) {
            if (sameFolders(folders, place))
                return Kind::Layout;
        }
        return Kind::Other;
    }
    if (name->size() > 4 && name->endsWith(QLatin1String(".tga"), Qt::CaseInsensitive)) {
        for (const QStringList &place : {QStringList{}, QStringList{background}, QStringList{resource, background},
                                         QStringList{QString(), resource, background}}) {
            if (sameFolders(folders, place))
                return Kind::Tile;
        }
    }
    return Kind::Other;
}

quint16 le16(const QByteArray &bytes, int at)
{
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

// The texts of a tile the game cannot show, or empty when its header describes one it can:
// a true-colour picture (plain or run-length encoded) without a colour map, of at most
// 256x256 pixels, and for a plain one all the pixels it announces.
QString tileProblem(const QByteArray &tga, const QString &entry)
{
    const bool headerOk = tga.size() >= TgaHeaderSize && tga[1] == 0 && (tga[2] == 2 || tga[2] == 10)
                          && (tga[16] == 24 || tga[16] == 32) && le16(tga, 12) >= 1 && le16(tga, 12) <= MaxTileSide
                          && le16(tga, 14) >= 1 && le16(tga, 14) <= MaxTileSide;
    if (!headerOk)
        return Quiltra::tr("the entry %1 is not a 24- or 32-bit TGA picture of 1x1 to 256x256 pixels").arg(entry);
    if (tga[2] == 2) {
        const qint64 needed = TgaHeaderSize + quint8(tga[0]) + qint64(le16(tga, 12)) * le16(tga, 14) * (tga[16] / 8);
        if (tga.size() < needed)
            return Quiltra::tr("the entry %1 is cut short: its picture needs %2 bytes, it has %3").arg(entry).arg(needed).arg(tga.size());
    }
    return {};
}

// The tile file names `layout` names, each as written after "resource/background/", or the
// whole path when it names a tile anywhere else.
QStringList tilesNamedIn(const QByteArray &layout)
{
    static const QString Prefix = QStringLiteral("resource/background/");
    QStringList tiles;
    for (const QByteArray &line : layout.split('\n')) {
        QString first = QString::fromUtf8(line.simplified().split(' ').value(0));
        if (!first.endsWith(QLatin1String(".tga"), Qt::CaseInsensitive))
            continue;
        first.replace(u'\\', u'/');
        tiles.append(first.startsWith(Prefix, Qt::CaseInsensitive) ? first.mid(Prefix.size()) : first);
    }
    return tiles;
}

quint32 crcOf(const QByteArray &bytes)
{
    return quint32(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size())));
}

// Reads the archive at `archivePath` once, entry by entry, refusing what no background holds,
// and hands each layout file and tile, read whole within its limit, to `take`, which may stop
// the reading by returning false with its reason in `detail`. Only the data of the entry being
// read is held, in `member.bytes`, never more than one byte past its limit, so an entry that
// inflates without end costs no more memory than an honest one. False with the reason in
// `detail` (naming the entry where there is one).
bool readArchive(const QString &archivePath, const std::function<bool(Kind, Member &, QString *)> &take,
                 QString *detail)
{
    const auto stop = [detail](const QString &text) {
        *detail = text;
        return false;
    };
    ArchiveReader reader(archive_read_new(), archive_read_free);
    if (!reader)
        return stop(Quiltra::tr("it cannot be read: %1").arg(qt_error_string(ENOMEM)));
    // Only the central directory says for sure what a ZIP holds; an archive cut short has
    // lost it and is refused, rather than read as far as its local headers go.
    archive_read_support_format_zip_seekable(reader.get());
    if (archive_read_open_filename(reader.get(), QFile::encodeName(archivePath).constData(), 64 * 1024) != ARCHIVE_OK)
        return stop(Quiltra::tr("it cannot be read: %1").arg(reasonOf(reader.get())));

    QSet<QString> seen;   // folded, as the game's own systems may not tell case apart
    Member member;
    for (int count = 1;; ++count) {
        archive_entry *entry = nullptr;
        const int status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF)
            return true;
        if (count > MaxEntries)
            return stop(Quiltra::tr("it has more than %1 entries").arg(MaxEntries));
        // A warning here is damage the reader noticed (headers that disagree), not noise.
        if (status != ARCHIVE_OK) {
            const QString stored = status == ARCHIVE_WARN ? entryNameOf(entry) : QString();
            return stop(stored.isEmpty() ? Quiltra::tr("it cannot be read: %1").arg(reasonOf(reader.get()))
                                         : Quiltra::tr("the entry %1 cannot be read: %2").arg(stored, reasonOf(reader.get())));
        }

        const QString stored = entryNameOf(entry);
        const QString path = QString(stored).replace(u'\\', u'/');
        const QStringList parts = path.split(u'/');
        if (parts.contains(QStringLiteral("..")))
            return stop(Quiltra::tr("the entry %1 climbs out of its folder").arg(stored));
        if (path.startsWith(u'/') || (path.size() >= 2 && path[1] == u':'))
            return stop(Quiltra::tr("the entry %1 has an absolute name or a drive letter").arg(stored));
        if (archive_entry_filetype(entry) == AE_IFDIR)
            continue;
        if (archive_entry_filetype(entry) != AE_IFREG || archive_entry_hardlink(entry))
            return stop(Quiltra::tr("the entry %1 is a link, not a file").arg(stored));
        member.entry = stored;
        const Kind kind = kindOf(parts, &member.name);
        if (kind == Kind::Other)
            return stop(Quiltra::tr("the entry %1 is neither a layout file nor a TGA tile").arg(stored));
        const QString key = (kind == Kind::Tile ? QStringLiteral("background/") : QString()) + member.name.toLower();
        if (seen.contains(key))
            return stop(Quiltra::tr("the entry %1 holds %2 a second time").arg(stored, member.name));
        seen.insert(key);
        if (archive_entry_is_encrypted(entry))
            return stop(Quiltra::tr("the entry %1 is encrypted").arg(stored));

        const qint64 limit = kind == Kind::Layout ? MaxLayoutBytes : MaxTileBytes;
        const bool declared = archive_entry_size_is_set(entry);
        const qint64 declaredSize = archive_entry_size(entry);
        if (declared && (declaredSize < 0 || declaredSize > limit))
            return stop(Quiltra::tr("the entry %1 is larger than %2 KB").arg(stored).arg(limit / 1024));
        const qint64 room = (declared ? declaredSize : limit) + 1;
        member.bytes.resize(room);
        qint64 total = 0;
        for (;;) {
            if (total == room)
                return stop(declared ? Quiltra::tr("the entry %1 inflates past its declared size of %2 bytes").arg(stored).arg(declaredSize)
                                     : Quiltra::tr("the entry %1 is larger than %2 KB").arg(stored).arg(limit / 1024));
            const la_ssize_t got = archive_read_data(reader.get(), member.bytes.data() + total, size_t(room - total));
            if (got < 0)
                return stop(Quiltra::tr("the entry %1 cannot be read: %2").arg(stored, reasonOf(reader.get())));
            if (got == 0)
                break;
            total += got;
        }
        member.bytes.truncate(total);
        if (!take(kind, member, detail))
            return false;
    }
}

} // namespace

bool InstallBackground(const QString &archivePath, const QString &resourceFolder, QStringList *installed,
                       QString *errorString)
{
    if (installed)
        installed->clear();
    const auto fail = [errorString](const QString &text) {
        if (errorString)
            *errorString = text;
        return false;
    };
    const auto refusal = [&archivePath](const QString &detail) {
        return Quiltra::tr("Cannot install the background %1: %2").arg(QDir::toNativeSeparators(archivePath), detail);
    };
    if (!QFileInfo(resourceFolder).isDir())
        return fail(CannotFindFolderMessage(resourceFolder));
    const QDir resource(resourceFolder);
    const QDir background(resource.filePath(QStringLiteral("background")));

    // The first reading checks everything and keeps only the layout files and what each tile
    // was, so an archive of hundreds of large tiles is never held whole.
    QList<Member> layouts;
    QList<Member> tiles;
    QString detail;
    const bool checked = readArchive(archivePath, [&](Kind kind, Member &member, QString *problem) {
        if (kind == Kind::Layout) {
            layouts.append(member);
            return true;
        }
        *problem = tileProblem(member.bytes, member.entry);
        if (!problem->isEmpty())
            return false;
        tiles.append(Member{member.entry, member.name, {}, crcOf(member.bytes)});
        return true;
    }, &detail);
    if (!checked)
        return fail(refusal(detail));
    if (layouts.isEmpty())
        return fail(refusal(Quiltra::tr("it holds no layout file")));
    QSet<QString> tileNames;
    for (const Member &tile : tiles)
        tileNames.insert(tile.name);
    for (const Member &layout : layouts) {
        for (const QString &named : tilesNamedIn(layout.bytes)) {
            const bool plainName = !named.contains(u'/') && named != QLatin1String("..");
            if (!plainName || (!tileNames.contains(named) && !QFileInfo(background.filePath(named)).isFile()))
                return fail(refusal(Quiltra::tr("the layout file %1 names the tile %2, which is neither in the archive nor in %3")
                                        .arg(layout.entry, named, QDir::toNativeSeparators(background.path()))));
        }
    }
    // The game reads the classic pair first and then the HD pair; they go in in that order.
    const QStringList order = allLayoutNames();
    std::sort(layouts.begin(), layouts.end(),
              [&order](const Member &a, const Member &b) { return order.indexOf(a.name) < order.indexOf(b.name); });

    // Whatever can be seen to fail stops here, before the backup or any file changes.
    QStringList targets;
    for (const Member &layout : layouts)
        targets.append(resource.filePath(layout.name));
    const bool backgroundExists = QFileInfo(background.path()).isDir();
    for (const Member &tile : tiles) {
        if (backgroundExists)
            targets.append(background.filePath(tile.name));
    }
    const QString unreplaceable = FirstUnreplaceable(targets);
    if (!unreplaceable.isEmpty())
        return fail(unreplaceable);

    QString backupError;
    if (!EnsureOriginalBackup(resourceFolder, &backupError))
        return fail(backupError);
    if (!tiles.isEmpty() && !backgroundExists && !QDir().mkpath(background.path()))
        return fail(CannotWriteMessage(background.filePath(tiles.first().name), Quiltra::tr("its folder cannot be made")));

    // The second reading writes each tile aside as it comes, holding one at a time; a tile
    // that no longer matches the first reading (an archive replaced meanwhile) stops it. Tiles
    // first: a layout file in place always names tiles that are there.
    WholeFileSet files;
    qsizetype next = 0;
    const bool written = readArchive(archivePath, [&](Kind kind, Member &member, QString *problem) {
        if (kind == Kind::Layout)
            return true;
        if (next == tiles.size() || tiles[next].name != member.name || tiles[next].crc != crcOf(member.bytes)) {
            *problem = Quiltra::tr("it changed while it was being installed");
            return false;
        }
        ++next;
        *problem = tileProblem(member.bytes, member.entry);
        if (!problem->isEmpty())
            return false;
        if (files.add(background.filePath(member.name), member.bytes))
            return true;
        *problem = files.errorString();
        return false;
    }, &detail);
    if (!written)
        return fail(files.errorString().isEmpty() ? refusal(detail) : files.errorString());
    if (next != tiles.size())
        return fail(refusal(Quiltra::tr("it changed while it was being installed")));
    for (const Member &layout : layouts) {
        if (!files.add(resource.filePath(layout.name), layout.bytes))
            return fail(files.errorString());
    }
    const bool committed = files.commit();
    if (installed)
        *installed = files.committedFiles();
    return committed || fail(files.errorString());
}
