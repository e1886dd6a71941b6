#pragma once

#include <QString>

// A small tmpfs that can be filled up, in this process's private mount namespace (needs root).
class FullDisk
{
public:
    FullDisk() = default;
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    // Mounts `kilobytes` on a fresh folder; false with the reason when this host cannot.
    bool mount(int kilobytes, QString *whyNot);

    ~FullDisk();   // unmounts and removes the folder
    QString path() const { return m_path; }

    // Fills it with a filler file until at most `leaveFree` bytes (whole pages) are left.
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
