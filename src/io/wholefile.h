#pragma once

#include "io/messages.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <QList>

#include <memory>

class QIODevice;

// Replaces `fileName` with `bytes`: the new content is written whole and flushed to disk in
// a temporary file beside it, which then takes the old file's place in one rename. On any
// failure (a full disk at any byte, a read-only file, a vanished folder) the old file stays
// as it was, nothing is left behind, and `errorString` names the file and the real reason.
bool WriteWholeFile(const QString &fileName, const QByteArray &bytes, QString *errorString);

// Several files replaced together, all or nothing, whatever fails and whenever the program is
// stopped. Each added file is written whole and flushed to a temporary file beside its target
// at once (missing folders on the way are made then, and remembered); none replaces its target
// before commit(). commit() first writes a journal beside the set naming every target, its
// temporary file and where its old version is kept, then keeps each old target aside and puts
// the new file in its place. If anything fails, every file already replaced is put back, the
// temporary and kept files are removed, the folders the set made are removed where empty, and
// then the journal. A set dropped before commit() changes nothing and leaves nothing behind.
// A kill during commit() leaves the journal; RecoverInterruptedSets() finishes or undoes it.
class WholeFileSet
{
public:
    WholeFileSet();
    ~WholeFileSet();
    WholeFileSet(const WholeFileSet &) = delete;
    WholeFileSet &operator=(const WholeFileSet &) = delete;

    // Writes `bytes` for `fileName` into a temporary file; false, and the set is spoilt, when
    // the target cannot be replaced or the content cannot be written whole. A target that is a
    // symbolic link is replaced as a link, never written through.
    bool add(const QString &fileName, const QByteArray &bytes);

    // Removes `fileName` as part of the set: kept aside until the set is whole, put back if it
    // is not. False, and the set is spoilt, when it cannot be removed.
    bool remove(const QString &fileName);

    // Puts every added file in place and removes every removed one, in the order given, or, on
    // any failure, leaves every target as it was. False when an earlier add or remove failed.
    bool commit();

    // Without a journal a kill during commit() may leave a mixed set; for the benchmark only.
    void setJournaled(bool journaled);

    // The files added or removed so far, in order.
    QStringList targets() const;
    // The folders add() made, outermost first; removed again unless the set commits.
    QStringList madeFolders() const;
    // The files put in place or removed by commit(), in order.
    QStringList committedFiles() const;

    // The file and reason of the first failure.
    QString errorString() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Finds the journals a killed commit left in `folders` (each folder itself, not below it) and
// leaves each set whole: all new when every new file was already in place, else all old. The
// temporary and kept files a journal names are removed; nothing a journal does not name is.
// Returns one line per set put right, naming its folder, for the user; failures are added to
// `errorString`.
QStringList RecoverInterruptedSets(const QStringList &folders, QString *errorString);

// One file a command is about to write, and how many bytes.
struct PlannedWrite
{
    QString FileName;
    qint64 Bytes = 0;
};

// Empty when every planned file can be written as far as can be told before the first write:
// a name within the file system's length limit with no control character; a target that is not
// read-only, not a folder, in a folder that exists or can be made; and free space for all of
// them plus a margin on each file system. Otherwise the message naming the file or the folder
// and the reason.
QString CheckBeforeWriting(const QList<PlannedWrite> &files);

// Reads `fileName` whole, when it is a regular file (or a link to one) of at most `cap` bytes.
// A folder, FIFO, device or socket is refused at once, without being opened. False, with
// "Cannot read <file>: <reason>" in `errorString`, otherwise.
bool ReadRegularFile(const QString &fileName, qint64 cap, QByteArray *bytes, QString *errorString);

// Empty when `fileName` is a regular file or a link to one; else why not, for a message.
QString NotARegularFile(const QString &fileName);

// Writes all of `bytes` to `device`, going on after a short write, which brings out the
// system's reason (a full disk) where there is one. False with that reason otherwise.
bool WriteAllTo(QIODevice *device, const QByteArray &bytes, QString *reason);

// An empty string when `fileName` could be replaced as far as can be told without writing:
// not read-only, not a folder, in an existing folder. Otherwise the reason.
QString ReplaceProblem(const QString &fileName);

// The first of `fileNames` that could not be replaced, as a message naming it and the reason;
// empty when every one of them can be.
QString FirstUnreplaceable(const QStringList &fileNames);

// True when `fileName` exists and is marked read-only. Its owner (or an
// administrator) could still replace it, but a read-only mark means "keep".
bool IsReadOnlyFile(const QString &fileName);
