#include <gtest/gtest.h>

#include <cstring>

#include "foundation/CFail.h"
#include "foundation/Clock.h"
#include "foundation/FieldMask.h"
#include "foundation/ShortPoint.h"
#include "foundation/text/TextSearch.h"
#include "platform/process/Clock.h"

namespace {

struct MaskCase {
    int bit;
    int byteIndex;
    std::uint8_t value;
};

TEST(FieldMask, BitZeroIsTheTopBitOfTheFirstByte) {
    const MaskCase cases[] = {{0, 0, 0x80}, {7, 0, 0x01}, {9, 1, 0x40}, {38, 4, 0x02}, {63, 7, 0x01}};
    for (const auto& c : cases) {
        std::uint8_t mask[8] = {};
        setMaskBit(mask, c.bit);
        for (int i = 0; i < 8; ++i) EXPECT_EQ(mask[i], i == c.byteIndex ? c.value : 0) << "bit " << c.bit;
        EXPECT_EQ(testMaskBit(mask, c.bit), 1);
        clearMaskBit(mask, c.bit);
        EXPECT_EQ(testMaskBit(mask, c.bit), 0);
        clearMaskBit(mask, c.bit);  // clearing a clear bit changes nothing
        for (std::uint8_t b : mask) EXPECT_EQ(b, 0);
    }
    std::uint8_t odd[8] = {0x03};
    EXPECT_EQ(testMaskBit(odd, 7), 1);
}

TEST(FieldMask, OutOfRangeBitStopsQuietlyAndLeavesTheMask) {
    std::uint8_t mask[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::uint8_t before[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    for (int bit : {64, -1, 100}) {
        for (auto operation : {+[](std::uint8_t* m, int b) { setMaskBit(m, b); },
                               +[](std::uint8_t* m, int b) { clearMaskBit(m, b); },
                               +[](std::uint8_t* m, int b) { (void)testMaskBit(m, b); }}) {
            try {
                operation(mask, bit);
                ADD_FAILURE() << "bit " << bit << " accepted";
            } catch (const CFail& failure) {
                EXPECT_EQ(failure.error, -9999);
                EXPECT_STREQ(failure.fileName, "BCommon");
            }
        }
    }
    EXPECT_EQ(std::memcmp(mask, before, 8), 0);
}

TEST(TextSearch, FindsCharactersAndSubstrings) {
    const char* text = "a=b:c=d";
    EXPECT_EQ(findChar(text, '='), text + 1);
    EXPECT_EQ(findLastChar(text, '='), text + 5);
    EXPECT_EQ(findChar("abc", 'x'), nullptr);
    EXPECT_EQ(findLastChar("abc", 'x'), nullptr);
    const char* abc = "abc";
    EXPECT_EQ(findChar(abc, '\0'), abc + 3);
    EXPECT_EQ(findLastChar(abc, '\0'), abc + 3);

    const char* commandLine = "\"prog\" /install now";
    EXPECT_EQ(findSubstring(commandLine, "/install"), commandLine + 7);
    EXPECT_EQ(findSubstring(abc, ""), abc);
    EXPECT_EQ(findSubstring(abc, "abcd"), nullptr);
}

TEST(Helpers, ShortPointCopiesBothCoordinates) {
    ShortPoint target{1, 2};
    const ShortPoint source{-32768, -5};
    EXPECT_EQ(copyShortPoint(&target, &source), &target);
    EXPECT_EQ(target.v, -32768);
    EXPECT_EQ(target.h, -5);
}

TEST(Helpers, ClockAndLocalTimeComeFromTheReplaceableSources) {
    platform::setMillisecondClockForTesting([] { return 0xFFFFFFFFu; });
    EXPECT_EQ(tickCount(), 4294967295.0);
    platform::setMillisecondClockForTesting({});

    platform::setLocalTimeForTesting([] {
        std::tm fixed{};
        fixed.tm_year = 126;
        fixed.tm_mon = 11;
        fixed.tm_mday = 10;
        return fixed;
    });
    const std::tm* now = currentLocalTime();
    EXPECT_EQ(now->tm_year, 126);
    EXPECT_EQ(now->tm_mon, 11);
    EXPECT_EQ(currentLocalTime(), now);  // one shared record
    platform::setLocalTimeForTesting({});
}

}  // namespace
