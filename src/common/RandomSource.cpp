#include "common/RandomSource.h"

#include "platform/Clock.h"

namespace qf {

RandomSource::RandomSource(const Clock& clock) : clock_(clock), engine_(std::random_device{}()) {}

void RandomSource::setSeed(quint64 seed) {
    engine_.seed(seed);
}

void RandomSource::reseedFromClock() {
    const quint64 timeOfDay = static_cast<quint64>(clock_.localNow().time().msecsSinceStartOfDay());
    const quint64 carried = engine_();
    std::seed_seq mix{static_cast<quint32>(timeOfDay), static_cast<quint32>(carried),
                      static_cast<quint32>(carried >> 32)};
    engine_.seed(mix);
}

double RandomSource::next() {
    // 53 random bits: every value is exactly representable and below 1.
    return static_cast<double>(engine_() >> 11) * (1.0 / 9007199254740992.0);
}

}  // namespace qf
