// Output file names: the input name cut at its last '.', the smallest free number, the exporter's
// suffix, date names, sheet names made safe, and names kept within the file system's limit.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/export/output/OutputNaming.h"
#include "engine/translators/TranslatorDescriptors.h"
#include "foundation/encoding/Utf8Codec.h"
#include "platform/process/Clock.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

using enginetest::pascal;

struct NamingCase {
    const char* input;
    int exporterIndex;
    std::vector<std::string> existing;  // files (a trailing '/' makes a folder) in the output folder
    bool unique;
    const char* expected;
};

class OutputNamingTest : public ::testing::TestWithParam<NamingCase> {};

TEST_P(OutputNamingTest, MakesTheOutputName) {
    const NamingCase& c = GetParam();
    testsupport::TemporaryFolder folder;
    for (const std::string& item : c.existing) {
        if (item.back() == '/') std::filesystem::create_directory(folder.file(item));
        else enginetest::writeBytes(folder.file(item), "x");
    }
    PascalWString name = pascal(c.input);
    makeOutputName(exporterDescriptors[c.exporterIndex], name, pascal(folder.path()), c.unique, false,
                   nameExistsOnDisk);
    EXPECT_EQ(pstringToUtf8(name), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, OutputNamingTest,
    ::testing::Values(NamingCase{"Report.docx", exporter::kRTF, {"Report.rtf", "Report1.rtf"}, true, "Report2.rtf"},
                      NamingCase{"Report", exporter::kRTF, {"Report.rtf", "Report1.rtf"}, true, "Report2.rtf"},
                      NamingCase{"archive.tar.docx", exporter::kRTF, {}, true, "archive.tar.rtf"},
                      NamingCase{".docx", exporter::kRTF, {}, true, ".rtf"},
                      NamingCase{"Book.xlsx", exporter::kCSV, {}, true, "Book.csv"},
                      NamingCase{"Book.xlsx", exporter::kCSV, {"Book.csv/"}, true, "Book1.csv"},
                      NamingCase{"Report.docx", exporter::kRTF, {"Report.rtf"}, false, "Report.rtf"},
                      NamingCase{"Notes.docx", exporter::kText, {}, true, "Notes.txt"},
                      NamingCase{"Notes.docx", exporter::kUnicode, {"Notes.txt"}, true, "Notes1.txt"},
                      NamingCase{"Q1.2009", exporter::kCSV, {}, true, "Q1.csv"}));

TEST(OutputNamingRulesTest, SuffixComesFromTheDescriptor) {
    TranslatorDescriptor descriptor = exporterDescriptors[exporter::kRTF];
    const auto never = [](const PascalWString&, const PascalWString&) { return false; };
    PascalWString name = pascal("Report.docx");
    descriptor.rules[0].extension[0] = '\0';
    makeOutputName(descriptor, name, pascal("/"), true, false, never);
    EXPECT_EQ(pstringToUtf8(name), "Report") << "neither suffix nor extension: the base alone";
    name = pascal("Report.docx");
    std::snprintf(descriptor.outputSuffix, sizeof descriptor.outputSuffix, "%s", "-converted.rtf");
    makeOutputName(descriptor, name, pascal("/"), true, false, never);
    EXPECT_EQ(pstringToUtf8(name), "Report-converted.rtf");
}

TEST(OutputNamingRulesTest, DateNamesCarryHoursMinutesAndSeconds) {
    platform::setLocalTimeForTesting([] {
        std::tm time{};
        time.tm_year = 126;
        time.tm_mon = 11;
        time.tm_mday = 9;
        time.tm_hour = 10;
        time.tm_min = 29;
        time.tm_sec = 49;
        return time;
    });
    int asked = 0;
    const auto firstTaken = [&asked](const PascalWString&, const PascalWString&) { return asked++ == 0; };
    PascalWString name = pascal("Report.docx");
    makeOutputName(exporterDescriptors[exporter::kRTF], name, pascal("/"), false, true, firstTaken);
    EXPECT_EQ(pstringToUtf8(name), "2026-12-09-102949.rtf");
    name = pascal("Other.docx");
    makeOutputName(exporterDescriptors[exporter::kRTF], name, pascal("/"), true, true, firstTaken);
    EXPECT_EQ(pstringToUtf8(name), "2026-12-09-1029491.rtf") << "the same second again gets a number";
    platform::setLocalTimeForTesting({});
}

// Names longer than a file name may be: the base gives way, never inside a character, and the number
// and suffix stay whole.
TEST(OutputNamingRulesTest, LongNamesAreShortenedKeepingNumberAndSuffix) {
    struct LongCase {
        std::u16string base;
        std::size_t characterUnits;  // units of one character of the base
    };
    for (const LongCase& c : {LongCase{std::u16string(300, u'a'), 1}, LongCase{std::u16string(200, u'\u00e9'), 1},
                              LongCase{[] {
                                           std::u16string text;
                                           for (int i = 0; i < 120; ++i) text += u"\U0001F600";
                                           return text;
                                       }(),
                                       2}}) {
        std::u16string input = c.base + u".docx";
        PascalWString name = makePascal(input.substr(0, 250));
        int asked = 0;
        const auto firstTaken = [&asked](const PascalWString&, const PascalWString&) { return asked++ == 0; };
        makeOutputName(exporterDescriptors[exporter::kRTF], name, pascal("/"), true, false, firstTaken);
        const std::string utf8 = pstringToUtf8(name);
        EXPECT_LE(utf8.size(), static_cast<std::size_t>(kMaxFileNameBytes));
        EXPECT_GT(utf8.size(), static_cast<std::size_t>(kMaxFileNameBytes - 5));
        EXPECT_EQ(utf8.substr(utf8.size() - 5), "1.rtf") << "number and suffix kept";
        const std::u16string units(name.view());
        const std::u16string base = units.substr(0, units.size() - 5);
        EXPECT_EQ(base, c.base.substr(0, base.size())) << "only the end of the base goes";
        EXPECT_EQ(base.size() % c.characterUnits, 0u) << "no character is cut";
    }
}

TEST(OutputNamingRulesTest, SheetNamesAreMadeSafe) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"Sales", "Sales"}, {"a/b", "ab"},    {"../../etc", "etc"}, {"a..b", "ab"},
        {"", "Sheet3"},     {"..", "Sheet3"}, {".", "Sheet3"},      {"/", "Sheet3"},
    };
    for (const auto& [stored, expected] : cases)
        EXPECT_EQ(pstringToUtf8(safeSheetName(stored, 2)), expected) << stored;
    EXPECT_EQ(pstringToUtf8(safeSheetName(nullptr, 0)), "Sheet1");
    const std::string longName(400, 'z');
    EXPECT_LE(pstringToUtf8(safeSheetName(longName.c_str(), 0)).size(), static_cast<std::size_t>(kMaxFileNameBytes));
}

}  // namespace
