#pragma once
// The program's one main window: files and folders dropped on it are converted as one batch; its menus
// open files, show the preferences, the About window, the user guide and the guided tour, and list
// every file that a batch collected (the recent files), each of which converts again when chosen.
//
// While a batch runs, the progress window lets this window's messages through. So that a batch never
// starts inside another, the menu commands are greyed until it ends, and a drop made meanwhile is
// queued by the launcher and converted after it.
//
// The diagnostic mode (a marker file beside the program) enlarges the window to show three check
// boxes and the recent-files list, keeps that list in a file between runs, and adds the Language menu.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/windows/CWindow.h"
#include "engine/task/RecentFiles.h"
#include "foundation/files/CTypeArray.h"

class ConversionLauncher;

namespace mainwindow {
constexpr std::uint16_t kPicture = 5000;
constexpr std::uint16_t kHint = 5002;
constexpr std::uint16_t kDumpParamBlocks = 5004;
constexpr std::uint16_t kShowIntermediateXml = 5005;
constexpr std::uint16_t kShowFinalDocument = 5006;
constexpr std::uint16_t kRecentGroup = 5007;
constexpr std::uint16_t kRecentList = 5008;
constexpr std::uint16_t kConvert = 5009;
constexpr std::uint16_t kReveal = 5010;
constexpr std::uint16_t kRemove = 5011;

constexpr std::uint16_t kGuidedTour = 10001;
constexpr std::uint16_t kOpen = 20101;
// The preferences for one conversion ("This time only"), then a file or folder to convert with them.
constexpr std::uint16_t kOpenWithSettings = 20102;
constexpr std::uint16_t kTestPicture = 20107;
constexpr std::uint16_t kExit = 20109;
constexpr std::uint16_t kDeleteRecent = 20207;
constexpr std::uint16_t kPreferences = 20210;
constexpr std::uint16_t kQuestions = 20501;
constexpr std::uint16_t kFirstHelpDocument = 20505;
constexpr std::uint16_t kLastHelpDocument = 20598;
constexpr std::uint16_t kAbout = 20599;
constexpr std::uint16_t kDefaultLanguage = 20601;
constexpr std::uint16_t kEnglish = 20603;
constexpr std::uint16_t kJapanese = 20606;
// The recent files in the File menu: this base plus the entry's place among the ids a list hands out
// (its id less kFirstFileId), kept below kMaxRecentFiles, so every entry's command fits a menu id and
// can be matched.
constexpr std::uint16_t kFirstRecentCommand = 30000;
constexpr std::int32_t kMaxRecentFiles = 100;

constexpr std::size_t kFileMenu = 0;
constexpr std::size_t kFirstRecentMenuPosition = 3;  // after the two Open items and their separator
constexpr std::size_t kHelpMenu = 2;
constexpr std::size_t kLanguageMenu = 3;
}  // namespace mainwindow

// What the window's commands start that lives outside it.
struct MainWindowActions {
    std::function<void()> quit;
    std::function<void()> showPreferences;
    // The preferences window with "This time only" enabled: whether it was accepted, and *once whether
    // with "This time only".
    std::function<bool(std::int16_t* once)> showPreferencesForOneConversion;
    std::function<void()> showAbout;
    std::function<void()> runGuidedTour;
    std::function<void()> testPicture;
    // Puts the language in force and stores the choice for the next start.
    std::function<void(std::int16_t languageChoice)> changeLanguage;
    // Opens a document (the user guide) or a web address with the desktop's opener; false when it cannot.
    std::function<bool(const std::u16string& pathOrAddress)> openDocument;
};

class CMainWindow : public CWindow, public RecentFiles {
public:
    // Makes and shows the window; CFail 12 when it cannot be made.
    CMainWindow(ConversionLauncher& launcher, MainWindowActions actions, std::int16_t diagnosticMode);
    ~CMainWindow() override;

    std::int32_t init() override;
    std::int32_t initMenu(CommandEvent& event) override;
    std::int32_t command(CommandEvent& event) override;
    std::int32_t handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    void noteCollectedFile(const FileSpec& file) override;

    virtual void buildHelpMenu();
    // Shows the list in list 5008 and in the File menu.
    virtual void refreshRecentList();
    virtual void loadRecentList();
    // The selected row (0-based) or -1; the entry into `entry` when given (null when none).
    virtual std::int32_t getSelectedRecent(FileSpec** entry);
    virtual std::int32_t addRecentFile(const FileSpec& file);
    virtual std::int32_t removeRecentFile(const FileSpec& file);
    virtual std::int32_t indexOfRecentFile(const FileSpec& file);
    virtual FileSpec* recentFileAt(std::int32_t index);
    virtual FileSpec* findRecentById(std::int32_t id);
    virtual std::uint32_t nextFreeRecentId();
    virtual void clearRecentFiles();

    // Converts the dropped paths as one batch; a path that cannot name a file is reported by name.
    void convertDroppedPaths(const platform::DroppedPaths& paths);
    // Converts a recent entry again; an entry whose file has gone is taken off the list.
    void convertRecentFile(const FileSpec& file);
    void openHelpDocument(std::uint16_t commandId);
    void convertWithOtherSettings();

private:
    void resizeForDiagnosticMode();
    void markLanguage();
    void restorePlacement();
    void storePlacement();
    void saveRecentList();
    void enableRecentButtons(bool enable);
    void chooseLanguage(std::int16_t choice);
    // Runs a batch with the menu greyed, so nothing starts another inside it.
    void runBatch(const std::function<void()>& batch);
    void setMenusEnabled(bool enable);

    ConversionLauncher& launcher;
    MainWindowActions actions;
    std::int16_t diagnosticMode;
    std::unique_ptr<CTypeArray> recentFiles;
    std::size_t recentMenuItems = 0;  // the entries and their separator in the File menu
    std::map<std::uint16_t, std::u16string> helpDocuments;  // command id -> full path
};

// The one main window, or null before it is made and after it is gone.
extern CMainWindow* theMainWindow;
