// The clock's test double, kept with the tests: the program never links it.
#pragma once

#include "platform/Clock.h"

#include <QDateTime>

#include <vector>

namespace qf {

// A clock that stands still until the test moves it; advancing fires every timer that falls
// due on the way, in time order, each as often as it falls due.
//
// Time also moves without firing timers, as it does while the program is busy: each reading of
// the 32-bit tick moves it on by a set step (1 ms unless a test says otherwise), so a busy wait
// ends; sleepMs moves it on by the sleep. Timers that fell due meanwhile fire once events next
// run (at most once each, as a real timer that was held up).
class TestClock : public Clock {
public:
    // Local wall clock 2026-06-13 12:00:00, five hours behind UTC, unless a test says otherwise.
    TestClock();
    ClockReading now() const override;
    qint64 tickMs() const override { return tick_; }
    // The current 32-bit tick; the clock then moves on by the step.
    quint32 tick32Ms() override;
    void sleepMs(qint64 ms) override;
    void arm(KitTimer& timer) override;
    void disarm(KitTimer& timer) override;

    // Sets the local wall-clock time and how far UTC is ahead of it.
    void set(const QDateTime& localWallClock, qint64 utcAheadSeconds);
    void advance(qint64 ms);
    int armedCount() const { return static_cast<int>(armed_.size()); }

    // Places the 32-bit tick (its value now); later readings count on from there.
    void setTick32(quint32 value) { tick32Base_ = value - static_cast<quint32>(tick_); }
    void setTickStep(qint64 ms) { step_ = ms; }
    // Readings of the 32-bit tick so far, and the value the last one returned.
    qint64 tick32Readings() const { return readings_; }
    quint32 lastTick32() const { return last32_; }
    // Every sleep so far, in milliseconds.
    const std::vector<qint64>& sleeps() const { return sleeps_; }

private:
    struct Armed {
        KitTimer* timer;
        qint64 due;
    };
    // Moves the time on without firing timers; the due ones fire when events next run.
    void moveWithoutFiring(qint64 ms);
    QDateTime local_;  // wall-clock fields, kept as UTC spec so no zone rules apply
    qint64 utcAhead_ = 0;
    qint64 tick_ = 0;
    quint32 tick32Base_ = 0;
    qint64 step_ = 1;
    qint64 readings_ = 0;
    quint32 last32_ = 0;
    std::vector<qint64> sleeps_;
    std::vector<Armed> armed_;
    std::vector<KitTimer*> overdue_;  // fired by a queued call, once each
};

}  // namespace qf
