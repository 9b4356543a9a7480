#include "platform/Clock.h"

#include "platform/Guard.h"

#include <QElapsedTimer>

#include <algorithm>
#include <chrono>
#include <thread>

namespace qf {

// ---- SystemClock

SystemClock::SystemClock() : start_(QDateTime::currentMSecsSinceEpoch()) {}

ClockReading SystemClock::now() const {
    // One instant, two views: a minute boundary can never fall between them.
    const QDateTime local = QDateTime::currentDateTime();
    return {local, local.toUTC()};
}

qint64 SystemClock::tickMs() const {
    static QElapsedTimer t = [] {
        QElapsedTimer e;
        e.start();
        return e;
    }();
    return t.elapsed();
}

quint32 SystemClock::tick32Ms() {
    // Milliseconds of the monotonic clock, cut to 32 bits: it wraps as the keyer expects.
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<quint32>(ms.count());
}

void SystemClock::sleepMs(qint64 ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void SystemClock::arm(KitTimer& timer) { timer.qtimer().start(timer.Interval()); }

void SystemClock::disarm(KitTimer& timer) { timer.qtimer().stop(); }

// ---- KitTimer

KitTimer::KitTimer(Clock& clock, QObject* parent) : QObject(parent), clock_(clock) {
    qtimer_.setTimerType(Qt::PreciseTimer);
    connect(&qtimer_, &QTimer::timeout, this, &KitTimer::fire);
}

KitTimer::~KitTimer() { clock_.disarm(*this); }

void KitTimer::setInterval(int ms) {
    interval_ = std::max(0, ms);
    restart();
}

void KitTimer::setEnabled(bool on) {
    enabled_ = on;
    restart();
}

void KitTimer::restart() {
    // Setting either property starts the count again, as the windows expect of their timers.
    clock_.disarm(*this);
    if (enabled_ && interval_ > 0) clock_.arm(*this);
}

void KitTimer::fire() {
    if (!enabled_ || interval_ <= 0) return;
    if (Tick) guarded(Tick);
}

}  // namespace qf
