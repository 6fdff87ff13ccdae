#pragma once

#include <cstdint>

namespace kanatsumugi {

class Clock;

// Clock readings, and so seeds from the clock, run from 0 to this, exclusive.
inline constexpr std::uint32_t kMillisecondsPerDay = 86'400'000;

// The program's only source of chance: a 32-bit linear congruential generator
// reseeded from the clock at the start of every generation.
class RandomSource {
public:
    // seed = milliseconds since UTC midnight (0 to 86,399,999).
    void SeedFromClock(const Clock& clock);

    // Advances the seed one step and returns a value in 0 <= r < n; n must be at least 1.
    // Inline: it runs several times per name on the generator's hot path.
    std::int32_t NextBelow(std::int32_t n) {
        seed_ = seed_ * 134775813u + 1u;
        const std::uint64_t scaled =
            static_cast<std::uint64_t>(seed_) * static_cast<std::uint32_t>(n);
        return static_cast<std::int32_t>(scaled >> 32);
    }

    [[nodiscard]] std::uint32_t seed() const { return seed_; }
    void setSeed(std::uint32_t seed) { seed_ = seed; }

private:
    std::uint32_t seed_ = 0;
};

} // namespace kanatsumugi
