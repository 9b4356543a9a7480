// The clock's test double, kept with the tests: the program never links it.
#pragma once

#include "platform/Clock.h"

#include <QDateTime>

#include <vector>

namespace qf {

// A clock that stands still until the test moves it; advancing fires every timer that falls
// due on the way, in time order, each as often as it falls due.
class TestClock : public Clock {
public:
    // Local wall clock 2026-06-13 12:00:00, five hours behind UTC, unless a test says otherwise.
    TestClock();
    ClockReading now() const override;
    qint64 tickMs() const override { return tick_; }
    void arm(KitTimer& timer) override;
    void disarm(KitTimer& timer) override;

    // Sets the local wall-clock time and how far UTC is ahead of it.
    void set(const QDateTime& localWallClock, qint64 utcAheadSeconds);
    void advance(qint64 ms);
    int armedCount() const { return static_cast<int>(armed_.size()); }

private:
    struct Armed {
        KitTimer* timer;
        qint64 due;
    };
    QDateTime local_;  // wall-clock fields, kept as UTC spec so no zone rules apply
    qint64 utcAhead_ = 0;
    qint64 tick_ = 0;
    std::vector<Armed> armed_;
};

}  // namespace qf
