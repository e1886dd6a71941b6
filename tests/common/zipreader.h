#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A ZIP reader written from the format, not the writer: each local header checked against its central twin.
struct ReadEntry
{
    QByteArray name;
    QByteArray contents;   // inflated
};

quint32 le32(const QByteArray &bytes, qsizetype at);

// Parses `bytes` as a whole archive; false and `error` on any inconsistency.
bool ReadZip(const QByteArray &bytes, QList<ReadEntry> &entries, QString &error);
