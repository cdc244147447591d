// The main window, the preferences window and the guided tour on the headless window system: a
// person's session, a batch that a drop arrives in, the recent files, the Help and Language menus,
// and the preferences window's record.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <unistd.h>

#include "app/settings/ProgramFolders.h"
#include "app/windows/DialogTemplateText.h"
#include "app/windows/GuidedTour.h"
#include "foundation/encoding/Utf8Codec.h"
#include "platform/windows/HeadlessWindowSystem.h"
#include "tests/app/windows/MainWindowScenario.h"

namespace {

namespace fs = std::filesystem;
using platform::HeadlessWindowSystem;
using testsupport::MainWindowSession;
using testsupport::pumpUntil;
using testsupport::recentCommandFor;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { platform::setWindowSystem(&windows); }
    void TearDown() override {
        windows.setObserver(nullptr);
        platform::setWindowSystem(nullptr);
    }

    std::vector<std::string> menuTexts(platform::Dialog* dialog, std::size_t menu) {
        std::vector<std::string> texts;
        const auto menus = windows.menuBar(dialog);
        for (const auto& item : menus.at(menu).items) texts.push_back(item.id == 0 ? "-" : item.text);
        return texts;
    }

    HeadlessWindowSystem windows;
};

TEST_F(MainWindowTest, DropRecentFilesPreferencesAndRestart) {
    testsupport::runMainWindowSession();
}

TEST_F(MainWindowTest, MenusAndShortcutsReadFromTheLayout) {
    const auto form = loadDialogTemplate("MainWindow");
    ASSERT_TRUE(form);
    ASSERT_EQ(form->menus.size(), 4U);
    EXPECT_EQ(form->menus[0].title, "&File");
    EXPECT_EQ(form->menus[0].items.at(0).text, "&Open...\tCtrl+O");
    const platform::AcceleratorTemplate& tour = form->accelerators.at(0);
    EXPECT_TRUE(tour.control && tour.shift);
    EXPECT_EQ(tour.key, '2');
    EXPECT_EQ(tour.command, mainwindow::kGuidedTour);
    EXPECT_EQ(form->accelerators.back().key, platform::AcceleratorTemplate::kDeleteKey);

    std::string problem;
    for (const char* bad : {"item 5 \"before any menu\"", "menu \"M\"\nkey Ctrl+Alt+X 5", "menu \"M\"\nitem 0 \"no id\""}) {
        EXPECT_FALSE(parseDialogTemplate(std::string("dialog X 10 10 \"T\"\n") + bad, &problem)) << bad;
    }
}

// Without the diagnostic marker the window keeps its size and has no Language menu.
TEST_F(MainWindowTest, NormalModeHidesTheDiagnosticPartsAndDiagnosticModeShowsThem) {
    for (const std::int16_t diagnostic : {0, 1}) {
        MainWindowSession session;
        CMainWindow window(*session.launcher, mainWindowActions(session.program), diagnostic);
        const auto menus = windows.menuBar(window.dialogHandle());
        EXPECT_EQ(menus.size(), diagnostic == 1 ? 4U : 3U);
        const platform::PixelRect group = windows.itemRect(window.dialogHandle(), mainwindow::kRecentGroup);
        const platform::PixelRect client = windows.clientRect(window.dialogHandle());
        EXPECT_EQ(client.bottom > group.bottom, diagnostic == 1);
        EXPECT_FALSE(windows.itemVisible(window.dialogHandle(), mainwindow::kConvert) &&
                     windows.check(window.dialogHandle(), mainwindow::kConvert) != 0);
        EXPECT_EQ(windows.menuItemChecked(window.dialogHandle(), mainwindow::kDefaultLanguage), diagnostic == 1);
    }
}

// A drop made while a batch runs is converted after it, and the menus are greyed meanwhile.
TEST_F(MainWindowTest, ADropDuringABatchWaitsForItAndTheMenusAreGreyed) {
    MainWindowSession session;
    session.open();
    const std::string late = session.document("late.xml");
    struct DuringBatch : platform::WindowObserver {
        platform::Dialog* main = nullptr;
        std::string late;
        bool dropped = false;
        bool openGreyed = false;
        bool exitGreyed = false;
        bool lateConvertedInside = false;
        std::string folder;
        void itemTextChanged(platform::Dialog*, const std::string& name, std::uint16_t id, const std::string& text) override {
            if (name != "ProgWindow" || id != 5203 || text.empty() || dropped) return;
            dropped = true;
            auto* system = platform::windowSystem();
            openGreyed = !system->menuItemEnabled(main, mainwindow::kOpen);
            exitGreyed = !system->menuItemEnabled(main, mainwindow::kExit);
            system->postDrop(main, {late});
            system->postCommand(main, mainwindow::kExit);
        }
    } observer;
    observer.main = session.dialog();
    observer.late = late;
    windows.setObserver(&observer);
    windows.postDrop(session.dialog(), {session.document("early.xml")});
    windows.pumpOne();
    windows.setObserver(nullptr);
    EXPECT_TRUE(observer.dropped);
    EXPECT_TRUE(observer.openGreyed);
    EXPECT_TRUE(observer.exitGreyed);
    EXPECT_TRUE(fs::exists(session.folder.file("early.rtf")));
    EXPECT_TRUE(fs::exists(session.folder.file("late.rtf")));
    EXPECT_EQ(session.launcher->totals().batches, 2);
    EXPECT_TRUE(windows.menuItemEnabled(session.dialog(), mainwindow::kOpen));
}

// Every entry the list takes has a menu command that finds it again; a full list takes no more.
TEST_F(MainWindowTest, EveryRecentEntryKeepsAMenuCommandThatFindsIt) {
    MainWindowSession session;
    session.open();
    for (int i = 0; i <= mainwindow::kMaxRecentFiles; ++i) {
        FileSpec file;
        makeFileSpecFromPath(file, (u"/nowhere/file" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                                    utf8ToUtf16String(std::to_string(i)) + u".docx").c_str());
        session.window->noteCollectedFile(file);
    }
    session.window->refreshRecentList();
    std::set<std::uint16_t> commands;
    const auto menus = windows.menuBar(session.dialog());
    for (const auto& item : menus.at(mainwindow::kFileMenu).items) {
        if (item.id < mainwindow::kFirstRecentCommand) continue;
        commands.insert(item.id);
        const FileSpec* found = session.window->findRecentById(static_cast<std::int32_t>(kFirstFileId) + item.id -
                                                               mainwindow::kFirstRecentCommand);
        ASSERT_NE(found, nullptr) << item.text;
        EXPECT_EQ(utf16ToUtf8String(found->folder.view()) + utf16ToUtf8String(found->name.view()), item.text);
    }
    EXPECT_EQ(commands.size(), static_cast<std::size_t>(mainwindow::kMaxRecentFiles));
}

// A dropped path too long for a file name is refused by name; the rest of the drop converts.
TEST_F(MainWindowTest, ALongDroppedPathIsRefusedWholeAndTheRestConverts) {
    MainWindowSession session;
    session.open();
    const std::string longPath = "/tmp/" + std::string(300, 'd') + "/x.docx";
    struct Messages : platform::WindowObserver {
        std::vector<std::string> texts;
        void itemTextChanged(platform::Dialog*, const std::string& name, std::uint16_t, const std::string& text) override {
            if (name == "MessageWindow") texts.push_back(text);
        }
    } messages;
    windows.setObserver(&messages);
    windows.postDrop(session.dialog(), {longPath, session.document("short.xml")});
    windows.pumpOne();
    EXPECT_TRUE(fs::exists(session.folder.file("short.rtf")));
    bool named = false;
    for (const std::string& text : messages.texts) named = named || text.find(longPath) != std::string::npos;
    EXPECT_TRUE(named);
}

TEST_F(MainWindowTest, HelpMenuListsTheGuideAndGreysADocumentThatHasGone) {
    MainWindowSession session;
    platform::overrideFolderForTesting(platform::Folder::Program, session.folder.file("program/"));
    {
        session.open();
        EXPECT_EQ(menuTexts(session.dialog(), mainwindow::kHelpMenu),
                  (std::vector<std::string>{"Questions or Problems?", "-", "About Vostrandimeko..."}));
        session.window.reset();
    }
    fs::create_directories(session.folder.file("program/Help"));
    ASSERT_TRUE(testsupport::writeBytes(session.folder.file("program/Help/User Guide.html"), "<html></html>"));
    ASSERT_TRUE(testsupport::writeBytes(session.folder.file("program/Help/notes.txt"), "x"));
    std::vector<std::u16string> opened;
    session.open();
    EXPECT_EQ(menuTexts(session.dialog(), mainwindow::kHelpMenu),
              (std::vector<std::string>{"Questions or Problems?", "-", "User Guide", "-", "About Vostrandimeko..."}));
    fs::remove(session.folder.file("program/Help/User Guide.html"));
    windows.postCommand(session.dialog(), mainwindow::kFirstHelpDocument);
    windows.pumpOne();
    EXPECT_FALSE(windows.menuItemEnabled(session.dialog(), mainwindow::kFirstHelpDocument));
    session.window.reset();
    platform::overrideFolderForTesting(platform::Folder::Program, "");
}

TEST_F(MainWindowTest, ChoosingALanguageStoresItPutsItInForceAndEndsTheProgram) {
    MainWindowSession session;
    std::int16_t inForce = -1;
    bool quit = false;
    MainWindowActions actions = mainWindowActions(session.program);
    actions.changeLanguage = [&](std::int16_t choice) { inForce = choice; };
    actions.quit = [&] { quit = true; };
    CMainWindow window(*session.launcher, actions, 1);
    windows.postCommand(window.dialogHandle(), 20604);  // French
    windows.pumpOne();
    EXPECT_EQ(inForce, 12);
    EXPECT_TRUE(quit);
    EXPECT_EQ(readLanguageFile(), 12);
}

// The recent-files file of the diagnostic mode: files that have gone are dropped when it is read.
TEST_F(MainWindowTest, DiagnosticModeKeepsTheRecentFilesBetweenRuns) {
    MainWindowSession session;
    const std::string kept = session.document("kept.xml");
    const std::string gone = session.document("gone.xml");
    {
        CMainWindow window(*session.launcher, mainWindowActions(session.program), 1);
        windows.postDrop(window.dialogHandle(), {kept, gone});
        windows.pumpOne();
        EXPECT_EQ(windows.listTexts(window.dialogHandle(), mainwindow::kRecentList),
                  (std::vector<std::string>{"gone.xml", "kept.xml"}));
    }
    fs::remove(gone);
    CMainWindow window(*session.launcher, mainWindowActions(session.program), 1);
    EXPECT_EQ(windows.listTexts(window.dialogHandle(), mainwindow::kRecentList), std::vector<std::string>{"kept.xml"});
    EXPECT_NE(recentCommandFor(window.dialogHandle(), kept), 0);
}

}  // namespace
