#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

#include "foundation/CRandom.h"
#include "platform/Clock.h"

namespace {

// The published check of the generator: seeds 1802 and 9373, 20,000 draws, then six values.
TEST(CRandom, ReproducesThePublishedCheckSequence) {
    CRandom generator(1802, 9373);
    for (int i = 0; i < 20000; ++i) generator.uniform();
    const double expected[] = {6533892.0, 14220222.0, 7275067.0, 6172232.0, 8354498.0, 10633180.0};
    for (double value : expected) EXPECT_EQ(generator.uniform() * 4096.0 * 4096.0, value);
}

struct ClockSeedCase {
    int year;  // years since 1900
    int hour;
    int second;
    bool fallsBack;
};

TEST(CRandom, SeedsFromYearHourAndSecondWithTheFallbackOutOfRange) {
    const ClockSeedCase cases[] = {
        {126, 13, 42, false},  // ij = 168, kl = 1638
        {126, 0, 0, false},
        {31300, 0, 59, true},  // ij above 31328
        {2000, 16, 0, true},   // kl = 32000, above 30081
        {2000, 17, 0, true},   // kl negative in 16 bits
    };
    for (const auto& c : cases) {
        platform::setLocalTimeForTesting([c] {
            std::tm t{};
            t.tm_year = c.year;
            t.tm_hour = c.hour;
            t.tm_sec = c.second;
            return t;
        });
        CRandom fromClock;
        CRandom fallback(1802, 9373);
        const auto ij = static_cast<std::int16_t>(c.year + c.second);
        const auto kl = static_cast<std::int16_t>(c.year * c.hour);
        CRandom direct(ij, kl);
        const double drawn = fromClock.uniform();
        EXPECT_EQ(drawn, direct.uniform()) << c.year;
        EXPECT_EQ(drawn == fallback.uniform(), c.fallsBack) << c.year << " " << c.hour;
    }
    platform::setLocalTimeForTesting({});
}

TEST(CRandom, RangesIncludeBothEnds) {
    CRandom generator(1802, 9373);
    bool sawLower = false;
    bool sawUpper = false;
    for (int i = 0; i < 20000; ++i) {
        const std::int32_t value = generator.integerInRange(100, 300);
        ASSERT_GE(value, 100);
        ASSERT_LE(value, 300);
        sawLower |= value == 100;
        sawUpper |= value == 300;
        const double real = generator.uniformInRange(2.0, 4.0);
        ASSERT_GE(real, 2.0);
        ASSERT_LT(real, 4.0);
    }
    EXPECT_TRUE(sawLower);
    EXPECT_TRUE(sawUpper);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(generator.integerInRange(7, 7), 7);
    // The widest span callers use does not overflow.
    const std::int32_t wide = generator.integerInRange(32767, 2147483647);
    EXPECT_GE(wide, 32767);
}

TEST(CRandom, GaussianHasTheAskedMeanAndDeviation) {
    CRandom generator(1802, 9373);
    const int n = 50000;
    double sum = 0.0;
    double squares = 0.0;
    for (int i = 0; i < n; ++i) {
        const double x = generator.gaussian(0.0, 1.0);
        sum += x;
        squares += x * x;
    }
    const double mean = sum / n;
    EXPECT_NEAR(mean, 0.0, 0.03);
    EXPECT_NEAR(std::sqrt(squares / n - mean * mean), 1.0, 0.03);
}

TEST(CRandom, SharedGeneratorDrawsOneSequenceAndCanBeSeeded) {
    seedSharedRandomForTesting(1802, 9373);
    CRandom reference(1802, 9373);
    const std::int32_t first = randomInRange(1, 32767);
    const std::int32_t second = randomInRange(1, 32767);
    EXPECT_EQ(first, reference.integerInRange(1, 32767));
    EXPECT_EQ(second, reference.integerInRange(1, 32767));
}

}  // namespace
