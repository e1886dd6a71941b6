#include "zip/zipclass.h"

#include "io/tr.h"
#include "io/wholefile.h"
#include "zip/zipfile.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

namespace {

constexpr qint64 MaxField16 = 0xFFFF;
constexpr qint64 MaxField32 = 0xFFFFFFFF;
constexpr int EndRecordSize = 22;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

// Files wait their turn read, so a few of them are held uncompressed at a time, not all.
struct ZipClass::Compressors
{
    explicit Compressors(int threads) : Waiting(2 * threads) { Pool.setMaxThreadCount(threads); }

    QSemaphore Waiting;
    QThreadPool Pool;   // after Waiting, which its threads release into until they stop
};

ZipClass::ZipClass() : ThreadCount(QThread::idealThreadCount()) {}

ZipClass::~ZipClass() = default;

int ZipClass::FileCount() const
{
    return int(Entries.size());
}

void ZipClass::setComment(const QString &comment)
{
    ArchiveComment = comment.toLocal8Bit();
    EndRecord.CommentLength = quint16(ArchiveComment.size());
}

void ZipClass::setThreadCount(int count)
{
    if (Compression)
        Compression->Pool.waitForDone();
    Compression.reset();
    ThreadCount = qMax(1, count);
}

bool ZipClass::AddFile(const QString &FilePath, const QString &filename, const QString &Comment)
{
    const QFileInfo info(FilePath);
    if (!info.isFile()) {
        lastError = info.exists()
            ? Quiltra::tr("Cannot add %1: it is not an ordinary file").arg(native(FilePath))
            : Quiltra::tr("Cannot add %1: the file does not exist").arg(native(FilePath));
        return false;
    }
    auto entry = std::make_unique<ZipFile>();
    if (!entry->LoadFile(FilePath)) {
        lastError = entry->errorString();
        return false;
    }
    if (!filename.isEmpty())
        entry->SetFileName(filename);
    if (!Comment.isEmpty())
        entry->SetComment(Comment);
    compressAside(entry.get());
    Entries.push_back(std::move(entry));
    return true;
}

bool ZipClass::WriteZip(const QString &FilePath, bool Overwrite)
{
    const QFileInfo target(FilePath);
    if (!Overwrite && (target.exists() || target.isSymLink())) {
        lastError = CannotWriteMessage(FilePath, Quiltra::tr("the file already exists"));
        return false;
    }
    // The archive is built in memory and handed to the whole-file writer, so a failure
    // half-way never leaves a broken archive in place of a good one.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!WriteZip(&buffer)) {
        lastError = CannotWriteMessage(FilePath, lastError);
        return false;
    }
    return WriteWholeFile(FilePath, buffer.data(), &lastError);
}

bool ZipClass::WriteZip(QIODevice *device)
{
    if (!finishCompressing())
        return false;
    const qint64 start = device->isSequential() ? 0 : device->pos();
    lastError = limitError(start);
    return lastError.isEmpty() && writeEntries(device, start);
}

QString ZipClass::errorString() const
{
    return lastError;
}

// Each entry is compressed alone, touching nothing the others do, so the archive does not
// depend on which thread took which.
void ZipClass::compressAside(ZipFile *entry)
{
    if (!Compression)
        Compression = std::make_unique<Compressors>(ThreadCount);
    Compressors *compressors = Compression.get();
    compressors->Waiting.acquire();
    compressors->Pool.start([entry, compressors] {
        entry->Compress();
        compressors->Waiting.release();
    });
}

bool ZipClass::finishCompressing()
{
    if (Compression)
        Compression->Pool.waitForDone();
    for (const auto &entry : Entries) {
        if (!entry->IsCompressed()) {
            lastError = entry->errorString();
            return false;
        }
    }
    return true;
}

// Checked before anything is written, so a refused archive leaves no trace.
QString ZipClass::limitError(qint64 start) const
{
    if (Entries.size() > size_t(MaxField16))
        return Quiltra::tr("more than 65535 entries");
    if (ArchiveComment.size() > MaxField16)
        return Quiltra::tr("the archive comment is longer than 65535 bytes");
    qint64 offset = start;
    qint64 directorySize = 0;
    for (const auto &entry : Entries) {
        if (const QString limit = entry->LimitError(); !limit.isEmpty())
            return limit;
        if (offset > MaxField32)
            return Quiltra::tr("the archive would be larger than 4 GiB");
        offset += entry->LocalRecordSize();
        directorySize += entry->CentralRecordSize();
    }
    if (offset > MaxField32 || directorySize > MaxField32)
        return Quiltra::tr("the archive would be larger than 4 GiB");
    return {};
}

// Offsets are counted from `start` rather than asked of the device, so a
// sequential device gets a correct archive too.
bool ZipClass::writeEntries(QIODevice *device, qint64 start)
{
    qint64 position = start;
    for (const auto &entry : Entries) {
        if (!entry->WriteLocal(device, position)) {
            lastError = entry->errorString();
            return false;
        }
        position += entry->LocalRecordSize();
    }
    const qint64 directoryStart = position;
    for (const auto &entry : Entries) {
        if (!entry->WriteCentral(device)) {
            lastError = entry->errorString();
            return false;
        }
        position += entry->CentralRecordSize();
    }
    EndRecord.Signature = 0x06054B50;
    EndRecord.EntriesOnDisk = EndRecord.TotalEntries = quint16(Entries.size());
    EndRecord.CentralDirectorySize = quint32(position - directoryStart);
    EndRecord.CentralDirectoryOffset = quint32(directoryStart);

    const EndOfCentralDirectory &e = EndRecord;
    QByteArray record;
    record.reserve(EndRecordSize + ArchiveComment.size());
    QDataStream out(&record, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << e.Signature << e.DiskNumber << e.CentralDirectoryDisk << e.EntriesOnDisk
        << e.TotalEntries << e.CentralDirectorySize << e.CentralDirectoryOffset << e.CommentLength;
    record += ArchiveComment;
    return WriteAllTo(device, record, &lastError);
}
