#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A ZIP reader written from the format, not the writer: each local header checked against its central twin.
struct ReadEntry
{
    QByteArray name;
    QByteArray comment;
    quint16 time = 0, date = 0;   // DOS time and date
    quint32 crc = 0, compressedSize = 0, uncompressedSize = 0, localOffset = 0;
    QByteArray contents;   // inflated
};

struct ReadArchive
{
    QList<ReadEntry> entries;
    QByteArray comment;
    quint32 directoryOffset = 0;
    quint32 directorySize = 0;
};

quint16 le16(const QByteArray &bytes, qsizetype at);
quint32 le32(const QByteArray &bytes, qsizetype at);

// Raw deflate (no zlib header) back to bytes; false when the stream is bad.
bool InflateRaw(const QByteArray &deflated, QByteArray &out);

// Parses `bytes` as a whole archive; false and `error` on any inconsistency.
bool ReadZip(const QByteArray &bytes, ReadArchive &archive, QString &error);
