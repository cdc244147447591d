// Every window on a real display (an X server of the test's own): opened with sample texts, saved as
// a PNG that must show something and have the window's size, and driven by clicks through the
// toolkit; and a batch stopped by Stop on its second file.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include <wx/image.h>

#include "app/windows/CAboutWindow.h"
#include "app/windows/CConfirmWindow.h"
#include "app/windows/CMessageWindow.h"
#include "app/windows/CNotificationWindow.h"
#include "app/windows/CProgWindow.h"
#include "app/windows/CReportWindow.h"
#include "foundation/CFail.h"
#include "platform/shell/Display.h"
#include "platform/desktop/DesktopWindowSystem.h"
#include "app/windows/CPrefWindow.h"
#include "app/windows/GuidedTour.h"
#include "platform/files/Folders.h"
#include "tests/app/windows/MainWindowScenario.h"
#include "tests/app/conversion/StopDuringBatch.h"

namespace {

std::string pictureFolder() {
    const char* folder = std::getenv("VDK_WINDOW_PICTURES");
    std::string path = folder != nullptr && *folder != '\0' ? folder : std::filesystem::temp_directory_path() / "windows";
    std::filesystem::create_directories(path);
    return path + "/";
}

// Saves the dialog and checks the picture: the window's size, and more than one colour in it.
void saveAndCheck(platform::Dialog* dialog, const std::string& name) {
    const std::string path = pictureFolder() + name + ".png";
    ASSERT_TRUE(platform::desktop::saveDialogPicture(dialog, path)) << path;
    wxImage picture;
    ASSERT_TRUE(picture.LoadFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG)) << path;
    const platform::PixelRect client = platform::windowSystem()->clientRect(dialog);
    EXPECT_EQ(picture.GetWidth(), client.width()) << name;
    EXPECT_EQ(picture.GetHeight(), client.height()) << name;
    std::set<std::uint32_t> colours;
    const unsigned char* rgb = picture.GetData();
    for (int i = 0; i < picture.GetWidth() * picture.GetHeight() && colours.size() < 3; ++i) {
        colours.insert(static_cast<std::uint32_t>(rgb[3 * i] << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2]));
    }
    EXPECT_GE(colours.size(), 3U) << name << " is blank";
}

// Takes a picture of each modal dialog once it shows, then clicks its button.
class ShowAndClick : public platform::WindowObserver {
public:
    std::uint16_t button = 0;
    std::string pictureName;
    std::vector<std::string> shown;
    void dialogShown(platform::Dialog* dialog, const std::string& name) override {
        shown.push_back(name);
        saveAndCheck(dialog, pictureName.empty() ? name : pictureName);
        platform::windowSystem()->postClick(dialog, button);
    }
};

class DesktopWindowsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!platform::displayAvailable()) return;
        desktop = platform::desktop::makeDesktopWindowSystem().release();
        platform::setWindowSystem(desktop);
    }
    static void TearDownTestSuite() {
        platform::setWindowSystem(nullptr);
        delete desktop;
        desktop = nullptr;
    }
    void SetUp() override {
        if (desktop == nullptr) GTEST_SKIP() << "no display: the window tests need one (run them through xvfb-run)";
        desktop->setObserver(&clicker);
    }
    void TearDown() override {
        if (desktop != nullptr) desktop->setObserver(nullptr);
    }

    static platform::WindowSystem* desktop;
    ShowAndClick clicker;
};

platform::WindowSystem* DesktopWindowsTest::desktop = nullptr;

TEST_F(DesktopWindowsTest, ModalWindowsShowTheirTextsAndAnswerTheirButtons) {
    clicker.button = 6204;
    clicker.pictureName = "MessageWindow";
    EXPECT_EQ(showMessage(u"The file 'Annual report.docx' could not be converted because it is protected by a "
                          u"password.\r\rDo you want to go on with the other files?",
                          u"error 32005 at BL_Encrypted(imp):88", 9),
              6204);
    clicker.button = 6103;
    clicker.pictureName = "NotificationWindow";
    showNotification(u"3 files were converted successfully.\r\r2 Word Processing files were converted to RTF "
                     u"format.\r1 Spreadsheet file was converted to CSV format.",
                     1);
    clicker.button = 6604;
    clicker.pictureName = "ReportWindow";
    EXPECT_EQ(showFailureReport(CFail(-108, 41, "BStory")), 6604);
    clicker.button = 5307;
    clicker.pictureName = "AboutWindow";
    showAboutWindow();
    clicker.button = 4102;
    clicker.pictureName = "ConfirmWindow";
    std::int16_t noAsk = 0;
    EXPECT_EQ(askConfirmationText(&noAsk, 0, 1,
                                  u"You are trying to convert and open 14 files.\n To convert the files without "
                                  u"opening them, change the Open converted file preference. Convert and open?"),
              1);
    EXPECT_EQ(clicker.shown, (std::vector<std::string>{"MessageWindow", "NotificationWindow", "ReportWindow",
                                                       "AboutWindow", "ConfirmWindow"}));
}

TEST_F(DesktopWindowsTest, ProgressWindowShowsTheBatchAndItsStopButtonStops) {
    CProgWindow progress;
    progress.setCaption(10202);
    progress.setCount(2);
    progress.setPhase(10204);
    const PascalWString name = makePascal(u"Annual report.docx");
    const UniFormatValue fileValues[] = {name, "Word 2007"};
    progress.setFileLine(10208, fileValues);
    progress.setBar(40, 100);
    const UniFormatValue statusValues[] = {40};
    progress.setStatus(10224, statusValues);
    // The window is on the screen once the toolkit has handled what showing it queued.
    for (int i = 0; i < 200 && progress.poll() == 0; ++i) {
    }
    saveAndCheck(progress.dialogHandle(), "ProgWindow");
    platform::windowSystem()->postClick(progress.dialogHandle(), 5204);
    std::int16_t stopped = 0;
    for (int i = 0; i < 1000 && stopped == 0; ++i) stopped = progress.poll();
    EXPECT_EQ(stopped, 1);
}

TEST_F(DesktopWindowsTest, StopPressedOnTheSecondFileEndsTheBatch) {
    desktop->setObserver(nullptr);
    testsupport::TemporaryFolder folder;
    testsupport::StopOnSecondFile observer;
    observer.onDialog = [](platform::Dialog* dialog, const std::string& name) {
        saveAndCheck(dialog, "Summary-" + name);
        platform::windowSystem()->postClick(dialog, 6102);
    };
    const int status = testsupport::runStopDuringBatch(observer, folder);
    testsupport::expectStoppedOnSecondFile(observer, folder, status);
}

// Lets the toolkit draw what changed before a picture is taken.
void settle() {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (std::chrono::steady_clock::now() < until) {
        platform::windowSystem()->waitForEvent(10);
        platform::windowSystem()->pumpOne();
    }
}

// The session of the main window through the toolkit: a drop through its drop target, the recent-files
// menu, the preferences window; with a picture of the main window and of each preferences tab.
TEST_F(DesktopWindowsTest, MainWindowSessionDropsRecentFilesAndPreferences) {
    desktop->setObserver(nullptr);
    platform::overrideFolderForTesting(platform::Folder::Program, VDK_RUNTIME_DIR "/");
    testsupport::runMainWindowSession([](platform::Dialog* dialog, const std::string& name) {
        if (name != "PrefWindow") return;
        static const char* const kTabs[] = {"WordProcessing", "Spreadsheet", "LogsAndNotification", "Warnings"};
        auto* window = static_cast<CPrefWindow*>(windowFromHandle(dialog));
        for (std::int32_t tab = 0; tab < 4; ++tab) {
            platform::windowSystem()->setTabSelection(dialog, prefwindow::kTabs, tab);
            window->showTab();
            settle();
            saveAndCheck(dialog, std::string("PrefWindow-") + kTabs[tab]);
        }
        platform::windowSystem()->setTabSelection(dialog, prefwindow::kTabs, 0);
        window->showTab();
    });
    platform::overrideFolderForTesting(platform::Folder::Program, "");
}

TEST_F(DesktopWindowsTest, MainWindowShowsItsPictureMenusAndRecentFiles) {
    desktop->setObserver(nullptr);
    platform::overrideFolderForTesting(platform::Folder::Program, VDK_RUNTIME_DIR "/");
    for (const std::int16_t diagnostic : {0, 1}) {
        testsupport::MainWindowSession session;
        CMainWindow window(*session.launcher, mainWindowActions(session.program), diagnostic);
        const std::string document = session.document("Annual report.xml");
        desktop->postDrop(window.dialogHandle(), {document});
        ASSERT_TRUE(testsupport::pumpUntil([&] { return std::filesystem::exists(session.folder.file("Annual report.rtf")); }));
        EXPECT_NE(testsupport::recentCommandFor(window.dialogHandle(), document), 0);
        settle();
        saveAndCheck(window.dialogHandle(), diagnostic == 1 ? "MainWindow-diagnostic" : "MainWindow");
    }
    platform::overrideFolderForTesting(platform::Folder::Program, "");
}

// Each page of the tour, then Next past the last page asks for the test conversion (answered No).
TEST_F(DesktopWindowsTest, GuidedTourShowsItsThreePages) {
    desktop->setObserver(nullptr);
    platform::overrideFolderForTesting(platform::Folder::Program, VDK_RUNTIME_DIR "/");
    std::int16_t testRequested = 0;
    std::int16_t failureCode = 0;
    struct Pages : platform::WindowObserver {
        std::vector<bool> previousEnabled;
        void dialogShown(platform::Dialog* dialog, const std::string&) override {
            auto* tour = static_cast<CDemoWindow*>(windowFromHandle(dialog));
            for (std::int16_t page = 0; page < demowindow::kPageCount; ++page) {
                tour->goToPage(page);
                settle();
                saveAndCheck(dialog, "DemoWindow-page" + std::to_string(page + 1));
                previousEnabled.push_back(platform::windowSystem()->itemVisible(dialog, demowindow::kPrevious) &&
                                          tour->page() > 0);
            }
            platform::windowSystem()->postClick(dialog, demowindow::kNext);
        }
    } pages;
    desktop->setObserver(&pages);
    { const CDemoWindow tour(&testRequested, &failureCode); }
    desktop->setObserver(nullptr);
    EXPECT_EQ(testRequested, 1);
    EXPECT_EQ(failureCode, 0);
    EXPECT_EQ(pages.previousEnabled, (std::vector<bool>{false, true, true}));
    platform::overrideFolderForTesting(platform::Folder::Program, "");
}

}  // namespace
