#include "rig/RigWaits.h"

#include "platform/Clock.h"
#include "platform/Error.h"

#include <QCoreApplication>

namespace qf::rig {

void PauseMs(Clock& clock, qint64 ms) {
    QCoreApplication::processEvents();
    const qint64 end = clock.tickMs() + ms;
    // A sleep may end a little early; the pause is over when the clock says so.
    for (qint64 left = ms; left > 0; left = end - clock.tickMs()) clock.sleepMs(left);
    QCoreApplication::processEvents();
}

void WaitOutputDrained(Clock& clock, const std::function<int()>& outBufferCount) {
    const qint64 deadline = clock.tickMs() + kDrainBoundMs;
    for (;;) {
        if (clock.tickMs() >= deadline) return;
        try {
            if (outBufferCount() <= 0) return;
        } catch (const Error&) {
            return;
        }
        QCoreApplication::processEvents();
        clock.sleepMs(1);
    }
}

}  // namespace qf::rig
