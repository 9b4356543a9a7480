// Keying one character: its units on a keying line, each timed by one of three methods. Plain
// code over the line and the clock, so tests drive it with the recorder and the test clock.
//
// No key stays down: every way out (a line that fails, a speed that is not above 0) puts the
// line up, and a speed not above 0 keys and waits nothing more.
#pragma once

#include <QString>

#include <functional>

namespace qf {

class Clock;
class KeyingLine;

enum class TimingMethod { Timer, Sleep, Loop };

// The length of a unit: 1200 / WPM milliseconds.
double UnitMs(double wpm);

// The three waits for one unit.
// "Timer": busy-reads the wrapping millisecond tick until the elapsed time (modulo 2^32)
// reaches the unit.
void WaitTimer(Clock& clock, double unitMs);
// "Sleep": sleeps the unit rounded to whole milliseconds, halves to even.
void WaitSleep(Clock& clock, double unitMs);
// "Loop": counts loopsPer60ms / wpm * 20 passes, each the same work as a calibration pass.
void WaitLoop(double loopsPer60ms, double wpm);

// Counts the shared in-memory counter up by 1 while it is below limit (one pass: a read, a
// compare, an add and a write of memory), starting from `from`.
void CountPasses(double from, double limit);

// Measures how many counting passes take 60 ms: 5,000,000 passes timed by the tick, scaled,
// rounded half to even. A run too quick to measure counts as 1 ms rather than dividing by 0.
double CalibrateLoopPasses(Clock& clock);

struct UnitTiming {
    Clock& clock;
    TimingMethod method = TimingMethod::Timer;
    double loopsPer60ms = 0;
};

enum class KeyingEnd { Completed, LineFailed, NoSpeed };

// Keys a pattern unit by unit: reads the speed afresh for every unit (a change takes effect
// inside the character), sets the line (none: the units are only timed), waits one unit.
KeyingEnd KeyPattern(const QString& pattern, KeyingLine* line, const UnitTiming& timing,
                     const std::function<double()>& wpm);

}  // namespace qf
