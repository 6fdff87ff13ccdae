#include "generator/Clock.h"

#include "generator/RandomSource.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>

namespace kanatsumugi {

std::string clockText(std::uint32_t reading) {
    // Wrapping first bounds the hours to two digits.
    const std::uint32_t within = reading % kMillisecondsPerDay;
    const std::uint32_t seconds = within / 1000;
    std::array<char, 13> text{};
    std::snprintf(text.data(), text.size(), "%02u:%02u:%02u.%03u", seconds / 3600,
                  seconds / 60 % 60, seconds % 60, within % 1000);
    return {text.data(), 12};
}

std::optional<std::uint32_t> readClockText(std::string_view text) {
    constexpr std::string_view kPattern = "00:00:00.000"; // 0 stands for a digit
    const auto fits = [](char wanted, char c) {
        return wanted == '0' ? c >= '0' && c <= '9' : c == wanted;
    };
    if (text.size() != kPattern.size() || !std::ranges::equal(kPattern, text, fits)) {
        return std::nullopt;
    }
    const auto number = [text](std::size_t at, std::size_t digits) {
        int value = 0;
        for (const char digit : text.substr(at, digits)) {
            value = value * 10 + (digit - '0');
        }
        return value;
    };
    const TimeOfDay time{number(0, 2), number(3, 2), number(6, 2), number(9, 3)};
    if (time.hour > 23 || time.minute > 59 || time.second > 59) {
        return std::nullopt;
    }
    return time.milliseconds();
}

TimeOfDay SystemClock::utcTimeOfDay() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceMidnight = duration_cast<milliseconds>(now - floor<days>(now));
    const hh_mm_ss<milliseconds> parts{sinceMidnight};
    return TimeOfDay{
        static_cast<int>(parts.hours().count()), static_cast<int>(parts.minutes().count()),
        static_cast<int>(parts.seconds().count()), static_cast<int>(parts.subseconds().count())};
}

} // namespace kanatsumugi
