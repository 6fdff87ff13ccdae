#include "generator/RandomSource.h"

#include "generator/Clock.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>

using namespace kanatsumugi;

namespace {

RandomSource seeded(std::uint32_t seed) {
    RandomSource random;
    random.setSeed(seed);
    return random;
}

TEST(NextBelow, FromSeedZeroSevenGivesZeroAndSeedOne) {
    RandomSource random = seeded(0);
    EXPECT_EQ(random.NextBelow(7), 0);
    EXPECT_EQ(random.seed(), 1u);
}

TEST(NextBelow, WorkedValuesOfTheClockReading123456789) {
    RandomSource random = seeded(45296789);
    EXPECT_EQ(random.NextBelow(7), 3);
    EXPECT_EQ(random.NextBelow(61), 16);
}

TEST(NextBelow, OneAlwaysGivesZeroAndStillAdvances) {
    const struct {
        std::uint32_t seed;
        std::uint32_t next;
    } cases[] = {{0, 1}, {12345, 1655067934}, {0xFFFFFFFFu, 4160191484u}};
    for (const auto& c : cases) {
        RandomSource random = seeded(c.seed);
        EXPECT_EQ(random.NextBelow(1), 0) << "seed " << c.seed;
        EXPECT_EQ(random.seed(), c.next) << "seed " << c.seed;
    }
}

TEST(NextBelow, LargestBoundReachesItsTopWithoutOverflow) {
    constexpr std::int32_t n = std::numeric_limits<std::int32_t>::max();
    RandomSource top = seeded(1298181734); // steps to 0xFFFFFFFF
    EXPECT_EQ(top.NextBelow(n), n - 1);
    EXPECT_EQ(top.seed(), 0xFFFFFFFFu);

    RandomSource second = seeded(1); // steps to 134775814
    EXPECT_EQ(second.NextBelow(n), 67387906);
}

struct ClockCase {
    TimeOfDay reading;
    std::uint32_t seed;
};

TEST(SeedFromClock, IsMillisecondsSinceUtcMidnight) {
    const ClockCase cases[] = {
        {{0, 0, 0, 0}, 0},    {{23, 59, 59, 999}, 86399999}, {{12, 34, 56, 789}, 45296789},
        {{0, 0, 1, 0}, 1000}, {{1, 0, 0, 0}, 3600000},
    };
    for (const ClockCase& c : cases) {
        RandomSource random = seeded(777);
        random.SeedFromClock(test::FixedClock(c.reading));
        EXPECT_EQ(random.seed(), c.seed) << c.reading.hour << ":" << c.reading.minute;
    }
}

// Every reading's text reads back as the reading, and no other text is a reading.
TEST(ClockText, ReadsBackAndRefusesAnyOtherText) {
    for (const std::uint32_t reading : {0U, 1U, 45296789U, kMillisecondsPerDay - 1}) {
        EXPECT_EQ(readClockText(clockText(reading)), reading) << clockText(reading);
    }
    EXPECT_EQ(clockText(kMillisecondsPerDay + 5), "00:00:00.005");
    for (const char* text : {"12:34:56", "24:00:00.000", "12:60:00.000", "12:34:60.000",
                             "12:34:56.7890", "1:02:03.004", "+1:34:56.789", "-1:34:56.789",
                             "12:34:56,789", "12:34:5a.789"}) {
        EXPECT_EQ(readClockText(text), std::nullopt) << text;
    }
}

TEST(SystemClock, ReadsTheCurrentUtcTimeOfDay) {
    // A zone nine hours from UTC, so that a clock reading local time cannot pass.
    ::setenv("TZ", "JST-9", 1);
    ::tzset();
    const std::time_t before = std::time(nullptr);
    const TimeOfDay now = SystemClock().utcTimeOfDay();
    const std::time_t after = std::time(nullptr);
    ASSERT_GE(now.hour, 0);
    ASSERT_LE(now.hour, 23);
    ASSERT_GE(now.minute, 0);
    ASSERT_LE(now.minute, 59);
    ASSERT_GE(now.second, 0);
    ASSERT_LE(now.second, 59);
    ASSERT_GE(now.millisecond, 0);
    ASSERT_LE(now.millisecond, 999);
    const long seconds = (now.hour * 60L + now.minute) * 60L + now.second;
    const long low = static_cast<long>(before % 86400);
    const long high = static_cast<long>(after % 86400);
    // Local time would be off by the zone's offset; allow only the call's own duration.
    EXPECT_TRUE(low <= high ? (seconds >= low && seconds <= high)
                            : (seconds >= low || seconds <= high))
        << seconds << " not within " << low << ".." << high;
}

} // namespace
