#include <gtest/gtest.h>

#include "foundation/encoding/ByteOrder.h"
#include "foundation/memory/MinValue.h"

namespace {

TEST(ByteOrder, SwapsInPlace) {
    std::int16_t signedShort = 0x0180;
    swapShort(&signedShort);
    EXPECT_EQ(signedShort, static_cast<std::int16_t>(0x8001));
    swapShortAlt(&signedShort);
    EXPECT_EQ(signedShort, 0x0180);
    std::uint32_t word = 0x11223344;
    swapLong(&word);
    EXPECT_EQ(word, 0x44332211u);
    swapLongAlt(&word);
    EXPECT_EQ(word, 0x11223344u);
    std::int16_t rectangle[5] = {0x0102, 0x0304, 0x0506, 0x0708, 0x090A};
    swapShortPair(rectangle);
    EXPECT_EQ(rectangle[0], 0x0201);
    EXPECT_EQ(rectangle[1], 0x0403);
    EXPECT_EQ(rectangle[2], 0x0506);
    swapShortQuad(rectangle);
    EXPECT_EQ(rectangle[0], 0x0102);
    EXPECT_EQ(rectangle[3], 0x0807);
    EXPECT_EQ(rectangle[4], 0x090A);  // only four
    swapShort(static_cast<std::int16_t*>(nullptr));
}

TEST(MinValue, TheSmallerOrTheFirst) {
    EXPECT_EQ(minValue(3, -4), -4);
    EXPECT_EQ(minValue(-4, 3), -4);
    EXPECT_EQ(minValue(7, 7), 7);
}

}  // namespace
