#pragma once

#include <QDateTime>

namespace varnel {

// Time seam: the wall clock and a sleep that tests can make instant.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Monotonic milliseconds (tick count); never jumps at midnight or clock changes.
    virtual qint64 tickMs() const = 0;
    virtual void sleepMs(int ms) = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override;
    qint64 tickMs() const override;
    void sleepMs(int ms) override;
};

// Instant clock for tests: sleeping advances the time without waiting.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 1, 1), QTime(12, 0))) : m_now(start)
    {
    }
    QDateTime now() const override { return m_now; }
    qint64 tickMs() const override { return m_ticks; }
    void sleepMs(int ms) override { advanceMs(ms); }
    void advanceMs(qint64 ms)
    {
        m_now = m_now.addMSecs(ms);
        m_ticks += ms;
    }
    void setNow(const QDateTime& t) { m_now = t; }
    qint64 totalSleptMs() const { return m_ticks; }

private:
    QDateTime m_now;
    qint64 m_ticks = 0;
};

} // namespace varnel
