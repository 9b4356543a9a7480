#include "keying/MorseTiming.h"

#include "platform/Clock.h"
#include "platform/KeyingLine.h"

#include <cmath>
#include <exception>

namespace qf {

namespace {
// Lives in memory: every pass reads and writes it, so no compiler can drop or shorten the loop.
volatile double loopCounter = 0;
constexpr double kCalibrationPasses = 5000000;
}  // namespace

double UnitMs(double wpm) {
    return 60.0 / (wpm * 50.0) * 1000.0;
}

void WaitTimer(Clock& clock, double unitMs) {
    const quint32 start = clock.tick32Ms();
    // Unsigned subtraction is the difference modulo 2^32: right across the wrap.
    while (static_cast<double>(static_cast<quint32>(clock.tick32Ms() - start)) < unitMs) {
    }
}

void WaitSleep(Clock& clock, double unitMs) {
    clock.sleepMs(static_cast<qint64>(std::nearbyint(unitMs)));
}

void CountPasses(double from, double limit) {
    loopCounter = from;
    while (loopCounter < limit) loopCounter = loopCounter + 1;
}

void WaitLoop(double loopsPer60ms, double wpm) {
    CountPasses(0, loopsPer60ms / wpm * 20);
}

double CalibrateLoopPasses(Clock& clock) {
    const quint32 start = clock.tick32Ms();
    CountPasses(0, kCalibrationPasses);
    const quint32 elapsed = clock.tick32Ms() - start;
    return std::nearbyint(kCalibrationPasses / std::max<quint32>(elapsed, 1) * 60);
}

KeyingEnd KeyPattern(const QString& pattern, KeyingLine* line, const UnitTiming& timing,
                     const std::function<double()>& wpm) {
    auto keyUp = [line] {
        if (!line) return;
        try {
            line->setKeyDown(false);
        } catch (const std::exception&) {
            // Nothing more can be done for a line that fails.
        }
    };
    for (QChar unit : pattern) {
        const double speed = wpm();
        if (!(speed > 0) || !std::isfinite(speed)) {
            keyUp();
            return KeyingEnd::NoSpeed;
        }
        try {
            if (line) line->setKeyDown(unit == QLatin1Char('1'));
            switch (timing.method) {
                case TimingMethod::Timer:
                    WaitTimer(timing.clock, UnitMs(speed));
                    break;
                case TimingMethod::Sleep:
                    WaitSleep(timing.clock, UnitMs(speed));
                    break;
                case TimingMethod::Loop:
                    WaitLoop(timing.loopsPer60ms, speed);
                    break;
            }
        } catch (const std::exception&) {
            keyUp();
            return KeyingEnd::LineFailed;
        }
    }
    return KeyingEnd::Completed;
}

}  // namespace qf
