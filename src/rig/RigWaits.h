// The two waits of the rig commands, on the program's clock: a fixed pause that lets no event
// run while it lasts, and a bounded wait for the serial output to drain that lets events run.
#pragma once

#include <QtGlobal>

#include <functional>

namespace qf {
class Clock;
}

namespace qf::rig {

// The longest drain wait, in clock milliseconds.
inline constexpr qint64 kDrainBoundMs = 2000;

// Runs pending events once, sleeps ms on the clock (no events meanwhile), runs them once more.
void PauseMs(Clock& clock, qint64 ms);

// Until outBufferCount reads 0 or less, or kDrainBoundMs of clock time have passed: runs pending
// events once and gives the port a millisecond. A count that cannot be read (an Error) ends it.
void WaitOutputDrained(Clock& clock, const std::function<int()>& outBufferCount);

}  // namespace qf::rig
