#include "app/conversion/OutputFolder.h"

#include "app/settings/ProgramFolders.h"
#include "foundation/CFail.h"
#include "foundation/files/Paths.h"
#include "foundation/files/ShellServices.h"
#include "foundation/text/TextFormat.h"

namespace {
constexpr const char* kUnit = "Tirma";
constexpr std::uint16_t kDiskMissing = 10159;
constexpr std::uint16_t kFolderMissing = 10160;
constexpr std::int32_t kPromptUnits = 512;

PascalWString gOutputFolder{};

std::int16_t desktopChooser(PascalWString& name, PascalWString& folder, const char16_t* title) {
    return chooseFolder(name, folder, title);
}

PascalWString joined(const PascalWString& name, const PascalWString& parent) {
    PascalWString path;
    throwIfError(joinPath(name, parent, path), __LINE__, kUnit);
    throwIfError(appendSeparator(path), __LINE__, kUnit);
    return path;
}

// Asks into the current destination; its drive is the parent when a whole drive was chosen.
void askForCurrent(FamilyPreferences& family, FolderChooser chooser, const char16_t* title) {
    throwIfError(chooser(family.currentName, family.currentParent, title), __LINE__, kUnit);
    makeFolderReference(family.currentName, family.currentParent, family.currentDrive);
}
}  // namespace

const PascalWString* resolveOutputFolder(FamilyPreferences** familyHandle, FolderChooser chooser) {
    throwIfNullObject(familyHandle, __LINE__, kUnit);
    FamilyPreferences* family = *familyHandle;
    throwIfNullObject(family, __LINE__, kUnit);
    if (chooser == nullptr) chooser = desktopChooser;
    PascalWString path;
    switch (family->saveMode) {
    case kSaveBesideOriginal:
        return nullptr;
    case kSaveInSpecificFolder:
        path = joined(family->storedName, family->storedParent);
        family->currentDrive = family->storedDrive;
        break;
    case kSaveChooseWhileConverting:
        askForCurrent(*family, chooser, nullptr);
        path = joined(family->currentName, family->currentParent);
        break;
    default:
        path = convertedFilesFolder();
        break;
    }
    bool askedAgain = false;
    while (!itemExists(std::u16string(path.view()))) {
        PascalWString name;
        PascalWString parent;
        splitPath(path, name, parent, 1);
        family->currentName = name;
        family->currentParent = parent;
        char16_t prompt[kPromptUnits];
        if (family->currentDrive.length() > 0) {
            formatUniResource(prompt, kDiskMissing, family->currentDrive);
        } else {
            formatUniResource(prompt, kFolderMissing, family->currentName);
        }
        askForCurrent(*family, chooser, prompt);
        path = joined(family->currentName, family->currentParent);
        askedAgain = true;
    }
    if (askedAgain) family->saveMode = kSaveInSpecificFolder;
    gOutputFolder = path;
    return &gOutputFolder;
}
