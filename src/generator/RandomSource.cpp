#include "RandomSource.h"

#include "Clock.h"

namespace kanatsumugi {

void RandomSource::SeedFromClock(const Clock& clock)
{
    const TimeOfDay t = clock.utcTimeOfDay();
    seed_ = static_cast<std::uint32_t>(((t.hour * 60 + t.minute) * 60 + t.second) * 1000 +
                                       t.millisecond);
}

std::int32_t RandomSource::NextBelow(std::int32_t n)
{
    seed_ = seed_ * 134775813u + 1u;
    const std::uint64_t scaled =
        static_cast<std::uint64_t>(seed_) * static_cast<std::uint32_t>(n);
    return static_cast<std::int32_t>(scaled >> 32);
}

} // namespace kanatsumugi
