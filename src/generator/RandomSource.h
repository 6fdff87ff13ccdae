#pragma once

#include <cstdint>

namespace kanatsumugi {

class Clock;

// The program's only source of chance: a 32-bit linear congruential generator
// reseeded from the clock at the start of every generation.
class RandomSource {
public:
    // seed = milliseconds since UTC midnight (0 to 86,399,999).
    void SeedFromClock(const Clock& clock);

    // Advances the seed one step and returns a value in 0 <= r < n; n must be at least 1.
    std::int32_t NextBelow(std::int32_t n);

    std::uint32_t seed() const { return seed_; }
    void setSeed(std::uint32_t seed) { seed_ = seed; }

private:
    std::uint32_t seed_ = 0;
};

} // namespace kanatsumugi
