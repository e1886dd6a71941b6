#include "io/wholefile.h"

#include "io/faultseam.h"
#include "io/tr.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// Most file systems allow 255 bytes for one name; asked of the file system where it exists.
constexpr qint64 UsualNameMax = 255;
const QLatin1String JournalPrefix("quiltra-journal-");
const QLatin1String JournalSuffix(".txt");
const QLatin1String UnfinishedJournalSuffix(".new");
const QByteArray JournalHeader = "Quiltra change journal 1";

QString reasonOf(const std::error_code &error)
{
    return QString::fromLocal8Bit(error.message().c_str());
}

QString reasonOf(int error)
{
    return reasonOf(std::error_code(error, std::generic_category()));
}

// What the fault seam makes of a step: the disk's own failure.
std::error_code injectedFailure()
{
    return std::make_error_code(std::errc::io_error);
}

fs::path pathOf(const QString &path)
{
#ifdef Q_OS_WIN
    return fs::path(path.toStdWString());
#else
    return fs::path(QFile::encodeName(path).toStdString());
#endif
}

enum class Kind { None, Regular, Link, Folder, Other };

// What `path` itself is, a symbolic link not followed.
Kind kindOf(const QString &path)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(pathOf(path), error);
    switch (status.type()) {
    case fs::file_type::not_found: return Kind::None;
    case fs::file_type::regular: return Kind::Regular;
    case fs::file_type::symlink: return Kind::Link;
    case fs::file_type::directory: return Kind::Folder;
    default: return Kind::Other;   // a device, a pipe, a socket, or a name that cannot be looked at
    }
}

bool exists(const QString &path)
{
    return kindOf(path) != Kind::None;
}

std::error_code renameOver(const QString &from, const QString &to)
{
    std::error_code error;
    fs::rename(pathOf(from), pathOf(to), error);
    return error;
}

// A rename of the commit: the fault seam may fail it, or end the process just before it.
std::error_code committingRename(const QString &from, const QString &to)
{
    return FaultAt(FaultPoint::Rename) ? injectedFailure() : renameOver(from, to);
}

// Removes the file or link `path`; a name already gone is no failure.
std::error_code removeFile(const QString &path)
{
    std::error_code error;
    fs::remove(pathOf(path), error);
    return error;
}

// A second name for the file or link `target` (the link itself, not what it points to).
std::error_code linkAside(const QString &target, const QString &kept)
{
#ifdef Q_OS_UNIX
    if (::linkat(AT_FDCWD, QFile::encodeName(target).constData(), AT_FDCWD, QFile::encodeName(kept).constData(), 0) != 0)
        return std::error_code(errno, std::generic_category());
    return {};
#else
    Q_UNUSED(target);
    Q_UNUSED(kept);
    return std::make_error_code(std::errc::operation_not_supported);
#endif
}

// Where a file system has no hard links, the old target is renamed aside instead.
bool noLinksHere(const std::error_code &error)
{
    return error == std::errc::operation_not_permitted || error == std::errc::operation_not_supported
           || error == std::errc::too_many_links || error == std::errc::function_not_supported
           || error == std::errc::cross_device_link;
}

// Makes the folder's entries (renames, new and removed names) as lasting as the files' bytes.
void syncFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

// "<name>.quiltra-<tag>-XXXXXX" beside `path`, the name shortened where the whole would
// be longer than a file name may be.
QString siblingName(const QString &path, const QString &tag)
{
    static const char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix = QStringLiteral(".quiltra-") + tag + QLatin1Char('-');
    for (int i = 0; i < 6; ++i)
        suffix += QLatin1Char(Letters[QRandomGenerator::global()->bounded(36)]);
    const QFileInfo info(path);
    QString base = info.fileName();
    while (!base.isEmpty() && QFile::encodeName(base + suffix).size() > UsualNameMax)
        base.chop(1);
    return info.path() + QLatin1Char('/') + base + suffix;
}

// A file made new (never an existing one), written unbuffered, each write checked.
class NewFile
{
public:
    NewFile() = default;
    NewFile(const NewFile &) = delete;
    NewFile &operator=(const NewFile &) = delete;
    ~NewFile() { close(); }

    // Makes `path`; `error` is file_exists when the name is taken.
    std::error_code create(const QString &path, const QString &modeOf)
    {
#ifdef Q_OS_UNIX
        m_fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0)
            return std::error_code(errno, std::generic_category());
        // A replaced file keeps its permissions; a new one gets the usual ones.
        struct stat old {};
        if (!modeOf.isEmpty() && ::stat(QFile::encodeName(modeOf).constData(), &old) == 0)
            ::fchmod(m_fd, old.st_mode & 07777);
        return {};
#else
        m_file.setFileName(path);
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return QFileInfo::exists(path) ? std::make_error_code(std::errc::file_exists)
                                           : std::make_error_code(std::errc::io_error);
        if (!modeOf.isEmpty())
            m_file.setPermissions(QFileInfo(modeOf).permissions());
        return {};
#endif
    }

    // Writes all of `bytes`, going on after a short write; false with the system's reason.
    bool write(const QByteArray &bytes, QString *reason)
    {
        qint64 done = 0;
        while (done < bytes.size()) {
            if (FaultAt(FaultPoint::Write)) {
                *reason = reasonOf(injectedFailure());
                return false;
            }
#ifdef Q_OS_UNIX
            const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                *reason = reasonOf(errno);
                return false;
            }
#else
            const qint64 n = m_file.write(bytes.constData() + done, bytes.size() - done);
            if (n < 0) {
                *reason = m_file.errorString();
                return false;
            }
#endif
            if (n == 0) {
                *reason = Quiltra::tr("the file could not be written completely");
                return false;
            }
            done += n;
        }
        return true;
    }

    // Flushes the bytes to the disk itself, where some file systems report a full disk only,
    // and closes the file, where others report it.
    bool syncAndClose(QString *reason)
    {
        if (FaultAt(FaultPoint::Fsync)) {
            *reason = reasonOf(injectedFailure());
            return false;
        }
#ifdef Q_OS_UNIX
        if (::fsync(m_fd) != 0 && errno != EINVAL && errno != ENOTSUP) {
            *reason = reasonOf(errno);
            return false;
        }
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0 && errno != EINTR) {
            *reason = reasonOf(errno);
            return false;
        }
#else
        if (!m_file.flush()) {
            *reason = m_file.errorString();
            return false;
        }
        m_file.close();
#endif
        return true;
    }

private:
    void close()
    {
#ifdef Q_OS_UNIX
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
#else
        m_file.close();
#endif
    }

#ifdef Q_OS_UNIX
    int m_fd = -1;
#else
    QFile m_file;
#endif
};

// Writes `bytes` whole and flushed into a new file named after `target`; its name in
// `made`, or false with the reason, nothing left behind.
bool writeBeside(const QString &target, const QString &tag, const QByteArray &bytes, const QString &modeOf,
                 QString *made, QString *reason)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = siblingName(target, tag);
        NewFile file;
        if (const std::error_code error = file.create(name, modeOf)) {
            if (error == std::errc::file_exists)
                continue;
            *reason = reasonOf(error);
            return false;
        }
        if (file.write(bytes, reason) && file.syncAndClose(reason)) {
            *made = name;
            return true;
        }
        removeFile(name);
        return false;
    }
    *reason = reasonOf(std::make_error_code(std::errc::file_exists));
    return false;
}

// An unused name beside `target` to keep its old version under.
QString unusedSibling(const QString &target, const QString &tag)
{
    QString name;
    do
        name = siblingName(target, tag);
    while (exists(name));
    return name;
}

QString absolute(const QString &fileName)
{
    return QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
}

QString parentOf(const QString &path)
{
    return QFileInfo(path).path();
}

// The nearest of `path` and the folders above it that exists, and the missing ones below
// it, outermost first.
QString nearestExisting(const QString &path, QStringList *missing = nullptr)
{
    QString at = path;
    while (!exists(at)) {
        const QString parent = parentOf(at);
        if (parent == at)
            break;
        if (missing)
            missing->prepend(at);
        at = parent;
    }
    return at;
}

// The deepest folder holding every one of `paths` (a prefix ending at a folder's edge).
QString commonFolder(const QStringList &paths)
{
    QString common = parentOf(paths.value(0));
    for (const QString &path : paths) {
        while (common != parentOf(common) && !path.startsWith(common.endsWith(QLatin1Char('/')) ? common : common + QLatin1Char('/')))
            common = parentOf(common);
    }
    return common;
}

void appendError(QString *errorString, const QString &message)
{
    if (!errorString)
        return;
    if (!errorString->isEmpty())
        errorString->append(QLatin1Char('\n'));
    errorString->append(message);
}

#ifdef Q_OS_UNIX
// While the files of a set take their places, a request to end the program (Ctrl+C, a closed
// terminal, a plain kill) waits until the last rename, so the layout files never disagree.
// The request is not lost: it is raised again right after. Nothing can hold off SIGKILL.
class TerminationDeferred
{
public:
    TerminationDeferred()
    {
        struct sigaction deferring {};
        deferring.sa_handler = [](int signal) { s_pending = signal; };
        sigemptyset(&deferring.sa_mask);
        for (int i = 0; i < Count; ++i)
            sigaction(Signals[i], &deferring, &m_previous[i]);
    }
    ~TerminationDeferred()
    {
        for (int i = 0; i < Count; ++i)
            sigaction(Signals[i], &m_previous[i], nullptr);
        if (const int signal = s_pending) {
            s_pending = 0;
            std::raise(signal);
        }
    }
    TerminationDeferred(const TerminationDeferred &) = delete;
    TerminationDeferred &operator=(const TerminationDeferred &) = delete;

private:
    static constexpr int Count = 3;
    static constexpr int Signals[Count] = {SIGTERM, SIGINT, SIGHUP};
    static inline volatile std::sig_atomic_t s_pending = 0;
    struct sigaction m_previous[Count] {};
};
#else
struct TerminationDeferred
{
};
#endif

// How a set commits, and how an interrupted commit is put right:
//  1. add() writes each new file whole and flushed as "<name>.quiltra-new-XXXXXX" beside it.
//  2. commit() writes the journal "quiltra-journal-XXXXXX.txt" into the deepest folder the
//     targets share, naming every step to come; it is written as ".new", flushed and renamed,
//     so it is there whole or not at all.
//  3. Each old target gets a second name, "<name>.quiltra-old-XXXXXX" (a hard link, or a rename
//     where the file system has none), then the new file is renamed over the target; a removed
//     file is renamed to its kept name.
//  4. The kept files go, the folders are flushed, and the journal goes last.
// A failure in step 3 puts every replaced file back at once; a kill leaves the journal, from
// which RecoverInterruptedSets() finishes the set when every step was done, else undoes it.

// One file of a set, as the journal names it.
struct Entry
{
    bool put = true;           // else removed
    QString name;              // as the caller gave it, for messages and committedFiles()
    QString target;            // absolute
    QString temporary;         // the new bytes, for a put
    QString kept;              // the old version's name while the set is not whole
    bool existed = false;      // the target was there when the commit began
    // How far the commit got with this entry.
    bool keptAside = false;    // `kept` names the old target
    bool targetMoved = false;  // ... and the target's own name is gone (no hard link)
    bool done = false;         // the new file is in place, or the target removed
};

// The journal: a header, a line per file in commit order, a line per folder the set made, and
// a last line counting both, so a journal cut short is told from a whole one. Fields are
// separated by tabs; names are relative to the journal's folder and percent-encoded, since a
// name may hold a tab or a line break. For example:
//   Quiltra change journal 1
//   put     existed  background/a.tga  background/a.tga.quiltra-new-k2x9qa  background/a.tga.quiltra-old-0pz7mw
//   put     new      made/b.tga        made/b.tga.quiltra-new-7hd3lc
//   remove  existed  c.txt                                                   c.txt.quiltra-old-v81nse
//   folder  made
//   end     3        1
QByteArray encodeName(const QString &folder, const QString &path)
{
    if (path.isEmpty())
        return {};
    return QDir(folder).relativeFilePath(path).toUtf8().toPercentEncoding("/ ()+,;=@!$&'[]#");
}

bool decodeName(const QString &folder, const QByteArray &field, QString *path)
{
    path->clear();
    if (field.isEmpty())
        return true;
    const QString relative = QString::fromUtf8(QByteArray::fromPercentEncoding(field));
    if (relative.isEmpty() || QDir::isAbsolutePath(relative))
        return false;
#ifdef Q_OS_WIN
    if (relative.contains(QLatin1Char('\\')) || relative.contains(QLatin1Char(':')))
        return false;
#endif
    for (const QString &part : relative.split(QLatin1Char('/'))) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    *path = folder + QLatin1Char('/') + relative;
    return true;
}

QByteArray journalText(const QString &folder, const QList<Entry> &entries, const QStringList &madeFolders)
{
    QByteArray text = JournalHeader + '\n';
    for (const Entry &entry : entries) {
        text += (entry.put ? "put\t" : "remove\t") + QByteArray(entry.existed ? "existed\t" : "new\t")
                + encodeName(folder, entry.target) + '\t' + encodeName(folder, entry.temporary) + '\t'
                + encodeName(folder, entry.kept) + '\n';
    }
    for (const QString &made : madeFolders)
        text += "folder\t" + encodeName(folder, made) + '\n';
    text += "end\t" + QByteArray::number(entries.size()) + '\t' + QByteArray::number(madeFolders.size()) + '\n';
    return text;
}

struct Journal
{
    QList<Entry> entries;
    QStringList madeFolders;
    bool complete = false;   // its last line counts what it holds
};

// Reads the journal's lines; only whole lines count. False when it is not a journal at all.
bool parseJournal(const QString &folder, const QByteArray &text, Journal *journal)
{
    QList<QByteArray> lines = text.split('\n');
    lines.removeLast();   // after the last line end, or a line cut short
    if (lines.isEmpty())
        return (JournalHeader + '\n').startsWith(text);   // cut before it named anything
    if (lines.first() != JournalHeader)
        return false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].split('\t');
        if ((fields[0] == "put" || fields[0] == "remove") && fields.size() == 5) {
            Entry entry;
            entry.put = fields[0] == "put";
            entry.existed = fields[1] == "existed";
            if (!decodeName(folder, fields[2], &entry.target) || entry.target.isEmpty()
                || !decodeName(folder, fields[3], &entry.temporary) || !decodeName(folder, fields[4], &entry.kept)
                || (entry.put && entry.temporary.isEmpty()) || (entry.existed && entry.kept.isEmpty()))
                return false;
            journal->entries.append(entry);
        } else if (fields[0] == "folder" && fields.size() == 2) {
            QString made;
            if (!decodeName(folder, fields[1], &made) || made.isEmpty())
                return false;
            journal->madeFolders.append(made);
        } else if (fields[0] == "end" && fields.size() == 3 && i == lines.size() - 1) {
            journal->complete = fields[1] == QByteArray::number(journal->entries.size())
                                && fields[2] == QByteArray::number(journal->madeFolders.size());
        } else {
            return false;
        }
    }
    return true;
}

// Removes the folders a set made, innermost first, where nothing else has come into them.
void removeMadeFolders(const QStringList &madeFolders)
{
    for (qsizetype i = madeFolders.size() - 1; i >= 0; --i)
        QDir().rmdir(madeFolders[i]);
}

} // namespace

struct WholeFileSet::Private
{
    QList<Entry> entries;         // added or removed, not yet committed
    QStringList madeFolders;      // made for those, outermost first; removed unless they commit
    QStringList allTargets;       // every file added or removed
    QStringList made;             // every folder made
    QStringList committed;
    QString failure;
    bool journaled = true;

    void fail(const QString &fileName, const QString &reason)
    {
        failure = CannotWriteMessage(fileName, reason);
        discard();
    }

    // A folder, pipe or device is never replaced, nor a file marked read-only; false, and the
    // set spoilt, for those.
    bool replaceable(const QString &fileName, const QString &target, Kind kind)
    {
        if (kind == Kind::Folder || kind == Kind::Other)
            fail(fileName, Quiltra::tr("a folder or other non-file has that name"));
        else if (kind == Kind::Regular && IsReadOnlyFile(target))
            fail(fileName, Quiltra::tr("the file is read-only"));
        return failure.isEmpty();
    }

    // Drops every temporary file and made folder; the targets were never touched.
    void discard()
    {
        for (const Entry &entry : std::as_const(entries)) {
            if (!entry.temporary.isEmpty())
                removeFile(entry.temporary);
        }
        entries.clear();
        removeMadeFolders(madeFolders);
        madeFolders.clear();
    }

    bool makeFolders(const QString &folder, QString *reason);
    QString commonJournalFolder() const;
    bool writeJournal(const QString &folder, QString *journal, QString *reason);
    bool putBack(QString *trouble);
};

bool WholeFileSet::Private::makeFolders(const QString &folder, QString *reason)
{
    QStringList missing;
    const QString existing = nearestExisting(folder, &missing);
    if (!QFileInfo(existing).isDir()) {
        *reason = Quiltra::tr("%1 is not a folder").arg(ShownPath(existing));
        return false;
    }
    for (const QString &missingFolder : std::as_const(missing)) {
        std::error_code error;
        if (!fs::create_directory(pathOf(missingFolder), error) || error) {
            *reason = reasonOf(error ? error : std::make_error_code(std::errc::file_exists));
            return false;
        }
        madeFolders.append(missingFolder);
        made.append(missingFolder);
    }
    return true;
}

// The deepest folder every target shares that was there before the set: the journal lies
// where the caller's recovery looks, and the set's own folders can go before it does.
QString WholeFileSet::Private::commonJournalFolder() const
{
    QStringList names;
    for (const Entry &entry : entries)
        names.append(entry.target);
    QString folder = commonFolder(names);
    while (madeFolders.contains(folder) && parentOf(folder) != folder)
        folder = parentOf(folder);
    return folder;
}

// The journal is itself written aside, flushed, and renamed into place, so it is either
// there whole or not there at all.
bool WholeFileSet::Private::writeJournal(const QString &folder, QString *journal, QString *reason)
{
    const QByteArray text = journalText(folder, entries, madeFolders);
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString name = QDir(folder).filePath(JournalPrefix);
        for (int i = 0; i < 6; ++i)
            name += QLatin1Char("abcdefghijklmnopqrstuvwxyz0123456789"[QRandomGenerator::global()->bounded(36)]);
        *journal = name + JournalSuffix;
        const QString unfinished = name + UnfinishedJournalSuffix;
        if (exists(*journal))
            continue;
        NewFile file;
        if (const std::error_code error = file.create(unfinished, {})) {
            if (error == std::errc::file_exists)
                continue;
            *reason = reasonOf(error);
            return false;
        }
        bool written = file.write(text, reason) && file.syncAndClose(reason);
        if (written) {
            if (const std::error_code error = committingRename(unfinished, *journal)) {
                *reason = reasonOf(error);
                written = false;
            }
        }
        if (!written)
            removeFile(unfinished);
        return written;
    }
    *reason = reasonOf(std::make_error_code(std::errc::file_exists));
    return false;
}

// Undoes what the commit did, last step first. False, with what could not be put back in
// `trouble`, when a step cannot be undone; then the journal and every file it names stay
// for the recovery at the next start.
bool WholeFileSet::Private::putBack(QString *trouble)
{
    bool whole = true;
    const auto undo = [&](const std::error_code &error, const QString &file) {
        if (error && whole) {
            *trouble = Quiltra::tr("%1 could not be put back: %2; it is put right at the next start")
                           .arg(ShownPath(file), reasonOf(error));
            whole = false;
        }
    };
    for (qsizetype i = entries.size() - 1; i >= 0; --i) {
        Entry &entry = entries[i];
        if (entry.put && entry.done && !entry.existed) {
            undo(removeFile(entry.target), entry.target);
        } else if ((entry.done && entry.existed) || entry.targetMoved) {
            const std::error_code error = renameOver(entry.kept, entry.target);
            undo(error, entry.target);
            if (!error)
                entry.keptAside = false;
        }
    }
    if (!whole)
        return false;
    // The evidence that the set is not whole (a temporary file not yet renamed) goes last.
    for (const Entry &entry : std::as_const(entries)) {
        if (entry.keptAside)
            removeFile(entry.kept);
    }
    for (const Entry &entry : std::as_const(entries)) {
        if (entry.put && !entry.done)
            removeFile(entry.temporary);
    }
    removeMadeFolders(madeFolders);
    return true;
}

WholeFileSet::WholeFileSet() : d(std::make_unique<Private>()) {}

WholeFileSet::~WholeFileSet()
{
    d->discard();
}

bool WholeFileSet::add(const QString &fileName, const QByteArray &bytes)
{
    if (!d->failure.isEmpty())
        return false;
    Entry entry;
    entry.name = fileName;
    entry.target = absolute(fileName);
    const Kind kind = kindOf(entry.target);
    if (!d->replaceable(fileName, entry.target, kind))
        return false;
    QString reason;
    if (!d->makeFolders(parentOf(entry.target), &reason)
        || !writeBeside(entry.target, QStringLiteral("new"), bytes, kind == Kind::Regular ? entry.target : QString(),
                        &entry.temporary, &reason)) {
        d->fail(fileName, reason);
        return false;
    }
    d->entries.append(entry);
    d->allTargets.append(fileName);
    return true;
}

bool WholeFileSet::remove(const QString &fileName)
{
    if (!d->failure.isEmpty())
        return false;
    Entry entry;
    entry.put = false;
    entry.name = fileName;
    entry.target = absolute(fileName);
    const Kind kind = kindOf(entry.target);
    if (kind == Kind::None) {
        d->fail(fileName, reasonOf(ENOENT));
        return false;
    }
    if (!d->replaceable(fileName, entry.target, kind))
        return false;
#ifdef Q_OS_UNIX
    if (::access(QFile::encodeName(parentOf(entry.target)).constData(), W_OK) != 0) {
        d->fail(fileName, reasonOf(errno));
        return false;
    }
#endif
    d->entries.append(entry);
    d->allTargets.append(fileName);
    return true;
}

bool WholeFileSet::commit()
{
    if (!d->failure.isEmpty()) {
        d->discard();
        return false;
    }
    if (d->entries.isEmpty())
        return true;
    const TerminationDeferred deferred;
    QStringList touched;
    for (const Entry &entry : std::as_const(d->entries)) {
        if (!touched.contains(parentOf(entry.target)))
            touched.append(parentOf(entry.target));
    }
    for (const QString &made : std::as_const(d->madeFolders)) {
        if (!touched.contains(parentOf(made)))
            touched.append(parentOf(made));
    }

    // One new file needs neither journal nor kept copy: its one rename replaces the old file
    // whole or not at all.
    if (d->entries.size() == 1 && d->entries.first().put) {
        const Entry &entry = d->entries.first();
        if (const std::error_code error = committingRename(entry.temporary, entry.target)) {
            d->fail(entry.name, reasonOf(error));
            return false;
        }
        d->committed.append(entry.name);
        d->entries.clear();
        d->madeFolders.clear();
        for (const QString &folder : std::as_const(touched))
            syncFolder(folder);
        return true;
    }

    for (Entry &entry : d->entries) {
        const Kind kind = kindOf(entry.target);
        if (kind == Kind::Folder || kind == Kind::Other || (!entry.put && kind == Kind::None)) {
            d->fail(entry.name, kind == Kind::None ? reasonOf(ENOENT)
                                                   : Quiltra::tr("a folder or other non-file has that name"));
            return false;
        }
        entry.existed = kind != Kind::None;
        if (entry.existed)
            entry.kept = unusedSibling(entry.target, QStringLiteral("old"));
    }

    QString journal, reason;
    if (d->journaled) {
        const QString folder = d->commonJournalFolder();
        if (!touched.contains(folder))
            touched.append(folder);
        if (!d->writeJournal(folder, &journal, &reason)) {
            d->fail(journal, reason);
            return false;
        }
    }

    for (Entry &entry : d->entries) {
        std::error_code error;
        if (entry.put && entry.existed) {
            error = linkAside(entry.target, entry.kept);
            if (noLinksHere(error)) {
                error = committingRename(entry.target, entry.kept);
                entry.targetMoved = !error;
            }
            entry.keptAside = !error;
        }
        if (!error) {
            error = entry.put ? committingRename(entry.temporary, entry.target)
                              : committingRename(entry.target, entry.kept);
            entry.done = !error;
            entry.keptAside = entry.keptAside || (!entry.put && entry.done);
        }
        if (error) {
            d->failure = CannotWriteMessage(entry.name, reasonOf(error));
            QString trouble;
            if (d->putBack(&trouble)) {
                for (const QString &folder : std::as_const(touched))
                    syncFolder(folder);
                if (!journal.isEmpty())
                    removeFile(journal);
            } else {
                d->failure += QLatin1String("; ") + trouble;
            }
            d->entries.clear();
            d->madeFolders.clear();
            return false;
        }
    }

    // Whole: the old versions go, then the journal, once the new names are on the disk.
    for (const Entry &entry : std::as_const(d->entries)) {
        if (!entry.kept.isEmpty())
            removeFile(entry.kept);
        d->committed.append(entry.name);
    }
    for (const QString &folder : std::as_const(touched))
        syncFolder(folder);
    if (!journal.isEmpty())
        removeFile(journal);
    d->entries.clear();
    d->madeFolders.clear();
    return true;
}

void WholeFileSet::setJournaled(bool journaled)
{
    d->journaled = journaled;
}

QStringList WholeFileSet::targets() const
{
    return d->allTargets;
}

QStringList WholeFileSet::madeFolders() const
{
    return d->made;
}

QStringList WholeFileSet::committedFiles() const
{
    return d->committed;
}

QString WholeFileSet::errorString() const
{
    return d->failure;
}

namespace {

// Leaves the set one journal names whole; the line for the user, or empty with `errorString`
// added to when a file could not be put right (the journal then stays for another try).
QString recoverSet(const QString &folder, const QString &journalFile, QString *errorString)
{
    QFile file(journalFile);
    if (!file.open(QIODevice::ReadOnly)) {
        appendError(errorString, CannotReadMessage(journalFile, file.errorString()));
        return {};
    }
    Journal journal;
    if (!parseJournal(folder, file.readAll(), &journal)) {
        appendError(errorString, CannotReadMessage(journalFile, Quiltra::tr("it is not a journal of an interrupted change")));
        return {};
    }
    file.close();
    const QString undone = Quiltra::tr("An interrupted change in %1 was undone; its files are as they were").arg(ShownPath(folder));

    // A journal not renamed into place, or cut short, was never acted on: only its
    // temporary files are there to go.
    if (!journal.complete || journalFile.endsWith(UnfinishedJournalSuffix)) {
        for (const Entry &entry : std::as_const(journal.entries)) {
            if (entry.put)
                removeFile(entry.temporary);
        }
        removeMadeFolders(journal.madeFolders);
        removeFile(journalFile);
        return undone;
    }

    bool allNew = true;
    for (const Entry &entry : std::as_const(journal.entries))
        allNew = allNew && (entry.put ? !exists(entry.temporary) && exists(entry.target) : !exists(entry.target));
    if (allNew) {
        for (const Entry &entry : std::as_const(journal.entries)) {
            if (!entry.kept.isEmpty())
                removeFile(entry.kept);
        }
        syncFolder(folder);
        removeFile(journalFile);
        return Quiltra::tr("An interrupted change in %1 was completed").arg(ShownPath(folder));
    }

    // Back to all old. The temporary files that show the set was not whole go last, so that
    // a second interruption still finds it so.
    bool whole = true;
    const auto step = [&](const std::error_code &error, const QString &name) {
        if (error) {
            appendError(errorString, CannotWriteMessage(name, reasonOf(error)));
            whole = false;
        }
    };
    for (qsizetype i = journal.entries.size() - 1; i >= 0; --i) {
        const Entry &entry = journal.entries[i];
        const bool placed = entry.put ? !exists(entry.temporary) : !exists(entry.target);
        if (entry.put && placed && !entry.existed)
            step(removeFile(entry.target), entry.target);
        else if (!entry.kept.isEmpty() && exists(entry.kept) && (placed || !exists(entry.target)))
            step(renameOver(entry.kept, entry.target), entry.target);
    }
    if (!whole)
        return {};
    for (const Entry &entry : std::as_const(journal.entries)) {
        if (entry.put && !entry.kept.isEmpty())
            removeFile(entry.kept);
    }
    for (const Entry &entry : std::as_const(journal.entries)) {
        if (entry.put)
            removeFile(entry.temporary);
    }
    removeMadeFolders(journal.madeFolders);
    syncFolder(folder);
    removeFile(journalFile);
    return undone;
}

} // namespace

QStringList RecoverInterruptedSets(const QStringList &folders, QString *errorString)
{
    QStringList lines;
    QStringList seen;
    for (const QString &given : folders) {
        const QString folder = absolute(given);
        if (seen.contains(folder) || !QFileInfo(folder).isDir())
            continue;
        seen.append(folder);
        const QStringList journals = QDir(folder).entryList(
            {JournalPrefix + QLatin1Char('*') + JournalSuffix, JournalPrefix + QLatin1Char('*') + UnfinishedJournalSuffix},
            QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        for (const QString &journal : journals) {
            if (const QString line = recoverSet(folder, QDir(folder).filePath(journal), errorString); !line.isEmpty())
                lines.append(line);
        }
    }
    return lines;
}

QString CheckBeforeWriting(const QList<PlannedWrite> &files)
{
    struct Space
    {
        QString root;
        QString folder;   // named in the message
        qint64 planned = 0;
        qint64 available = 0;
    };
    QList<Space> spaces;
    for (const PlannedWrite &planned : files) {
        const QString target = absolute(planned.FileName);
        QStringList missing;
        const QString existing = nearestExisting(parentOf(target), &missing);
        qint64 nameMax = UsualNameMax;
#ifdef Q_OS_UNIX
        if (const long limit = ::pathconf(QFile::encodeName(existing).constData(), _PC_NAME_MAX); limit > 0)
            nameMax = limit;
#endif
        for (const QString &part : missing + QStringList{target}) {
            const QString name = QFileInfo(part).fileName();
            if (QFile::encodeName(name).size() > nameMax)
                return CannotWriteMessage(planned.FileName, Quiltra::tr("its name is longer than the %1 bytes a file name may have here").arg(nameMax));
            for (const QChar c : name) {
                if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                    return CannotWriteMessage(planned.FileName, Quiltra::tr("its name holds a control character"));
            }
        }
        const Kind kind = kindOf(target);
        if (kind == Kind::Folder || kind == Kind::Other)
            return CannotWriteMessage(planned.FileName, Quiltra::tr("a folder or other non-file has that name"));
        if (kind == Kind::Regular && IsReadOnlyFile(target))
            return CannotWriteMessage(planned.FileName, Quiltra::tr("the file is read-only"));
        if (!QFileInfo(existing).isDir())
            return CannotWriteMessage(planned.FileName, Quiltra::tr("%1 is not a folder").arg(ShownPath(existing)));
#ifdef Q_OS_UNIX
        if (::access(QFile::encodeName(existing).constData(), W_OK) != 0)
            return CannotWriteMessage(planned.FileName, reasonOf(errno));
#endif
        const QStorageInfo storage(existing);
        auto space = std::find_if(spaces.begin(), spaces.end(), [&](const Space &s) { return s.root == storage.rootPath(); });
        if (space == spaces.end()) {
            spaces.append({storage.rootPath(), existing, 0, storage.bytesAvailable()});
            space = spaces.end() - 1;
        }
        space->planned += planned.Bytes;
    }
    for (const Space &space : std::as_const(spaces)) {
        // Room for the journal and the file system's own blocks besides the bytes themselves.
        const qint64 needed = space.planned + 1024 * 1024 + space.planned / 100;
        if (space.available >= 0 && needed > space.available)
            return Quiltra::tr("There is not enough free space in %1: %2 KB are needed, %3 KB are free")
                .arg(ShownPath(space.folder)).arg((needed + 1023) / 1024).arg(space.available / 1024);
    }
    return {};
}

QString NotARegularFile(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return reasonOf(ENOENT);
    if (!info.isFile())
        return Quiltra::tr("it is not an ordinary file (a folder, a device or a pipe)");
    return {};
}

bool ReadRegularFile(const QString &fileName, qint64 cap, QByteArray *bytes, QString *errorString)
{
    const auto refuse = [&](const QString &reason) {
        if (errorString)
            *errorString = CannotReadMessage(fileName, reason);
        return false;
    };
    const QString tooLarge = Quiltra::tr("it is larger than %1 KB").arg(cap / 1024);
    if (const QString why = NotARegularFile(fileName); !why.isEmpty())
        return refuse(why);
#ifdef Q_OS_UNIX
    // Not blocking, and looked at again once open: the name may have been given to a pipe since.
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refuse(reasonOf(errno));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return refuse(Quiltra::tr("it is not an ordinary file (a folder, a device or a pipe)"));
    }
    if (status.st_size > cap) {
        ::close(fd);
        return refuse(tooLarge);
    }
    QByteArray read(qMin<qint64>(status.st_size, cap) + 1, Qt::Uninitialized);
    qint64 done = 0;
    for (;;) {
        if (done == read.size()) {
            if (done > cap)
                break;
            read.resize(cap + 1);
        }
        const ssize_t n = ::read(fd, read.data() + done, size_t(read.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return refuse(reasonOf(error));
        }
        if (n == 0)
            break;
        done += n;
    }
    ::close(fd);
    read.truncate(done);
#else
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.errorString());
    QByteArray read = file.read(cap + 1);
    if (file.error() != QFileDevice::NoError)
        return refuse(file.errorString());
#endif
    if (read.size() > cap)
        return refuse(tooLarge);
    *bytes = read;
    return true;
}

bool WriteAllTo(QIODevice *device, const QByteArray &bytes, QString *reason)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device->write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            // The device's own reason where it gave one, else a plain one, never Qt's
            // "Unknown error".
            const auto *file = qobject_cast<const QFileDevice *>(device);
            const bool told = file ? file->error() != QFileDevice::NoError
                                   : device->errorString() != QIODevice::tr("Unknown error");
            *reason = told ? device->errorString() : Quiltra::tr("the file could not be written completely");
            return false;
        }
        done += n;
    }
    return true;
}

bool IsReadOnlyFile(const QString &fileName)
{
    const QFileInfo info(fileName);
    return info.isFile() && !(info.permissions() & QFileDevice::WriteOwner);
}

QString ReplaceProblem(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (IsReadOnlyFile(fileName))
        return Quiltra::tr("the file is read-only");
    if (info.exists() && !info.isFile())
        return Quiltra::tr("a folder or other non-file has that name");
    if (!info.absoluteDir().exists())
        return Quiltra::tr("its folder does not exist");
    return {};
}

QString FirstUnreplaceable(const QStringList &fileNames)
{
    for (const QString &fileName : fileNames) {
        if (const QString problem = ReplaceProblem(fileName); !problem.isEmpty())
            return CannotWriteMessage(fileName, problem);
    }
    return {};
}

bool WriteWholeFile(const QString &fileName, const QByteArray &bytes, QString *errorString)
{
    // A single file keeps to a folder that is there: a mistyped folder is not made.
    if (const QString problem = ReplaceProblem(fileName); !problem.isEmpty()) {
        if (errorString)
            *errorString = CannotWriteMessage(fileName, problem);
        return false;
    }
    WholeFileSet file;
    const bool ok = file.add(fileName, bytes) && file.commit();
    if (!ok && errorString)
        *errorString = file.errorString();
    return ok;
}
