// The document pass: request order, sheets and their counts, and the end requests on failure paths.
#include <filesystem>

#include "tests/engine/ImportEngineTestSupport.h"

namespace enginetest {
namespace {

using elementtree::attribute;
using elementtree::child;
using elementtree::childNames;
using testsupport::ImporterAnswer;
using testsupport::kKeepCode;
using Codes = std::vector<std::int16_t>;

const xmlNode* rootOf(const xmlDoc* document) {
    return xmlDocGetRootElement(const_cast<xmlDoc*>(document));
}

class ImportSheetsTest : public ImportEngineTest {};

TEST_F(ImportSheetsTest, OneSheetAsksEveryKindOnceAndCountsNothing) {
    makeInput();
    script.add(request::kSelText, {.answer = 0, .text = u"Hello "});
    script.add(request::kSelText, {.answer = 0, .text = u"world"});
    ASSERT_EQ(runEngine(), 0);

    EXPECT_EQ(documentRequests(script), (Codes{0, 1, 2, 13, 13, 13, 14, 3, 4, 5, 6, 7, 8, 9, 10, 11, 24, 25}));
    const auto storage = readStorage();
    ASSERT_NE(storage, nullptr);
    const xmlNode* root = rootOf(storage.get());
    EXPECT_EQ(attribute(root, "SHEETS"), "1");
    EXPECT_EQ(childNames(root), (elementtree::Lines{"SHEET_0", "Zevozav"}));
    const xmlNode* sheet = child(root, "SHEET_0");
    EXPECT_EQ(attribute(sheet, "sheetName"), "<absent>");
    EXPECT_EQ(childNames(sheet), (elementtree::Lines{"mainStory", "XSize"}));
    EXPECT_EQ(elementtree::attributes(child(sheet, "XSize")),
              (std::vector<std::pair<std::string, std::string>>{{"XSize_fIndx_000", "0"},
                                                                {"XSize_fIndx_001", "0"},
                                                                {"XSize_fIndx_002", "0"},
                                                                {"XSize_fIndx_003", "0"},
                                                                {"XSize_fIndx_004", "0"},
                                                                {"XSize_fIndx_005", "0"},
                                                                {"XSize_fIndx_006", "0"}}));
    EXPECT_EQ(::elementText(child(child(sheet, "mainStory"), "TEXT")), "Hello world%0D");  // the stored form: controls and non-ASCII %-encoded
}

TEST_F(ImportSheetsTest, SheetsAreNamedAndSideStoriesCountedByKind) {
    makeInput();
    script.always(request::kSelDocument, {.sheetCount = 3});
    script.always(request::kSelBeginSheet, {.text = u"Sheet \u00e9"});
    // Two footnotes in the first sheet, absent afterwards; graphic stories are asked until absent.
    script.add(8, {});
    script.add(8, {});
    script.always(8, {.answer = kKeepCode});
    script.add(10, {});
    script.always(10, {.answer = kKeepCode});
    ASSERT_EQ(runEngine(), 0);

    const auto storage = readStorage();
    const xmlNode* root = rootOf(storage.get());
    EXPECT_EQ(attribute(root, "SHEETS"), "3");
    EXPECT_EQ(childNames(root), (elementtree::Lines{"SHEET_0", "SHEET_1", "SHEET_2", "Zevozav"}));
    const xmlNode* first = child(root, "SHEET_0");
    EXPECT_EQ(attribute(first, "sheetName"), "Sheet %C3%A9");
    EXPECT_EQ(childNames(first), (elementtree::Lines{"mainStory", "footnoteStory0000", "footnoteStory0001",
                                                     "graphicStory", "XSize"}));
    EXPECT_EQ(attribute(child(first, "XSize"), "XSize_fIndx_005"), "2");
    EXPECT_EQ(attribute(child(child(root, "SHEET_1"), "XSize"), "XSize_fIndx_005"), "0");
    std::vector<std::int16_t> sheetIndexes;
    for (const auto& call : script.calls)
        if (call.selector == request::kSelBeginSheet) sheetIndexes.push_back(call.sheetIndex);
    EXPECT_EQ(sheetIndexes, (Codes{0, 1, 2}));
}

// A document without a sheet would convert to an empty file passed off as its conversion: it fails with
// its reason, told to the person (a batch of several files keeps it for the file's line) and in the
// failure that the report log writes.
TEST_F(ImportSheetsTest, AnImporterThatAnswersNoSheetFailsTheFileWithItsReason) {
    for (const std::int16_t quiet : {0, 1}) {
        SCOPED_TRACE(quiet);
        request.quiet = quiet;
        task = std::make_unique<CImportTask>(&request);
        asker.shown.clear();
        script.calls.clear();
        makeInput();
        script.always(request::kSelDocument, {.sheetCount = 0});
        EXPECT_EQ(runEngine(), quiet == 1 ? result::kErrInaccessible : result::kErrCancelled);
        EXPECT_EQ(documentRequests(script), (Codes{0, 25}));
        EXPECT_FALSE(std::filesystem::exists(storagePath()));
        ASSERT_NE(lastFailure, nullptr);
        EXPECT_STREQ(lastFailure->fileName, "it holds nothing to convert");
        if (quiet == 1) {
            EXPECT_TRUE(asker.shown.empty());
            // The batch goes on; the file's line tells why it failed.
            task->reportFileFailure(input, *lastFailure, 1, -1);
            ASSERT_EQ(asker.noted.size(), 1u);
            EXPECT_EQ(asker.noted[0], u"Could not convert the file 'Report.docx' because it holds nothing to convert.");
        } else {
            ASSERT_EQ(asker.shown.size(), 1u);
            EXPECT_EQ(asker.shown[0].stringId, 10119);
            EXPECT_EQ(asker.shown[0].text, u"Could not convert the file 'Report.docx' because it holds nothing to convert.");
        }
    }
}

TEST_F(ImportSheetsTest, ASheetLineCountsTheSheetsInTheWindow) {
    makeInput();
    testsupport::RecordingProgress progress;
    window = &progress;
    script.always(request::kSelDocument, {.sheetCount = 2});
    ASSERT_EQ(runEngine(), 0);
    std::vector<std::string> lines;
    for (const std::string& event : progress.events)
        if (event.rfind("file ", 0) == 0) lines.push_back(event);
    EXPECT_EQ(lines, (std::vector<std::string>{"file Report.docx", "file Report.docx\n(Word2007)",
                                               "file Report.docx (sheet 1 of 2)\r(Word2007)",
                                               "file Report.docx (sheet 2 of 2)\r(Word2007)"}));
}

TEST_F(ImportSheetsTest, ALongSheetNameIsCutAtACharacterBoundary) {
    makeInput();
    // 200 two-byte characters: 400 bytes of UTF-8, cut to 127 whole characters within 255 bytes.
    script.always(request::kSelBeginSheet, {.text = std::u16string(200, u'\u00e9')});
    ASSERT_EQ(runEngine(), 0);
    const auto storage = readStorage();
    std::string expected;
    for (int i = 0; i < 127; ++i) expected += "%C3%A9";
    EXPECT_EQ(attribute(child(rootOf(storage.get()), "SHEET_0"), "sheetName"), expected);
}

// Failure paths: which requests went out, and that no storage file is left.
struct FailureCase {
    const char* title;
    std::function<void(testsupport::ImporterScript&)> arrange;
    std::int16_t code;
    Codes requests;
};

class ImportSheetsFailureTest : public ImportSheetsTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ImportSheetsFailureTest, EndRequestsFollowAndTheStorageIsGone) {
    makeInput();
    // A storage left by an earlier conversion of a file of the same name goes too.
    writeBytes(storagePath(), "<old/>");
    GetParam().arrange(script);
    EXPECT_EQ(runEngine(), GetParam().code);
    EXPECT_EQ(documentRequests(script), GetParam().requests);
    EXPECT_FALSE(std::filesystem::exists(storagePath()));
    EXPECT_EQ(script.made, script.destroyed);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ImportSheetsFailureTest,
    ::testing::Values(
        FailureCase{"DocumentRequest",
                    [](auto& s) { s.always(request::kSelDocument, {.failure = 5}); }, 5, Codes{0}},
        FailureCase{"BeginSheet", [](auto& s) { s.add(request::kSelBeginSheet, {.failure = 7}); }, 7, Codes{0, 1, 25}},
        FailureCase{"TextInsideAStory", [](auto& s) { s.add(request::kSelText, {.failure = 9}); }, 9,
                    Codes{0, 1, 2, 13, 24, 25}},
        FailureCase{"EndSheetIsSentAgainOnce",
                    [](auto& s) { s.always(request::kSelEndSheet, {.failure = 11}); }, 11,
                    Codes{0, 1, 2, 13, 14, 3, 4, 5, 6, 7, 8, 9, 10, 11, 24, 24, 25}},
        FailureCase{"EndDocumentIsSentOnce",
                    [](auto& s) { s.always(request::kSelEndDocument, {.failure = 13}); }, 13,
                    Codes{0, 1, 2, 13, 14, 3, 4, 5, 6, 7, 8, 9, 10, 11, 24, 25}},
        FailureCase{"NoSheet", [](auto& s) { s.always(request::kSelDocument, {.sheetCount = 0}); },
                    result::kErrCancelled, Codes{0, 25}},
        FailureCase{"TooManySheets", [](auto& s) { s.always(request::kSelDocument, {.sheetCount = 40000}); }, 22,
                    Codes{0, 25}},
        FailureCase{"SheetNameLongerThanTheBuffer",
                    [](auto& s) {
                        s.add(request::kSelBeginSheet, {});
                        // The importer claims more text than the buffer holds.
                        importerHooks()[request::kSelBeginSheet].push_back(
                            [](XParamBlock& block) { block.textLength = kTaskTextBufferUnits + 1; });
                    },
                    22, Codes{0, 1, 25}}),
    [](const auto& testCase) { return std::string(testCase.param.title); });

TEST_F(ImportSheetsTest, StopInTheSecondSheetEndsItThenTheDocument) {
    makeInput();
    testsupport::RecordingProgress progress;
    progress.stopAtFileLine = "Report.docx (sheet 2 of 2)\r(Word2007)";
    window = &progress;
    script.always(request::kSelDocument, {.sheetCount = 2});
    EXPECT_EQ(runEngine(), result::kStopQuietly);
    EXPECT_EQ(documentRequests(script), (Codes{0, 1, 2, 13, 14, 3, 4, 5, 6, 7, 8, 9, 10, 11, 24, 1, 2, 24, 25}));
    EXPECT_FALSE(std::filesystem::exists(storagePath()));
}

}  // namespace
}  // namespace enginetest
