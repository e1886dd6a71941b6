#pragma once

#include <QByteArray>
#include <QString>

// Replaces `fileName` with `bytes` through QSaveFile: the old file stays until
// the new one is complete, and a failure leaves no partial file behind. A file
// marked read-only is never replaced. On failure returns false and sets
// `errorString` to the file and the reason.
bool WriteWholeFile(const QString &fileName, const QByteArray &bytes, QString *errorString);

// True when `fileName` exists and is marked read-only. Its owner (or an
// administrator) could still replace it, but a read-only mark means "keep".
bool IsReadOnlyFile(const QString &fileName);

// "Cannot write <file>: <reason>", the file in native separators.
QString CannotWriteMessage(const QString &fileName, const QString &reason);
