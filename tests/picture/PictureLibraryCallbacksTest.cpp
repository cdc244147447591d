#include <gtest/gtest.h>

#include <zlib.h>

#include <vector>

#include "picture/CompareNoCase.h"
#include "picture/GreatestCommonDivisor.h"
#include "picture/formats/ImageEncoders.h"
#include "picture/formats/InflateBuffer.h"
#include "picture/formats/JpegHeader.h"
#include "tests/support/PictureFixtures.h"

TEST(GreatestCommonDivisor, EuclidWithTheZeroCases) {
    EXPECT_EQ(greatestCommonDivisor(2835, 0), 2835U);
    EXPECT_EQ(greatestCommonDivisor(0, 0), 1U);
    EXPECT_EQ(greatestCommonDivisor(12, 8), 4U);
    EXPECT_EQ(greatestCommonDivisor(0, 9), 9U);
}

TEST(CompareNoCase, FoldsAsciiAndLatinCapitals) {
    EXPECT_EQ(compareNoCase("GIF89a", "gif", 3), 0);
    EXPECT_EQ(compareNoCase(nullptr, "a", 1), -1);
    EXPECT_EQ(compareNoCase("a", nullptr, 1), 1);
    EXPECT_EQ(compareNoCase("ab", "ab", 10), 0);  // stops at a's terminating 0
    EXPECT_LT(compareNoCase("abc", "abd", 3), 0);
    EXPECT_EQ(compareNoCase("\xC9", "\xE9", 1), 0);  // É and é
    EXPECT_NE(compareNoCase("\xC5", "\xE5", 1), 0);  // 0xC5 is not folded
    EXPECT_NE(compareNoCase("\xDB", "\xFB", 1), 0);  // nor anything above 0xDA
}

TEST(InflateBuffer, WholeStreamWithinTheDestination) {
    std::vector<std::uint8_t> plain(1000);
    for (std::size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<std::uint8_t>(i % 13);
    std::vector<std::uint8_t> packed(compressBound(static_cast<uLong>(plain.size())));
    uLongf packedSize = packed.size();
    ASSERT_EQ(compress(packed.data(), &packedSize, plain.data(), static_cast<uLong>(plain.size())), Z_OK);
    std::vector<std::uint8_t> out(1000);
    const auto size = static_cast<std::int32_t>(packedSize);
    EXPECT_EQ(inflateBuffer(packed.data(), out.data(), size, 1000), 1000);
    EXPECT_EQ(out, plain);
    EXPECT_EQ(inflateBuffer(packed.data(), out.data(), size, 999), -1);
    EXPECT_EQ(inflateBuffer(packed.data(), out.data(), size - 2, 1000), -1);
    packed[0] ^= 0xFF;
    EXPECT_EQ(inflateBuffer(packed.data(), out.data(), size, 1000), -1);
}

TEST(FindImageEncoder, OnlyPng) {
    ClassId id{};
    EXPECT_EQ(findImageEncoder(u"image/png", id), 0);
    EXPECT_EQ(id.data1, pngEncoderClassId().data1);
    ClassId untouched{1, 2, 3, {}};
    EXPECT_EQ(findImageEncoder(u"image/gif", untouched), -1);
    EXPECT_EQ(findImageEncoder(u"IMAGE/PNG", untouched), -1);
    EXPECT_EQ(untouched.data1, 1U);
}

// Data that ends inside the header continues with the end-of-image marker: a clean failure, not a read
// past the data; a skip beyond the data ends it the same way.
TEST(JpegMemorySource, CutShortHeadersFailCleanly) {
    const auto jpeg = picturefixtures::jpegPicture(8, 8, picturefixtures::JfifDensity{1, 72, 72});
    for (std::size_t length : {std::size_t{3}, std::size_t{10}, std::size_t{25}, std::size_t{100}}) {
        const auto cut = picturefixtures::truncated(jpeg, length);
        JpegHeader header;
        EXPECT_FALSE(readJpegHeader(cut.data(), static_cast<std::int32_t>(cut.size()), header)) << length;
    }
    // An APP segment claiming far more bytes than there are.
    const std::vector<std::uint8_t> skipping = {0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xF0, 'E', 'x', 'i', 'f'};
    JpegHeader header;
    EXPECT_FALSE(readJpegHeader(skipping.data(), static_cast<std::int32_t>(skipping.size()), header));
}
