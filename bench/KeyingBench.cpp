// Unit timing of the CW keyer against real time: a pattern keyed through the recorder on the
// real clock, each unit's length taken from the recorder's stamps (steady clock, sub-millisecond).
// Reported per unit: the mean and worst error against the exact unit (1200 / WPM ms) and against
// the method's own whole-millisecond target ("Timer" waits until ceil(unit) ms have passed,
// "Sleep" sleeps the unit rounded half to even). The baseline sleeps the exact unit with nothing
// of the keyer around it: the floor the system's scheduler sets.
#include "keying/MorseTiming.h"
#include "platform/Clock.h"
#include "support/KeyingRecorder.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

using qf::TimingMethod;
using Steady = std::chrono::steady_clock;

const QString kPattern = QStringLiteral("1010101110111010");  // 16 units of dots and dashes

struct ErrorStats {
    double sumAbs = 0, worst = 0, sumAbsTarget = 0, worstTarget = 0;
    int units = 0;
    void add(double measured, double exact, double target) {
        sumAbs += std::fabs(measured - exact);
        worst = std::max(worst, std::fabs(measured - exact));
        sumAbsTarget += std::fabs(measured - target);
        worstTarget = std::max(worstTarget, std::fabs(measured - target));
        ++units;
    }
    void report(benchmark::State& state) const {
        state.counters["mean_err_ms"] = sumAbs / std::max(units, 1);
        state.counters["worst_err_ms"] = worst;
        state.counters["mean_err_vs_target_ms"] = sumAbsTarget / std::max(units, 1);
        state.counters["worst_err_vs_target_ms"] = worstTarget;
        state.counters["units"] = units;
    }
};

double targetOf(TimingMethod method, double unit) {
    return method == TimingMethod::Timer ? std::ceil(unit) : std::nearbyint(unit);
}

void KeyerUnits(benchmark::State& state, TimingMethod method) {
    const double wpm = static_cast<double>(state.range(0));
    const double unit = qf::UnitMs(wpm);
    qf::SystemClock clock;
    const Steady::time_point t0 = Steady::now();
    auto stamp = [t0] {
        return std::chrono::duration<double, std::milli>(Steady::now() - t0).count();
    };
    qf::test::KeyingRecorder rec(stamp);
    const auto line = rec.parallelLine(0x378);
    const qf::UnitTiming timing{clock, method, 0};
    ErrorStats stats;
    for (auto _ : state) {
        rec.clear();
        qf::KeyPattern(kPattern, line.get(), timing, [wpm] { return wpm; });
        for (double length : rec.lengths(stamp())) stats.add(length, unit, targetOf(method, unit));
    }
    stats.report(state);
}

void BaselineSleep(benchmark::State& state) {
    const double unit = qf::UnitMs(static_cast<double>(state.range(0)));
    ErrorStats stats;
    for (auto _ : state) {
        for (int i = 0; i < kPattern.size(); ++i) {
            const Steady::time_point start = Steady::now();
            std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(unit));
            stats.add(std::chrono::duration<double, std::milli>(Steady::now() - start).count(),
                      unit, unit);
        }
    }
    stats.report(state);
}

}  // namespace

BENCHMARK(BaselineSleep)->Arg(13)->Arg(20)->Arg(40)->Iterations(4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(KeyerUnits, Timer, TimingMethod::Timer)
    ->Arg(13)
    ->Arg(20)
    ->Arg(40)
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(KeyerUnits, Sleep, TimingMethod::Sleep)
    ->Arg(13)
    ->Arg(20)
    ->Arg(40)
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
