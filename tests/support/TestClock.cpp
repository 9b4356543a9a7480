#include "support/TestClock.h"

#include <algorithm>

namespace qf {

// ---- TestClock

TestClock::TestClock() {
    local_ = QDateTime(QDate(2026, 6, 13), QTime(12, 0, 0), Qt::UTC);
    utcAhead_ = 5 * 3600;
}

ClockReading TestClock::now() const {
    const QDateTime wall(local_.date(), local_.time(), Qt::OffsetFromUTC,
                         static_cast<int>(-utcAhead_));
    return {wall, local_.addSecs(utcAhead_)};
}

void TestClock::set(const QDateTime& localWallClock, qint64 utcAheadSeconds) {
    local_ = QDateTime(localWallClock.date(), localWallClock.time(), Qt::UTC);
    utcAhead_ = utcAheadSeconds;
}

quint32 TestClock::tick32Ms() {
    ++readings_;
    last32_ = tick32Base_ + static_cast<quint32>(tick_);
    moveWithoutFiring(step_);
    return last32_;
}

void TestClock::sleepMs(qint64 ms) {
    sleeps_.push_back(ms);
    moveWithoutFiring(std::max<qint64>(0, ms));
}

void TestClock::moveWithoutFiring(qint64 ms) {
    if (ms <= 0) return;
    local_ = local_.addMSecs(ms);
    tick_ += ms;
    // Each timer that fell due meanwhile fires once, queued, as a real timer blocked meanwhile
    // would; like a late Qt timer, it then counts its next interval from when it fired.
    for (Armed& a : armed_) {
        if (a.due > tick_) continue;
        if (std::find(overdue_.begin(), overdue_.end(), a.timer) != overdue_.end()) continue;
        overdue_.push_back(a.timer);
        KitTimer* timer = a.timer;
        // Queued on the timer itself: a timer deleted before events run is never called.
        QMetaObject::invokeMethod(
            timer,
            [this, timer] {
                auto it = std::find(overdue_.begin(), overdue_.end(), timer);
                if (it == overdue_.end()) return;  // advance() fired it already
                overdue_.erase(it);
                for (Armed& armed : armed_)
                    if (armed.timer == timer) armed.due = tick_ + std::max(1, timer->Interval());
                timer->fire();
            },
            Qt::QueuedConnection);
    }
}

void TestClock::arm(KitTimer& timer) {
    disarm(timer);
    armed_.push_back({&timer, tick_ + timer.Interval()});
}

void TestClock::disarm(KitTimer& timer) {
    armed_.erase(std::remove_if(armed_.begin(), armed_.end(),
                                [&](const Armed& a) { return a.timer == &timer; }),
                 armed_.end());
    overdue_.erase(std::remove(overdue_.begin(), overdue_.end(), &timer), overdue_.end());
}

void TestClock::advance(qint64 ms) {
    const qint64 end = tick_ + ms;
    for (;;) {
        // The earliest due timer, first armed first on a tie.
        auto next = std::min_element(armed_.begin(), armed_.end(),
                                     [](const Armed& a, const Armed& b) { return a.due < b.due; });
        if (next == armed_.end() || next->due > end) break;
        // A timer held up by a sleep or a busy wait is due now, not in the past.
        const qint64 due = std::max(next->due, tick_);
        KitTimer* timer = next->timer;
        local_ = local_.addMSecs(due - tick_);
        tick_ = due;
        // Re-arm before the tick, so a handler that stops or restarts its timer has the last word.
        next->due = due + std::max(1, timer->Interval());
        overdue_.erase(std::remove(overdue_.begin(), overdue_.end(), timer), overdue_.end());
        timer->fire();
    }
    // A handler that slept may already have carried the time past the end.
    if (tick_ < end) {
        local_ = local_.addMSecs(end - tick_);
        tick_ = end;
    }
}

}  // namespace qf
