// The guided tour on the headless window system: when it shows, its pages, the sample conversion with
// the user's settings put back, and the hidden failure button.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/settings/ProgramFolders.h"
#include "app/windows/GuidedTour.h"
#include "platform/files/Folders.h"
#include "platform/windows/HeadlessWindowSystem.h"
#include "tests/app/windows/MainWindowScenario.h"

namespace {

namespace fs = std::filesystem;
using platform::HeadlessWindowSystem;

class Dialogs : public platform::WindowObserver {
public:
    std::vector<std::string> shown;
    std::vector<std::string> pageTexts;
    void dialogShown(platform::Dialog*, const std::string& name) override { shown.push_back(name); }
    void itemTextChanged(platform::Dialog*, const std::string& name, std::uint16_t id, const std::string& text) override {
        if (name == "DemoWindow" && id == demowindow::kText) pageTexts.push_back(text);
    }
};

class GuidedTourTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setWindowSystem(&windows);
        platform::overrideFolderForTesting(platform::Folder::Program, VDK_RUNTIME_DIR "/");
        windows.setObserver(&dialogs);
    }
    void TearDown() override {
        windows.setObserver(nullptr);
        platform::setWindowSystem(nullptr);
        platform::overrideFolderForTesting(platform::Folder::Program, "");
    }

    HeadlessWindowSystem windows;
    Dialogs dialogs;
};

constexpr std::uint16_t kYes = 6203;

TEST_F(GuidedTourTest, ShowsOnTheFirstStartOnlyButAlwaysWhenAskedFor) {
    testsupport::MainWindowSession session;
    runGuidedTour(*session.launcher, 1);
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"MessageWindow"});
    writeFirstRunMarker();
    dialogs.shown.clear();
    runGuidedTour(*session.launcher, 1);
    EXPECT_TRUE(dialogs.shown.empty());
    runGuidedTour(*session.launcher, 0);
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"MessageWindow"});
}

// Next through the three pages, Yes to the test: the sample converts into the converted-files folder,
// and the user's settings are as before.
TEST_F(GuidedTourTest, NextPastTheLastPageConvertsTheSampleAndPutsTheSettingsBack) {
    testsupport::MainWindowSession session;
    gPreferences.wordProcessing.saveMode = kSaveBesideOriginal;
    std::uint8_t before[kPreferencesBytes];
    encodePreferences(gPreferences, before);
    windows.queueAnswer("MessageWindow", {kYes});
    windows.queueAnswer("DemoWindow", {demowindow::kPrevious, demowindow::kNext, demowindow::kNext, demowindow::kNext});
    windows.queueAnswer("MessageWindow", {kYes});
    runGuidedTour(*session.launcher, 0);
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"MessageWindow", "DemoWindow", "MessageWindow", "MessageWindow"}));
    ASSERT_EQ(dialogs.pageTexts.size(), 3U);
    EXPECT_EQ(dialogs.pageTexts[0].rfind("1: ", 0), 0U);
    EXPECT_EQ(dialogs.pageTexts[2].rfind("3: Converted file is automatically opened by ", 0), 0U);
    EXPECT_TRUE(fs::exists(session.folder.file("documents/Vostrandimeko converted files/Tea 2007.rtf")));
    std::uint8_t after[kPreferencesBytes];
    encodePreferences(gPreferences, after);
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
}

TEST_F(GuidedTourTest, PreviousIsGreyOnTheFirstPage) {
    std::int16_t testRequested = 0;
    std::int16_t failureCode = 0;
    struct Check : platform::WindowObserver {
        std::vector<bool> previous;
        void dialogShown(platform::Dialog* dialog, const std::string&) override {
            auto& system = static_cast<HeadlessWindowSystem&>(*platform::windowSystem());
            auto* tour = static_cast<CDemoWindow*>(windowFromHandle(dialog));
            previous.push_back(system.itemEnabled(dialog, demowindow::kPrevious));
            tour->goToPage(1);
            previous.push_back(system.itemEnabled(dialog, demowindow::kPrevious));
            system.postClick(dialog, demowindow::kCancel);
        }
    } check;
    windows.setObserver(&check);
    { const CDemoWindow tour(&testRequested, &failureCode); }
    EXPECT_EQ(check.previous, (std::vector<bool>{false, true}));
    EXPECT_EQ(testRequested, 0);
}

// The hidden button makes up a failure, which the failure report window shows.
TEST_F(GuidedTourTest, TheFailureButtonEndsInTheReportWindow) {
    testsupport::MainWindowSession session;
    windows.queueAnswer("MessageWindow", {kYes});
    windows.queueAnswer("DemoWindow", {demowindow::kFail});
    runGuidedTour(*session.launcher, 0);
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"MessageWindow", "DemoWindow", "ReportWindow"}));
}

}  // namespace
