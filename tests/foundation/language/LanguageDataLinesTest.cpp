#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/language/LanguageDataLines.h"

namespace {

// Each line lives in a heap block of exactly its size, so a reader that looks one byte past the
// line is caught by the address sanitizer.
class ExactLine {
public:
    explicit ExactLine(std::string_view text) : bytes(new char[text.size() ? text.size() : 1]), size(text.size()) {
        std::memcpy(bytes.get(), text.data(), text.size());
    }
    std::string_view view() const { return {bytes.get(), size}; }

private:
    std::unique_ptr<char[]> bytes;
    std::size_t size;
};

std::string tagOf(const ScriptEntry& entry) {
    return std::string(entry.tag, strnlen(entry.tag, kScriptTagSize));
}

struct HeaderCase {
    const char* line;
    bool starts;
    const char* name;
    const char* description;
    std::uint16_t id;
};

TEST(LanguageDataLines, SectionHeaders) {
    const std::string longDescription(80, 'd');
    const std::string longLine = "[xx] " + longDescription + " 1049";
    const HeaderCase cases[] = {
        {"[en] English (United States) 1033", true, "en", "English (United States)", 1033},
        {"[abcdefg] Seven 1", true, "abcdefg", "Seven", 1},
        {"[abcdefgh] Eight 1", false, "", "", 0},
        {"[] Empty name 1", false, "", "", 0},
        {"[en English 1033", false, "", "", 0},
        {"[en]", true, "en", "", 0},
        {"[en] 1033", true, "en", "", 1033},
        {"[en] English", true, "en", "", 0},
        {"[en] English ", true, "en", "English", 0},
        {"[en] English 70000", true, "en", "English", 0},
        {"[en] English 12x", true, "en", "English", 12},
        {"[", false, "", "", 0},
        {"[]", false, "", "", 0},
        {"[en] ", true, "en", "", 0},
        {longLine.c_str(), true, "xx", "ddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddd", 1049},
    };
    for (const HeaderCase& c : cases) {
        const ExactLine line(c.line);
        LanguageRecord record;
        std::memset(&record, 0x5A, sizeof record);
        ASSERT_EQ(readSectionHeader(line.view(), record), c.starts) << c.line;
        if (!c.starts) continue;
        EXPECT_STREQ(record.name, c.name) << c.line;
        EXPECT_STREQ(record.description, c.description) << c.line;
        EXPECT_EQ(record.languageId, c.id) << c.line;
        EXPECT_EQ(record.scripts[0].tag[0], 0) << "the record is cleared: " << c.line;
    }
}

struct EntryCase {
    const char* line;
    bool read;
    const char* tag;
    const char* name;
};

TEST(LanguageDataLines, ScriptEntries) {
    const EntryCase cases[] = {
        {" [Latn] Latin", true, "Latn", "Latin"},
        {" [Hans] Han Simplified, and more than fits", true, "Hans", "Han Simplified, and mor"},
        {" [Ab] Short tag", true, "Ab", "Short tag"},
        {" [Latin] Long tag", true, "Lati", "Long tag"},
        {" [Latn]", true, "Latn", ""},
        {" [Latn] ", true, "Latn", ""},
        {" [Latn", false, "", ""},
        {" Latn] Latin", false, "", ""},
        {" ", false, "", ""},
        {" [", false, "", ""},
    };
    for (const EntryCase& c : cases) {
        const ExactLine line(c.line);
        ScriptEntry entry;
        ASSERT_EQ(readScriptEntry(line.view(), entry), c.read) << c.line;
        if (!c.read) continue;
        EXPECT_EQ(tagOf(entry), c.tag) << c.line;
        EXPECT_STREQ(entry.name, c.name) << c.line;
    }
}

struct RangeCase {
    const char* line;
    bool read;
    std::uint32_t low;
    std::uint32_t high;
    const char* name;
    std::int32_t encoding;
};

TEST(LanguageDataLines, Exceptions) {
    const RangeCase cases[] = {
        {"0152 LATIN CAPITAL LIGATURE OE; 500", true, 0x152, 0x152, "LATIN CAPITAL LIGATURE OE", 0x500},
        {"4E00 X; FFFF", true, 0x4E00, 0x4E00, "X", 0xFFFF},
        {"0152 ; 500", true, 0x152, 0x152, "", 0x500},
        {"0152x NAME; 501y", true, 0x152, 0x152, "NAME", 0x501},
        {"0152 NAME;500", true, 0x152, 0x152, "NAME", 0},  // the encoding begins two bytes after the ';'
        {"0152 NAME;", false, 0, 0, "", 0},
        {"0152 NAME; ", false, 0, 0, "", 0},
        {"0152 NAME 500", false, 0, 0, "", 0},
        {"0152;500", false, 0, 0, "", 0},
        {" NAME; 500", false, 0, 0, "", 0},
        {"ff NAME; 500", false, 0, 0, "", 0},  // lower case is no digit
        {"100000000 NAME; 500", false, 0, 0, "", 0},
        {"0152 NAME; 80000000", false, 0, 0, "", 0},
        {"", false, 0, 0, "", 0},
    };
    for (const RangeCase& c : cases) {
        const ExactLine line(c.line);
        RangeRecord record;
        ASSERT_EQ(readExceptionLine(line.view(), record), c.read) << c.line;
        if (!c.read) continue;
        EXPECT_EQ(record.low, c.low) << c.line;
        EXPECT_EQ(record.high, c.high) << c.line;
        EXPECT_STREQ(record.name, c.name) << c.line;
        EXPECT_EQ(record.textEncoding, c.encoding) << c.line;
    }
}

TEST(LanguageDataLines, Blocks) {
    const std::string longName = "0000..007F; " + std::string(70, 'n') + "; 0";
    const RangeCase cases[] = {
        {"0000..007F; Basic Latin; 0", true, 0x0, 0x7F, "Basic Latin", 0},
        {"4E00..9FFF; CJK Unified Ideographs; FFFF", true, 0x4E00, 0x9FFF, "CJK Unified Ideographs", 0xFFFF},
        {"20000..2A6DF; CJK Unified Ideographs Extension B; FFFF", true, 0x20000, 0x2A6DF,
         "CJK Unified Ideographs Extension B", 0xFFFF},
        {"0000..007F; Basic Latin", true, 0x0, 0x7F, "", 0},
        {"0100..017F; Latin;X", true, 0x100, 0x17F, "Latin", 0},
        {"0100..017F; Latin; x", true, 0x100, 0x17F, "Latin", 0},
        {"0100..017F;; 501", true, 0x100, 0x17F, "", 0x501},
        {"0100..017F;;", true, 0x100, 0x17F, "", 0},
        {"0100..0100;", true, 0x100, 0x100, "", 0},
        {longName.c_str(), true, 0x0, 0x7F, "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn", 0},
        {"0000..007F", false, 0, 0, "", 0},
        {"0000 007F; Basic Latin; 0", false, 0, 0, "", 0},
        {"0000.;x", false, 0, 0, "", 0},
        {"0000..; x; 0", false, 0, 0, "", 0},
        {"..007F; x; 0", false, 0, 0, "", 0},
        {"0080..007F; x; 0", false, 0, 0, "", 0},
        {".", false, 0, 0, "", 0},
        {"", false, 0, 0, "", 0},
    };
    for (const RangeCase& c : cases) {
        const ExactLine line(c.line);
        RangeRecord record;
        ASSERT_EQ(readBlockLine(line.view(), record), c.read) << c.line;
        if (!c.read) continue;
        EXPECT_EQ(record.low, c.low) << c.line;
        EXPECT_EQ(record.high, c.high) << c.line;
        EXPECT_STREQ(record.name, c.name) << c.line;
        EXPECT_EQ(record.textEncoding, c.encoding) << c.line;
    }
}

// Bytes that are no text (NUL, high bytes, a cut inside a UTF-8 character) stay inside their fields.
TEST(LanguageDataLines, CutTextsOnACharacterBoundary) {
    std::string line = "0100..017F; " + std::string(62, 'a') + "\xC3\xA9" + "; 501";
    const ExactLine accented(line);
    RangeRecord record;
    ASSERT_TRUE(readBlockLine(accented.view(), record));
    EXPECT_EQ(std::string(record.name), std::string(62, 'a'));  // the two-byte character does not fit

    const std::string withNul("0152 A\0B; 500", 13);
    const ExactLine binary(withNul);
    ASSERT_TRUE(readExceptionLine(binary.view(), record));
    EXPECT_EQ(record.textEncoding, 0x500);
    EXPECT_STREQ(record.name, "A");
}

}  // namespace
