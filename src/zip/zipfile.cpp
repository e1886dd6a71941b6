#include "zip/zipfile.h"

#include "io/paths.h"
#include "io/tr.h"
#include "io/wholefile.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <zlib.h>

#include <limits>

namespace {

constexpr qint64 MaxField16 = 0xFFFF;
constexpr qint64 MaxField32 = 0xFFFFFFFF;
constexpr int LocalHeaderSize = 30;
constexpr int CentralHeaderSize = 46;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QDataStream &littleEndian(QDataStream &stream)
{
    stream.setByteOrder(QDataStream::LittleEndian);
    return stream;
}

} // namespace

QDataStream &operator<<(QDataStream &out, const ZipFile::EntryFields &f)
{
    return out << f.VersionNeeded << f.Flags << f.Method << f.ModTime << f.ModDate << f.Crc32
               << f.CompressedSize << f.UncompressedSize << f.FileNameLength << f.ExtraFieldLength;
}

ZipFile::ZipFile() = default;

bool ZipFile::LoadFile(const QString &path)
{
    const QDateTime modified = QFileInfo(path).lastModified();
    Fields.ModTime = DosTime(modified);
    Fields.ModDate = DosDate(modified);
    SetFileName(FileNameOf(path));
    SourcePath = path;

    QFile source(path);
    if (!source.open(QIODevice::ReadOnly)) {
        lastError = CannotReadMessage(path, source.errorString());
        return false;
    }
    const qint64 length = source.size();
    if (length > MaxField32) {
        lastError = Quiltra::tr("Cannot add %1: it is larger than 4 GiB").arg(native(path));
        return false;
    }
    Data = source.read(length);
    if (Data.size() != length || source.error() != QFileDevice::NoError) {
        lastError = CannotReadMessage(path, source.errorString());
        return false;
    }
    SourceLength = length;
    return true;
}

bool ZipFile::Compress()
{
    if (Compressed)
        return true;
    // A raw deflate stream, as method 8 stores it, made in one call: zlib counts in 32 bits,
    // which the 4 GiB limit of an entry nearly keeps to.
    const auto *bytes = reinterpret_cast<const Bytef *>(Data.constData());
    z_stream stream = {};
    int status = deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    if (status != Z_OK) {
        lastError = Quiltra::tr("Cannot compress %1: zlib error %2").arg(native(SourcePath)).arg(status);
        return false;
    }
    const uLong bound = deflateBound(&stream, uLong(Data.size()));
    if (bound < uLong(Data.size()) || bound > std::numeric_limits<uInt>::max()) {
        deflateEnd(&stream);
        lastError = Quiltra::tr("Cannot add %1: it is too large to compress").arg(native(SourcePath));
        return false;
    }
    QByteArray deflated(qsizetype(bound), Qt::Uninitialized);
    stream.next_in = const_cast<Bytef *>(bytes);
    stream.avail_in = uInt(Data.size());
    stream.next_out = reinterpret_cast<Bytef *>(deflated.data());
    stream.avail_out = uInt(bound);
    status = deflate(&stream, Z_FINISH);
    deflated.truncate(qsizetype(stream.total_out));
    deflateEnd(&stream);
    if (status != Z_STREAM_END) {
        lastError = Quiltra::tr("Cannot compress %1: zlib error %2").arg(native(SourcePath)).arg(status);
        return false;
    }
    Fields.Crc32 = quint32(crc32(crc32(0L, Z_NULL, 0), bytes, uInt(Data.size())));
    Fields.CompressedSize = quint32(deflated.size());
    Fields.UncompressedSize = quint32(SourceLength);
    Data = std::move(deflated);
    Compressed = true;
    return true;
}

bool ZipFile::IsCompressed() const
{
    return Compressed;
}

void ZipFile::SetFileName(const QString &name)
{
    EntryName = name.toLocal8Bit();
    Fields.FileNameLength = quint16(EntryName.size());
}

void ZipFile::SetComment(const QString &text)
{
    EntryComment = text.toLocal8Bit();
    CentralHeader.FileCommentLength = quint16(EntryComment.size());
}

bool ZipFile::WriteLocal(QIODevice *archive, qint64 position)
{
    CentralHeader.LocalHeaderOffset = quint32(position);
    QByteArray record;
    record.reserve(LocalRecordSize());
    QDataStream out(&record, QIODevice::WriteOnly);
    littleEndian(out) << LocalHeader.Signature << Fields;
    record += EntryName;
    record += ExtraField;
    return writeAll(archive, record) && writeAll(archive, Data);
}

bool ZipFile::WriteCentral(QIODevice *archive) const
{
    const CentralDirectoryHeader &h = CentralHeader;
    QByteArray record;
    record.reserve(CentralRecordSize());
    QDataStream out(&record, QIODevice::WriteOnly);
    littleEndian(out) << h.Signature << h.VersionMadeBy << Fields << h.FileCommentLength
                      << h.DiskNumberStart << h.InternalAttributes << h.ExternalAttributes
                      << h.LocalHeaderOffset;
    record += EntryName;
    record += ExtraField;
    record += EntryComment;
    return writeAll(archive, record);
}

qint64 ZipFile::LocalRecordSize() const
{
    return LocalHeaderSize + EntryName.size() + ExtraField.size() + Data.size();
}

qint64 ZipFile::CentralRecordSize() const
{
    return CentralHeaderSize + EntryName.size() + ExtraField.size() + EntryComment.size();
}

QString ZipFile::LimitError() const
{
    if (EntryName.size() > MaxField16)
        return Quiltra::tr("the name of an entry is longer than 65535 bytes");
    if (EntryComment.size() > MaxField16)
        return Quiltra::tr("the comment of %1 is longer than 65535 bytes").arg(Name());
    if (Data.size() > MaxField32 || SourceLength > MaxField32)
        return Quiltra::tr("%1 is larger than 4 GiB").arg(Name());
    return {};
}

QString ZipFile::Name() const
{
    return QString::fromLocal8Bit(EntryName);
}

QString ZipFile::errorString() const
{
    return lastError;
}

QString ZipFile::FileNameOf(const QString &path)
{
    return path.mid(LastSeparator(path) + 1);
}

quint16 ZipFile::DosDate(const QDateTime &timestamp)
{
    const QDate date = timestamp.date();
    return PackBits({date.day(), date.month(), date.year() - 1980}, {5, 4, 7});
}

quint16 ZipFile::DosTime(const QDateTime &timestamp)
{
    const QTime time = timestamp.time();
    return PackBits({time.second() / 2, time.minute(), time.hour()}, {5, 6, 5});
}

// Lays the components side by side from bit 0 upwards; bits beyond a field's
// width are dropped, so a year before 1980 keeps the low seven bits.
quint16 ZipFile::PackBits(const int (&components)[3], const int (&widths)[3])
{
    quint8 bytes[2] = {0, 0};
    int position = 0;
    for (int c = 0; c < 3; ++c) {
        for (int bit = 0; bit < widths[c]; ++bit, ++position) {
            if (IsBitSet(components[c], bit))
                SetBit(bytes[position / 8], position % 8);
        }
    }
    return quint16(bytes[0] | (bytes[1] << 8));
}

void ZipFile::SetBit(quint8 &byte, int bit)
{
    byte = quint8(byte | (1u << bit));
}

bool ZipFile::IsBitSet(int value, int bit)
{
    return (unsigned(value) & (1u << bit)) != 0;
}

bool ZipFile::writeAll(QIODevice *archive, const QByteArray &bytes) const
{
    return WriteAllTo(archive, bytes, &lastError);
}
