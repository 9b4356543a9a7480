// Clock: every reading of the time, and every timer of every window, goes through here, so a
// test can set the date and time and fire due timers without waiting.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>
#include <vector>

namespace qf {

class KitTimer;

// One reading of the clock: the local wall-clock time and the UTC time of the same instant.
struct ClockReading {
    QDateTime local;  // date() and time() are the local wall clock
    QDateTime utc;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual ClockReading now() const = 0;
    QDateTime localNow() const { return now().local; }
    QDateTime utcNow() const { return now().utc; }
    // Milliseconds from an arbitrary start, never going back.
    virtual qint64 tickMs() const = 0;
    // The 32-bit millisecond count that the keyer's busy wait reads: it wraps to 0 after
    // 2^32 ms, so a wait takes the difference of two readings modulo 2^32.
    virtual quint32 tick32Ms() = 0;
    // Sleeps without letting any event run: a timer that falls due meanwhile fires once, when
    // events next run.
    virtual void sleepMs(qint64 ms) = 0;

    // Called by KitTimer when it starts or stops.
    virtual void arm(KitTimer& timer) = 0;
    virtual void disarm(KitTimer& timer) = 0;
};

class SystemClock : public Clock {
public:
    SystemClock();
    ClockReading now() const override;
    qint64 tickMs() const override;
    quint32 tick32Ms() override;
    void sleepMs(qint64 ms) override;
    void arm(KitTimer& timer) override;
    void disarm(KitTimer& timer) override;

private:
    qint64 start_;
};

// A window's timer: Interval in milliseconds, Enabled, and a tick handler. It runs off the
// program's clock, and keeps ticking inside modal boxes and nested event processing.
class KitTimer : public QObject {
    Q_OBJECT
public:
    KitTimer(Clock& clock, QObject* parent = nullptr);
    ~KitTimer() override;

    int Interval() const { return interval_; }
    void setInterval(int ms);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);

    std::function<void()> Tick;  // the tick handler

    // Used by the clocks.
    void fire();
    QTimer& qtimer() { return qtimer_; }

private:
    void restart();
    Clock& clock_;
    QTimer qtimer_;
    int interval_ = 0;
    bool enabled_ = false;
};

}  // namespace qf
