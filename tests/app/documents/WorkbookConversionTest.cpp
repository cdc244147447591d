// Excel 2007 workbooks through the program: the fixture workbooks (scripts/make-spreadsheet-fixtures.py)
// converted to CSV and compared byte for byte with their golden files; workbooks with a missing style
// part or a broken worksheet failing alone, with the part and the reason in the report log, while the
// rest of the batch converts.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/app/ProgramRunSupport.h"
#include "tests/support/FileBytes.h"

namespace {

using apptest::RunResult;
using testsupport::readBytes;
using testsupport::writeBytes;

const std::string kFixtures = VDK_TEST_DATA_DIR "/../import/spreadsheet/";
const std::string kGoldenFolder = VDK_TEST_DATA_DIR "/workbooks/";

class WorkbookConversionTest : public apptest::ProgramRunTest {
protected:
    void copyFixture(const std::string& name) {
        std::filesystem::copy_file(kFixtures + name, temporary.file(name),
                                   std::filesystem::copy_options::overwrite_existing);
    }

    // Logs go to the default logs folder; the preferences are the defaults otherwise (spreadsheets to CSV).
    void logFailures() {
        Preferences preferences{};
        clearPreferences(preferences);
        preferences.logMode = kLogInDefaultFolder;
        std::uint8_t bytes[kPreferencesBytes];
        encodePreferences(preferences, bytes);
        std::filesystem::create_directories(configFolder());
        ASSERT_TRUE(writeBytes(configFolder() + "Vostrandimeko (3).ini",
                               std::string(reinterpret_cast<const char*>(bytes), sizeof bytes)));
    }

    std::string logText() {
        std::string text;
        const std::string folder = home() + "Documents/Vostrandimeko logs";
        if (!std::filesystem::exists(folder)) return text;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) text += readBytes(entry.path().string());
        return text;
    }
};

// A workbook of several sheets becomes a folder of CSV files named after the sheets ('/' cannot stand in
// a file name); one of a single sheet becomes one file. The empty worksheet of cells.xlsx is no sheet.
TEST_F(WorkbookConversionTest, FixturesConvertToTheirGoldenCsv) {
    for (const char* name : {"cells.xlsx", "dates1900.xlsx", "dates1904.xlsx"}) copyFixture(name);
    const RunResult result = run({"cells.xlsx", "dates1900.xlsx", "dates1904.xlsx"});
    ASSERT_EQ(result.status, 0) << result.errors;
    const char* const outputs[] = {"cells.csv/Kinds.csv", "cells.csv/Q1Q2 Отчёт.csv", "cells.csv/Secret.csv",
                                   "dates1900.csv", "dates1904.csv"};
    for (const char* output : outputs) {
        SCOPED_TRACE(output);
        const std::string csv = readBytes(temporary.file(output));
        const std::string golden = kGoldenFolder + output;
        if (std::getenv("VDK_UPDATE_GOLDEN") != nullptr) {
            std::filesystem::create_directories(std::filesystem::path(golden).parent_path());
            ASSERT_TRUE(writeBytes(golden, csv));
            ADD_FAILURE() << "rewrote " << golden;
        }
        EXPECT_EQ(csv, readBytes(golden));
    }
    int sheets = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(temporary.file("cells.csv"))) ++sheets;
    EXPECT_EQ(sheets, 3) << "the empty worksheet is not converted";
}

TEST_F(WorkbookConversionTest, ABrokenWorkbookFailsAloneWithItsPartAndReasonInTheLog) {
    logFailures();
    for (const char* name : {"no-styles.xlsx", "broken-sheet.xlsx", "dates1900.xlsx"}) copyFixture(name);
    const RunResult result = run({"no-styles.xlsx", "broken-sheet.xlsx", "dates1900.xlsx"});
    EXPECT_EQ(result.status, 1) << result.errors;
    EXPECT_TRUE(std::filesystem::exists(temporary.file("dates1900.csv"))) << "the batch goes on";
    EXPECT_FALSE(std::filesystem::exists(temporary.file("no-styles.csv")));
    EXPECT_FALSE(std::filesystem::exists(temporary.file("broken-sheet.csv")));
    const std::string log = logText();
    EXPECT_NE(log.find("xl/styles.xml"), std::string::npos) << log;
    EXPECT_NE(log.find("sheet1.xml"), std::string::npos) << log;
}

}  // namespace
