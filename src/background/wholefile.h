#pragma once

#include <QByteArray>
#include <QString>

// Replaces `fileName` with `bytes` through QSaveFile: the old file stays until
// the new one is complete, and a failure leaves no partial file behind. On
// failure returns false and sets `errorString` to the file and the reason.
bool WriteWholeFile(const QString &fileName, const QByteArray &bytes, QString *errorString);

// "Cannot write <file>: <reason>", the file in native separators.
QString CannotWriteMessage(const QString &fileName, const QString &reason);
