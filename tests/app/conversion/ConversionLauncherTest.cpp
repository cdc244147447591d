#include "app/conversion/ConversionLauncher.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/MessageWindows.h"
#include "app/conversion/TranslatorTables.h"
#include "engine/ProgramPreferences.h"
#include "engine/translators/CTranslator.h"
#include "foundation/encoding/Utf8Codec.h"
#include "platform/files/FileName.h"
#include "platform/files/Folders.h"
#include "platform/process/Clock.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RecordingProgress.h"
#include "tests/support/ScriptedEngines.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using testsupport::writeBytes;

class RecordingNotices : public MessageWindows {
public:
    std::int16_t showMessage(const char16_t*, const char16_t*, std::uint32_t) override { return 0; }
    void showNotification(const char16_t* text, std::int16_t) override { notices.push_back(utf16ToUtf8String(text)); }
    std::vector<std::string> notices;
};

class ConversionLauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearPreferences(gPreferences);
        gPreferences.wordProcessing.openMode = kOpenNever;
        gPreferences.spreadsheet.openMode = kOpenNever;
        platform::overrideFolderForTesting(platform::Folder::Documents, temporary.path() + "Documents/");
        services.exporters = &exporters;
        services.engines = &engines;
        services.progressWindows = &progress;
        services.windows = &notices;
    }
    void TearDown() override {
        clearPreferences(gPreferences);
        platform::overrideFolderForTesting(platform::Folder::Documents, "");
        platform::setLocalTimeForTesting(nullptr);
    }

    // Runs one batch over files made in the temporary folder.
    void convert(ConversionLauncher& launcher, const std::vector<std::string>& names) {
        CTypeArray items;
        CTypeArray wordResults;
        CTypeArray sheetResults;
        for (const std::string& name : names) {
            ASSERT_TRUE(writeBytes(temporary.file(name), "content"));
            FileSpec item;
            makeFileSpecFromPath(item, platform::fileNameFromBytes(temporary.file(name)).c_str());
            items.addFileSpec(item);
        }
        launcher.convertJob(&items, &wordResults, &sheetResults);
    }

    testsupport::TemporaryFolder temporary;
    CTranslator exporters{exporterTable, TranslatorDirection::exporters};
    testsupport::ScriptedEngines engines;
    testsupport::RecordingProgressWindows progress;
    RecordingNotices notices;
    LauncherServices services;
};

TEST_F(ConversionLauncherTest, ExitStatusAndSummaryFollowTheBatch) {
    struct Case {
        const char* what;
        std::vector<std::string> files;
        std::int16_t failure;  // for the file "bad.docx"
        std::uint16_t notifyFlags;
        int status;
        std::vector<std::string> notices;
    };
    const std::string oneConverted =
        "One file was converted successfully.\n\nOne Word Processing file was converted to RTF format.\n\n"
        "It was saved in the same folder as the original file.";
    const Case cases[] = {
        {"every file converted", {"a.docx", "b.docx"}, 0, 0, 0, {}},
        {"summary asked for", {"a.docx"}, 0, kNotifyShowSummary, 0, {oneConverted}},
        {"one file of two failed", {"a.docx", "bad.docx"}, 22, kNotifyShowSummary, 1, {oneConverted}},
        {"the only file failed: nothing to tell", {"bad.docx"}, 32003, kNotifyShowSummary, 1, {}},
        {"stopped", {"bad.docx"}, -9999, kNotifyShowSummary, 1, {}},
    };
    for (const Case& c : cases) {
        engines.scripts.clear();
        engines.script("bad.docx").importFailure = c.failure;
        notices.notices.clear();
        gPreferences.notifyFlags = c.notifyFlags;
        ConversionLauncher launcher(services);
        convert(launcher, c.files);
        EXPECT_EQ(launcher.exitStatus(), c.status) << c.what;
        EXPECT_EQ(notices.notices, c.notices) << c.what;
        EXPECT_EQ(engines.live, 0) << c.what;
    }
}

TEST_F(ConversionLauncherTest, ConvertedFileThatCannotBeOpenedStillCounts) {
    testsupport::RecordingOpener opener;
    opener.openFailure = 8;
    services.opener = &opener;
    gPreferences.wordProcessing.openMode = kOpenWithDefaultApplication;
    ConversionLauncher launcher(services);
    convert(launcher, {"a.docx"});
    EXPECT_EQ(opener.opened, std::vector<std::string>{"default a.docx.rtf"});
    EXPECT_EQ(launcher.totals().convertedFiles, 1);
    EXPECT_EQ(launcher.exitStatus(), 0);
}

TEST_F(ConversionLauncherTest, RequestDuringABatchIsQueuedAndRunsAfterIt) {
    // While the first batch reads its file, a second request arrives (as a drop would, through the
    // progress window's poll).
    class DroppingProgress : public testsupport::RecordingProgress {
    public:
        std::int16_t poll() override {
            if (!dropped && drop) {
                dropped = true;
                drop();
            }
            return 0;
        }
        std::function<void()> drop;
        bool dropped = false;
    };
    class DroppingWindows : public ProgressWindows {
    public:
        ProgressWindow* openProgressWindow() override { return &window; }
        void closeProgressWindow(ProgressWindow*) override {}
        DroppingProgress window;
    } windows;
    services.progressWindows = &windows;
    ConversionLauncher queued(services);
    std::vector<std::string> importsWhenDropped;
    windows.window.drop = [&] {
        importsWhenDropped = engines.imported;
        convert(queued, {"second.docx"});
        EXPECT_EQ(engines.imported, importsWhenDropped) << "the second batch ran inside the first";
    };
    convert(queued, {"first.docx"});
    EXPECT_EQ(engines.imported, (std::vector<std::string>{"first.docx", "second.docx"}));
    EXPECT_EQ(queued.totals().batches, 2);
    EXPECT_EQ(queued.totals().convertedFiles, 2);
    EXPECT_EQ(queued.exitStatus(), 0);
}

TEST_F(ConversionLauncherTest, LogFileIsNamedAfterTheLocalTimeInTheLogsFolder) {
    platform::setLocalTimeForTesting([] {
        std::tm time{};
        time.tm_year = 2024 - 1900;
        time.tm_mon = 11;
        time.tm_mday = 31;
        time.tm_hour = 23;
        time.tm_min = 59;
        time.tm_sec = 58;
        return time;
    });
    gPreferences.logMode = kLogInDefaultFolder;
    ConversionLauncher launcher(services);
    convert(launcher, {"a.docx"});
    const std::string log = temporary.path() + "Documents/Vostrandimeko logs/20241231-235958.log";
    EXPECT_NE(testsupport::readBytes(log).find("conversion Started"), std::string::npos);
}

}  // namespace
