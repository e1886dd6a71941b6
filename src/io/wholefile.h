#pragma once

#include "io/messages.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QIODevice;
class QSaveFile;

// Replaces `fileName` with `bytes`: the new content is written whole and flushed to disk in
// a temporary file beside it, which then takes the old file's place in one rename. On any
// failure (a full disk at any byte, a read-only file, a vanished folder) the old file stays
// as it was, nothing is left behind, and `errorString` names the file and the real reason.
bool WriteWholeFile(const QString &fileName, const QByteArray &bytes, QString *errorString);

// Several files replaced together. Each added file is written whole and flushed to its own
// temporary file at once; none replaces its target before commit(), which puts them in place
// in the order they were added. An object dropped before commit() replaces nothing.
class WholeFileSet
{
public:
    WholeFileSet();
    ~WholeFileSet();
    WholeFileSet(const WholeFileSet &) = delete;
    WholeFileSet &operator=(const WholeFileSet &) = delete;

    // Writes `bytes` for `fileName` into a temporary file; false, and the set is spoilt, when
    // the target cannot be replaced or the content cannot be written whole.
    bool add(const QString &fileName, const QByteArray &bytes);

    // Puts every added file in place, in order. False when an earlier add failed, or when a
    // rename fails, which stops at that file: the ones before it are already replaced.
    bool commit();

    // The files put in place by commit(), in order.
    QStringList committedFiles() const;

    // The file and reason of the first failure.
    QString errorString() const;

private:
    std::vector<std::unique_ptr<QSaveFile>> m_files;
    QStringList m_committed;
    QString m_errorString;
};

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
