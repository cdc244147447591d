#include "app/windows/CMainWindow.h"

#include <new>
#include <string_view>
#include <utility>
#include <vector>

#include "app/FailureReport.h"
#include "app/MessageWindows.h"
#include "app/conversion/ConversionLauncher.h"
#include "app/settings/ProgramFolders.h"
#include "app/settings/RecentFilesFile.h"
#include "engine/ProgramPreferences.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/files/Paths.h"
#include "foundation/files/ShellServices.h"
#include "foundation/language/UIStrings.h"
#include "platform/files/FileName.h"
#include "platform/files/FileSystem.h"

CMainWindow* theMainWindow = nullptr;

namespace {
constexpr const char* kUnit = "BMainWindow";
constexpr std::uint16_t kRestartForLanguage = 10005;
constexpr std::uint16_t kCommandFailed = 10102;
constexpr std::uint16_t kSupportAddress = 10731;
constexpr std::int16_t kFileNotFound = 2;
// The extensions of the documents the Help folder offers in the Help menu.
constexpr std::u16string_view kHelpExtensions[] = {u".html", u".pdf"};

struct LanguageItem {
    std::uint16_t command;
    std::int16_t choice;
};
constexpr LanguageItem kLanguages[] = {
    {mainwindow::kDefaultLanguage, 0}, {20603, 9}, {20604, 12}, {20605, 7}, {20606, 17}};

platform::WindowSystem* system() {
    return platform::windowSystem();
}

std::u16string fullPath(const FileSpec& file) {
    return std::u16string(file.folder.view()) + std::u16string(file.name.view());
}

// The menu commands a batch greys: everything that could start another batch or end the program.
bool greyedDuringBatch(std::uint16_t command) {
    return command != mainwindow::kAbout && command != mainwindow::kQuestions &&
           !(command >= mainwindow::kFirstHelpDocument && command <= mainwindow::kLastHelpDocument);
}
}  // namespace

CMainWindow::CMainWindow(ConversionLauncher& launcher, MainWindowActions actions, std::int16_t diagnosticMode)
    : CWindow("MainWindow", nullptr), launcher(launcher), actions(std::move(actions)), diagnosticMode(diagnosticMode) {
    recentFiles.reset(new (std::nothrow) CTypeArray);
    if (recentFiles == nullptr) {
        system()->destroyDialog(dialog);
        throwIfNull(nullptr, __LINE__, kUnit);
    }
    init();
    buildHelpMenu();
    refreshRecentList();
    theMainWindow = this;
    setMainWindowHandle(dialog);
    launcher.setRecentFiles(this);
}

CMainWindow::~CMainWindow() {
    launcher.setRecentFiles(nullptr);
    storePlacement();
    if (diagnosticMode == 1) saveRecentList();
    if (theMainWindow == this) theMainWindow = nullptr;
    setMainWindowHandle(nullptr);
    if (system() != nullptr) system()->destroyDialog(dialog);
}

std::int32_t CMainWindow::init() {
    namespace id = mainwindow;
    if (diagnosticMode == 1) loadRecentList();
    setCheck(id::kDumpParamBlocks, gPreferences.dumpParamBlocks);
    setCheck(id::kShowIntermediateXml, gPreferences.showIntermediateXml);
    setCheck(id::kShowFinalDocument, gPreferences.showFinalDocument);
    enableRecentButtons(false);
    if (diagnosticMode == 1) {
        resizeForDiagnosticMode();
        markLanguage();
    } else {
        system()->removeMenu(dialog, id::kLanguageMenu);
    }
    setItemPicture(id::kPicture, makePascal(u"main.png"), demoImagesFolder());
    center();
    restorePlacement();
    show(1);
    return 0;
}

void CMainWindow::resizeForDiagnosticMode() {
    const platform::PixelRect group = system()->itemRect(dialog, mainwindow::kRecentGroup);
    system()->setClientSize(dialog, group.right + 10, group.bottom + 10);
}

void CMainWindow::markLanguage() {
    const std::int16_t choice = readLanguageFile();
    std::uint16_t marked = mainwindow::kDefaultLanguage;
    for (const LanguageItem& language : kLanguages) {
        if (language.choice == choice) marked = language.command;
    }
    for (const LanguageItem& language : kLanguages) system()->checkMenuItem(dialog, language.command, language.command == marked);
}

// The rectangle saved in the other mode belongs to the other window size.
void CMainWindow::restorePlacement() {
    if (gPreferences.placementSaved != 1 || gPreferences.diagnosticCopy != diagnosticMode) return;
    const platform::PixelRect screen = system()->screenRect();
    // A rectangle from a larger screen would put the window out of reach.
    if (gPreferences.windowLeft < screen.left || gPreferences.windowTop < screen.top ||
        gPreferences.windowLeft >= screen.right - 20 || gPreferences.windowTop >= screen.bottom - 20) {
        return;
    }
    system()->moveDialog(dialog, gPreferences.windowLeft, gPreferences.windowTop);
}

void CMainWindow::storePlacement() {
    if (system() == nullptr) return;
    const platform::PixelRect rect = system()->windowRect(dialog);
    gPreferences.placementSaved = 1;
    gPreferences.windowTop = static_cast<std::int16_t>(rect.top);
    gPreferences.windowLeft = static_cast<std::int16_t>(rect.left);
    gPreferences.windowHeight = static_cast<std::int16_t>(rect.height());
    gPreferences.windowWidth = static_cast<std::int16_t>(rect.width());
    gPreferences.diagnosticCopy = diagnosticMode;
}

std::int32_t CMainWindow::initMenu(CommandEvent&) {
    return kNotHandled;
}

std::int32_t CMainWindow::handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    namespace msg = platform::windowmessage;
    switch (message) {
    case msg::kClose:
        // Closing the window during a batch waits for the batch, as Exit does.
        if (!launcher.busy()) actions.quit();
        return 0;
    case msg::kCommand:
        return command(makeCommandEvent(static_cast<std::int32_t>(wParam), 0, 0));
    case msg::kInitMenu:
        initMenu(makeCommandEvent(0, static_cast<std::int32_t>(wParam), 0));
        return 0;
    case msg::kDropFiles: {
        const auto* paths = reinterpret_cast<const platform::DroppedPaths*>(lParam);
        if (paths != nullptr) convertDroppedPaths(*paths);
        return 1;
    }
    default:
        return 0;
    }
}

std::int32_t CMainWindow::command(CommandEvent& event) {
    namespace id = mainwindow;
    const auto commandId = static_cast<std::uint16_t>(event.commandWord & 0xFFFF);
    const auto code = static_cast<std::uint16_t>((event.commandWord >> 16) & 0xFFFF);
    FileSpec* selected = nullptr;
    switch (commandId) {
    case id::kDumpParamBlocks:
        gPreferences.dumpParamBlocks = static_cast<std::int16_t>(getCheck(commandId));
        break;
    case id::kShowIntermediateXml:
        gPreferences.showIntermediateXml = static_cast<std::int16_t>(getCheck(commandId));
        break;
    case id::kShowFinalDocument:
        gPreferences.showFinalDocument = static_cast<std::int16_t>(getCheck(commandId));
        break;
    case id::kRecentList:
        enableRecentButtons(getSelectedRecent(&selected) >= 0);
        if (code == platform::kListDoubleClicked && selected != nullptr) convertRecentFile(*selected);
        break;
    case id::kConvert:
        if (getSelectedRecent(&selected) >= 0) convertRecentFile(*selected);
        break;
    case id::kReveal:
        if (getSelectedRecent(&selected) >= 0) shellOpen(selected->folder);
        break;
    case id::kRemove:
        if (getSelectedRecent(&selected) >= 0) {
            const FileSpec entry = *selected;
            removeRecentFile(entry);
            refreshRecentList();
            enableRecentButtons(false);
        }
        break;
    case id::kGuidedTour:
        if (actions.runGuidedTour) actions.runGuidedTour();
        break;
    case id::kOpen:
        runBatch([&] { launcher.convertOneFile(nullptr); });
        break;
    case id::kOpenWithSettings:
        convertWithOtherSettings();
        break;
    case id::kTestPicture:
        if (actions.testPicture) actions.testPicture();
        break;
    case id::kExit:
        if (!launcher.busy()) actions.quit();
        break;
    case id::kDeleteRecent:
        clearRecentFiles();
        refreshRecentList();
        enableRecentButtons(false);
        break;
    case id::kPreferences:
        if (actions.showPreferences) actions.showPreferences();
        break;
    case id::kQuestions: {
        char16_t address[kLoadStringSize];
        if (actions.openDocument) actions.openDocument(loadUniText(address, kSupportAddress));
        break;
    }
    case id::kAbout:
        if (actions.showAbout) actions.showAbout();
        break;
    case id::kPicture:
        break;
    default:
        if (commandId >= id::kDefaultLanguage && commandId <= id::kJapanese) {
            for (const LanguageItem& language : kLanguages) {
                if (language.command == commandId) chooseLanguage(language.choice);
            }
        } else if (commandId >= id::kFirstHelpDocument && commandId <= id::kLastHelpDocument) {
            openHelpDocument(commandId);
        } else if (commandId >= id::kFirstRecentCommand && commandId < id::kFirstRecentCommand + id::kMaxRecentFiles) {
            if (FileSpec* entry = findRecentById(static_cast<std::int32_t>(kFirstFileId) + commandId - id::kFirstRecentCommand)) {
                const FileSpec file = *entry;
                convertRecentFile(file);
            }
        }
        break;
    }
    return 0;
}

void CMainWindow::chooseLanguage(std::int16_t choice) {
    if (launcher.busy()) return;
    writeLanguageFile(choice);
    if (actions.changeLanguage) actions.changeLanguage(choice);
    reportFailureResource(nullptr, kRestartForLanguage, messageflags::kInformationOk);
    actions.quit();
}

void CMainWindow::runBatch(const std::function<void()>& batch) {
    if (launcher.busy()) {
        // Asked from inside a batch (the progress window lets messages through): the launcher queues
        // what is dropped; other commands wait for the batch to end.
        batch();
        return;
    }
    setMenusEnabled(false);
    batch();
    setMenusEnabled(true);
    refreshRecentList();
}

void CMainWindow::setMenusEnabled(bool enable) {
    if (system() == nullptr) return;
    for (const platform::MenuTemplate& menu : system()->menuBar(dialog)) {
        for (const platform::MenuItemTemplate& item : menu.items) {
            if (item.id != 0 && greyedDuringBatch(item.id)) system()->enableMenuItem(dialog, item.id, enable);
        }
    }
    // Help documents that have gone since the menu was built stay greyed.
    for (const auto& [command, path] : helpDocuments) {
        if (!itemExists(path)) system()->enableMenuItem(dialog, command, false);
    }
    for (const std::uint16_t button : {mainwindow::kConvert, mainwindow::kReveal, mainwindow::kRemove}) {
        if (!enable) enableItem(button, 0);
    }
    if (enable) enableRecentButtons(getSelectedRecent(nullptr) >= 0);
}

// The settings chosen with "This time only" hold for this conversion; the user's own come back after it.
void CMainWindow::convertWithOtherSettings() {
    if (launcher.busy() || !actions.showPreferencesForOneConversion) return;
    const auto saved = std::make_unique<Preferences>();
    copyPreferences(*saved, gPreferences);
    std::int16_t once = 0;
    if (actions.showPreferencesForOneConversion(&once)) runBatch([&] { launcher.convertOneFile(nullptr); });
    if (once == 1) copyPreferences(gPreferences, *saved);
}

void CMainWindow::convertDroppedPaths(const platform::DroppedPaths& paths) {
    CTypeArray items;
    CTypeArray wordResults;
    CTypeArray sheetResults;
    for (const std::string& path : paths) {
        FileSpec item;
        std::int16_t code = makeFileSpecFromPath(item, platform::fileNameFromBytes(path).c_str());
        if (code == result::kSuccess) code = failureCode([&] { items.addFileSpec(item); });
        if (code != result::kSuccess) {
            // A path too long for a file name is refused whole, never cut.
            reportFailureText(nullptr, u"Could not take '%s' as a file to convert (error %d).", messageflags::kStopOk,
                              path.c_str(), static_cast<std::int32_t>(code));
        }
    }
    if (items.getCount() == 0) return;
    runBatch([&] { launcher.convertJob(&items, &wordResults, &sheetResults); });
}

void CMainWindow::convertRecentFile(const FileSpec& file) {
    if (!itemExists(fullPath(file))) {
        removeRecentFile(file);
        refreshRecentList();
        enableRecentButtons(false);
        return;
    }
    runBatch([&] { launcher.convertOneFile(&file); });
}

void CMainWindow::noteCollectedFile(const FileSpec& file) {
    if (indexOfRecentFile(file) != 0) return;
    const std::uint32_t id = nextFreeRecentId();
    // A full list keeps what it has: every listed entry must keep a menu command of its own.
    if (id < kFirstFileId || id - kFirstFileId >= static_cast<std::uint32_t>(mainwindow::kMaxRecentFiles)) return;
    FileSpec entry = file;
    setFileId(entry, id);
    failureCode([&] { addRecentFile(entry); });
}

void CMainWindow::buildHelpMenu() {
    if (system() == nullptr) return;
    const PascalWString folder = appSubFolder(uistring::kHelpFolder);
    platform::FolderListing* listing = nullptr;
    if (platform::openFolderListing(platform::NativePath::fromWide(folder.view()), listing) != result::kSuccess) return;
    const std::size_t itemCount = system()->menuBar(dialog).at(mainwindow::kHelpMenu).items.size();
    std::size_t position = itemCount > 0 ? itemCount - 1 : 0;
    std::uint16_t next = mainwindow::kFirstHelpDocument;
    std::u16string name;
    while (next <= mainwindow::kLastHelpDocument && listing->nextWide(name)) {
        for (const std::u16string_view extension : kHelpExtensions) {
            const std::size_t found = name.find(extension);
            if (found == std::u16string::npos || found == 0) continue;
            system()->insertMenuItem(dialog, mainwindow::kHelpMenu, position++, {next, utf16ToUtf8String(name.substr(0, found))});
            helpDocuments[next] = std::u16string(folder.view()) + name;
            ++next;
            break;
        }
    }
    platform::closeFolderListing(listing);
    if (next != mainwindow::kFirstHelpDocument) system()->insertMenuItem(dialog, mainwindow::kHelpMenu, position, {});
}

void CMainWindow::openHelpDocument(std::uint16_t commandId) {
    const auto found = helpDocuments.find(commandId);
    if (found == helpDocuments.end()) return;
    if (itemExists(found->second) && actions.openDocument && actions.openDocument(found->second)) return;
    // A document that has gone, or that nothing can open: said once, and the item greyed.
    system()->enableMenuItem(dialog, commandId, false);
    CFail failure(kFileNotFound, __LINE__, kUnit);
    reportFailureResource(&failure, kCommandFailed, messageflags::kStopOk);
}

void CMainWindow::refreshRecentList() {
    namespace id = mainwindow;
    if (system() == nullptr) return;
    system()->clearList(dialog, id::kRecentList);
    for (std::size_t i = 0; i < recentMenuItems; ++i) system()->removeMenuItem(dialog, id::kFileMenu, id::kFirstRecentMenuPosition);
    recentMenuItems = 0;
    const std::int32_t count = recentFiles->getCount();
    for (std::int32_t i = 1; i <= count; ++i) {
        const FileSpec& entry = *recentFiles->fileSpecAt(i);
        const std::string name = utf16ToUtf8String(entry.name.view());
        system()->addListText(dialog, id::kRecentList, name);
        // After the Open items and their separator: the entries, then a separator before "Exit".
        const auto command = static_cast<std::uint16_t>(id::kFirstRecentCommand + (fileIdOf(entry) - kFirstFileId));
        system()->insertMenuItem(dialog, id::kFileMenu, id::kFirstRecentMenuPosition + recentMenuItems++,
                                 {command, utf16ToUtf8String(fullPath(entry))});
        system()->enableMenuItem(dialog, command, !launcher.busy());
    }
    if (count > 0) system()->insertMenuItem(dialog, id::kFileMenu, id::kFirstRecentMenuPosition + recentMenuItems++, {});
}

void CMainWindow::loadRecentList() {
    for (const std::u16string& path : readRecentFilesFile(platform::NativePath::fromWide(recentFilesFilePath()))) {
        if (!itemExists(path)) continue;
        FileSpec entry;
        if (makeFileSpecFromPath(entry, path.c_str()) != result::kSuccess) continue;
        noteCollectedFile(entry);
    }
}

void CMainWindow::saveRecentList() {
    std::vector<std::u16string> paths;
    for (std::int32_t i = 1; i <= recentFiles->getCount(); ++i) paths.push_back(fullPath(*recentFiles->fileSpecAt(i)));
    writeRecentFilesFile(platform::NativePath::fromWide(recentFilesFilePath()), paths);
}

std::int32_t CMainWindow::getSelectedRecent(FileSpec** entry) {
    const std::int32_t row = system()->listSelection(dialog, mainwindow::kRecentList);
    if (entry != nullptr) *entry = row >= 0 ? recentFileAt(row + 1) : nullptr;
    return row;
}

void CMainWindow::enableRecentButtons(bool enable) {
    for (const std::uint16_t button : {mainwindow::kConvert, mainwindow::kReveal, mainwindow::kRemove}) {
        enableItem(button, enable ? 1 : 0);
    }
}

std::int32_t CMainWindow::addRecentFile(const FileSpec& file) {
    return recentFiles->addFileSpec(file);
}

std::int32_t CMainWindow::removeRecentFile(const FileSpec& file) {
    return recentFiles->removeFileSpec(file);
}

std::int32_t CMainWindow::indexOfRecentFile(const FileSpec& file) {
    return recentFiles->indexOfFileSpec(file);
}

FileSpec* CMainWindow::recentFileAt(std::int32_t index) {
    return recentFiles->fileSpecAt(index);
}

FileSpec* CMainWindow::findRecentById(std::int32_t id) {
    return id > 0 ? recentFiles->findByFileId(static_cast<std::uint32_t>(id)) : nullptr;
}

std::uint32_t CMainWindow::nextFreeRecentId() {
    return recentFiles->nextFreeFileId();
}

void CMainWindow::clearRecentFiles() {
    recentFiles->freeAllFileSpecs();
}
