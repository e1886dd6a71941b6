#include "common/zipreader.h"

#include <zlib.h>

static quint16 le16(const QByteArray &bytes, qsizetype at)
{
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

quint32 le32(const QByteArray &bytes, qsizetype at)
{
    return quint32(le16(bytes, at)) | quint32(le16(bytes, at + 2)) << 16;
}

// Raw deflate (no zlib header) back to bytes; false when the stream is bad.
static bool inflateRaw(const QByteArray &deflated, QByteArray &out)
{
    z_stream stream = {};
    if (inflateInit2(&stream, -15) != Z_OK)
        return false;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(deflated.constData()));
    stream.avail_in = uInt(deflated.size());
    out.clear();
    char buffer[65536];
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef *>(buffer);
        stream.avail_out = sizeof buffer;
        status = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, qsizetype(sizeof buffer - stream.avail_out));
    }
    const bool whole = status == Z_STREAM_END && stream.avail_in == 0;
    inflateEnd(&stream);
    return whole;
}

bool ReadZip(const QByteArray &bytes, QList<ReadEntry> &entries, QString &error)
{
    qsizetype end = bytes.size() - 22;
    while (end >= 0 && le32(bytes, end) != 0x06054B50)
        --end;
    if (end < 0) {
        error = QStringLiteral("no end record");
        return false;
    }
    const quint16 count = le16(bytes, end + 10);
    const quint32 directoryOffset = le32(bytes, end + 16);
    if (le16(bytes, end + 8) != count || end + 22 + le16(bytes, end + 20) != bytes.size()
        || directoryOffset + le32(bytes, end + 12) != quint32(end)) {
        error = QStringLiteral("end record inconsistent");
        return false;
    }
    qsizetype at = directoryOffset;
    for (int i = 0; i < count; ++i) {
        if (at + 46 > end || le32(bytes, at) != 0x02014B50) {
            error = QStringLiteral("bad central signature at %1").arg(at);
            return false;
        }
        ReadEntry e;
        // Time, date, CRC, compressed and uncompressed size, as the local header repeats them.
        const QByteArray fields = bytes.mid(at + 12, 16);
        const quint32 crc = le32(bytes, at + 16), compressedSize = le32(bytes, at + 20), size = le32(bytes, at + 24);
        const quint16 nameLength = le16(bytes, at + 28);
        const qsizetype local = le32(bytes, at + 42);
        e.name = bytes.mid(at + 46, nameLength);
        at += 46 + nameLength + le16(bytes, at + 30) + le16(bytes, at + 32);

        if (local + 30 > qsizetype(directoryOffset) || le32(bytes, local) != 0x04034B50
            || bytes.mid(local + 10, 16) != fields || bytes.mid(local + 30, le16(bytes, local + 26)) != e.name) {
            error = QStringLiteral("local header of %1 differs").arg(QString::fromLocal8Bit(e.name));
            return false;
        }
        const qsizetype data = local + 30 + le16(bytes, local + 26) + le16(bytes, local + 28);
        if (!inflateRaw(bytes.mid(data, compressedSize), e.contents)
            || quint32(e.contents.size()) != size
            || quint32(crc32(0L, reinterpret_cast<const Bytef *>(e.contents.constData()),
                             uInt(e.contents.size()))) != crc) {
            error = QStringLiteral("data of %1 does not inflate to its size and CRC")
                        .arg(QString::fromLocal8Bit(e.name));
            return false;
        }
        entries.append(e);
    }
    if (at != end) {
        error = QStringLiteral("central directory size wrong");
        return false;
    }
    return true;
}
