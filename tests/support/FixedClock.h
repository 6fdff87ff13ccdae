#pragma once

#include "generator/Clock.h"

namespace kanatsumugi::test {

// A clock that always reads the time it was last set to.
class FixedClock final : public Clock {
public:
    explicit FixedClock(TimeOfDay reading = {})
        : reading_(reading) {}
    void set(TimeOfDay reading) { reading_ = reading; }
    [[nodiscard]] TimeOfDay utcTimeOfDay() const override { return reading_; }

private:
    TimeOfDay reading_;
};

} // namespace kanatsumugi::test
