#include "io/wholefile.h"

#include "io/tr.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <unistd.h>
#endif

namespace {

// The reason a write stopped: the device's own when it set one, else a plain one, never
// Qt's "Unknown error".
QString writeFailure(const QIODevice &device)
{
    const auto *file = qobject_cast<const QFileDevice *>(&device);
    const bool told = file ? file->error() != QFileDevice::NoError
                           : device.errorString() != QIODevice::tr("Unknown error");
    return told ? device.errorString() : Quiltra::tr("the file could not be written completely");
}

// Flushes what was written to the disk itself. Some file systems report a full disk only
// then, and the commit's own flush ignores errors, so it is done here, where a failure can
// still keep the old file.
bool syncToDisk(QSaveFile &file, QString *reason)
{
#ifdef Q_OS_UNIX
    if (file.handle() >= 0 && ::fsync(file.handle()) != 0 && errno != EINVAL && errno != ENOTSUP) {
        *reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
#else
    Q_UNUSED(file);
    Q_UNUSED(reason);
#endif
    return true;
}

#ifdef Q_OS_UNIX
// While the files of a set take their places, a request to end the program (Ctrl+C, a closed
// terminal, a plain kill) waits until the last rename, so the layout files never disagree.
// The request is not lost: it is raised again right after. Nothing can hold off SIGKILL.
class TerminationDeferred
{
public:
    TerminationDeferred()
    {
        struct sigaction deferring {};
        deferring.sa_handler = [](int signal) { s_pending = signal; };
        sigemptyset(&deferring.sa_mask);
        for (int i = 0; i < Count; ++i)
            sigaction(Signals[i], &deferring, &m_previous[i]);
    }
    ~TerminationDeferred()
    {
        for (int i = 0; i < Count; ++i)
            sigaction(Signals[i], &m_previous[i], nullptr);
        if (const int signal = s_pending) {
            s_pending = 0;
            std::raise(signal);
        }
    }
    TerminationDeferred(const TerminationDeferred &) = delete;
    TerminationDeferred &operator=(const TerminationDeferred &) = delete;

private:
    static constexpr int Count = 3;
    static constexpr int Signals[Count] = {SIGTERM, SIGINT, SIGHUP};
    static inline volatile std::sig_atomic_t s_pending = 0;
    struct sigaction m_previous[Count] {};
};
#else
struct TerminationDeferred
{
};
#endif

} // namespace

bool WriteAllTo(QIODevice *device, const QByteArray &bytes, QString *reason)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device->write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            *reason = writeFailure(*device);
            return false;
        }
        done += n;
    }
    return true;
}

bool IsReadOnlyFile(const QString &fileName)
{
    const QFileInfo info(fileName);
    return info.isFile() && !(info.permissions() & QFileDevice::WriteOwner);
}

QString ReplaceProblem(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (IsReadOnlyFile(fileName))
        return Quiltra::tr("the file is read-only");
    if (info.exists() && !info.isFile())
        return Quiltra::tr("a folder or other non-file has that name");
    if (!info.absoluteDir().exists())
        return Quiltra::tr("its folder does not exist");
    return {};
}

QString FirstUnreplaceable(const QStringList &fileNames)
{
    for (const QString &fileName : fileNames) {
        if (const QString problem = ReplaceProblem(fileName); !problem.isEmpty())
            return CannotWriteMessage(fileName, problem);
    }
    return {};
}

WholeFileSet::WholeFileSet() = default;

// Unfinished QSaveFiles throw their temporary files away when destroyed.
WholeFileSet::~WholeFileSet() = default;

bool WholeFileSet::add(const QString &fileName, const QByteArray &bytes)
{
    if (!m_errorString.isEmpty())
        return false;
    if (const QString problem = ReplaceProblem(fileName); !problem.isEmpty()) {
        m_errorString = CannotWriteMessage(fileName, problem);
        return false;
    }
    auto file = std::make_unique<QSaveFile>(fileName);
    QString reason;
    // Unbuffered, so a full disk shows in the write itself and not in a flush nobody checks.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        reason = writeFailure(*file);
    else if (WriteAllTo(file.get(), bytes, &reason) && syncToDisk(*file, &reason))
        reason.clear();
    if (!reason.isEmpty()) {
        file->cancelWriting();
        m_errorString = CannotWriteMessage(fileName, reason);
        return false;
    }
    m_files.push_back(std::move(file));
    return true;
}

bool WholeFileSet::commit()
{
    if (!m_errorString.isEmpty())
        return false;
    const TerminationDeferred deferred;
    for (auto &file : m_files) {
        if (!file->commit()) {
            m_errorString = CannotWriteMessage(file->fileName(), writeFailure(*file));
            m_files.clear();
            return false;
        }
        m_committed.append(file->fileName());
    }
    m_files.clear();
    return true;
}

QStringList WholeFileSet::committedFiles() const
{
    return m_committed;
}

QString WholeFileSet::errorString() const
{
    return m_errorString;
}

bool WriteWholeFile(const QString &fileName, const QByteArray &bytes, QString *errorString)
{
    WholeFileSet file;
    const bool ok = file.add(fileName, bytes) && file.commit();
    if (!ok && errorString)
        *errorString = file.errorString();
    return ok;
}
