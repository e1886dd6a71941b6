#include "progressline.h"

#include <chrono>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

using namespace std::chrono_literals;

ProgressLine::ProgressLine()
{
    if (isatty(fileno(stderr)))
        m_thread = std::thread(&ProgressLine::run, this);
}

ProgressLine::~ProgressLine()
{
    {
        const std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void ProgressLine::setStep(const QString &step)
{
    const std::lock_guard lock(m_mutex);
    m_step = step;
}

void ProgressLine::run()
{
    const auto start = std::chrono::steady_clock::now();
    std::unique_lock lock(m_mutex);
    if (m_wake.wait_for(lock, 1s, [this] { return m_done; }))
        return;
    do {
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        // Written over itself, and cleared to the line's end.
        std::fprintf(stderr, "\rquiltra-cli: %s... %.0f s\x1b[K", qPrintable(m_step), seconds);
        std::fflush(stderr);
    } while (!m_wake.wait_for(lock, 250ms, [this] { return m_done; }));
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
}
