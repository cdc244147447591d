#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/encoding/Utf8Codec.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Converter = std::int32_t (*)(std::uint8_t*, std::int32_t*, const std::uint8_t*, std::int32_t*);

struct CodecCase {
    const char* what;
    Converter convert;
    Bytes input;
    std::int32_t capacity;
    Bytes expected;
    std::int32_t consumed;
};

TEST(Utf8Codec, ConvertsTheByteVectors) {
    const CodecCase cases[] = {
        {"latin1 e-acute", utf8ToLatin1, {0xC3, 0xA9}, 16, {0xE9}, 2},
        {"latin1 euro is ?", utf8ToLatin1, {0xE2, 0x82, 0xAC}, 16, {'?'}, 3},
        {"latin1 stray continuation", utf8ToLatin1, {0x80, 'a'}, 16, {'?', 'a'}, 2},
        {"utf16 astral", utf8ToUtf16, {0xF0, 0x9F, 0x98, 0x80}, 16, {0x3D, 0xD8, 0x00, 0xDE}, 4},
        {"utf16 incomplete tail", utf8ToUtf16, {0x41, 0xE2, 0x82}, 16, {0x41, 0x00}, 1},
        // A lead byte whose continuation is missing becomes U+FFFD; the byte that broke it is kept.
        {"utf16 broken sequence", utf8ToUtf16, {0xE2, 0x41, 0x42}, 16, {0xFD, 0xFF, 0x41, 0x00, 0x42, 0x00}, 3},
        {"utf16 overlong nul", utf8ToUtf16, {0xC0, 0x80}, 16, {0xFD, 0xFF, 0xFD, 0xFF}, 2},
        {"utf16 beyond unicode", utf8ToUtf16, {0xF4, 0x90, 0x80, 0x80}, 16, {0xFD, 0xFF}, 4},
        {"utf16 no room for a pair", utf8ToUtf16, {'a', 0xF0, 0x9F, 0x98, 0x80}, 5, {'a', 0}, 1},
        {"utf16 odd capacity", utf8ToUtf16, {'a', 'b'}, 3, {'a', 0}, 1},
        {"utf16 lone surrogate form reads back", utf8ToUtf16, {0xED, 0xA0, 0xBD}, 16, {0x3D, 0xD8}, 3},
        {"to utf8 lone high surrogate", utf16ToUtf8, {0x3D, 0xD8, 0x41, 0x00}, 16, {0xED, 0xA0, 0xBD, 0x41}, 4},
        {"to utf8 odd input", utf16ToUtf8, {0x41, 0x00, 0x42}, 16, {0x41}, 2},
        {"to utf8 small output", utf16ToUtf8, {0xE9, 0x00, 0xE9, 0x00}, 6, {0xC3, 0xA9}, 2},
        {"to utf8 pair", utf16ToUtf8, {0x3D, 0xD8, 0x00, 0xDE}, 16, {0xF0, 0x9F, 0x98, 0x80}, 4},
        {"to utf8 lone low surrogate", utf16ToUtf8, {0x00, 0xDE}, 16, {0xED, 0xB8, 0x80}, 2},
        {"to utf8 nul survives", utf16ToUtf8, {0x00, 0x00, 0x41, 0x00}, 16, {0x00, 0x41}, 4},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> output(static_cast<std::size_t>(c.capacity) + 8, 0xCC);
        std::int32_t outputSize = c.capacity;
        std::int32_t inputSize = static_cast<std::int32_t>(c.input.size());
        const std::int32_t written = c.convert(output.data(), &outputSize, c.input.data(), &inputSize);
        EXPECT_EQ(written, static_cast<std::int32_t>(c.expected.size())) << c.what;
        EXPECT_EQ(outputSize, written) << c.what;
        EXPECT_EQ(inputSize, c.consumed) << c.what;
        output.resize(static_cast<std::size_t>(std::max(written, 0)));
        EXPECT_EQ(output, c.expected) << c.what;
    }
}

TEST(Utf8Codec, DecodedTextNeverHoldsControlUnitsItDidNotHave) {
    const Bytes garbage = {0xE2, 0x01, 0xC3, 0x09, 0xF0, 0x9F, 0x0D, 0xFF, 0xFE};
    std::uint8_t output[64];
    std::int32_t outputSize = sizeof output;
    std::int32_t inputSize = static_cast<std::int32_t>(garbage.size());
    const std::int32_t written = utf8ToUtf16(output, &outputSize, garbage.data(), &inputSize);
    std::vector<char16_t> units;
    for (std::int32_t i = 0; i < written; i += 2) units.push_back(static_cast<char16_t>(output[i] | (output[i + 1] << 8)));
    EXPECT_EQ(units, (std::vector<char16_t>{0xFFFD, 0x01, 0xFFFD, 0x09, 0xFFFD, 0x0D, 0xFFFD, 0xFFFD}));
}

TEST(Utf8Codec, ArgumentChecks) {
    std::uint8_t output[8] = {'a', 'b', 'c'};
    std::int32_t outputSize = 8;
    std::int32_t inputSize = 3;
    EXPECT_EQ(utf8ToUtf16(nullptr, &outputSize, output, &inputSize), -1);
    EXPECT_EQ(utf8ToLatin1(output, nullptr, output, &inputSize), -1);
    EXPECT_EQ(utf8ToUtf16(output, &outputSize, output, nullptr), -1);
    EXPECT_EQ(utf8ToUtf16(output, &outputSize, nullptr, &inputSize), 0);
    EXPECT_EQ(outputSize, 0);
    EXPECT_EQ(inputSize, 0);
}

TEST(Utf8Codec, SurrogatePairSplitAcrossTwoChunks) {
    const std::uint8_t first[] = {'a', 0, 0x3D, 0xD8};
    std::uint8_t output[16];
    std::int32_t outputSize = sizeof output;
    std::int32_t inputSize = sizeof first;
    EXPECT_EQ(utf16ToUtf8(output, &outputSize, first, &inputSize), 1);
    EXPECT_EQ(inputSize, 2);  // the high half waits for its partner

    const std::uint8_t second[] = {0x3D, 0xD8, 0x00, 0xDE};
    outputSize = sizeof output;
    inputSize = sizeof second;
    EXPECT_EQ(utf16ToUtf8(output, &outputSize, second, &inputSize), 4);
    EXPECT_EQ(Bytes(output, output + 4), (Bytes{0xF0, 0x9F, 0x98, 0x80}));
}

TEST(Utf8Codec, WholeTextsRoundTripEveryUnit) {
    std::u16string text;
    for (char16_t unit = 0; unit < 0xFFFF; unit += 7) text.push_back(unit);  // lone surrogates included
    text += u"\U0001F600";
    text.push_back(0xD800);  // a high surrogate at the very end
    EXPECT_EQ(utf8ToUtf16String(utf16ToUtf8String(text)), text);

    const std::u16string longRun(30000, u'\u00e9');
    EXPECT_EQ(utf8ToUtf16String(utf16ToUtf8String(longRun)), longRun);

    EXPECT_EQ(utf8ToUtf16String("ab\xE2\x82"), u"ab\uFFFD");  // cut off at the end of a whole text
}

}  // namespace
