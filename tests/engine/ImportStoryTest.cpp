// Story import: the text loop's ends, the closing paragraph, table stories, progress, Stop and dumps.
#include <filesystem>

#include "model/dumps/DumpParamBlocksFlag.h"
#include "tests/engine/ImportEngineTestSupport.h"

namespace enginetest {
namespace {

using elementtree::attribute;
using elementtree::child;
using elementtree::childNames;
using testsupport::kKeepCode;
using Codes = std::vector<std::int16_t>;

class ImportStoryTest : public ImportEngineTest {
protected:
    const xmlNode* sheetOf(const xmlDoc* document) {
        return child(xmlDocGetRootElement(const_cast<xmlDoc*>(document)), "SHEET_0");
    }
    long textRequests() const {
        const Codes codes = script.selectors();
        return std::count(codes.begin(), codes.end(), request::kSelText);
    }
    std::vector<std::string> statusLines(const testsupport::RecordingProgress& progress) {
        std::vector<std::string> lines;
        for (const std::string& event : progress.events)
            if (event.rfind("status ", 0) == 0) lines.push_back(event);
        return lines;
    }
};

TEST_F(ImportStoryTest, AnEmptyMainStoryHoldsTheClosingParagraphOnly) {
    makeInput();
    ASSERT_EQ(runEngine(), 0);
    const auto storage = readStorage();
    const xmlNode* story = child(sheetOf(storage.get()), "mainStory");
    ASSERT_NE(story, nullptr);
    EXPECT_EQ(::elementText(child(story, "TEXT")), "%0D");
}

TEST_F(ImportStoryTest, EmptyAnswersAreAskedAgainAndTextWithTheEndAnswerIsKept) {
    makeInput();
    script.add(request::kSelText, {.answer = 0});
    script.add(request::kSelText, {.answer = 0, .text = u"a"});
    script.add(request::kSelText, {.answer = 0});
    script.add(request::kSelText, {.answer = -1, .text = u"b"});
    ASSERT_EQ(runEngine(), 0);
    // Five text requests: two empty, two with text (the second carrying the end answer), the end.
    EXPECT_EQ(textRequests(), 5);
    const auto storage = readStorage();
    EXPECT_EQ(::elementText(child(child(sheetOf(storage.get()), "mainStory"), "TEXT")), "ab%0D");
}

TEST_F(ImportStoryTest, AnImporterThatNeverEndsItsStoryIsGivenUp) {
    makeInput();
    script.always(request::kSelText, {.answer = 0});
    EXPECT_EQ(runEngine(), result::kNullObject);
    EXPECT_EQ(textRequests(),
              kMaxEmptyTextAnswers + 1);
    EXPECT_FALSE(std::filesystem::exists(storagePath()));
}

TEST_F(ImportStoryTest, ATextLengthBeyondTheBufferFailsTheFile) {
    makeInput();
    script.add(request::kSelText, {.answer = 0, .text = u"x"});
    importerHooks()[request::kSelText].push_back([](XParamBlock& block) { block.textLength = kTaskTextBufferUnits + 1; });
    EXPECT_EQ(runEngine(), result::kNullObject);
    EXPECT_EQ(documentRequests(script), (Codes{0, 1, 2, 13, 24, 25}));
}

TEST_F(ImportStoryTest, ASideStoryDeclaredPresentStaysEmptyAndIsEnded) {
    makeInput();
    script.add(3, {});
    ASSERT_EQ(runEngine(), 0);
    const auto storage = readStorage();
    const xmlNode* header = child(sheetOf(storage.get()), "headerStory0000");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(childNames(header), (elementtree::Lines{"TEXT", "FORM", "RULE", "PAGE"}));
    EXPECT_EQ(attribute(child(sheetOf(storage.get()), "XSize"), "XSize_fIndx_000"), "1");
    const Codes codes = documentRequests(script);
    const Codes headerRequests{3, 13, 15};
    EXPECT_NE(std::search(codes.begin(), codes.end(), headerRequests.begin(), headerRequests.end()), codes.end());
}

TEST_F(ImportStoryTest, ATableStoryEndsAtAParagraphOutsideACellAndCountsItsRows) {
    makeInput();
    script.add(11, {});
    script.always(11, {.answer = kKeepCode});
    script.add(request::kSelText, {.answer = -1});  // the main story ends at once
    script.add(request::kSelText, {.answer = 0, .text = u"cell\x07", .cellOfRow = 1});
    script.add(request::kSelText, {.answer = 0, .text = u"after", .cellOfRow = 0});
    ASSERT_EQ(runEngine(), 0);
    const auto storage = readStorage();
    const xmlNode* table = child(sheetOf(storage.get()), "tableStory");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(::elementText(child(table, "TEXT")), "cell%07");
    EXPECT_NE(attribute(table, "StoryRows"), "<absent>");
    const Codes codes = documentRequests(script);
    const Codes tableRequests{11, 13, 13, 23};
    EXPECT_NE(std::search(codes.begin(), codes.end(), tableRequests.begin(), tableRequests.end()), codes.end());
}

TEST_F(ImportStoryTest, TheClosingParagraphLeavesTheList) {
    makeInput();
    script.add(request::kSelText, {.answer = 0, .text = u"item"});
    importerHooks()[request::kSelText].push_back([](XParamBlock& block) { block.rule.level.ls = 5; });
    ASSERT_EQ(runEngine(), 0);
    const auto storage = readStorage();
    const xmlNode* rules = child(child(sheetOf(storage.get()), "mainStory"), "RULE");
    EXPECT_EQ(attribute(child(child(rules, "Rule000"), "LEVEL"), "XLevel_ls"), "5");
    ASSERT_NE(child(rules, "Rule001"), nullptr) << "the paragraph end starts a run out of the list";
    EXPECT_EQ(attribute(child(child(rules, "Rule001"), "LEVEL"), "XLevel_ls"), "0");
}

TEST_F(ImportStoryTest, ProgressCountsUnitsAgainstTheExpectedLength) {
    makeInput();
    testsupport::RecordingProgress progress;
    window = &progress;
    importerHooks()[request::kSelBeginStory].push_back([](XParamBlock& block) { block.expectedLength = 8; });
    script.add(request::kSelText, {.answer = 0, .text = u"abcd"});
    script.add(request::kSelText, {.answer = 0, .text = u"efghij"});
    ASSERT_EQ(runEngine(), 0);
    EXPECT_EQ(statusLines(progress),
              (std::vector<std::string>{"status Reading source data... 50%", "status Verifying data integrity...",
                                        "status Reading source data... 100%"}));
}

TEST_F(ImportStoryTest, WithoutRunProgressOnlyTheClosingReportGoesOut) {
    makeInput();
    testsupport::RecordingProgress progress;
    window = &progress;
    TranslatorDescriptor& word = importerDescriptors[importer::kWord2007];
    const std::uint8_t flags = word.flags1;
    word.flags1 |= kNoRunProgressBit;
    script.add(request::kSelText, {.answer = 0, .text = u"abcd"});
    const std::int16_t code = runEngine();
    word.flags1 = flags;
    ASSERT_EQ(code, 0);
    EXPECT_EQ(statusLines(progress).size(), 1u);
}

TEST_F(ImportStoryTest, StopThroughTheCallbackEndsTheStoryWithoutItsEndRequest) {
    makeInput();
    static int polls;
    polls = 0;
    request.progressCallback = [](std::int32_t code, std::intptr_t, std::intptr_t, void*) -> std::int16_t {
        return code == kProgressPoll && ++polls == 2 ? 1 : 0;
    };
    task = std::make_unique<CImportTask>(&request);
    script.add(request::kSelText, {.answer = 0, .text = u"kept"});
    EXPECT_EQ(runEngine(), result::kStopQuietly);
    EXPECT_EQ(documentRequests(script), (Codes{0, 1, 2, 13, 24, 25}));
    EXPECT_FALSE(std::filesystem::exists(storagePath()));
}

TEST_F(ImportStoryTest, DumpsAreNumberedPerStory) {
    makeInput();
    testsupport::TemporaryFolder desktop;
    platform::overrideFolderForTesting(platform::Folder::Desktop, desktop.path());
    setUpDesktopFolder();
    script.add(3, {});
    script.add(request::kSelText, {.answer = 0, .text = u"a"});
    script.add(request::kSelText, {.answer = -1});
    script.add(request::kSelText, {.answer = 0, .text = u"b"});
    script.add(request::kSelText, {.answer = -1});
    dumpParamBlocks = 1;
    const std::int16_t code = runEngine();
    dumpParamBlocks = 0;
    platform::overrideFolderForTesting(platform::Folder::Desktop, "");
    setUpDesktopFolder();
    ASSERT_EQ(code, 0);
    const std::string dumps = desktop.path() + "blocks of 'Report'/";
    EXPECT_TRUE(std::filesystem::exists(dumps + "ParamBlock001.txt"));
    EXPECT_TRUE(std::filesystem::exists(dumps + "ParamBlock002.txt"));
    EXPECT_FALSE(std::filesystem::exists(dumps + "ParamBlock003.txt")) << "numbers start again with each story";
}

}  // namespace
}  // namespace enginetest
