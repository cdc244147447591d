#pragma once
// A person's session with the main window, on whichever window system is in force: two files dropped
// on the window convert; the recent files in the File menu list them and choosing one converts it
// again; the preferences window turns word-processing output into Text, so the next drop makes a .txt;
// and the preferences file holds the change for the next start. The app tests run it on the headless
// window system, the desktop tests on a real display (with pictures of the windows).
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/FailureReport.h"
#include "app/conversion/ConversionLauncher.h"
#include "app/conversion/ProgramEngines.h"
#include "app/conversion/TranslatorTables.h"
#include "app/settings/PreferencesFile.h"
#include "app/windows/CMainWindow.h"
#include "app/windows/CPrefWindow.h"
#include "app/windows/ProgramWindows.h"
#include "app/windows/WindowLayer.h"
#include "engine/ProgramPreferences.h"
#include "engine/translators/CTranslator.h"
#include "platform/files/Folders.h"
#include "platform/windows/WindowSystem.h"
#include "tests/app/conversion/StopDuringBatch.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace testsupport {

// Pumps the window system in force until the condition holds or 30 seconds have passed.
inline bool pumpUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        platform::windowSystem()->waitForEvent(20);
        platform::windowSystem()->pumpOne();
    }
    return true;
}

// The command of the File menu's recent entry whose text is the path; 0 when none.
inline std::uint16_t recentCommandFor(platform::Dialog* window, const std::string& path) {
    const auto menus = platform::windowSystem()->menuBar(window);
    for (const platform::MenuItemTemplate& item : menus.at(mainwindow::kFileMenu).items) {
        if (item.text == path) return item.id;
    }
    return 0;
}

// The program's windows over a folder of their own: the preferences, the language choice and the
// converted files all stay in it.
class MainWindowSession {
public:
    MainWindowSession() {
        platform::overrideFolderForTesting(platform::Folder::ApplicationData, folder.file("config/"));
        platform::overrideFolderForTesting(platform::Folder::Documents, folder.file("documents/"));
        std::filesystem::create_directories(folder.file("config"));
        std::filesystem::create_directories(folder.file("documents"));
        clearPreferences(gPreferences);
        gPreferences.wordProcessing.openMode = kOpenNever;
        gPreferences.spreadsheet.openMode = kOpenNever;
        gPreferences.notifyFlags = 0;
        setReportWindows(&layer);
        launcher = std::make_unique<ConversionLauncher>(windowLauncherServices(importers, exporters, layer));
        program.launcher = launcher.get();
        program.exporters = &exporters;
    }
    ~MainWindowSession() {
        window.reset();
        setReportWindows(nullptr);
        clearPreferences(gPreferences);
        platform::overrideFolderForTesting(platform::Folder::ApplicationData, "");
        platform::overrideFolderForTesting(platform::Folder::Documents, "");
    }
    MainWindowSession(const MainWindowSession&) = delete;
    MainWindowSession& operator=(const MainWindowSession&) = delete;

    void open() { window = std::make_unique<CMainWindow>(*launcher, mainWindowActions(program), 0); }
    platform::Dialog* dialog() const { return window->dialogHandle(); }
    std::string document(const std::string& name) const {
        EXPECT_TRUE(writeBytes(folder.file(name), kSmallDocument));
        return folder.file(name);
    }

    TemporaryFolder folder;
    CTranslator importers{importerTable, TranslatorDirection::importers};
    CTranslator exporters{exporterTable, TranslatorDirection::exporters};
    WindowLayer layer;
    std::unique_ptr<ConversionLauncher> launcher;
    ProgramWindows program;
    std::unique_ptr<CMainWindow> window;
};

// Chooses "Text" in the word-processing "Convert to:" list of the preferences window and accepts it.
class ChooseTextOutput : public platform::WindowObserver {
public:
    std::function<void(platform::Dialog*, const std::string&)> onDialog;
    std::vector<std::string> shown;
    void dialogShown(platform::Dialog* dialog, const std::string& name) override {
        shown.push_back(name);
        if (onDialog) onDialog(dialog, name);
        if (name != "PrefWindow") return;
        platform::WindowSystem* system = platform::windowSystem();
        const auto entries = system->comboTexts(dialog, prefwindow::kWordProcessingFirst + prefwindow::kConvertTo);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i] == "Text") {
                system->postComboChoice(dialog, prefwindow::kWordProcessingFirst + prefwindow::kConvertTo,
                                        static_cast<std::int32_t>(i));
            }
        }
        system->postClick(dialog, prefwindow::kOk);
    }
};

// The whole session; `onDialog` sees each modal dialog as it shows.
inline void runMainWindowSession(const std::function<void(platform::Dialog*, const std::string&)>& onDialog = {}) {
    namespace fs = std::filesystem;
    MainWindowSession session;
    session.open();
    platform::WindowSystem* system = platform::windowSystem();
    const std::string first = session.document("first.xml");
    const std::string second = session.document("second.xml");

    system->postDrop(session.dialog(), {first, second});
    ASSERT_TRUE(pumpUntil([&] { return fs::exists(session.folder.file("first.rtf")) && fs::exists(session.folder.file("second.rtf")); }));

    const std::uint16_t again = recentCommandFor(session.dialog(), first);
    ASSERT_NE(again, 0) << "the File menu lists no recent entry for " << first;
    EXPECT_NE(recentCommandFor(session.dialog(), second), 0);
    fs::remove(session.folder.file("first.rtf"));
    system->postCommand(session.dialog(), again);
    ASSERT_TRUE(pumpUntil([&] { return fs::exists(session.folder.file("first.rtf")); }));

    ChooseTextOutput chooser;
    chooser.onDialog = onDialog;
    system->setObserver(&chooser);
    system->postCommand(session.dialog(), mainwindow::kPreferences);
    ASSERT_TRUE(pumpUntil([&] { return std::strcmp(gPreferences.wordProcessing.convertTo, "Text") == 0; }));
    system->setObserver(nullptr);
    EXPECT_EQ(chooser.shown, std::vector<std::string>{"PrefWindow"});

    system->postDrop(session.dialog(), {session.document("third.xml")});
    ASSERT_TRUE(pumpUntil([&] { return fs::exists(session.folder.file("third.txt")); }));
    EXPECT_FALSE(fs::exists(session.folder.file("third.rtf")));

    // The next start reads what the window stored.
    session.window.reset();
    clearPreferences(gPreferences);
    EXPECT_EQ(readPreferencesFile(gPreferences).state, PreferencesFileState::read);
    EXPECT_STREQ(gPreferences.wordProcessing.convertTo, "Text");
}

}  // namespace testsupport
