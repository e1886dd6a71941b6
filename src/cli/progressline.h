#pragma once

#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>

// A line on standard error telling what a long command is doing, for a person at a terminal:
// it appears only once the command has run for a second, only when standard error is a
// terminal, and is wiped when the command ends, so scripts and logs never see it.
class ProgressLine {
public:
    ProgressLine();
    ~ProgressLine();
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    // What the command does now ("decoding the picture").
    void setStep(const QString &step);

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    QString m_step;
    bool m_done = false;
    std::thread m_thread;
};
