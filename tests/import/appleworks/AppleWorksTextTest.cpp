// Document text to UTF-16 and pattern coverage.
#include <gtest/gtest.h>

#include <vector>

#include "import/appleworks/AppleWorksDocument.h"
#include "import/appleworks/AppleWorksText.h"

using namespace appleworks;

TEST(AppleWorksText, EncodingsAndSymbolFonts) {
    const std::uint8_t bytes[] = {0x41, 0xA5, 0xB7};
    EXPECT_EQ(symbolBytesToUnicode(bytes, 3), (std::vector<char16_t>{0xF041, 0xF0A5, 0xF0B7}));
    EXPECT_EQ(textToUnicode(kSymbolTextEncoding, bytes, 3), symbolBytesToUnicode(bytes, 3));
    // Mac Roman: 0xA5 is the bullet, 0x8A a with diaeresis.
    const std::uint8_t roman[] = {'A', 0xA5, 0x8A};
    EXPECT_EQ(textToUnicode(0, roman, 3), (std::vector<char16_t>{u'A', 0x2022, 0x00E4}));
    EXPECT_TRUE(textToUnicode(0, roman, 0).empty());
}

TEST(AppleWorksText, PatternDensityInStepsOf25) {
    const std::uint8_t empty[8] = {};
    const std::uint8_t full[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const std::uint8_t oneBit[8] = {0x01};
    const std::uint8_t half[8] = {0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0};
    EXPECT_EQ(patternDensity(empty), 0);
    EXPECT_EQ(patternDensity(full), 1000);
    EXPECT_EQ(patternDensity(oneBit), 25);
    EXPECT_EQ(patternDensity(half), 500);
}
