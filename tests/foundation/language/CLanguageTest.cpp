#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/language/CLanguage.h"
#include "foundation/language/UIStrings.h"
#include "foundation/language/LanguageDataLines.h"
#include "platform/process/AllocationFailure.h"
#include "platform/files/Folders.h"
#include "tests/support/TemporaryFolder.h"

namespace {

const char* const kDataFiles[] = {"characters.map", "characters.exp", "characters.blk"};

std::string fixture(const std::string& name) {
    return std::string(VDK_TEST_DATA_DIR) + "/language/" + name;
}

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The program's folder points at a temporary folder holding the data files the test gives.
class CLanguageTest : public ::testing::Test {
protected:
    void SetUp() override { platform::overrideFolderForTesting(platform::Folder::Program, folder.path()); }
    void TearDown() override { platform::overrideFolderForTesting(platform::Folder::Program, ""); }

    void copyFixtures() {
        for (const char* name : kDataFiles) writeFile(folder.file(name), contentsOf(fixture(name)));
    }

    testsupport::TemporaryFolder folder;
};

// The look-ups take the name as a writable text and cut it in place.
std::uint16_t idOf(const CLanguage& tables, const char* name) {
    std::string text(name);
    return tables.languageId(text.data());
}

std::uint32_t tagOf(const CLanguage& tables, const char* name) {
    std::string text(name);
    return tables.scriptTag(text.data());
}

enum class LookUp { LanguageId, ScriptTag, Encoding };

struct LookUpCase {
    LookUp kind;
    const char* name;       // languageId and scriptTag
    std::uint16_t unit;     // encodingOfChar
    std::uint16_t language;  // encodingOfChar
    std::uint32_t expected;
    const char* why;
};

constexpr LookUp kId = LookUp::LanguageId;
constexpr LookUp kTag = LookUp::ScriptTag;
constexpr LookUp kCode = LookUp::Encoding;

std::uint32_t answer(const CLanguage& tables, const LookUpCase& c) {
    switch (c.kind) {
        case LookUp::LanguageId: return idOf(tables, c.name);
        case LookUp::ScriptTag: return tagOf(tables, c.name);
        case LookUp::Encoding: return static_cast<std::uint32_t>(tables.encodingOfChar(c.unit, c.language));
    }
    return 0;
}

TEST_F(CLanguageTest, AnswersTheLookUpsFromItsThreeFiles) {
    copyFixtures();
    CLanguage tables;
    const LookUpCase cases[] = {
        {kId, "en-US", 0, 0, 1033, "a region part is cut off"},
        {kId, "fr-CA", 0, 0, 1036, "a section named in capitals answers lower case"},
        {kId, "Ja", 0, 0, 1041, "letter case does not count"},
        {kId, "nonum", 0, 0, 0, "a header without a number gives 0"},
        {kId, "one", 0, 0, 0, "a header with one blank: its word is no number"},
        {kId, "bare", 0, 0, 1028, "a header whose only word is the number"},
        {kId, "last", 0, 0, 7777, "the last section of the file"},
        {kId, "xx-YY", 0, 0, 1033, "no section: the default"},
        {kId, "", 0, 0, 1033, "an empty name"},
        {kId, "-en", 0, 0, 1033, "cut at its first '-', nothing is left"},
        {kId, "toolongname", 0, 0, 1033, "a section name longer than 7 characters is refused"},
        {kId, "broken", 0, 0, 1033, "a header without ']' starts no section"},
        {kId, "1049", 0, 0, 1049, "a name that begins with a digit is its own number"},
        {kId, "2052-x", 0, 0, 2052, "the number ends at the first non-digit"},
        {kId, "70000", 0, 0, 1033, "a number beyond 16 bits is no language id"},
        {kTag, "ja-JP", 0, 0, scriptTagValue("Jpan"), "the first script entry"},
        {kTag, "en", 0, 0, scriptTagValue("Latn"), "the first section of a name wins"},
        {kTag, "nonum", 0, 0, scriptTagValue("Cyrl"), ""},
        {kTag, "ko", 0, 0, scriptTagValue("Hang"), "an entry line without brackets is skipped, not counted"},
        {kTag, "zh-Hant-TW", 0, 0, scriptTagValue("Hans"), "answered from the primary subtag"},
        {kTag, "xx", 0, 0, kLatinScriptTag, "no section: Latin"},
        {kTag, "bare", 0, 0, kLatinScriptTag, "a section without script entries: Latin"},
        {kCode, nullptr, 'A', 1033, 1280, "a block marked 0"},
        {kCode, nullptr, 0x0000, 1033, 1280, "an exception line without a code is skipped"},
        {kCode, nullptr, 0x0152, 1033, 1280, "an exception in a block of another encoding"},
        {kCode, nullptr, 0x0153, 1033, 1281, "an exception line without an encoding is skipped"},
        {kCode, nullptr, 0x0100, 1033, 1281, "the first line of a low bound wins"},
        {kCode, nullptr, 0x01A0, 1033, 1280, "in no block"},
        {kCode, nullptr, 0x20AC, 1033, 0, "an exception is answered as it stands, 0 included"},
        {kCode, nullptr, 0x00E9, 1033, 1280, "an exception line without ';' is skipped"},
        {kCode, nullptr, 0x00EA, 1033, 1280, "an exception line without a blank is skipped"},
        {kCode, nullptr, 0x0416, 1049, 1282, ""},
        {kCode, nullptr, 0x03B1, 1032, 1283, ""},
        {kCode, nullptr, 0x0E01, 1054, 1053, ""},
        {kCode, nullptr, 0x0627, 1025, 1280, "a block line without a second ';' has the encoding 0"},
        {kCode, nullptr, 0x05D0, 1037, 1280, "a single byte after the second ';' is no encoding"},
        {kCode, nullptr, 0x0530, 1067, 1280, "a block line without '.' is skipped"},
        {kCode, nullptr, 0x0700, 1114, 1280, "a block line without a high bound is skipped"},
        {kCode, nullptr, 0x2000, 1033, 1280, "a block whose high bound is below its low is skipped"},
        {kCode, nullptr, 0x4E00, 1041, 1282, "the exceptions answer before the blocks"},
        {kCode, nullptr, 0x4E01, 1041, 1056, "0xFFFF: Japanese"},
        {kCode, nullptr, 0x4E01, 1033, 1056, "0xFFFF: any other language is Japanese"},
        {kCode, nullptr, 0x4E01, 1042, 1058, "0xFFFF: Korean"},
        {kCode, nullptr, 0x4E01, 1028, 1059, "0xFFFF: Traditional Chinese"},
        {kCode, nullptr, 0x3042, 2052, 1057, "0xFFFF: Simplified Chinese"},
        {kCode, nullptr, 0xFFFF, 1033, 1280, "in no table"},
    };
    for (const LookUpCase& c : cases) {
        EXPECT_EQ(answer(tables, c), c.expected)
            << (c.name ? c.name : "") << " U+" << std::hex << c.unit << std::dec << " (" << c.why << ")";
    }
}

TEST_F(CLanguageTest, KeepsEachSectionsTextsCutToTheirFields) {
    copyFixtures();
    CLanguage tables;
    char name[] = "en-GB";
    const LanguageRecord* english = tables.findLanguage(name);
    EXPECT_STREQ(name, "en");  // the caller's text is cut
    ASSERT_NE(english, nullptr);
    EXPECT_STREQ(english->description, "English (United States)");

    char japanese[] = "ja";
    const LanguageRecord* record = tables.findLanguage(japanese);
    ASSERT_NE(record, nullptr);
    const char* tags[] = {"Jpan", "Hani", "Hira", "Kana"};  // the fifth entry does not fit
    for (int i = 0; i < kScriptEntryCount; ++i) EXPECT_EQ(std::string(record->scripts[i].tag, 4), tags[i]);
    EXPECT_STREQ(record->scripts[3].name, "Katakana");

    char chinese[] = "zh";
    record = tables.findLanguage(chinese);
    ASSERT_NE(record, nullptr);
    EXPECT_STREQ(record->scripts[0].name, "Han Simplified, a name ");  // 23 characters

    char one[] = "one";
    record = tables.findLanguage(one);
    ASSERT_NE(record, nullptr);
    EXPECT_STREQ(record->description, "");
    EXPECT_EQ(tables.findLanguage(nullptr), nullptr);
}

TEST_F(CLanguageTest, ReadsCarriageReturnLinesAndStopsAtTheLastLineFeed) {
    writeFile(folder.file("characters.map"), "[de] German 1031\r\n [Latn] Latin\r\n[it] Italian 1040");
    writeFile(folder.file("characters.exp"), "0152 OE; 500\r\n");
    writeFile(folder.file("characters.blk"), "0100..017F; Latin Extended-A; 501\r\n0400..04FF; Cyrillic; 502");
    CLanguage tables;
    EXPECT_EQ(idOf(tables, "de"), 1031);
    char german[] = "de";
    EXPECT_STREQ(tables.findLanguage(german)->scripts[0].name, "Latin");
    EXPECT_EQ(idOf(tables, "it"), 1033);  // after the last line feed: not read
    EXPECT_EQ(tables.encodingOfChar(0x0152, 1033), 1280);
    EXPECT_EQ(tables.encodingOfChar(0x0153, 1033), 1281);
    EXPECT_EQ(tables.encodingOfChar(0x0416, 1033), 1280);
}

// ASCII units are answered from a table of their own, which must follow the files as the trees do.
TEST_F(CLanguageTest, AsciiUnitsFollowTheTablesAsReadAndReadAgain) {
    writeFile(folder.file("characters.map"), "[ja] Japanese 1041\n");
    writeFile(folder.file("characters.exp"), "0041 A; 502\n");
    writeFile(folder.file("characters.blk"), "0000..003F; Low; FFFF\n0040..007F; High; 501\n");
    CLanguage tables;
    EXPECT_EQ(tables.encodingOfChar('A', 1033), 0x502) << "an exception";
    EXPECT_EQ(tables.encodingOfChar('B', 1033), 0x501) << "a block";
    EXPECT_EQ(tables.encodingOfChar('1', 1042), 1058) << "a block left to the language";
    EXPECT_EQ(tables.encodingOfChar('1', 1041), 1056);

    writeFile(folder.file("characters.exp"), "");
    writeFile(folder.file("characters.blk"), "0000..007F; Basic Latin; 0\n");
    tables.readExceptions();
    EXPECT_EQ(tables.encodingOfChar('A', 1033), 0x501) << "the exceptions read again, the blocks not yet";
    tables.readBlocks();
    EXPECT_EQ(tables.encodingOfChar('A', 1033), 1280);
    EXPECT_EQ(tables.encodingOfChar('1', 1042), 1280);

    std::filesystem::remove(folder.file("characters.blk"));
    EXPECT_THROW(tables.readBlocks(), CFail);
    EXPECT_EQ(tables.encodingOfChar('B', 1033), 1280) << "a failed read leaves the answers to what was read";
}

TEST_F(CLanguageTest, EmptyFilesGiveEmptyTables) {
    for (const char* name : kDataFiles) writeFile(folder.file(name), "");
    CLanguage tables;
    EXPECT_EQ(idOf(tables, "en"), 1033);
    EXPECT_EQ(tagOf(tables, "en"), kLatinScriptTag);
    EXPECT_EQ(tables.encodingOfChar(0x4E00, 1041), 1280);
    EXPECT_EQ(tables.zeroAnswer1(7), 0);
    EXPECT_EQ(tables.zeroAnswer2(7, 8), 0);
    EXPECT_EQ(tables.zeroAnswer4(7, 8, 9, 10), 0);
}

std::int16_t constructionFailure() {
    try {
        CLanguage tables;
    } catch (const CFail& fail) {
        EXPECT_STREQ(fail.fileName, "BLanguage");
        return fail.error;
    }
    return 0;
}

TEST_F(CLanguageTest, AMissingFileFailsWithItsOpenErrorAndRegistersNothing) {
    for (const char* missing : kDataFiles) {
        copyFixtures();
        std::filesystem::remove(folder.file(missing));
        EXPECT_EQ(constructionFailure(), 2) << missing;
        EXPECT_EQ(languageTables(), nullptr);
    }
}

TEST_F(CLanguageTest, TablesReadBeforeAFailingFileStay) {
    copyFixtures();
    std::filesystem::remove(folder.file("characters.exp"));
    CLanguage tables(CLanguage::Unread{});
    tables.readLanguages();
    try {
        tables.readExceptions();
        ADD_FAILURE() << "a missing file was read";
    } catch (const CFail& fail) {
        EXPECT_EQ(fail.error, 2);
    }
    EXPECT_EQ(idOf(tables, "fr"), 1036);
    EXPECT_EQ(tables.encodingOfChar(0x0416, 1049), 1280);  // the blocks were never read
    EXPECT_EQ(languageTables(), nullptr);  // tables made this way are not registered
}

TEST_F(CLanguageTest, RegistersItselfUntilItIsDestroyed) {
    copyFixtures();
    EXPECT_EQ(languageTables(), nullptr);
    {
        CLanguage tables;
        EXPECT_EQ(languageTables(), &tables);
    }
    EXPECT_EQ(languageTables(), nullptr);
}

TEST_F(CLanguageTest, EveryAllocationFailureFailsWith12AndLeaksNothing) {
    copyFixtures();
    loadUniText(nullptr, 10708);  // the program's texts are in place before any table is read, as at start-up
    for (std::int64_t n = 1;; ++n) {
        ASSERT_LT(n, 1000) << "construction never succeeds";
        platform::ScopedAllocationFailure failure(n);
        try {
            CLanguage tables;
            EXPECT_EQ(idOf(tables, "ja"), 1041);
            break;
        } catch (const CFail& fail) {
            EXPECT_EQ(fail.error, 12) << "allocation " << n;
        }
        EXPECT_EQ(languageTables(), nullptr);
    }
}

// The files that ship with the program, as the build copies them beside it.
class ShippedLanguageTables : public ::testing::Test {
protected:
    void SetUp() override { platform::overrideFolderForTesting(platform::Folder::Program, VDK_RUNTIME_DIR); }
    void TearDown() override { platform::overrideFolderForTesting(platform::Folder::Program, ""); }

    std::string shipped(const char* name) const { return contentsOf(std::string(VDK_RUNTIME_DIR) + "/" + name); }
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST_F(ShippedLanguageTables, AnswerTheLanguagesAndCharactersTheImportersMeet) {
    CLanguage tables;
    const LookUpCase cases[] = {
        {kId, "en-US", 0, 0, 1033, ""},       {kId, "en-GB", 0, 0, 1033, ""},
        {kId, "de-DE", 0, 0, 1031, ""},       {kId, "fr-FR", 0, 0, 1036, ""},
        {kId, "es-ES", 0, 0, 3082, ""},       {kId, "ja-JP", 0, 0, 1041, ""},
        {kId, "ko-KR", 0, 0, 1042, ""},       {kId, "zh-CN", 0, 0, 2052, ""},
        {kId, "ar-SA", 0, 0, 1025, ""},       {kId, "he-IL", 0, 0, 1037, ""},
        {kId, "ru-RU", 0, 0, 1049, ""},       {kId, "sr-Latn-RS", 0, 0, 9242, ""},
        {kId, "th-TH", 0, 0, 1054, ""},       {kId, "fil-PH", 0, 0, 1124, ""},
        {kTag, "ja-JP", 0, 0, scriptTagValue("Jpan"), ""},
        {kTag, "ko-KR", 0, 0, scriptTagValue("Hang"), ""},
        {kTag, "zh-CN", 0, 0, scriptTagValue("Hans"), ""},
        {kTag, "ar-SA", 0, 0, scriptTagValue("Arab"), ""},
        {kTag, "ru-RU", 0, 0, scriptTagValue("Cyrl"), ""},
        {kTag, "hi-IN", 0, 0, scriptTagValue("Deva"), ""},
        {kTag, "en-US", 0, 0, kLatinScriptTag, ""},
        {kCode, nullptr, 0x0105, 1045, 1281, "Latin Extended-A"},
        {kCode, nullptr, 0x011E, 1055, 1284, "Turkish only"},
        {kCode, nullptr, 0x0101, 1062, 1287, "Baltic"},
        {kCode, nullptr, 0x0416, 1049, 1282, "Cyrillic"},
        {kCode, nullptr, 0x03B1, 1032, 1283, "Greek"},
        {kCode, nullptr, 0x05D0, 1037, 1285, "Hebrew"},
        {kCode, nullptr, 0x0628, 1025, 1286, "Arabic"},
        {kCode, nullptr, 0x0E01, 1054, 1053, "Thai"},
        {kCode, nullptr, 0x0905, 1081, 1280, "Devanagari has no code page"},
        {kCode, nullptr, 0x6F22, 1041, 1056, "Han in Japanese"},
        {kCode, nullptr, 0x6F22, 2052, 1057, "Han in Simplified Chinese"},
        {kCode, nullptr, 0x6F22, 1028, 1059, "Han in Traditional Chinese"},
        {kCode, nullptr, 0x3042, 1033, 1056, "Hiragana"},
        {kCode, nullptr, 0xD55C, 1042, 1058, "Hangul"},
        {kCode, nullptr, 0xFF01, 1041, 1056, "full-width forms"},
    };
    for (const LookUpCase& c : cases) {
        EXPECT_EQ(answer(tables, c), c.expected)
            << (c.name ? c.name : "") << " U+" << std::hex << c.unit << std::dec << " (" << c.why << ")";
    }
    // Windows Latin 1 wherever its characters live.
    for (char16_t unit : std::u16string(u"Az\u00E9\u00FF\u0152\u0153\u0160\u0161\u0178\u017D\u017E\u0192\u02C6\u02DC"
                                        u"\u2013\u2014\u2018\u2019\u201C\u201D\u2022\u2026\u2030\u2039\u203A\u20AC\u2122")) {
        EXPECT_EQ(tables.encodingOfChar(unit, 1033), 1280) << "U+" << std::hex << static_cast<int>(unit);
    }
}

// The theme's fallback fonts ask for the script of a language by its Windows id.
TEST_F(ShippedLanguageTables, AnswerTheScriptOfALanguageId) {
    CLanguage tables;
    const struct {
        std::uint32_t languageId;
        std::uint32_t expected;
    } cases[] = {
        {1041, scriptTagValue("Jpan")}, {1042, scriptTagValue("Hang")}, {2052, scriptTagValue("Hans")},
        {1025, scriptTagValue("Arab")}, {1049, scriptTagValue("Cyrl")}, {1033, kLatinScriptTag},
        {0, kLatinScriptTag},           {0x10411, kLatinScriptTag},
    };
    for (const auto& c : cases) EXPECT_EQ(tables.scriptForLanguage(c.languageId), c.expected) << c.languageId;
}

// A line the tables skip is a line lost from the shipped data: every line must read.
TEST_F(ShippedLanguageTables, HoldNoLineTheTablesSkip) {
    CLanguage tables;
    std::int32_t sections = 0;
    for (const std::string& line : linesOf(shipped("characters.map"))) {
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == ' ') {
            ScriptEntry entry;
            EXPECT_TRUE(readScriptEntry(line, entry)) << line;
            continue;
        }
        LanguageRecord header;
        ASSERT_TRUE(readSectionHeader(line, header)) << line;
        ++sections;
        EXPECT_NE(header.languageId, 0) << line;
        std::string name(header.name);
        const LanguageRecord* record = tables.findLanguage(name.data());
        ASSERT_NE(record, nullptr) << line;
        EXPECT_EQ(std::memcmp(record, &header, offsetof(LanguageRecord, scripts)), 0) << "a second section " << line;
        EXPECT_NE(record->scripts[0].tag[0], 0) << line;
    }
    EXPECT_GT(sections, 100);
    for (const char* file : {"characters.exp", "characters.blk"}) {
        for (const std::string& line : linesOf(shipped(file))) {
            if (line.empty() || line[0] == '#') continue;
            RangeRecord record;
            const bool read = std::string(file) == "characters.exp" ? readExceptionLine(line, record)
                                                                     : readBlockLine(line, record);
            EXPECT_TRUE(read) << file << ": " << line;
            EXPECT_NE(record.name[0], 0) << file << ": " << line;
        }
    }
}

}  // namespace
