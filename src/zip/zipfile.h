#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QDataStream;
class QIODevice;

// One entry of a ZIP archive. The source file is read and stamped when it is
// loaded; from then on the entry is pure data, so compressing it, on any thread,
// and writing the archive never touch the source again. Only ZipClass uses it.
class ZipFile
{
public:
    ZipFile();

    // Reads `path` (an ordinary file) and takes its local modification time;
    // false with errorString() when it cannot be read, leaving the entry unusable.
    bool LoadFile(const QString &path);

    // Sums and deflates the loaded contents, once; touches nothing but this entry,
    // so entries may be compressed side by side. False with errorString() when
    // zlib cannot compress them.
    bool Compress();

    // Whether Compress() has succeeded, so the entry can be written.
    bool IsCompressed() const;

    // Replaces the stored name (written in the local 8-bit encoding).
    void SetFileName(const QString &name);

    // Sets the comment kept in the central directory only.
    void SetComment(const QString &text);

    // Writes the local header, name, extra field and data; `position` is the
    // archive offset they start at, kept for the central directory.
    bool WriteLocal(QIODevice *archive, qint64 position);

    // Writes the central directory header, name, extra field and comment.
    bool WriteCentral(QIODevice *archive) const;

    // Bytes WriteLocal and WriteCentral will write.
    qint64 LocalRecordSize() const;
    qint64 CentralRecordSize() const;

    // Why this entry cannot be written into a ZIP archive without ZIP64
    // (a name or comment over 65535 bytes, data over 4 GiB); empty when it can.
    QString LimitError() const;

    // The stored name, as text.
    QString Name() const;

    // Reason of the last failed LoadFile, WriteLocal or WriteCentral.
    QString errorString() const;

private:
    // What the local header and the central directory header of an entry both hold, in the
    // order both store it.
    struct EntryFields
    {
        quint16 VersionNeeded = 20;
        quint16 Flags = 0x0002;   // maximum compression
        quint16 Method = 8;       // deflate
        quint16 ModTime = 0;
        quint16 ModDate = 0;
        quint32 Crc32 = 0;
        quint32 CompressedSize = 0;
        quint32 UncompressedSize = 0;
        quint16 FileNameLength = 0;
        quint16 ExtraFieldLength = 0;
    };

    friend QDataStream &operator<<(QDataStream &out, const EntryFields &fields);

    struct LocalFileHeader
    {
        quint32 Signature = 0x04034B50;
    };

    struct CentralDirectoryHeader
    {
        quint32 Signature = 0x02014B50;
        quint16 VersionMadeBy = 20;
        // EntryFields come here.
        quint16 FileCommentLength = 0;
        quint16 DiskNumberStart = 0;
        quint16 InternalAttributes = 0x0020;
        quint32 ExternalAttributes = 0;
        quint32 LocalHeaderOffset = 0;
    };

    static QString FileNameOf(const QString &path);
    static quint16 DosDate(const QDateTime &timestamp);
    static quint16 DosTime(const QDateTime &timestamp);
    static void SetBit(quint8 &byte, int bit);
    static bool IsBitSet(int value, int bit);
    static quint16 PackBits(const int (&components)[3], const int (&widths)[3]);
    bool writeAll(QIODevice *archive, const QByteArray &bytes) const;

    QByteArray EntryName;
    QByteArray ExtraField;
    QByteArray EntryComment;
    QString SourcePath;
    QByteArray Data;   // the contents as read, then as deflated
    bool Compressed = false;
    qint64 SourceLength = 0;
    EntryFields Fields;
    LocalFileHeader LocalHeader;
    CentralDirectoryHeader CentralHeader;
    mutable QString lastError;
};
