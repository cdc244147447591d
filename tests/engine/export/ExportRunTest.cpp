// The export run: the requests an exporter receives for whole documents, the output files and their
// folder, the report log, and what a failure leaves on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/ProgramPreferences.h"
#include "tests/engine/export/ExportTestSupport.h"
#include "platform/process/AllocationFailure.h"
#include "tests/support/FileBytes.h"

using namespace exporttest;
namespace fs = std::filesystem;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> folderEntries(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(ExportEngineTest, OneSheetDocumentReachesTheExporterInRequestOrder) {
    StorageBuilder builder(storagePath());
    builder.addSheet();
    builder.addStory(storykind::kFootnote, 0, {{u"Note"}});
    builder.addStory(storykind::kHeader, 0, {{u"Head"}});
    builder.addStory(storykind::kMain, -1, {{u"ab\rcd"}});
    useStorage(builder);

    ASSERT_EQ(runEngine(), 0);
    // 0; 1; header (2, run, 14); footnote (7, run, 19); main (11, two runs, 23); 24; 25.
    EXPECT_EQ(requests(), (std::vector<std::int16_t>{0, 1, 2, 13, 14, 7, 13, 19, 11, 13, 13, 23, 24, 25}));
    EXPECT_EQ(runs(), (std::vector<std::u16string>{u"Head", u"Note", u"ab\r", u"cd"}));
    EXPECT_EQ(fromPascal(output.name), "Report.rtf");
    ASSERT_NE(outputFiles, nullptr);
    EXPECT_EQ(fromPascal(outputFiles.get()[0].name), "Report.rtf");
    EXPECT_TRUE(fs::is_regular_file(folder.file("Report.rtf")));
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"Report.rtf"}) << "no temporary file is left";
}

TEST_F(ExportEngineTest, ThreeSheetWorkbookBecomesAFolderOfSheetFiles) {
    StorageBuilder builder(storagePath());
    for (const char* name : {"Sheet1", "Q1.2009", "../x"}) {
        builder.addSheet(name);
        builder.addMainStory(u"1\t2\r");
    }
    useStorage(builder, "Book1.xlsx");
    exporterIndex = exporter::kCSV;

    ASSERT_EQ(runEngine(), 0);
    EXPECT_EQ(requests(), (std::vector<std::int16_t>{0, 1, 11, 13, 23, 24, 1, 11, 13, 23, 24, 1, 11, 13, 23, 24, 25}));
    ASSERT_TRUE(fs::is_directory(folder.file("Book1.csv")));
    EXPECT_EQ(folderEntries(folder.file("Book1.csv")), (std::vector<std::string>{"Q1.csv", "Sheet1.csv", "x.csv"}));
    for (int sheet = 0; sheet < 3; ++sheet) {
        EXPECT_EQ(fromPascal(outputFiles.get()[sheet].folder), folder.file("Book1.csv/"));
    }
    EXPECT_EQ(fromPascal(outputFiles.get()[1].name), "Q1.csv");
}

TEST_F(ExportEngineTest, SheetsOfOneNameAreNumberedAndUnnamedSheetsGetTheirNumber) {
    StorageBuilder builder(storagePath());
    for (const char* name : std::vector<const char*>{"Data.a", "Data.b", nullptr, ".."}) {
        builder.addSheet(name);
        builder.addMainStory(u"x");
    }
    useStorage(builder, "Book.xlsx");
    exporterIndex = exporter::kCSV;

    ASSERT_EQ(runEngine(), 0);
    EXPECT_EQ(folderEntries(folder.file("Book.csv")),
              (std::vector<std::string>{"Data.csv", "Data1.csv", "Sheet3.csv", "Sheet4.csv"}));
}

TEST_F(ExportEngineTest, StorageWithoutSheetsGetsTheDocumentRequestsAndAnEmptyFile) {
    StorageBuilder builder(storagePath());
    useStorage(builder);
    ASSERT_EQ(runEngine(), 0);
    EXPECT_EQ(requests(), (std::vector<std::int16_t>{0, 25}));
    EXPECT_EQ(readFile(folder.file("Report.rtf")), "");
}

TEST_F(ExportEngineTest, ReportLogHoldsTheWritingAndTheTimingLine) {
    useMainStory(u"text");
    CFile logFile(enginetest::pascal("batch.log"), enginetest::pascal(folder.path()), kAnyFileCode, kAnyFileCode, 0, 0,
                  kGenericRead | kGenericWrite, 0);
    ASSERT_EQ(logFile.create(1), 0);
    ASSERT_EQ(logFile.open(), 0);
    reportLog = &logFile;
    ASSERT_EQ(runEngine(), 0);
    logFile.close();
    const std::string text = readFile(folder.file("batch.log"));
    EXPECT_EQ(text.rfind("<- Writing 'Report.rtf' (RTF)\n\r\n<- Execution required ", 0), 0u) << text;
    EXPECT_NE(text.find(" secs\n\n\r\n"), std::string::npos) << text;
}

// A failure part way through a story: the exporter has already written into its file.
struct FailureCase {
    const char* title;
    std::int32_t failAtRequest;  // counted from 0: 0 document, 1 begin sheet, 2 begin story, 3 the first run
    std::int16_t code;
    bool stop;  // Stop is pressed instead
};

class ExportFailureTest : public ExportEngineTest, public ::testing::WithParamInterface<FailureCase> {};

std::int16_t pressStop(std::int32_t code, std::intptr_t, std::intptr_t, void* data) {
    auto* polls = static_cast<int*>(data);
    return code == kProgressPoll && ++*polls == 2 ? 1 : 0;
}

TEST_P(ExportFailureTest, LeavesNoPartialFileAndKeepsTheEarlierFile) {
    useMainStory(u"first paragraph\rsecond paragraph\rthird\r");
    const std::string earlier = "an earlier file\r\nof the same name";
    enginetest::writeBytes(folder.file("Report.rtf"), earlier);
    uniqueNames = 0;
    log.writeText = true;
    log.failAtRequest = GetParam().failAtRequest;
    log.failureCode = GetParam().code;
    int polls = 0;
    if (GetParam().stop) {
        request.progressCallback = pressStop;
        request.callbackData = &polls;
        task = std::make_unique<CImportTask>(&request);
    }

    const std::int16_t code = runEngine();
    EXPECT_NE(code, 0);
    EXPECT_EQ(code, GetParam().stop ? result::kStopQuietly : GetParam().code) << "the file fails with the cause";
    EXPECT_EQ(readFile(folder.file("Report.rtf")), earlier);
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"Report.rtf"}) << "no temporary file is left";
    EXPECT_TRUE(fs::exists(storagePath())) << "the storage stays after a failure";
}

INSTANTIATE_TEST_SUITE_P(Failures, ExportFailureTest,
                         ::testing::Values(FailureCase{"WriteErrorInTheSecondRun", 4, 112, false},
                                           FailureCase{"NoMemoryAtTheEndOfTheStory", 6, 12, false},
                                           FailureCase{"StopBetweenRuns", -1, 0, true},
                                           FailureCase{"EndOfSheetFails", 7, 5, false},
                                           FailureCase{"DocumentRequestFails", 0, 22, false}),
                         [](const ::testing::TestParamInfo<FailureCase>& param) { return std::string(param.param.title); });

TEST_F(ExportEngineTest, DamagedStoryFailsTheFileButAMissingOneIsSkipped) {
    StorageBuilder builder(storagePath());
    builder.addSheet();
    builder.addStory(storykind::kHeader, 1, {{u"second header"}});  // header 0 is not stored
    builder.addStoryWithoutRuns(storykind::kFooter, 0, u"text without runs");
    builder.addMainStory(u"main");
    useStorage(builder);
    EXPECT_EQ(runEngine(), result::kNullObject);
    EXPECT_EQ(requests(), (std::vector<std::int16_t>{0, 1, 2, 13, 14, 24}))
        << "the sheet still ends, so the exporter closes its file";
    EXPECT_FALSE(fs::exists(folder.file("Report.rtf")));
}

TEST_F(ExportEngineTest, SuccessReplacesTheEarlierFileAndMayRemoveTheStorage) {
    useMainStory(u"new text");
    enginetest::writeBytes(folder.file("Report.rtf"), "old");
    uniqueNames = 0;
    removeStorage = 1;
    log.writeText = true;
    ASSERT_EQ(runEngine(), 0);
    EXPECT_EQ(readFile(folder.file("Report.rtf")), "new text");
    EXPECT_FALSE(fs::exists(storagePath()));
}

// Every k-th allocation of a whole export fails in turn: each failure fails the file cleanly (no
// std::bad_alloc escapes), the exporter is released and nothing is left in the output folder.
TEST_F(ExportEngineTest, AnAllocationFailureAnywhereFailsTheFileCleanly) {
    StorageBuilder builder(storagePath());
    builder.addSheet();
    builder.addStory(storykind::kFootnote, 0, {{u"Note"}});
    builder.addStory(storykind::kMain, -1, {{u"Hello\r"}, {u"world\u0017", formOfSize(300)}});
    useStorage(builder);
    platform::failNthAllocation(INT64_MAX);
    ASSERT_EQ(runEngine(), 0);
    const std::int64_t allocations = platform::allocationsCountedSinceArmed();
    platform::disarmAllocationFailure();
    fs::remove(folder.file("Report.rtf"));
    const std::int64_t stride = std::max<std::int64_t>(1, allocations / 150);
    int failed = 0;
    for (std::int64_t k = 1; k <= allocations; k += stride) {
        std::int16_t code = 0;
        {
            platform::ScopedAllocationFailure failure(k);
            code = runEngine();
        }
        output.name = enginetest::pascal("Report.docx");
        output.folder = enginetest::pascal(folder.path());
        if (code == 0) {
            fs::remove(folder.file("Report.rtf"));
            continue;
        }
        ++failed;
        EXPECT_EQ(code, result::kOutOfMemory) << "allocation " << k;
        EXPECT_TRUE(fs::is_empty(folder.path())) << "allocation " << k;
        EXPECT_EQ(registry.current(), -1) << "allocation " << k;
    }
    EXPECT_GT(failed, 0) << "the sweep reached no allocation of the export (" << allocations << " counted)";
}

}  // namespace
