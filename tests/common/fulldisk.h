#pragma once

#include <QString>

// A small real file system that can be filled up: a tmpfs mounted in a private mount
// namespace of this test process, so nothing outside the test sees it. Needs root; the
// mount goes when the process ends.
class FullDisk
{
public:
    FullDisk() = default;
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    // Mounts a tmpfs of `kilobytes` on a fresh folder. False with the reason (not root,
    // no mount namespaces) when that is not possible here; tests then skip.
    bool mount(int kilobytes, QString *whyNot);

    ~FullDisk();   // unmounts and removes the folder
    QString path() const { return m_path; }

    // Fills the file system with a filler file until no more than `leaveFree` bytes are
    // left (rounded down to whole pages by the file system).
    bool fill(qint64 leaveFree = 0);

private:
    QString m_path;
};

// Mounts a FullDisk or skips the calling test with the reason.
#define MOUNT_FULL_DISK(disk, kilobytes)                                                   \
    do {                                                                                   \
        QString whyNot;                                                                    \
        if (!(disk).mount((kilobytes), &whyNot))                                           \
            QSKIP(qPrintable(QStringLiteral("no full-disk test here: ") + whyNot));        \
    } while (false)
