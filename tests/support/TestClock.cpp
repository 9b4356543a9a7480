#include "support/TestClock.h"

#include <algorithm>

namespace qf {

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

void TestClock::arm(KitTimer& timer) {
    disarm(timer);
    armed_.push_back({&timer, tick_ + timer.Interval()});
}

void TestClock::disarm(KitTimer& timer) {
    armed_.erase(std::remove_if(armed_.begin(), armed_.end(),
                                [&](const Armed& a) { return a.timer == &timer; }),
                 armed_.end());
}

void TestClock::advance(qint64 ms) {
    const qint64 end = tick_ + ms;
    for (;;) {
        // The earliest due timer, first armed first on a tie.
        auto next = std::min_element(armed_.begin(), armed_.end(),
                                     [](const Armed& a, const Armed& b) { return a.due < b.due; });
        if (next == armed_.end() || next->due > end) break;
        const qint64 due = next->due;
        KitTimer* timer = next->timer;
        local_ = local_.addMSecs(due - tick_);
        tick_ = due;
        // Re-arm before the tick, so a handler that stops or restarts its timer has the last word.
        next->due = due + std::max(1, timer->Interval());
        timer->fire();
    }
    local_ = local_.addMSecs(end - tick_);
    tick_ = end;
}

}  // namespace qf
