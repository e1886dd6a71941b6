#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class QIODevice;
class ZipFile;

// A ZIP archive (single disk, deflate, no ZIP64) built in memory: each added
// file is read at once, so the archive reflects the files as they were when
// added, and compressed on other threads while the next are read; WriteZip
// waits for them and serialises the same bytes whatever the number of threads.
class ZipClass
{
public:
    ZipClass();
    ~ZipClass();
    ZipClass(const ZipClass &) = delete;
    ZipClass &operator=(const ZipClass &) = delete;

    // Number of entries added so far.
    int FileCount() const;

    // Sets the archive comment (the write-only Comment property).
    void setComment(const QString &comment);

    // How many threads compress the files added from now on; by default one
    // for each core.
    void setThreadCount(int count);

    // Adds the ordinary file `FilePath`, stored as `filename` when given (else
    // its last path component) with the entry comment `Comment`; false and
    // nothing added when it cannot be read.
    bool AddFile(const QString &FilePath, const QString &filename = {}, const QString &Comment = {});

    // Writes the archive to `FilePath`. An existing file is refused unless
    // `Overwrite`, and then replaced only once the new archive is complete;
    // false, with nothing written, when an entry cannot be compressed.
    bool WriteZip(const QString &FilePath, bool Overwrite = false);

    // Writes the archive to an open device at its current position.
    bool WriteZip(QIODevice *device);

    // Reason of the last false result.
    QString errorString() const;

private:
    struct EndOfCentralDirectory
    {
        quint32 Signature = 0x06054B50;
        quint16 DiskNumber = 0;
        quint16 CentralDirectoryDisk = 0;
        quint16 EntriesOnDisk = 0;
        quint16 TotalEntries = 0;
        quint32 CentralDirectorySize = 0;
        quint32 CentralDirectoryOffset = 0;
        quint16 CommentLength = 0;
    };

    struct Compressors;
    void compressAside(ZipFile *entry);
    bool finishCompressing();
    QString limitError(qint64 start) const;
    bool writeEntries(QIODevice *device, qint64 start);

    std::vector<std::unique_ptr<ZipFile>> Entries;
    QByteArray ArchiveComment;
    int ThreadCount;
    EndOfCentralDirectory EndRecord;
    QString lastError;
    std::unique_ptr<Compressors> Compression;   // last, so its threads stop before the entries go
};
