#include "common/RandomSource.h"

namespace qf {

void RandomSource::reseed(const QTime& timeOfDay) {
    engine_.seed(fixed_ ? *fixed_ : static_cast<std::uint64_t>(timeOfDay.msecsSinceStartOfDay()));
}

double RandomSource::next() {
    // The top 53 bits over 2^53: never 1.0, which a rounding distribution can give.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

}  // namespace qf
