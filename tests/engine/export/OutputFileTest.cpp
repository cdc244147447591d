// The output file's place: the overwrite questions for a name that is taken, the output folder of the
// family, and the converted-files folder for a folder that cannot be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/Preferences.h"
#include "tests/engine/export/ExportTestSupport.h"

using namespace exporttest;
namespace fs = std::filesystem;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

constexpr std::int16_t kOk = 1;
constexpr std::int16_t kCancel = 3;

struct OverwriteCase {
    const char* title;
    const char* existing;  // the file's bytes, or null for a folder of the output name
    std::int16_t ask;
    std::int16_t silent;
    std::int16_t answer;             // the button pressed when asked
    std::int16_t expectedCode;
    std::uint16_t expectedQuestion;  // 0 = none
    bool replaced;                   // the new output stands under the name
};

class OverwriteTest : public ExportEngineTest, public ::testing::WithParamInterface<OverwriteCase> {};

TEST_P(OverwriteTest, TakenNameIsAskedAboutAsTheOptionsSay) {
    const OverwriteCase& c = GetParam();
    useMainStory(u"new");
    if (c.existing != nullptr) enginetest::writeBytes(folder.file("Report.rtf"), c.existing);
    else fs::create_directory(folder.file("Report.rtf"));
    uniqueNames = 0;
    confirmOverwrite = c.ask;
    quiet = c.silent;
    log.writeText = true;
    asker.answers.push_back({c.answer});

    EXPECT_EQ(runEngine(), c.expectedCode);
    if (c.expectedQuestion == 0) {
        EXPECT_TRUE(asker.shown.empty());
    } else {
        ASSERT_EQ(asker.shown.size(), 1u);
        EXPECT_EQ(asker.shown[0].stringId, c.expectedQuestion);
        EXPECT_NE(asker.shown[0].text.find(u"'Report.rtf'"), std::u16string::npos);
    }
    if (c.existing == nullptr) {
        EXPECT_TRUE(fs::is_directory(folder.file("Report.rtf"))) << "the folder stays";
    } else {
        EXPECT_EQ(readFile(folder.file("Report.rtf")), c.replaced ? std::string("new") : std::string(c.existing));
    }
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path())) ++entries;
    EXPECT_EQ(entries, 1u) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(
    Questions, OverwriteTest,
    ::testing::Values(OverwriteCase{"NotAskedReplaces", "old", 0, 0, kCancel, 0, 0, true},
                      OverwriteCase{"AskedOkReplaces", "old", 1, 0, kOk, 0, 10113, true},
                      OverwriteCase{"AskedCancelStops", "old", 1, 0, kCancel, result::kStopQuietly, 10113, false},
                      OverwriteCase{"SilentFails", "old", 1, 1, kOk, result::kOutputExists, 0, false},
                      OverwriteCase{"EmptyFileIsNotAskedAbout", "", 1, 0, kCancel, 0, 0, true},
                      OverwriteCase{"FolderCancelStops", nullptr, 0, 0, kCancel, result::kStopQuietly, 10114, false},
                      OverwriteCase{"FolderSilentFails", nullptr, 0, 1, kOk, result::kOutputExists, 0, false},
                      // A file cannot take the place of a folder: the file fails and the folder stays.
                      OverwriteCase{"FolderOkCannotBeReplaced", nullptr, 0, 0, kOk, 5, 10114, false}),
    [](const ::testing::TestParamInfo<OverwriteCase>& param) { return std::string(param.param.title); });

TEST_F(ExportEngineTest, UniqueNamesNeverAsk) {
    useMainStory(u"new");
    enginetest::writeBytes(folder.file("Report.rtf"), "old");
    confirmOverwrite = 1;
    ASSERT_EQ(runEngine(), 0);
    EXPECT_TRUE(asker.shown.empty());
    EXPECT_EQ(fromPascal(output.name), "Report1.rtf");
    EXPECT_EQ(readFile(folder.file("Report.rtf")), "old");
}

TEST_F(ExportEngineTest, GivenOutputIsUsedAsItStandsWithoutPreparing) {
    useMainStory(u"new");
    output.name = enginetest::pascal("chosen.out");
    deriveName = 0;
    log.writeText = true;
    ASSERT_EQ(runEngine(), 0);
    EXPECT_EQ(readFile(folder.file("chosen.out")), "new");
}

TEST_F(ExportEngineTest, FamilyFolderAndConvertedFilesFolder) {
    testsupport::TemporaryFolder chosen;
    testsupport::TemporaryFolder converted;
    useMainStory(u"text");
    FamilyPreferences family{};
    folders.output = enginetest::pascal(chosen.path());
    folders.useOutput = true;
    ASSERT_EQ(runEngine(&family), 0);
    EXPECT_TRUE(fs::exists(chosen.file("Report.rtf")));
    EXPECT_EQ(family.fallbackCount, 0);

    // A folder that cannot be written (here: one that is gone) sends the output to the converted-files
    // folder.
    folders.output = enginetest::pascal(chosen.file("gone/"));
    folders.converted = enginetest::pascal(converted.path());
    folders.useConverted = true;
    ASSERT_EQ(runEngine(&family), 0);
    EXPECT_TRUE(fs::exists(converted.file("Report.rtf")));
    EXPECT_EQ(fromPascal(output.folder), converted.path());
    EXPECT_EQ(family.fallbackCount, 1);
}

}  // namespace
