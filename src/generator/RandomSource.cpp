#include "generator/RandomSource.h"

#include "generator/Clock.h"

namespace kanatsumugi {

void RandomSource::SeedFromClock(const Clock& clock) {
    const TimeOfDay t = clock.utcTimeOfDay();
    seed_ = static_cast<std::uint32_t>(((t.hour * 60 + t.minute) * 60 + t.second) * 1000 +
                                       t.millisecond);
}

} // namespace kanatsumugi
