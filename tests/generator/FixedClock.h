#pragma once

#include "Clock.h"

namespace kanatsumugi::test {

// A clock that always reads the same time of day.
class FixedClock final : public Clock {
public:
    explicit FixedClock(TimeOfDay reading)
        : reading_(reading) {}
    TimeOfDay utcTimeOfDay() const override { return reading_; }

private:
    TimeOfDay reading_;
};

} // namespace kanatsumugi::test
