#include "platform/Clock.h"

#include <QElapsedTimer>
#include <QThread>

namespace varnel {

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

qint64 SystemClock::tickMs() const
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.elapsed();
}

void SystemClock::sleepMs(int ms)
{
    if (ms > 0)
        QThread::msleep(ulong(ms));
}

} // namespace varnel
