#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kanatsumugi {

// A reading of the wall clock in UTC, to the millisecond. The date takes no part.
struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    // Milliseconds since midnight: the clock reading that seeds a name.
    [[nodiscard]] std::uint32_t milliseconds() const {
        return static_cast<std::uint32_t>(((hour * 60 + minute) * 60 + second) * 1000 +
                                          millisecond);
    }
};

// A reading (milliseconds since midnight) as "HH:MM:SS.mmm", wrapped at midnight.
std::string clockText(std::uint32_t reading);
// The reading of "HH:MM:SS.mmm", 00:00:00.000 to 23:59:59.999; nothing for any other text.
std::optional<std::uint32_t> readClockText(std::string_view text);

// Where the time of day comes from; tests substitute a fixed reading.
class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual TimeOfDay utcTimeOfDay() const = 0;
};

// The system's real-time clock.
class SystemClock final : public Clock {
public:
    [[nodiscard]] TimeOfDay utcTimeOfDay() const override;
};

} // namespace kanatsumugi
