#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>

#include "foundation/FieldMask.h"
#include "model/records/ChangeMask.h"

namespace {

struct MaskNumberCase {
    std::initializer_list<int> bits;
    std::uint64_t number;
};

// The mask's eight bytes read as one little-endian number: change bit n is worth 2^(8*(n/8) + 7 - n%8).
TEST(ChangeMask, TheMaskReadsAsTheLittleEndianNumberOfItsBytes) {
    const MaskNumberCase cases[] = {
        {{}, 0},
        {{0}, 128},
        {{7}, 1},
        {{8}, 32768},
        {{9}, 16384},
        {{0, 1, 2, 3}, 240},
        {{1, 8}, 32832},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, 65279},
        {{63}, std::uint64_t{1} << 56},
    };
    for (const auto& c : cases) {
        std::uint8_t mask[8] = {};
        for (int bit : c.bits) setMaskBit(mask, bit);
        EXPECT_EQ(changeMaskNumber(mask), c.number);
        std::uint8_t back[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        setChangeMaskNumber(back, c.number);
        for (int bit = 0; bit < 64; ++bit) EXPECT_EQ(testMaskBit(back, bit), testMaskBit(mask, bit)) << bit;
    }
    std::uint8_t all[8];
    for (int bit = 0; bit < 64; ++bit) setMaskBit(all, bit);
    EXPECT_EQ(changeMaskNumber(all), std::numeric_limits<std::uint64_t>::max());
}

}  // namespace
