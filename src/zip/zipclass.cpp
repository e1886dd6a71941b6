#include "zipclass.h"

#include "wholefile.h"
#include "zipfile.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 MaxField16 = 0xFFFF;
constexpr qint64 MaxField32 = 0xFFFFFFFF;
constexpr int EndRecordSize = 22;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

ZipClass::ZipClass() = default;

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

bool ZipClass::AddFile(const QString &FilePath, const QString &filename, const QString &Comment)
{
    const QFileInfo info(FilePath);
    if (!info.isFile()) {
        lastError = info.exists()
            ? QStringLiteral("Cannot add %1: it is not an ordinary file").arg(native(FilePath))
            : QStringLiteral("Cannot add %1: the file does not exist").arg(native(FilePath));
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
    Entries.push_back(std::move(entry));
    return true;
}

bool ZipClass::WriteZip(const QString &FilePath, bool Overwrite)
{
    const QFileInfo target(FilePath);
    if (!Overwrite && (target.exists() || target.isSymLink())) {
        lastError = QStringLiteral("Cannot write %1: the file already exists").arg(native(FilePath));
        return false;
    }
    if (IsReadOnlyFile(FilePath)) {
        lastError = CannotWriteMessage(FilePath, QStringLiteral("the file is read-only"));
        return false;
    }
    if (const QString limit = limitError(0); !limit.isEmpty()) {
        lastError = QStringLiteral("Cannot write %1: %2").arg(native(FilePath), limit);
        return false;
    }
    QSaveFile file(FilePath);
    if (!file.open(QIODevice::WriteOnly)) {
        lastError = QStringLiteral("Cannot write %1: %2").arg(native(FilePath), file.errorString());
        return false;
    }
    if (!writeEntries(&file, 0)) {
        file.cancelWriting();
        lastError = QStringLiteral("Cannot write %1: %2").arg(native(FilePath), lastError);
        return false;
    }
    if (!file.commit()) {
        lastError = QStringLiteral("Cannot write %1: %2").arg(native(FilePath), file.errorString());
        return false;
    }
    return true;
}

bool ZipClass::WriteZip(QIODevice *device)
{
    const qint64 start = device->isSequential() ? 0 : device->pos();
    lastError = limitError(start);
    return lastError.isEmpty() && writeEntries(device, start);
}

QString ZipClass::errorString() const
{
    return lastError;
}

// Checked before anything is written, so a refused archive leaves no trace.
QString ZipClass::limitError(qint64 start) const
{
    if (Entries.size() > size_t(MaxField16))
        return QStringLiteral("more than 65535 entries");
    if (ArchiveComment.size() > MaxField16)
        return QStringLiteral("the archive comment is longer than 65535 bytes");
    qint64 offset = start;
    qint64 directorySize = 0;
    for (const auto &entry : Entries) {
        if (const QString limit = entry->LimitError(); !limit.isEmpty())
            return limit;
        if (offset > MaxField32)
            return QStringLiteral("the archive would be larger than 4 GiB");
        offset += entry->LocalRecordSize();
        directorySize += entry->CentralRecordSize();
    }
    if (offset > MaxField32 || directorySize > MaxField32)
        return QStringLiteral("the archive would be larger than 4 GiB");
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
    if (device->write(record) != record.size()) {
        lastError = device->errorString().isEmpty() ? QStringLiteral("write failed")
                                                    : device->errorString();
        return false;
    }
    return true;
}
