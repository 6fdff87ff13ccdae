#include "generator/RandomSource.h"

#include "generator/Clock.h"

namespace kanatsumugi {

void RandomSource::SeedFromClock(const Clock& clock) {
    seed_ = clock.utcTimeOfDay().milliseconds();
}

} // namespace kanatsumugi
