// Run-time state shared by the windows and never saved.
#pragma once

namespace qf {

struct RunState {
    double OperatingSeconds = 0;  // operating time of this log-on period, seconds
};

}  // namespace qf
