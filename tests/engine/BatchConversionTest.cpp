// A batch end to end over scripted engines: the large-batch question and when converted files are
// opened, Stop through the progress window, the report log of converted, refused and failed files,
// the messages of a batch of one file, and what the task hands back in the request.
#include <regex>

#include "engine/task/ReportLog.h"
#include "engine/translators/TranslatorRequest.h"
#include "platform/process/Clock.h"
#include "tests/engine/ImportTaskTestSupport.h"
#include "tests/support/FileBytes.h"

namespace enginetest {
namespace {

std::vector<std::string> numberedFiles(int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) names.push_back(formatToString("f%02d.docx", i));
    return names;
}

struct LargeBatchCase {
    const char* title;
    int files;
    std::int16_t openMode;
    std::int16_t dontAsk;
    std::int16_t quiet;
    bool display;
    std::int16_t answer;  // the user's answer when asked
    bool asked;
    std::size_t converted;
    std::size_t opened;
};

const LargeBatchCase kLargeBatchCases[] = {
    {"12 files ask nothing", 12, kOpenWithDefaultApplication, 0, 0, true, 0, false, 12, 12},
    {"13 files ask, Yes", 13, kOpenWithDefaultApplication, 0, 0, true, 1, true, 13, 13},
    {"13 files ask, No ends the batch", 13, kOpenWithDefaultApplication, 0, 0, true, 0, true, 0, 0},
    {"don't ask: converted, not opened", 13, kOpenWithDefaultApplication, 1, 0, true, 0, false, 13, 0},
    {"no display: converted, not opened", 13, kOpenWithSpecificApplication, 0, 0, false, 0, false, 13, 0},
    {"nothing to open", 13, kOpenNever, 0, 0, true, 0, false, 13, 0},
    {"a quiet batch never asks", 13, kOpenWithDefaultApplication, 0, 1, true, 0, false, 13, 13},
};

TEST_F(ImportTaskTest, LargeBatchQuestionIsAboutOpening) {
    for (const LargeBatchCase& c : kLargeBatchCases) {
        SCOPED_TRACE(c.title);
        dropped.freeAllFileSpecs();
        wordProcessing.freeAllFileSpecs();
        asker.shown.clear();
        asker.answers = {{c.answer}};
        opener.opened.clear();
        gPreferences.wordProcessing.openMode = c.openMode;
        gPreferences.noAskManyFiles = c.dontAsk;
        request.quiet = c.quiet;
        request.importerIndex = -1;
        request.opener = c.display ? &opener : nullptr;
        dropFiles(numberedFiles(c.files));

        EXPECT_EQ(run(), 0);
        ASSERT_EQ(asker.shown.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(asker.shown[0].stringId, 10138);
            EXPECT_NE(asker.shown[0].text.find(u"convert and open 13 files"), std::u16string::npos);
        }
        EXPECT_EQ(static_cast<std::size_t>(wordProcessing.getCount()), c.converted);
        EXPECT_EQ(opener.opened.size(), c.opened);
        EXPECT_EQ(request.batchEnd, c.converted == 0 ? result::kStopQuietly : 0);
    }
}

TEST_F(ImportTaskTest, StopKeepsConvertedFilesAndLeavesTheRestUnstarted) {
    dropFiles({"a.docx", "b.docx", "c.docx", "d.docx", "e.docx"});
    request.progressWindows = &windows;
    windows.window.stopAtFileLine = "c.docx";

    EXPECT_EQ(run(1), 0) << "Stop is absorbed";
    EXPECT_EQ(engines.imported, (std::vector<std::string>{"a.docx", "b.docx", "c.docx"}));
    EXPECT_EQ(namesIn(wordProcessing), (std::vector<std::string>{"a.docx.rtf", "b.docx.rtf"}));
    EXPECT_EQ(request.batchEnd, result::kStopQuietly);
    EXPECT_EQ(request.failedFiles, 1);
    EXPECT_EQ(request.quiet, 1);
    EXPECT_EQ(engines.live, 0);
    EXPECT_EQ(windows.opened, 1);
    EXPECT_EQ(windows.closed, 1);
    // 5 collected, then counted down at each start and after each success.
    EXPECT_EQ(windows.window.counts,
              (std::vector<std::int16_t>{1, 2, 3, 4, 5, 5, 4, 4, 3, 3}));
}

TEST_F(ImportTaskTest, ReportLogOfConvertedRefusedAndFailedFiles) {
    platform::setLocalTimeForTesting([] {
        std::tm fixed{};
        fixed.tm_year = 124;
        fixed.tm_mon = 2;
        fixed.tm_mday = 5;
        fixed.tm_wday = 2;
        fixed.tm_hour = 9;
        fixed.tm_min = 7;
        fixed.tm_sec = 3;
        return fixed;
    });
    CFile log(pascal("batch.log"), pascal(folder.path()), kAnyFileCode, kAnyFileCode, 0, 0,
              kGenericRead | kGenericWrite, 0);
    ASSERT_EQ(log.create(1), 0);
    ASSERT_EQ(log.open(), 0);
    request.reportLog = &log;
    dropFiles({"converted.docx", "refused.pdf", "failed.docx", "unexported.docx"});
    engines.script("refused.pdf").importFailure = result::kErrUnknownFormat;
    engines.script("failed.docx").importFailure = result::kOutOfMemory;
    engines.script("unexported.docx").family = testsupport::Family::none;

    EXPECT_EQ(run(), 0);
    platform::setLocalTimeForTesting({});
    log.close();
    // Source lines are our own and change with the code: only the unit is compared.
    const std::string text = std::regex_replace(testsupport::readBytes(folder.file("batch.log")), std::regex(" [0-9]+@"), " #@");
    EXPECT_EQ(text,
              "Tue Mar  5 09:07:03 2024\n - conversion Started...\r\n"
              "# The file 'failed.docx' could not be converted (12 #@BEngineImp)\n\r\n"
              "# No appropriate convertor was found for the file 'refused.pdf'\n\r\n"
              "# The file 'unexported.docx' could not be converted (32003 #@BEngine)\n\r\n");
    EXPECT_EQ(namesIn(wordProcessing), (std::vector<std::string>{"converted.docx.rtf"}));
    EXPECT_EQ(request.failedFiles, 3);
    EXPECT_EQ(request.batchEnd, 0);
    EXPECT_TRUE(asker.shown.empty()) << "a batch of several files is quiet";
}

struct OneFileCase {
    const char* name;
    std::int16_t failure;
    std::uint16_t message;  // 0: none shown
    const char16_t* text;
    std::int16_t batchEnd;
};

const OneFileCase kOneFileCases[] = {
    {"old.pdf", result::kErrUnknownFormat, 10105,
     u"Could not convert the file 'old.pdf' because it is an acrobat file, and Vostrandimeko opens only docx or xlsx "
     u"files.",
     result::kStopQuietly},
    {"notes.txt", result::kErrUnknownFormat, 10107, nullptr, result::kStopQuietly},
    {"busy.docx", result::kErrInaccessible, 10109, nullptr, result::kStopQuietly},
    {"broken.docx", result::kOutOfMemory, 10111, u"Could not convert the file 'broken.docx'.", result::kStopQuietly},
    {"cancelled.docx", result::kErrCancelled, 0, nullptr, 0},
    {"stopped.docx", result::kStopQuietly, 0, nullptr, result::kStopQuietly},
};

TEST_F(ImportTaskTest, FailedFileOfABatchOfOneShowsItsMessage) {
    CTypeArray results;
    request.resultList = &results;
    for (const OneFileCase& c : kOneFileCases) {
        SCOPED_TRACE(c.name);
        dropped.freeAllFileSpecs();
        results.freeAllFileSpecs();
        asker.shown.clear();
        request.quiet = 0;
        dropFiles({c.name});
        engines.script(c.name).importFailure = c.failure;

        EXPECT_EQ(run(), 0);
        EXPECT_EQ(request.batchEnd, c.batchEnd);
        EXPECT_EQ(request.failedFiles, 1);
        ASSERT_EQ(results.getCount(), 1);
        EXPECT_EQ(results.fileSpecAt(1)->importResult, c.failure);
        ASSERT_EQ(asker.shown.size(), c.message != 0 ? 1u : 0u);
        if (c.message == 0) continue;
        EXPECT_EQ(asker.shown[0].stringId, c.message);
        EXPECT_EQ(asker.shown[0].failureCode, c.failure);
        if (c.text != nullptr) {
            EXPECT_EQ(asker.shown[0].text, c.text);
        }
    }
}

TEST_F(ImportTaskTest, EmptyBatchTellsTheUserUnlessQuiet) {
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(asker.shown.size(), 1u);
    EXPECT_EQ(asker.shown[0].stringId, 10103);
    EXPECT_EQ(request.batchEnd, result::kStopQuietly);
    request.quiet = 1;
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(asker.shown.size(), 1u);
}

TEST_F(ImportTaskTest, ConvertedFileThatCannotBeOpenedIsKept) {
    dropFiles({"report.docx"});
    gPreferences.wordProcessing.openMode = kOpenWithDefaultApplication;
    request.opener = &opener;
    opener.openFailure = 5;

    EXPECT_EQ(run(), 0);
    EXPECT_EQ(opener.opened, (std::vector<std::string>{"default report.docx.rtf"}));
    EXPECT_EQ(namesIn(wordProcessing), (std::vector<std::string>{"report.docx.rtf"}));
    EXPECT_EQ(request.failedFiles, 0);
    EXPECT_EQ(request.batchEnd, 0);
    ASSERT_EQ(asker.shown.size(), 1u);
    EXPECT_EQ(asker.shown[0].stringId, 30005) << "converted, not failed";
    EXPECT_EQ(asker.shown[0].text, u"The file 'report.docx' was converted, but the converted file could not be opened.");
    EXPECT_EQ(asker.shown[0].failureCode, 5);
}

// A quiet batch asks nothing and shows no window, but each failed file leaves its line with its name and
// reason; the converted ones leave none.
TEST_F(ImportTaskTest, EachFailedFileOfAQuietBatchLeavesItsLine) {
    dropFiles({"a.docx", "broken.docx", "notes.txt", "b.docx"});
    engines.script("broken.docx").importFailure = result::kOutOfMemory;
    engines.script("notes.txt").importFailure = result::kErrUnknownFormat;
    request.quiet = 1;
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(request.failedFiles, 2);
    EXPECT_TRUE(asker.shown.empty());
    ASSERT_EQ(asker.noted.size(), 2u);
    EXPECT_EQ(asker.noted[0], u"Could not convert the file 'broken.docx'.");
    EXPECT_NE(asker.noted[1].find(u"'notes.txt' because it is in an unknown format"), std::u16string::npos);
}

TEST_F(ImportTaskTest, ResultsSortedByFamilyAndImporterCarriedToTheNextFile) {
    dropFiles({"a.docx", "b.xlsx", "c.enc"});
    engines.script("b.xlsx") = {0, 0, 5, testsupport::Family::spreadsheet, 5};
    engines.script("c.enc").kindCode = 20;
    request.importerIndex = -1;

    EXPECT_EQ(run(), 0);
    EXPECT_EQ(namesIn(wordProcessing), (std::vector<std::string>{"a.docx.rtf"}));
    EXPECT_EQ(namesIn(spreadsheets), (std::vector<std::string>{"b.xlsx.rtf"}));
    EXPECT_EQ(engines.preferredImporters, (std::vector<std::int32_t>{-1, 4, 5}));
    EXPECT_EQ(request.importerIndex, 4);
    EXPECT_EQ(request.exporterIndex, exporterRegistry.indexOfName("RTF"));
    EXPECT_EQ(engines.quietFlags, (std::vector<std::int16_t>{1, 1, 1}));

    request.spreadsheetResults = nullptr;
    wordProcessing.freeAllFileSpecs();
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(wordProcessing.getCount(), 0) << "with one list missing nothing is handed out";
}

TEST_F(ImportTaskTest, StandInEnginesNeverReportSuccess) {
    dropFiles({"a.docx"});
    request.engines = nullptr;
    request.quiet = 1;
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(wordProcessing.getCount(), 0);
    EXPECT_EQ(request.failedFiles, 1);
}

TEST(ImportTask, SharesItsBuffersWithParameterBlocks) {
    TaskDescriptor request{};
    setDefaultTaskDescriptor(request);
    request.defaultPageSize = 1;
    CImportTask task(&request);
    task.textBuffer()[0] = u'x';
    task.sideBuffer()[kTaskSideBufferBytes - 1] = 'y';
    task.clearBuffers();
    EXPECT_EQ(task.textBuffer()[0], 0);
    EXPECT_EQ(task.sideBuffer()[kTaskSideBufferBytes - 1], 0);
    EXPECT_EQ(task.defaultPageSize(), 1);
}

TEST(ReportLog, CtimeTextIsTheStandardForm) {
    std::tm time{};
    time.tm_year = 109;
    time.tm_mon = 5;
    time.tm_mday = 3;
    time.tm_wday = 3;
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 7;
    EXPECT_EQ(ctimeText(time), "Wed Jun  3 09:05:07 2009\n");
}

}  // namespace
}  // namespace enginetest
