#include "zip/installbackground.h"

#include "background/layoutfiles.h"
#include "background/tgaread.h"
#include "io/messages.h"
#include "io/tr.h"
#include "io/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSet>
#include <QStringDecoder>

#include <archive.h>
#include <archive_entry.h>

#include <zlib.h>

#include <algorithm>
#include <functional>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// Archives come from strangers: these bound what one may make us read and hold. A real
// background has a few dozen tiles of at most 256x256x4 bytes and layout files of a few KB;
// with one tile (MaxTileFileBytes) and its decoded picture held at a time besides the layout
// files, no archive makes us hold more than about a megabyte of its data.
constexpr int MaxEntries = 400;
// The longest file name most file systems take, where the target's own cannot be asked.
constexpr long CommonNameMax = 255;

enum class Kind { Layout, Tile, Other };

struct Member
{
    QString entry;     // the name as stored, for messages
    QString name;      // the file name it is installed as
    QByteArray bytes;  // the content; only layout files keep it between the two readings
    quint32 crc = 0;   // of the content as checked
    qint64 size = 0;
};

using ArchiveReader = std::unique_ptr<archive, decltype(&archive_read_free)>;

QString reasonOf(archive *reader)
{
    const char *text = archive_error_string(reader);
    return text ? QString::fromLocal8Bit(text) : qt_error_string(archive_errno(reader));
}

// The name of `entry` as stored (read in the user's character set where the archive does not
// say it is UTF-8); false when it is not UTF-8 text.
bool entryNameOf(archive_entry *entry, QString *name)
{
    const char *utf8 = archive_entry_pathname_utf8(entry);
    const char *stored = utf8 ? utf8 : archive_entry_pathname(entry);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *name = decoder.decode(QByteArrayView(stored ? stored : ""));
    return !decoder.hasError();
}

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

// `name` with its control characters shown as U+FFFD, fit for a message.
QString shown(QString name)
{
    std::replace_if(name.begin(), name.end(), isControl, QChar(QChar::ReplacementCharacter));
    return name;
}

// The longest file name, in bytes, the file system of `folder` takes.
long longestNameIn(const QString &folder)
{
#ifdef Q_OS_UNIX
    const long longest = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    if (longest > 0)
        return longest;
#endif
    return CommonNameMax;
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
    if (AllLayoutFileNames().contains(*name)) {
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

quint32 crcOf(const QByteArray &bytes)
{
    return quint32(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size())));
}

// Reads the archive at `archivePath` once, entry by entry, refusing what no background holds,
// and hands each layout file and tile, read whole within its limit, to `take`, which may stop
// the reading by returning false with its reason in `detail`. Only the data of the entry being
// read is held, in `member.bytes`, never more than one byte past its limit, so an entry that
// inflates without end costs no more memory than an honest one. An entry name must be UTF-8
// text without control characters, each part of it at most `nameMax` bytes. (A NUL byte in a
// stored name ends it for libarchive as for every unzip tool: the part before it is the name.)
// False with the reason in `detail` (naming the entry where there is one).
bool readArchive(const QString &archivePath, long nameMax, const std::function<bool(Kind, Member &, QString *)> &take,
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
    if (const QString notAFile = NotARegularFile(archivePath); !notAFile.isEmpty())
        return stop(Quiltra::tr("it cannot be read: %1").arg(notAFile));
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
        QString stored;
        bool utf8 = true;
        if (status == ARCHIVE_OK || status == ARCHIVE_WARN)
            utf8 = entryNameOf(entry, &stored);
        // A warning here is damage the reader noticed (headers that disagree), not noise.
        if (status != ARCHIVE_OK) {
            return stop(stored.isEmpty() ? Quiltra::tr("it cannot be read: %1").arg(reasonOf(reader.get()))
                                         : Quiltra::tr("the entry %1 cannot be read: %2").arg(shown(stored), reasonOf(reader.get())));
        }

        // Names become file names here and are shown in messages: text, and no longer than
        // the file system takes, or the install would stop half done.
        if (!utf8)
            return stop(Quiltra::tr("the name of the entry %1 is not UTF-8 text").arg(shown(stored)));
        if (std::any_of(stored.cbegin(), stored.cend(), isControl))
            return stop(Quiltra::tr("the name of the entry %1 holds a control character").arg(shown(stored)));
        const QString path = QString(stored).replace(u'\\', u'/');
        const QStringList parts = path.split(u'/');
        const auto tooLong = [nameMax](const QString &part) { return QFile::encodeName(part).size() > nameMax; };
        if (std::any_of(parts.cbegin(), parts.cend(), tooLong))
            return stop(Quiltra::tr("the name of the entry %1 is longer than the %2 bytes a file name may have here")
                            .arg(stored, QString::number(nameMax)));
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

        const qint64 limit = kind == Kind::Layout ? MaxLayoutFileBytes : MaxTileFileBytes;
        const bool declared = archive_entry_size_is_set(entry);
        const qint64 declaredSize = archive_entry_size(entry);
        if (declared && (declaredSize < 0 || declaredSize > limit))
            return stop(Quiltra::tr("the entry %1 is larger than %2 KB").arg(stored, QString::number(limit / 1024)));
        const qint64 room = (declared ? declaredSize : limit) + 1;
        member.bytes.resize(room);
        qint64 total = 0;
        for (;;) {
            if (total == room)
                return stop(declared ? Quiltra::tr("the entry %1 inflates past its declared size of %2 bytes")
                                           .arg(stored, QString::number(declaredSize))
                                     : Quiltra::tr("the entry %1 is larger than %2 KB").arg(stored, QString::number(limit / 1024)));
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

bool InstallBackground(const QString &archivePath, const QString &resourceFolder, const InstallOptions &options,
                       QStringList *installed, QString *errorString)
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
    if (!options.MakeFolders && !QFileInfo(resourceFolder).isDir())
        return fail(CannotFindFolderMessage(resourceFolder));
    const QDir resource(resourceFolder);
    const QDir background(resource.filePath(QStringLiteral("background")));
    const long nameMax = longestNameIn(resourceFolder);
    // Every tile is held to the one TGA check, so whatever is installed can be packed and shown.
    const auto tileRefused = [](const QByteArray &bytes, const QString &tile, QString *problem) {
        QString reason;
        if (CheckTgaTile(bytes, &reason))
            return false;
        *problem = Quiltra::tr("the tile %1 is not one the game can show: %2").arg(tile, reason);
        return true;
    };

    // The first reading checks everything and keeps only the layout files and what each tile
    // was, so an archive of hundreds of large tiles is never held whole.
    QList<Member> layouts;
    QList<Member> tiles;
    QString detail;
    const bool checked = readArchive(archivePath, nameMax, [&](Kind kind, Member &member, QString *problem) {
        if (kind == Kind::Layout) {
            layouts.append(member);
            return true;
        }
        if (tileRefused(member.bytes, member.entry, problem))
            return false;
        tiles.append(Member{member.entry, member.name, {}, crcOf(member.bytes), member.bytes.size()});
        return true;
    }, &detail);
    if (!checked)
        return fail(refusal(detail));
    if (layouts.isEmpty())
        return fail(refusal(Quiltra::tr("it holds no layout file")));

    // Every layout file as the one layout reader reads it; every tile it names must be in the
    // archive, or already in the background folder and one the game can show.
    QSet<QString> tileNames;
    for (const Member &tile : tiles)
        tileNames.insert(tile.name);
    for (const Member &layout : layouts) {
        QSize size;
        QList<PlacedTile> placed;
        QStringList elsewhere;
        if (!ParseLayout(layout.bytes, &size, &placed, &detail))
            return fail(refusal(Quiltra::tr("the layout file %1 cannot be read: %2").arg(layout.entry, detail)));
        const QStringList named = BackgroundTileNames(placed, &elsewhere);
        if (!elsewhere.isEmpty())
            return fail(refusal(Quiltra::tr("the layout file %1 names %2, which is not in the background folder")
                                    .arg(layout.entry, elsewhere.first())));
        for (const QString &tile : named) {
            if (tileNames.contains(tile))
                continue;
            const QString there = background.filePath(tile);
            QByteArray bytes;
            QString unreadable;
            if (!QFileInfo::exists(there))
                return fail(refusal(Quiltra::tr("the layout file %1 names the tile %2, which is neither in the archive nor in %3")
                                        .arg(layout.entry, tile, QDir::toNativeSeparators(background.path()))));
            if (!ReadRegularFile(there, MaxTileFileBytes, &bytes, &unreadable))
                return fail(unreadable);
            if (tileRefused(bytes, QDir::toNativeSeparators(there), &detail))
                return fail(refusal(detail));
        }
    }

    // The text each of the four layout files gets. A pair the archive holds must agree, and
    // one file of it brings its twin. The game shows the classic pair or, where its liblist.gam
    // says so, the HD pair, so an archive of one pair gets the other too, as a make writes it:
    // the HD pair with the classic text (where the game reads it or has HD layout files to
    // keep in step), the classic pair with the HD text's tiles "scaled" where they were "fit".
    const QStringList names = AllLayoutFileNames();
    const auto inArchive = [&layouts](const QString &name) -> const Member * {
        const auto found = std::find_if(layouts.cbegin(), layouts.cend(), [&name](const Member &m) { return m.name == name; });
        return found == layouts.cend() ? nullptr : &*found;
    };
    QByteArray pairText[2];   // classic, HD; null where that pair is not written
    for (int pair = 0; pair < 2; ++pair) {
        const Member *first = inArchive(names[2 * pair]), *second = inArchive(names[2 * pair + 1]);
        if (first && second && first->bytes != second->bytes)
            return fail(refusal(Quiltra::tr("the layout files %1 and %2 differ").arg(first->entry, second->entry)));
        if (first || second)
            pairText[pair] = (first ? first : second)->bytes;
    }
    if (pairText[0].isNull()) {
        QSize size;
        QList<PlacedTile> placed;
        ParseLayout(pairText[1], &size, &placed, &detail);   // read above already
        pairText[0] = LayoutText(size, placed, "scaled");
    }
    if (pairText[1].isNull()
        && (options.GameReadsHd || QFileInfo::exists(resource.filePath(names[2])) || QFileInfo::exists(resource.filePath(names[3]))))
        pairText[1] = pairText[0];
    QStringList layoutTargets;
    QByteArrayList layoutTexts;
    for (int i = 0; i < names.size(); ++i) {
        if (!pairText[i / 2].isNull()) {
            layoutTargets.append(resource.filePath(names[i]));
            layoutTexts.append(pairText[i / 2]);
        }
    }

    // Whatever can be seen to fail stops here, before any file is written.
    QList<PlannedWrite> planned;
    for (const Member &tile : tiles)
        planned.append({background.filePath(tile.name), tile.size});
    for (qsizetype i = 0; i < layoutTargets.size(); ++i)
        planned.append({layoutTargets[i], layoutTexts[i].size()});
    if (const QString problem = CheckBeforeWriting(planned); !problem.isEmpty())
        return fail(problem);

    // The second reading writes each tile aside as it comes, holding one at a time; a tile
    // that no longer matches the first reading (an archive replaced meanwhile) stops it. Tiles
    // first: a layout file in place always names tiles that are there.
    WholeFileSet files;
    qsizetype next = 0;
    const bool written = readArchive(archivePath, nameMax, [&](Kind kind, Member &member, QString *problem) {
        if (kind == Kind::Layout)
            return true;
        if (next == tiles.size() || tiles[next].name != member.name || tiles[next].crc != crcOf(member.bytes)) {
            *problem = Quiltra::tr("it changed while it was being installed");
            return false;
        }
        ++next;
        if (tileRefused(member.bytes, member.entry, problem))
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
    for (qsizetype i = 0; i < layoutTargets.size(); ++i) {
        if (!files.add(layoutTargets[i], layoutTexts[i]))
            return fail(files.errorString());
    }
    QString notAdded;
    if (options.BeforeCommit && !options.BeforeCommit(&files, &notAdded))
        return fail(notAdded);
    const bool committed = files.commit();
    if (installed)
        *installed = files.committedFiles();
    return committed || fail(files.errorString());
}
