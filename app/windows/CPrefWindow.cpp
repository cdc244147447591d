#include "app/windows/CPrefWindow.h"

#include <new>
#include <string>

#include "app/FailureReport.h"
#include "app/settings/PreferencesFile.h"
#include "app/settings/ProgramFolders.h"
#include "engine/translators/CTranslator.h"
#include "engine/ProgramPreferences.h"
#include "engine/translators/TranslatorDescriptor.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/files/Paths.h"
#include "foundation/text/TextBoundary.h"
#include "foundation/files/ShellServices.h"
#include "foundation/language/UIStrings.h"
#include "foundation/encoding/Utf8Codec.h"
#include "platform/files/FileSystem.h"

namespace {
constexpr const char* kUnit = "BPrefWindow";
constexpr std::uint16_t kUndetermined = 10001;
constexpr std::uint16_t kFirstTabTitle = 1001;
constexpr std::uint16_t kSaveModeEntries[] = {10601, 10602, 10603};
constexpr std::uint16_t kOpenWithEntries[] = {10611, 10612};
constexpr std::uint16_t kLogEntries[] = {10621, 10622};
constexpr std::u16string_view kSoundExtension = u".wav";
constexpr std::int32_t kTabCount = 4;

platform::WindowSystem* system() {
    return platform::windowSystem();
}

std::string uiText(std::uint16_t id) {
    char16_t text[kLoadStringSize];
    return utf16ToUtf8String(loadUniText(text, id));
}

// The program's name as a person knows it: the file name without its extension.
std::u16string friendlyName(const PascalWString& fileName) {
    std::u16string name(fileName.view());
    const std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos || dot == 0 ? name : name.substr(0, dot);
}
}  // namespace

CPrefWindow::CPrefWindow(Preferences& record, std::int16_t* oneTimeFlag, const CTranslator* exporters)
    : CWindow(nullptr, mainWindowHandle()), record(record), oneTimeFlag(oneTimeFlag), exporters(exporters) {
    copy.reset(new (std::nothrow) Preferences);
    throwIfNull(copy.get(), __LINE__, kUnit);
    copyPreferences(*copy, record);
    runModalDialog(u"PrefWindow", ownerWindow, this);
}

std::int32_t CPrefWindow::handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (message == platform::windowmessage::kCommand && (wParam & 0xFFFF) == prefwindow::kTabs) {
        showTab();
        return 1;
    }
    // The close box ends the dialog inside the base's handling, never accepted; the buttons set `done`
    // here, and the record takes the copy when the dialog ends accepted.
    std::int16_t closed = 0;
    const std::int32_t answer = handleModalMessage(closed, message, wParam, lParam);
    if (done == 1 && acceptedNow == 1) {
        copyPreferences(record, *copy);
        wasAccepted = true;
    }
    if (done == 1) acceptedNow = 0;
    return endIfDone(done, wParam, answer);
}

std::int32_t CPrefWindow::init() {
    namespace id = prefwindow;
    for (std::int32_t i = 0; exporters != nullptr && i < exporters->count(); ++i) {
        const TranslatorDescriptor* descriptor = exporters->descriptorAt(i);
        if (descriptor == nullptr) continue;
        if ((offeredForOf(*descriptor) & kOfferedForWordProcessing) != 0) {
            addComboText8(id::kWordProcessingFirst + id::kConvertTo, descriptor->name);
        }
        if ((offeredForOf(*descriptor) & kOfferedForSpreadsheet) != 0) {
            addComboText8(id::kSpreadsheetFirst + id::kConvertTo, descriptor->name);
        }
    }
    initFamily(copy->wordProcessing, id::kWordProcessingFirst);
    initFamily(copy->spreadsheet, id::kSpreadsheetFirst);

    for (const std::uint16_t entry : kLogEntries) addComboText8(id::kLogIn, uiText(entry).c_str());
    setCheck(id::kKeepLogs, copy->logMode != kNoLogFiles ? 1 : 0);
    if (copy->logMode == kNoLogFiles) {
        setComboSelection(id::kLogIn, 0);
        enableItem(id::kLogLabel, 0);
        enableItem(id::kLogIn, 0);
    } else {
        setComboSelection(id::kLogIn, static_cast<std::int16_t>(copy->logMode - 1));
    }

    setCheck(id::kPlaySound, (copy->notifyFlags & kNotifyPlaySound) != 0 ? 1 : 0);
    setCheck(id::kDisplayAlert, (copy->notifyFlags & kNotifyShowSummary) != 0 ? 1 : 0);
    enableItem(id::kSounds, (copy->notifyFlags & kNotifyPlaySound) != 0 ? 1 : 0);
    fillSounds();

    setCheck(id::kAskDefaultApp, copy->noAskDefaultApp == 0 ? 1 : 0);
    setCheck(id::kAskContextMenu, copy->noAskContextMenu == 0 ? 1 : 0);
    setCheck(id::kAskManyFiles, copy->noAskManyFiles == 0 ? 1 : 0);
    setCheck(id::kAskOtherFiles, copy->noAskOtherFiles == 0 ? 1 : 0);

    for (std::uint16_t tab = 0; tab < kTabCount; ++tab) system()->addTab(dialog, id::kTabs, uiText(kFirstTabTitle + tab));
    enableItem(id::kThisTimeOnly, oneTimeFlag != nullptr ? 1 : 0);

    showDestination(copy->wordProcessing, id::kWordProcessingFirst + id::kDestination);
    showApplication(copy->wordProcessing, id::kWordProcessingFirst + id::kApplication);
    showDestination(copy->spreadsheet, id::kSpreadsheetFirst + id::kDestination);
    showApplication(copy->spreadsheet, id::kSpreadsheetFirst + id::kApplication);
    showLogFolder();
    showTab();
    center();
    return 0;
}

void CPrefWindow::initFamily(FamilyPreferences& family, std::uint16_t first) {
    namespace id = prefwindow;
    selectComboText(first + id::kConvertTo, family.convertTo);
    for (const std::uint16_t entry : kSaveModeEntries) addComboText8(first + id::kSaveIn, uiText(entry).c_str());
    // The converted-files folder (mode 3) is the program's fallback, not a choice: no entry shows.
    setComboSelection(first + id::kSaveIn, family.saveMode <= kSaveChooseWhileConverting ? family.saveMode : -1);
    for (const std::uint16_t entry : kOpenWithEntries) addComboText8(first + id::kOpenWith, uiText(entry).c_str());
    setCheck(first + id::kOpenConverted, family.openMode != kOpenNever ? 1 : 0);
    if (family.openMode == kOpenNever) {
        setComboSelection(first + id::kOpenWith, 0);
        enableItem(first + id::kOpenWithLabel, 0);
        enableItem(first + id::kOpenWith, 0);
    } else {
        setComboSelection(first + id::kOpenWith, static_cast<std::int16_t>(family.openMode - 1));
    }
}

std::int32_t CPrefWindow::initMenu(CommandEvent&) {
    return kNotHandled;
}

std::int32_t CPrefWindow::command(CommandEvent& event) {
    namespace id = prefwindow;
    const auto control = static_cast<std::uint16_t>(event.commandWord & 0xFFFF);
    const auto code = static_cast<std::uint16_t>((event.commandWord >> 16) & 0xFFFF);
    std::int32_t answer = 0;
    const std::int16_t failed = failureCode([&] {
        if (control >= id::kWordProcessingFirst && control < id::kSpreadsheetFirst) {
            familyCommand(copy->wordProcessing, id::kWordProcessingFirst, control - id::kWordProcessingFirst, code);
            return;
        }
        if (control >= id::kSpreadsheetFirst && control < id::kKeepLogs) {
            familyCommand(copy->spreadsheet, id::kSpreadsheetFirst, control - id::kSpreadsheetFirst, code);
            return;
        }
        switch (control) {
        case id::kOk:
            done = 1;
            acceptedNow = 1;
            break;
        case id::kCancel:
            done = 1;
            break;
        case id::kThisTimeOnly:
            if (oneTimeFlag != nullptr) *oneTimeFlag = 1;
            done = 1;
            acceptedNow = 1;
            break;
        case id::kTabs:
            showTab();
            break;
        case id::kKeepLogs:
            if (getCheck(id::kKeepLogs) == 0) {
                copy->logMode = kNoLogFiles;
            } else {
                setComboSelection(id::kLogIn, 0);
                copy->logMode = kLogInDefaultFolder;
            }
            enableItem(id::kLogLabel, copy->logMode != kNoLogFiles ? 1 : 0);
            enableItem(id::kLogIn, copy->logMode != kNoLogFiles ? 1 : 0);
            showLogFolder();
            break;
        case id::kLogIn:
            if (code == platform::kComboSelectionChanged) {
                auto value = static_cast<std::int16_t>(getComboSelection(id::kLogIn) + 1);
                if (value == kLogInSpecificFolder && pickFolder(copy->logFolderName, copy->logFolderParent, nullptr) == 0) {
                    setComboSelection(id::kLogIn, static_cast<std::int16_t>(copy->logMode - 1));
                    value = copy->logMode;
                }
                copy->logMode = value;
                showLogFolder();
            }
            break;
        case id::kOpenLogFolder:
            if (copy->logMode == kLogInDefaultFolder) {
                shellOpen(logsFolder());
            } else if (copy->logMode == kLogInSpecificFolder) {
                PascalWString folder;
                throwIfError(joinPath(copy->logFolderName, copy->logFolderParent, folder), __LINE__, kUnit);
                shellOpen(folder);
            }
            break;
        case id::kPlaySound:
            setNotifyFlag(kNotifyPlaySound, getCheck(id::kPlaySound) != 0);
            enableItem(id::kSounds, (copy->notifyFlags & kNotifyPlaySound) != 0 ? 1 : 0);
            if ((copy->notifyFlags & kNotifyPlaySound) != 0) takeSelectedSound();
            break;
        case id::kDisplayAlert:
            setNotifyFlag(kNotifyShowSummary, getCheck(id::kDisplayAlert) != 0);
            break;
        case id::kSounds:
            if (code == platform::kComboSelectionChanged) takeSelectedSound();
            break;
        case id::kAskDefaultApp:
            copy->noAskDefaultApp = getCheck(control) != 0 ? 0 : 1;
            break;
        case id::kAskContextMenu:
            copy->noAskContextMenu = getCheck(control) != 0 ? 0 : 1;
            break;
        case id::kAskManyFiles:
            copy->noAskManyFiles = getCheck(control) != 0 ? 0 : 1;
            break;
        case id::kAskOtherFiles:
            copy->noAskOtherFiles = getCheck(control) != 0 ? 0 : 1;
            break;
        default:
            answer = kNotHandled;
            break;
        }
    });
    return failed != result::kSuccess ? kNotHandled : answer;
}

void CPrefWindow::familyCommand(FamilyPreferences& family, std::uint16_t first, std::uint16_t offset,
                                std::uint16_t code) {
    namespace id = prefwindow;
    switch (offset) {
    case id::kConvertTo:
        if (code == platform::kComboSelectionChanged) {
            char name[kItemText8Bytes] = {};
            getComboText(first + id::kConvertTo, name);
            placeUtf8(family.convertTo, sizeof family.convertTo, name);
            showApplication(family, first + id::kApplication);
        }
        break;
    case id::kSaveIn:
        if (code == platform::kComboSelectionChanged) {
            auto mode = static_cast<std::int16_t>(getComboSelection(first + id::kSaveIn));
            if (mode == kSaveInSpecificFolder && pickFolder(family.storedName, family.storedParent, &family.storedDrive) == 0) {
                setComboSelection(first + id::kSaveIn, family.saveMode <= kSaveChooseWhileConverting ? family.saveMode : -1);
                mode = family.saveMode;
            }
            family.saveMode = mode;
            showDestination(family, first + id::kDestination);
        }
        break;
    case id::kOpenConverted:
        if (getCheck(first + id::kOpenConverted) == 0) {
            family.openMode = kOpenNever;
        } else {
            setComboSelection(first + id::kOpenWith, 0);
            family.openMode = kOpenWithDefaultApplication;
        }
        enableItem(first + id::kOpenWithLabel, family.openMode != kOpenNever ? 1 : 0);
        enableItem(first + id::kOpenWith, family.openMode != kOpenNever ? 1 : 0);
        showApplication(family, first + id::kApplication);
        break;
    case id::kOpenWith:
        if (code == platform::kComboSelectionChanged) {
            auto value = static_cast<std::int16_t>(getComboSelection(first + id::kOpenWith) + 1);
            if (value == kOpenWithSpecificApplication && pickApplication(family.appName, family.applicationFolder) == 0) {
                setComboSelection(first + id::kOpenWith, static_cast<std::int16_t>(family.openMode - 1));
                value = family.openMode;
            }
            family.openMode = value;
            showApplication(family, first + id::kApplication);
        }
        break;
    default:
        break;
    }
}

// The other bits of the flags stay as they are.
void CPrefWindow::setNotifyFlag(std::uint16_t flag, bool set) {
    copy->notifyFlags = static_cast<std::uint16_t>(set ? copy->notifyFlags | flag : copy->notifyFlags & ~flag);
}

// With an empty sound list there is no entry to take: the sound stays as it was.
void CPrefWindow::takeSelectedSound() {
    if (getComboSelection(prefwindow::kSounds) < 0) return;
    char name[kItemText8Bytes] = {};
    getComboText2(prefwindow::kSounds, name);
    copy->soundName = makePascal(utf8ToUtf16String(name) + std::u16string(kSoundExtension));
    playSoundFile(copy->soundName, copy->soundsFolder);
}

std::int16_t CPrefWindow::pickFolder(PascalWString& name, PascalWString& folder, PascalWString* drive) {
    PascalWString chosenName;
    PascalWString chosenFolder;
    if (chooseFolder(chosenName, chosenFolder, nullptr) != result::kSuccess) return 0;
    name = chosenName;
    folder = chosenFolder;
    if (drive != nullptr) *drive = chosenName.length() == 0 ? chosenFolder : PascalWString();
    return 1;
}

std::int16_t CPrefWindow::pickApplication(PascalWString& name, PascalWString& folder) {
    PascalWString chosenName;
    PascalWString chosenFolder;
    if (chooseApplication(chosenName, chosenFolder, nullptr) != result::kSuccess) return 0;
    name = chosenName;
    folder = chosenFolder;
    return 1;
}

void CPrefWindow::fillSounds() {
    const std::u16string soundName(copy->soundName.view());
    const std::u16string current = soundName.substr(0, soundName.find(kSoundExtension));
    platform::FolderListing* listing = nullptr;
    if (platform::openFolderListing(platform::NativePath::fromWide(copy->soundsFolder.view()), listing) != result::kSuccess) {
        return;
    }
    std::int16_t selected = 0;
    std::int16_t added = 0;
    std::u16string name;
    while (listing->nextWide(name)) {
        const std::size_t found = name.find(kSoundExtension);
        if (found == std::u16string::npos) continue;
        const std::u16string shown = name.substr(0, found);
        addComboText8(prefwindow::kSounds, utf16ToUtf8String(shown).c_str());
        if (shown == current) selected = added;
        ++added;
    }
    platform::closeFolderListing(listing);
    if (added > 0) setComboSelection(prefwindow::kSounds, selected);
}

void CPrefWindow::showDestination(const FamilyPreferences& family, std::uint16_t label) {
    if (family.saveMode != kSaveInSpecificFolder) {
        setItemText8(label, "");
        return;
    }
    if (family.storedDrive.length() > 0) {
        setItemPString(label, family.storedDrive);
        return;
    }
    PascalWString folder;
    if (joinPath(family.storedName, family.storedParent, folder) != result::kSuccess) folder = family.storedName;
    setItemPString(label, folder);
}

void CPrefWindow::showApplication(const FamilyPreferences& family, std::uint16_t label) {
    if (family.openMode == kOpenWithSpecificApplication) {
        setItemText(label, friendlyName(family.appName).c_str());
        return;
    }
    if (family.openMode != kOpenWithDefaultApplication) {
        setItemText8(label, "");
        return;
    }
    const TranslatorDescriptor* exporter = exporters != nullptr ? exporters->findByName(family.convertTo, nullptr) : nullptr;
    PascalWString name;
    PascalWString folder;
    if (exporter != nullptr && exporter->ruleCount > 0 &&
        findAssociatedApplication(0, 0, exporter->rules[0].extension, name, folder) == result::kSuccess) {
        setItemText(label, friendlyName(name).c_str());
        return;
    }
    setItemText8(label, uiText(kUndetermined).c_str());
}

void CPrefWindow::showLogFolder() {
    namespace id = prefwindow;
    if (copy->logMode == kLogInDefaultFolder) {
        setItemPString(id::kLogFolder, logsFolder());
    } else if (copy->logMode == kLogInSpecificFolder) {
        PascalWString folder;
        if (joinPath(copy->logFolderName, copy->logFolderParent, folder) != result::kSuccess) folder = copy->logFolderName;
        setItemPString(id::kLogFolder, folder);
    } else {
        setItemText8(id::kLogFolder, "");
    }
    enableItem(id::kOpenLogFolder, copy->logMode == kLogInDefaultFolder || copy->logMode == kLogInSpecificFolder ? 1 : 0);
}

void CPrefWindow::showTab() {
    namespace id = prefwindow;
    const std::int32_t tab = system()->tabSelection(dialog, id::kTabs);
    const std::uint16_t firsts[] = {id::kWordProcessingFirst, id::kSpreadsheetFirst, id::kKeepLogs,
                                    id::kFirstWarningsControl, id::kLastControl + 1};
    for (std::int32_t range = 0; range < kTabCount; ++range) {
        for (std::uint16_t control = firsts[range]; control < firsts[range + 1]; ++control) {
            showItem(control, range == tab ? 1 : 0);
        }
    }
}

bool showPreferences(Preferences* record, std::int16_t* thisTimeOnly, const CTranslator* exporters) {
    Preferences& edited = record != nullptr ? *record : gPreferences;
    std::int16_t once = 0;
    bool accepted = false;
    failureCode([&] {
        const CPrefWindow window(edited, thisTimeOnly != nullptr ? &once : nullptr, exporters);
        accepted = window.accepted();
    });
    if (thisTimeOnly != nullptr) *thisTimeOnly = once;
    if (once == 0) savePreferences(edited);
    return accepted;
}
