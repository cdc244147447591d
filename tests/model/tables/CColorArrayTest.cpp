#include <gtest/gtest.h>

#include "foundation/CFail.h"
#include "model/tables/CColorArray.h"
#include "platform/process/AllocationFailure.h"

namespace {

const RGBColor kRed{65535, 0, 0};
const RGBColor kBlue{0, 0, 65535};

TEST(CColorArray, TheAutomaticColourAnswersOneWithoutBeingStored) {
    CColorArray colors;
    EXPECT_EQ(colors.add(kAutoColor), 1);
    EXPECT_EQ(colors.getCount(), 0);
    EXPECT_EQ(colors.find(kAutoColor), -1);
    // Also once real colours are in: it is not compared with them either.
    colors.add(kBlue);
    EXPECT_EQ(colors.add(kAutoColor), 1);
    EXPECT_EQ(colors.getCount(), 1);
}

TEST(CColorArray, ColoursKeepTheOrderOfFirstRegistrationWithoutRepeats) {
    CColorArray colors;
    EXPECT_EQ(colors.add(kRed), 1);
    EXPECT_EQ(colors.add(kBlue), 2);
    EXPECT_EQ(colors.add(kRed), 1);
    EXPECT_EQ(colors.add(RGBColor{65535, 0, 1}), 3);  // one channel apart is another colour
    EXPECT_EQ(colors.getCount(), 3);
    EXPECT_EQ(colors.find(kBlue), 2);
    EXPECT_EQ(colors.find(RGBColor{1, 2, 3}), -1);
    ASSERT_NE(colors.get(2), nullptr);
    EXPECT_TRUE(equalRGBColor(*colors.get(2), kBlue));
    EXPECT_EQ(colors.get(4), nullptr);
}

// Every allocation of an add, failed in turn, raises 12 and leaves the table as it was (the sanitizer
// build checks that nothing leaks). The table is full, so the add needs the colour and a larger array.
TEST(CColorArray, LackOfMemoryLeavesTheTableAsItWas) {
    constexpr std::int32_t kFull = 24;
    for (std::int64_t n = 1;; ++n) {
        CColorArray colors;
        for (std::uint16_t i = 0; i < kFull; ++i) colors.add(RGBColor{i, 7, 7});
        ASSERT_EQ(colors.getCount(), kFull);
        platform::failNthAllocation(n);
        try {
            colors.add(kBlue);
        } catch (const CFail& failure) {
            platform::disarmAllocationFailure();
            EXPECT_EQ(failure.error, 12);
            EXPECT_EQ(colors.getCount(), kFull);
            EXPECT_EQ(colors.find(kBlue), -1);
            continue;
        }
        platform::disarmAllocationFailure();
        EXPECT_EQ(colors.find(kBlue), kFull + 1);
        EXPECT_GE(n, 3);
        break;
    }
}

}  // namespace
