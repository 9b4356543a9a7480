// The program's one source of random numbers (the county map's colours, code practice's text):
// uniform draws from [0, 1), reseeded from the clock's time of day right before each use.
// Reseeding mixes the time into the current state rather than replacing it, so two reseeds within
// the same millisecond still give different draws. Tests fix the seed and use the test clock,
// which makes every draw repeatable.
#pragma once

#include <QtGlobal>

#include <random>

namespace qf {

class Clock;

class RandomSource {
  public:
    explicit RandomSource(const Clock& clock);

    // Starts the generator afresh from a known state.
    void setSeed(quint64 seed);
    // Mixes the clock's time of day (in milliseconds since midnight) into the state.
    void reseedFromClock();
    // The next uniform draw, 0 <= r < 1.
    double next();

  private:
    const Clock& clock_;
    std::mt19937_64 engine_;
};

}  // namespace qf
