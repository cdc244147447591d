#include <gtest/gtest.h>

#include "platform/process/Clock.h"

namespace {

TEST(Clock, SystemClockAdvancesAndTestsCanReplaceIt) {
    const std::uint32_t before = platform::millisecondClock();
    EXPECT_LE(platform::millisecondClock() - before, 10000u);

    platform::setMillisecondClockForTesting([] { return 0xFFFFFFF0u; });
    EXPECT_EQ(platform::millisecondClock(), 0xFFFFFFF0u);
    platform::setMillisecondClockForTesting({});
}

TEST(Clock, LocalTimeCanBeReplaced) {
    platform::setLocalTimeForTesting([] {
        std::tm fixed{};
        fixed.tm_year = 126;
        fixed.tm_hour = 13;
        return fixed;
    });
    EXPECT_EQ(platform::localTimeNow().tm_year, 126);
    platform::setLocalTimeForTesting({});
    EXPECT_GE(platform::localTimeNow().tm_year, 120);
}

}  // namespace
