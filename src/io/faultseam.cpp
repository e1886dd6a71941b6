#include "io/faultseam.h"

#include <QMutex>
#include <QMutexLocker>

#include <cstdlib>

#ifdef Q_OS_WIN
#include <process.h>
#else
#include <unistd.h>
#endif

namespace {

struct Fault
{
    bool armed = false;
    bool stops = false;            // ends the process instead of failing
    FaultPoint point = FaultPoint::Rename;
    long long at = 0;              // the n-th operation of `point` from when it was set
    long long seen = 0;
};

QMutex s_mutex;
Fault s_fault;
bool s_configured = false;   // by SetFault() or, failing that, from the environment once

bool parse(const QString &text, Fault *fault)
{
    *fault = {};
    if (text.isEmpty())
        return true;
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return false;
    const QString kind = text.left(colon);
    bool number = false;
    const long long at = text.mid(colon + 1).toLongLong(&number);
    if (!number || at < 1)
        return false;
    if (kind == QLatin1String("rename") || kind == QLatin1String("stop-rename"))
        fault->point = FaultPoint::Rename;
    else if (kind == QLatin1String("write"))
        fault->point = FaultPoint::Write;
    else if (kind == QLatin1String("fsync"))
        fault->point = FaultPoint::Fsync;
    else
        return false;
    fault->stops = kind == QLatin1String("stop-rename");
    fault->at = at;
    fault->armed = true;
    return true;
}

} // namespace

bool SetFault(const QString &text)
{
    Fault fault;
    if (!parse(text, &fault))
        return false;
    const QMutexLocker lock(&s_mutex);
    s_fault = fault;
    s_configured = true;
    return true;
}

bool FaultAt(FaultPoint point)
{
    const QMutexLocker lock(&s_mutex);
    if (!s_configured) {
        s_configured = true;
        if (!parse(qEnvironmentVariable("QUILTRA_FAULT"), &s_fault))
            s_fault = {};
    }
    if (!s_fault.armed || s_fault.point != point || ++s_fault.seen != s_fault.at)
        return false;
    s_fault.armed = false;
    if (s_fault.stops)
        ::_exit(137);   // as SIGKILL would: no destructor, no flush, no handler
    return true;
}
