#include "foundation/files/AppFolders.h"

#include <string>

#include "foundation/CFail.h"
#include "foundation/files/CFile.h"
#include "foundation/files/Paths.h"
#include "platform/files/FileName.h"
#include "platform/files/Folders.h"

namespace {

constexpr const char* kUnit = "Tirma";

// Far more levels than any real folder has; it only bounds the walk up a strange path.
constexpr int kMaximumFolderDepth = 128;

PascalWString temporaryFolderPath{};
bool temporaryFolderReady = false;
PascalWString desktopPath{};
bool desktopReady = false;
PascalWString failedFolderPath{};
PascalWString appFolderText{};

// A folder the system names in bytes, as a PascalWString ending in the separator.
std::int16_t folderFromSystem(const std::string& bytes, PascalWString& out) {
    std::u16string text = platform::fileNameFromBytes(bytes);
    if (text.empty() || text.back() != pathSeparator) text += pathSeparator;
    if (!fitsInPascal(static_cast<std::int32_t>(text.size()))) return result::kNameTooLong;
    out = makePascal(text);
    return result::kSuccess;
}

// Makes the folder that folderPath names, and the missing folders above it. A file in the way is
// never removed: its place is answered with 20 and remembered for the message.
std::int16_t makeFolderChain(const PascalWString& folderPath, int depth) {
    PascalWString itemName;
    PascalWString parent;
    splitPath(folderPath, itemName, parent, 1);
    CFile item(itemName, parent, kFolderCode, kFolderCode, 1, 0, kGenericRead, kGenericRead);
    std::int16_t code = item.createFolder();
    const bool parentMissing = code == platform::error::kFileNotFound || code == platform::error::kPathNotFound;
    if (parentMissing && itemName.length() > 0 && depth < kMaximumFolderDepth) {
        code = makeFolderChain(parent, depth + 1);
        if (code == result::kSuccess) code = item.createFolder();
    }
    if (code != result::kSuccess && failedFolderPath.length() == 0) copyPString(failedFolderPath, folderPath);
    return code;
}

void throwIfFailed(std::int16_t code, std::int32_t line) {
    throwIfError(code, line, kUnit);
}

}  // namespace

void setUpTemporaryFilesFolder() {
    failedFolderPath = PascalWString{};
    PascalWString cacheFolder;
    throwIfFailed(folderFromSystem(platform::temporaryFilesFolder(), cacheFolder), __LINE__);
    PascalWString folderPath;
    throwIfFailed(joinPath(makePascal(kTemporaryFilesFolderName), cacheFolder, folderPath), __LINE__);
    throwIfFailed(appendSeparator(folderPath), __LINE__);
    throwIfFailed(makeFolderChain(folderPath, 0), __LINE__);
    temporaryFolderPath = folderPath;
    temporaryFolderReady = true;
}

const PascalWString& temporaryFilesFolder() {
    if (!temporaryFolderReady) setUpTemporaryFilesFolder();
    return temporaryFolderPath;
}

std::int16_t setUpFolder(const PascalWString& folderPath) {
    failedFolderPath = PascalWString{};
    return makeFolderChain(folderPath, 0);
}

const PascalWString& folderSetUpFailurePath() {
    return failedFolderPath;
}

const PascalWString* appFolder(const char16_t* subFolderName) {
    PascalWString folderPath;
    throwIfFailed(folderFromSystem(platform::programFolder(), folderPath), __LINE__);
    if (subFolderName) {
        const std::u16string_view subName(subFolderName);
        if (!fitsInPascal(static_cast<std::int32_t>(subName.size()))) throwFail(result::kNameTooLong, __LINE__, kUnit);
        PascalWString subFolder = makePascal(subName);
        throwIfFailed(joinPath(subFolder, folderPath, folderPath), __LINE__);
        throwIfFailed(appendSeparator(folderPath), __LINE__);
    }
    appFolderText = folderPath;
    return &appFolderText;
}

void setUpDesktopFolder() {
    PascalWString folderPath;
    throwIfFailed(folderFromSystem(platform::desktopFolder(), folderPath), __LINE__);
    desktopPath = folderPath;
    desktopReady = true;
}

const PascalWString& desktopFolder() {
    if (!desktopReady) setUpDesktopFolder();
    return desktopPath;
}
