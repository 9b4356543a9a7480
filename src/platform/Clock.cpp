#include "platform/Clock.h"

#include "platform/Guard.h"

#include <QElapsedTimer>

#include <algorithm>

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
