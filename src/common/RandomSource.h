// RandomSource: the program's one pseudo-random generator, shared by the county map and code
// practice. Each use reseeds it from the time of day first; a test fixes the seed so every
// reseed starts the same known sequence.
#pragma once

#include <QTime>

#include <cstdint>
#include <optional>
#include <random>

namespace qf {

class RandomSource {
  public:
    // Reseeds from the time of day (milliseconds since midnight), or from the fixed seed.
    void reseed(const QTime& timeOfDay);
    // A uniform draw from [0, 1).
    double next();
    // From now on every reseed uses this seed.
    void fixSeed(std::uint64_t seed) { fixed_ = seed; }

  private:
    std::mt19937_64 engine_{0};
    std::optional<std::uint64_t> fixed_;
};

}  // namespace qf
