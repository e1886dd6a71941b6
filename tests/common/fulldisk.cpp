#include "common/fulldisk.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUuid>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

bool FullDisk::mount(int kilobytes, QString *whyNot)
{
#ifdef Q_OS_LINUX
    if (::geteuid() != 0) {
        *whyNot = QStringLiteral("mounting a small tmpfs needs root");
        return false;
    }
    static bool privateNamespace = false;
    if (!privateNamespace) {
        if (::unshare(CLONE_NEWNS) != 0
            || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            *whyNot = QStringLiteral("no private mount namespace: ") + QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        privateNamespace = true;
    }
    m_path = QDir::tempPath() + QStringLiteral("/quiltra-fulldisk-") + QUuid::createUuid().toString(QUuid::Id128);
    if (!QDir().mkpath(m_path)) {
        *whyNot = QStringLiteral("cannot create ") + m_path;
        return false;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    if (::mount("quiltra-test", QFile::encodeName(m_path).constData(), "tmpfs", 0, options.constData()) != 0) {
        *whyNot = QStringLiteral("cannot mount a tmpfs: ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
#else
    Q_UNUSED(kilobytes);
    *whyNot = QStringLiteral("mount namespaces are Linux only");
    return false;
#endif
}

bool FullDisk::fill(qint64 leaveFree)
{
#ifdef Q_OS_LINUX
    const int fd = ::open(QFile::encodeName(m_path + QStringLiteral("/.filler")).constData(),
                          O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0)
        return false;
    const QByteArray chunk(4096, 'x');
    for (;;) {
        struct statvfs fs {};
        if (::fstatvfs(fd, &fs) != 0)
            break;
        const qint64 free = qint64(fs.f_bavail) * qint64(fs.f_frsize);
        if (free <= leaveFree)
            break;
        const qint64 want = qMin<qint64>(chunk.size(), free - leaveFree);
        if (::write(fd, chunk.constData(), size_t(want)) <= 0)
            break;
    }
    ::fsync(fd);
    ::close(fd);
    return true;
#else
    Q_UNUSED(leaveFree);
    return false;
#endif
}

FullDisk::~FullDisk()
{
#ifdef Q_OS_LINUX
    if (!m_path.isEmpty()) {
        ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
        QDir().rmdir(m_path);
    }
#endif
}
