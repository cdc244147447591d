#include <gtest/gtest.h>

#include <string>

#include "platform/process/AllocationFailure.h"
#include "platform/text/Charset.h"
#include "platform/text/CharsetNames.h"

namespace {

using platform::CharsetDirection;
using platform::CharsetOpenStatus;
using Bytes = std::string;

constexpr CharsetDirection kTo = CharsetDirection::kToUtf16;
constexpr CharsetDirection kFrom = CharsetDirection::kFromUtf16;

// UTF-16LE bytes of a text.
Bytes utf16(const std::u16string& text) {
    Bytes bytes;
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// Opens, converts and closes, into an output of the given capacity.
struct Converted {
    Bytes output;
    platform::CharsetConversion counts;
};

Converted convert(const char* charset, CharsetDirection direction, const Bytes& input, std::size_t capacity = 1024) {
    platform::CharsetConverter* converter = platform::openCharsetConverter(charset, direction);
    EXPECT_NE(converter, nullptr) << charset;
    Bytes output(capacity, '\xEE');
    const auto counts = platform::convertCharsetText(converter, input.data(), input.size(), output.data(), capacity);
    platform::closeCharsetConverter(converter);
    EXPECT_EQ(converter, nullptr);
    output.resize(counts.bytesWritten);
    return {output, counts};
}

TEST(Charset, OpensTheProgramsNamesWhereGlibcSpellsThemOtherwise) {
    const struct {
        const char* ours;
        const char* system;
    } names[] = {
        {"MacRoman", "MACINTOSH"},   {"macroman", "MACINTOSH"},      {"MacCentralEurope", "MAC-CENTRALEUROPE"},
        {"MacCyrillic", "MAC-CYRILLIC"}, {"SHIFT-JIS", "SHIFT_JIS"}, {"Big5", "BIG5"},
        {"JOHAB", "JOHAB"},          {"GBK", "GBK"},                 {"WINDOWS-874", "WINDOWS-874"},
        {"UTF-8", "UTF-8"},
    };
    for (const auto& name : names) {
        EXPECT_STREQ(platform::systemCharsetName(name.ours), name.system);
        for (CharsetDirection direction : {kTo, kFrom}) {
            CharsetOpenStatus status = CharsetOpenStatus::kUnknownCharset;
            platform::CharsetConverter* converter = platform::openCharsetConverter(name.ours, direction, &status);
            EXPECT_NE(converter, nullptr) << name.ours;
            EXPECT_EQ(status, CharsetOpenStatus::kOpened) << name.ours;
            platform::closeCharsetConverter(converter);
        }
    }
}

TEST(Charset, RefusesNamesNobodyKnows) {
    for (const char* name : {"MacChineseSimp", "MacMacChineseTrad", "NoSuchCharset", static_cast<const char*>(nullptr)}) {
        CharsetOpenStatus status = CharsetOpenStatus::kOpened;
        EXPECT_EQ(platform::openCharsetConverter(name, kTo, &status), nullptr);
        EXPECT_EQ(status, CharsetOpenStatus::kUnknownCharset);
    }
    EXPECT_EQ(platform::openCharsetConverter("MacRoman", static_cast<CharsetDirection>(2)), nullptr);
}

TEST(Charset, LackOfMemoryIsToldApartFromAnUnknownName) {
    for (const char* name : {"MacRoman", "MacGreek"}) {
        platform::ScopedAllocationFailure failNext(1);
        CharsetOpenStatus status = CharsetOpenStatus::kOpened;
        EXPECT_EQ(platform::openCharsetConverter(name, kTo, &status), nullptr);
        EXPECT_EQ(status, CharsetOpenStatus::kOutOfMemory);
    }
}

struct SkipCase {
    const char* title;
    const char* charset;
    CharsetDirection direction;
    Bytes input;
    Bytes expected;
    std::size_t skipped;
};

TEST(Charset, SkipsEachUnconvertibleCharacterAndConvertsTheRest) {
    const SkipCase cases[] = {
        {"byte undefined in WINDOWS-1253", "WINDOWS-1253", kTo, Bytes("\xCA\xAA\xE1", 3), utf16(u"Κα"), 1},
        {"two invalid UTF-8 bytes", "UTF-8", kTo, Bytes("a\xFF" "b\x80" "c"), utf16(u"abc"), 2},
        {"UTF-8 lead byte without its continuation", "UTF-8", kTo, Bytes("a\xE2" "Ab"), utf16(u"aAb"), 1},
        {"Shift-JIS byte that starts nothing", "SHIFT-JIS", kTo, Bytes("\x82\xA0\xFD" "A"), utf16(u"あA"), 1},
        {"Chinese character in Greek", "WINDOWS-1253", kFrom, utf16(u"Κ中α"), Bytes("\xCA\xE1"), 1},
        {"pair of surrogates, skipped unit by unit", "MacRoman", kFrom, utf16(u"a\xD83D\xDE00" "b"), "ab", 2},
        {"lone low surrogate", "WINDOWS-1252", kFrom, utf16(u"a\xDC00" "b"), "ab", 1},
        {"several in a row", "WINDOWS-1252", kFrom, utf16(u"中文x字"), "x", 3},
        {"Chinese character in MacGreek", "MacGreek", kFrom, utf16(u"α中β"), Bytes("\xE1\xE2"), 1},
        {"nothing convertible at all", "MacHebrew", kFrom, utf16(u"中文"), "", 2},
    };
    for (const auto& c : cases) {
        const Converted result = convert(c.charset, c.direction, c.input);
        EXPECT_EQ(result.output, c.expected) << c.title;
        EXPECT_EQ(result.counts.skipped, c.skipped) << c.title;
        EXPECT_EQ(result.counts.bytesRead, c.input.size()) << c.title;
    }
}

struct StopCase {
    const char* title;
    const char* charset;
    CharsetDirection direction;
    Bytes input;
    std::size_t capacity;
    Bytes expected;
    std::size_t bytesRead;
};

TEST(Charset, StopsAtAFullOutputOrAnIncompleteLastCharacterKeepingWhatWasDone) {
    const StopCase cases[] = {
        {"UTF-8 output ends before the euro sign", "UTF-8", kFrom, utf16(u"aé€"), 4, "a\xC3\xA9", 4},
        {"UTF-16 output of odd size", "MacRoman", kTo, "abc", 3, utf16(u"a"), 1},
        {"table output full", "MacArabic", kTo, "abc", 4, utf16(u"ab"), 2},
        {"table input full, output of one byte", "MacArabic", kFrom, utf16(u"ab"), 1, "a", 2},
        {"no room at all", "WINDOWS-1252", kFrom, utf16(u"ab"), 0, "", 0},
        {"odd byte of UTF-16 input", "WINDOWS-1252", kFrom, utf16(u"ab") + 'x', 16, "ab", 4},
        {"odd byte of UTF-16 input to a table", "MacGreek", kFrom, utf16(u"ab") + 'x', 16, "ab", 4},
        {"high surrogate at the end", "UTF-8", kFrom, utf16(u"a\xD83D"), 16, "a", 2},
        {"Shift-JIS lead byte at the end", "SHIFT-JIS", kTo, "a\x82", 16, utf16(u"a"), 1},
    };
    for (const auto& c : cases) {
        const Converted result = convert(c.charset, c.direction, c.input, c.capacity);
        EXPECT_EQ(result.output, c.expected) << c.title;
        EXPECT_EQ(result.counts.bytesRead, c.bytesRead) << c.title;
        EXPECT_EQ(result.counts.skipped, 0u) << c.title;
    }
}

TEST(Charset, ConvertsNothingWithoutConverterInputOrOutput) {
    char output[8];
    EXPECT_EQ(platform::convertCharsetText(nullptr, "a", 1, output, sizeof output).bytesWritten, 0u);
    platform::CharsetConverter* converter = platform::openCharsetConverter("MacRoman", kTo);
    EXPECT_EQ(platform::convertCharsetText(converter, nullptr, 1, output, sizeof output).bytesWritten, 0u);
    EXPECT_EQ(platform::convertCharsetText(converter, "a", 1, nullptr, 8).bytesWritten, 0u);
    platform::closeCharsetConverter(converter);
    platform::closeCharsetConverter(converter);  // closing twice is harmless
}

struct MacByteCase {
    const char* charset;
    unsigned char byte;
    char16_t unit;
};

// Bytes from the published Apple tables, the decode-only ones among them: such a byte reads as a character
// whose own byte is another one.
TEST(Charset, OwnMacTablesReadAndWriteTheirCharacters) {
    const MacByteCase cases[] = {
        {"MacGreek", 0xE1, u'α'},   {"MacGreek", 0x9C, u'€'},   {"MacGreek", 0xFF, 0x00AD},  {"MacGreek", 0xA1, u'Γ'},
        {"MacArabic", 0xC7, u'ا'},  {"MacArabic", 0xB0, u'٠'},  {"MacArabic", 0xFF, u'ے'},  {"MacArabic", 0x41, u'A'},
        {"MacHebrew", 0xE0, u'א'},  {"MacHebrew", 0xA6, u'₪'},  {"MacHebrew", 0x81, 0xFB1F}, {"MacHebrew", 0xC2, 0xF89B},
    };
    for (const auto& c : cases) {
        const Bytes byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(convert(c.charset, kTo, byte).output, utf16(std::u16string(1, c.unit))) << c.charset << " " << +c.byte;
        EXPECT_EQ(convert(c.charset, kFrom, utf16(std::u16string(1, c.unit))).output, byte) << c.charset << " " << +c.byte;
    }

    const MacByteCase decodeOnly[] = {
        {"MacArabic", 0xA0, u' '}, {"MacArabic", 0xDB, u'['}, {"MacArabic", 0xBA, u':'},
        {"MacHebrew", 0xFE, u'['}, {"MacHebrew", 0xC0, u'ל'},
    };
    for (const auto& c : decodeOnly) {
        const Bytes byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(convert(c.charset, kTo, byte).output, utf16(std::u16string(1, c.unit))) << c.charset << " " << +c.byte;
        EXPECT_NE(convert(c.charset, kFrom, utf16(std::u16string(1, c.unit))).output, byte) << c.charset << " " << +c.byte;
    }
    EXPECT_EQ(convert("MacHebrew", kFrom, utf16(u"ל")).output, "\xEC");
}

// Every byte reads as a character, and every character read is written back as a byte that reads the same:
// the text survives a round trip whole, whichever of two bytes a character came from.
TEST(Charset, OwnMacTablesRoundTripEveryByte) {
    Bytes everyByte;
    for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
    for (const char* charset : {"MacGreek", "MacArabic", "MacHebrew"}) {
        const Converted text = convert(charset, kTo, everyByte, 1024);
        ASSERT_EQ(text.output.size(), 512u) << charset;
        const Converted written = convert(charset, kFrom, text.output, 1024);
        EXPECT_EQ(written.counts.skipped, 0u) << charset;
        ASSERT_EQ(written.output.size(), 256u) << charset;
        EXPECT_EQ(convert(charset, kTo, written.output, 1024).output, text.output) << charset;
        EXPECT_EQ(written.output.substr(0, 128), everyByte.substr(0, 128)) << charset;
    }
}

}  // namespace
