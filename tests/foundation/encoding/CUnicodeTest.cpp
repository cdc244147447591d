#include <gtest/gtest.h>

#include <string>

#include "foundation/CFail.h"
#include "foundation/encoding/CUnicode.h"
#include "platform/process/AllocationFailure.h"

namespace {

using Bytes = std::string;

Bytes utf16(const std::u16string& text) {
    Bytes bytes;
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// Converts with a new converter for the code into an output of the given capacity.
Bytes convert(std::int32_t code, std::int16_t direction, const Bytes& input, std::int32_t capacity = 1024) {
    CUnicode converter(code, direction);
    Bytes output(static_cast<std::size_t>(capacity), '\xEE');
    const std::int32_t written =
        converter.convert(input.data(), static_cast<std::int32_t>(input.size()), output.data(), capacity);
    EXPECT_GE(written, 0);
    EXPECT_LE(written, capacity);
    output.resize(static_cast<std::size_t>(written));
    return output;
}

Bytes toUtf16(std::int32_t code, const Bytes& input, std::int32_t capacity = 1024) {
    return convert(code, CUnicode::kToUtf16, input, capacity);
}

Bytes fromUtf16(std::int32_t code, const std::u16string& text, std::int32_t capacity = 1024) {
    return convert(code, CUnicode::kFromUtf16, utf16(text), capacity);
}

constexpr std::int32_t kEveryCode[] = {0,      1,      2,      3,      4,      5,      6,      7,     25,
                                       29,     126,    1046,   1053,   1056,   1057,   1058,   1059,  1280,
                                       1281,   1282,   1283,   1284,   1285,   1286,   1287};

TEST(CUnicode, EveryCodeOpensAConverterExceptTheTwoChineseMacCodes) {
    for (std::int32_t code : kEveryCode) {
        for (std::int16_t direction : {CUnicode::kToUtf16, CUnicode::kFromUtf16}) {
            CUnicode converter(code, direction);
            const bool refused = code == 2 || code == 25;
            EXPECT_EQ(converter.isOpen(), !refused) << code << " " << converter.getCharsetName();
            EXPECT_EQ(converter.getDirection(), direction);
        }
    }
}

TEST(CUnicode, TheTwoRefusedCodesConvertNothing) {
    for (std::int32_t code : {2, 25}) {
        EXPECT_EQ(toUtf16(code, "abc"), "") << code;
        EXPECT_EQ(fromUtf16(code, u"abc"), "") << code;
        CUnicode converter(code, CUnicode::kToUtf16);
        EXPECT_EQ(converter.convertChar('a'), CUnicode::kNoUnit);
    }
}

TEST(CUnicode, CodesWithoutACharsetOfTheirOwnReadMacRoman) {
    const Bytes macRoman("Caf\x8E cr\x8Fme br\x9El\x8E" "e \xA5 \xDB");
    const Bytes expected = utf16(u"Café crème brûlée • €");
    for (std::int32_t code : {0, 3, 9999, -1, 0x7FFFFFFF}) {
        EXPECT_EQ(toUtf16(code, macRoman), expected) << code;
        EXPECT_STREQ(charsetNameForEncoding(code), "MacRoman") << code;
    }
    EXPECT_EQ(fromUtf16(9999, u"Café crème brûlée • €"), macRoman);
}

struct TextCase {
    const char* title;
    std::int32_t code;
    Bytes bytes;
    std::u16string text;
};

// Texts that read and write back byte for byte.
TEST(CUnicode, ReadsAndWritesTextsInTheirCharsets) {
    const TextCase cases[] = {
        {"Windows-1253", 1283, Bytes("\xCA\xE1\xEB\xE7\xEC\xDD\xF1\xE1 \xEA\xFC\xF3\xEC\xE5"), u"Καλημέρα κόσμε"},
        {"Windows-1252", 1280, Bytes("\x80 \x93quoted\x94 na\xEFve"), u"€ “quoted” naïve"},
        {"Windows-1251", 1282, Bytes("\xCF\xF0\xE8\xE2\xE5\xF2"), u"Привет"},
        {"MacCyrillic", 7, Bytes("\x8F\xF0\xE8\xE2\xE5\xF2"), u"Привет"},
        {"MacCentralEurope", 29, Bytes("\x8B\xE4\x9C"), u"čšú"},
        {"MacGreek", 6, Bytes("\xBA\xE1\xEC\xE8\xED\xDB\xF2\xE1 \x9C"), u"Καλημέρα €"},
        {"MacArabic", 4, Bytes("\xE5\xD1\xCD\xC8\xC7 \xB1\xB2\xB3"), u"مرحبا ١٢٣"},
        {"MacHebrew", 5, Bytes("\xF9\xEC\xE5\xED \xA6"), u"שלום ₪"},
        {"Shift-JIS", 1, Bytes("\x82\xA0\x82\xA2 \x93\xFA\x96\x7B"), u"あい 日本"},
        {"UTF-8", 126, Bytes("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), u"é€\xD83D\xDE00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toUtf16(c.code, c.bytes), utf16(c.text)) << c.title;
        EXPECT_EQ(fromUtf16(c.code, c.text), c.bytes) << c.title;
    }
}

// One bad character costs that character only, never the whole text.
TEST(CUnicode, ATextWithOneUnconvertibleCharacterConvertsEverythingElse) {
    EXPECT_EQ(fromUtf16(1283, u"Καλη中μέρα"), Bytes("\xCA\xE1\xEB\xE7\xEC\xDD\xF1\xE1"));
    EXPECT_EQ(fromUtf16(0, u"naïve 中 café"), Bytes("na\x95ve  caf\x8E"));
    EXPECT_EQ(fromUtf16(6, u"αβγ\x0627δ"), Bytes("\xE1\xE2\xE7\xE4"));
    EXPECT_EQ(toUtf16(1283, Bytes("\xCA\xE1\xAA\xEB")), utf16(u"Καλ"));
    EXPECT_EQ(toUtf16(126, Bytes("a\xFF" "b")), utf16(u"ab"));
}

TEST(CUnicode, AShortOutputKeepsWhatFits) {
    EXPECT_EQ(toUtf16(0, "abcdef", 6), utf16(u"abc"));
    EXPECT_EQ(toUtf16(0, "abcdef", 7), utf16(u"abc"));
    EXPECT_EQ(fromUtf16(126, u"aé€", 4), Bytes("a\xC3\xA9"));
    EXPECT_EQ(fromUtf16(1283, u"Καλημέρα", 3), Bytes("\xCA\xE1\xEB"));
}

struct CharCase {
    std::int32_t code;
    std::int16_t direction;
    std::int32_t character;
    std::int32_t expected;
};

TEST(CUnicode, ConvertCharGivesTheFirstUnitOrByte) {
    const CharCase cases[] = {
        {0, CUnicode::kFromUtf16, 0x00E9, 0x8E},
        {1280, CUnicode::kToUtf16, 0x80, 0x20AC},
        {1280, CUnicode::kToUtf16, 0x1241, 0x41},    // only the low 8 bits count
        {0, CUnicode::kFromUtf16, 0x100041, 0x41},   // only the low 16 bits count
        {6, CUnicode::kToUtf16, 0xE1, 0x03B1},
        {5, CUnicode::kFromUtf16, 0x05D0, 0xE0},
        {126, CUnicode::kFromUtf16, 0x00E9, 0xC3},   // the first of two bytes
        {1, CUnicode::kFromUtf16, 0x3042, 0x82},
        // Nothing to answer: no form in the charset, half a character, a refused charset.
        {0, CUnicode::kFromUtf16, 0x4E2D, CUnicode::kNoByte},
        {0, CUnicode::kFromUtf16, 0xD83D, CUnicode::kNoByte},
        {1283, CUnicode::kToUtf16, 0xAA, CUnicode::kNoUnit},
        {1, CUnicode::kToUtf16, 0x82, CUnicode::kNoUnit},
        {25, CUnicode::kFromUtf16, 0x41, CUnicode::kNoByte},
    };
    for (const auto& c : cases) {
        CUnicode converter(c.code, c.direction);
        EXPECT_EQ(converter.convertChar(c.character), c.expected) << c.code << " " << c.character;
    }
}

TEST(CUnicode, OtherDirectionsOpenNothing) {
    for (std::int16_t direction : {-1, 2, 100}) {
        CUnicode converter(0, direction);
        EXPECT_FALSE(converter.isOpen());
        EXPECT_EQ(converter.getCharsetName(), nullptr);
        char output[8];
        EXPECT_EQ(converter.convert("abc", 3, output, sizeof output), 0);
        EXPECT_EQ(converter.convertChar('a'), CUnicode::kNoUnit);
    }
}

TEST(CUnicode, UnusableArgumentsConvertNothing) {
    CUnicode converter(0, CUnicode::kToUtf16);
    char output[8];
    EXPECT_EQ(converter.convert(nullptr, 3, output, sizeof output), 0);
    EXPECT_EQ(converter.convert("abc", 3, nullptr, 8), 0);
    EXPECT_EQ(converter.convert("abc", -1, output, sizeof output), 0);
    EXPECT_EQ(converter.convert("abc", 3, output, -8), 0);
    EXPECT_EQ(converter.convert("abc", 0, output, sizeof output), 0);
}

TEST(CUnicode, LackOfMemoryRaisesTwelve) {
    for (std::int32_t code : {0, 6}) {
        platform::ScopedAllocationFailure failNext(1);
        try {
            CUnicode converter(code, CUnicode::kToUtf16);
            FAIL() << "no failure for code " << code;
        } catch (const CFail& failure) {
            EXPECT_EQ(failure.error, 12);
            EXPECT_STREQ(failure.fileName, "BUnicode");
        }
    }
}

// The RTF writer's converter derives from CUnicode and replaces convert; convertChar must not go through it.
class CountingConverter : public CUnicode {
public:
    CountingConverter() : CUnicode(0, kFromUtf16) {}
    std::int32_t convert(const void*, std::int32_t, void*, std::int32_t) override {
        ++calls;
        return 0;
    }
    int calls = 0;
};

TEST(CUnicode, ConvertCharDoesNotDependOnADerivedConvert) {
    CountingConverter converter;
    EXPECT_EQ(converter.convertChar(0x00E9), 0x8E);
    EXPECT_EQ(converter.calls, 0);
}

}  // namespace
