#include "foundation/files/CFile.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/encoding/WideApiFlag.h"
#include "foundation/files/AppFolders.h"
#include "foundation/files/Paths.h"
#include "foundation/text/TextBoundary.h"
#include "platform/files/FileName.h"

namespace {

constexpr const char* kUnit = "BFile";

constexpr std::int16_t kEndOfFile = platform::error::kEndOfFile;

std::u16string fullPathText(const PascalWString& name, const PascalWString& folder) {
    std::u16string path(folder.view());
    path += name.view();
    return path;
}

void assignText(PascalWString& dst, std::u16string_view text) {
    dst.units[0] = static_cast<char16_t>(text.size());
    std::memcpy(dst.units + 1, text.data(), text.size() * sizeof(char16_t));
    dst.units[text.size() + 1] = 0;
}

// The text after the name's last '.', ASCII letters in capitals; "???" when the name has no '.'.
std::string extensionInCapitals(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return "???";
    std::string extension = name.substr(dot + 1);
    for (char& c : extension) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return extension;
}

}  // namespace

// Constructors and the destructor name CFile's own functions: an override in a derived class is not
// reached from here, and the calls say so.
CFile::CFile(const PascalWString& itemName, const PascalWString& itemFolder, std::uint32_t type, std::uint32_t creatorCode,
             std::int16_t option1, std::int16_t option2, std::uint32_t access, std::uint32_t access2) {
    initialise(type, creatorCode, option1, option2, access, access2);
    CFile::setNameAndFolder(itemName, itemFolder);
}

CFile::CFile(const char16_t* itemName, const PascalWString& itemFolder, std::uint32_t type, std::uint32_t creatorCode,
             std::int16_t option1, std::int16_t option2, std::uint32_t access, std::uint32_t access2) {
    initialise(type, creatorCode, option1, option2, access, access2);
    PascalWString nameText;
    assignWString(nameText, itemName);
    CFile::setNameAndFolder(nameText, itemFolder);
}

CFile::CFile(const PascalWString& fullPath, std::uint32_t type, std::uint32_t creatorCode, std::int16_t option1,
             std::int16_t option2, std::uint32_t access, std::uint32_t access2) {
    initialise(type, creatorCode, option1, option2, access, access2);
    PascalWString nameText;
    PascalWString folderText;
    splitPath(fullPath, nameText, folderText, 0);
    CFile::setNameAndFolder(nameText, folderText);
}

CFile::CFile(std::uint32_t type, std::uint32_t creatorCode, std::int16_t option1, std::int16_t option2,
             std::uint32_t access, std::uint32_t access2) {
    initialise(type, creatorCode, option1, option2, access, access2);
    copyPString(folder, temporaryFilesFolder());
    isTemporary = 1;
}

CFile::~CFile() {
    CFile::close();
}

void CFile::initialise(std::uint32_t type, std::uint32_t creatorCode, std::int16_t option1, std::int16_t option2,
                       std::uint32_t access, std::uint32_t access2) {
    name = PascalWString{};
    folder = PascalWString{};
    std::memset(infoBlock, 0, sizeof infoBlock);
    fileHandle = platform::kNoFile;
    findHandle = nullptr;
    storeAttributes(type, creatorCode, option1, option2, access, access2);
}

void CFile::storeAttributes(std::uint32_t type, std::uint32_t creatorCode, std::int16_t option1, std::int16_t option2,
                            std::uint32_t access, std::uint32_t access2) {
    fileType = type;
    creator = creatorCode;
    optionFlag1 = option1;
    optionFlag2 = option2;
    desiredAccess = access;
    secondAccess = access2;
    isTemporary = 0;
}

void CFile::setNameAndFolder(const PascalWString& itemName, const PascalWString& itemFolder) {
    close();
    copyPString(name, itemName);
    copyPString(folder, itemFolder);
}

void CFile::setAttributes(std::uint32_t type, std::uint32_t creatorCode, std::int16_t option1, std::int16_t option2,
                          std::uint32_t access, std::uint32_t access2) {
    close();
    storeAttributes(type, creatorCode, option1, option2, access, access2);
}

platform::NativePath CFile::nativePath() const {
    const std::u16string path = fullPathText(name, folder);
    if (useWideApi == 1) return platform::NativePath::fromWide(path);
    return platform::NativePath::fromNarrow(platform::fileNameToBytes(path));
}

std::int16_t CFile::getTypeAndExtension(std::uint32_t* type, std::uint32_t* creatorCode, char* nameText,
                                        std::int32_t nameCapacity, char* extensionText, std::int32_t extensionCapacity) {
    if (type) *type = kAnyFileCode;
    if (creatorCode) *creatorCode = kAnyFileCode;
    if (!nameText || !extensionText) return result::kSuccess;
    if (nameCapacity < 1 || extensionCapacity < 1) return platform::error::kInvalidParameter;
    try {
        // The extension comes from the whole name, not from the part of it the name buffer holds.
        const std::string wholeName = pstringToUtf8(name);
        placeUtf8(nameText, static_cast<std::size_t>(nameCapacity), wholeName);
        placeUtf8(extensionText, static_cast<std::size_t>(extensionCapacity), extensionInCapitals(wholeName));
    } catch (const std::bad_alloc&) {
        return result::kOutOfMemory;
    }
    return result::kSuccess;
}

// Takes the first numbered name that nothing in the folder uses. The range is finite: when every
// name is taken the search gives up instead of going round again.
std::int16_t CFile::pickTemporaryName() {
    return failureCode([&]() -> std::int16_t {
        for (std::int32_t n = 1; n <= kTemporaryNameLimit; ++n) {
            char label[64];
            std::snprintf(label, sizeof label, kTemporaryNameFormat, static_cast<int>(n));
            assignCString(name, label);
            name.units[name.length() + 1] = 0;
            platform::ItemInfo info;
            if (platform::queryItem(nativePath(), info) != 0) return result::kSuccess;
        }
        name = PascalWString{};
        return platform::error::kFileExists;
    });
}

std::int16_t CFile::create(std::int16_t deleteFirst) {
    return failureCode([&]() -> std::int16_t {
        if (isTemporary == 1 && name.length() == 0) {
            const std::int16_t picked = pickTemporaryName();
            if (picked != result::kSuccess) return picked;
        }
        if (deleteFirst == 1) remove();
        return platform::createNewFile(nativePath());
    });
}

std::int16_t CFile::createFolder() {
    return failureCode([&]() -> std::int16_t {
        const platform::NativePath path = nativePath();
        platform::ItemInfo info;
        const std::int16_t query = platform::queryItem(path, info);
        if (query == result::kSuccess) return info.isFolder ? result::kSuccess : result::kFileBlocksFolder;
        return platform::createFolder(path);
    });
}

std::int16_t CFile::remove() {
    return failureCode([&]() -> std::int16_t {
        const std::int16_t closed = close();
        if (closed != result::kSuccess) return closed;
        return platform::deleteFile(nativePath());
    });
}

std::int16_t CFile::openResourcePart(const PascalWString&, const PascalWString&) {
    return result::kSuccess;
}

std::int16_t CFile::closeResourcePart(std::int16_t) {
    return result::kSuccess;
}

std::int16_t CFile::getResourceCount(std::uint32_t, std::int16_t& resourceCount) {
    resourceCount = 0;
    return result::kSuccess;
}

std::int16_t CFile::writeResource(const void*, std::int32_t, std::uint32_t, std::int16_t, std::int16_t) {
    return result::kSuccess;
}

std::int16_t CFile::open() {
    return failureCode([&]() -> std::int16_t {
        // Opening again must not leak the handle already held.
        platform::closeFile(fileHandle);
        const bool forReading = (desiredAccess & (kGenericRead | kGenericAll)) != 0;
        const bool forWriting = (desiredAccess & (kGenericWrite | kGenericAll)) != 0;
        return platform::openFile(nativePath(), forReading, forWriting, fileHandle);
    });
}

std::int16_t CFile::close() {
    const std::int16_t closed = platform::closeFile(fileHandle);
    platform::closeFolderListing(findHandle);
    return closed;
}

std::int16_t CFile::printLine(const char* format, ...) {
    if (!format) return platform::error::kInvalidParameter;
    std::string line;
    try {
        va_list arguments;
        va_start(arguments, format);
        va_list again;
        va_copy(again, arguments);
        const int length = std::vsnprintf(nullptr, 0, format, arguments);
        va_end(arguments);
        if (length > 0) {
            line.resize(static_cast<std::size_t>(length) + 1);
            std::vsnprintf(line.data(), line.size(), format, again);
            line.resize(static_cast<std::size_t>(length));
        }
        va_end(again);
        line += "\r\n";
    } catch (const std::bad_alloc&) {
        return result::kOutOfMemory;
    }
    return write(line.data(), static_cast<std::int32_t>(line.size()), kFromEnd, 0);
}

std::int16_t CFile::positionAt(std::int16_t origin, std::int32_t offset) {
    return platform::seekFile(fileHandle, origin, offset, nullptr);
}

std::int16_t CFile::readAvailable(void* buffer, std::int32_t count, std::int16_t origin, std::int32_t offset,
                                  std::int32_t& bytesRead) {
    bytesRead = 0;
    if (fileHandle == platform::kNoFile) return result::kNotOpen;
    const std::int16_t moved = positionAt(origin, offset);
    if (moved != result::kSuccess) return moved;
    return platform::readFile(fileHandle, buffer, count, bytesRead);
}

std::int16_t CFile::read(void* buffer, std::int32_t count, std::int16_t origin, std::int32_t offset) {
    std::int32_t bytesRead = 0;
    const std::int16_t code = readAvailable(buffer, count, origin, offset, bytesRead);
    if (code != result::kSuccess) return code;
    if (bytesRead < count) {
        std::memset(static_cast<std::uint8_t*>(buffer) + bytesRead, 0, static_cast<std::size_t>(count - bytesRead));
        return kEndOfFile;
    }
    return result::kSuccess;
}

std::int16_t CFile::write(const void* buffer, std::int32_t count, std::int16_t origin, std::int32_t offset) {
    if (fileHandle == platform::kNoFile) return result::kNotOpen;
    const std::int16_t moved = positionAt(origin, offset);
    if (moved != result::kSuccess) return moved;
    return platform::writeFile(fileHandle, buffer, count);
}

std::int16_t CFile::getTimes(std::uint32_t& first, std::uint32_t& second) {
    return failureCode([&]() -> std::int16_t {
        platform::ItemInfo info;
        const std::int16_t query = platform::queryItem(nativePath(), info);
        if (query != result::kSuccess) return query;
        first = info.creationTime;
        second = info.modificationTime;
        return result::kSuccess;
    });
}

std::int16_t CFile::touch(const std::uint32_t* first, const std::uint32_t* second) {
    return failureCode([&]() -> std::int16_t {
        return platform::setItemTimes(nativePath(), first, second);
    });
}

std::int16_t CFile::getSize(std::uint32_t& size) {
    std::uint64_t bytes = 0;
    const std::int16_t code = platform::fileSize(fileHandle, bytes);
    if (code != result::kSuccess) return code;
    // All bits set is the failure value of the 32-bit size; a file that large cannot be told.
    if (bytes >= UINT32_MAX) return platform::error::kFileTooLarge;
    size = static_cast<std::uint32_t>(bytes);
    return result::kSuccess;
}

std::int16_t CFile::setLength(std::int32_t length) {
    const std::int16_t code = platform::setFileLength(fileHandle, length);
    if (code != result::kSuccess) return code;
    return positionAt(kFromStart, length);
}

std::int16_t CFile::getPosition(std::int32_t& position) {
    position = -1;
    std::int64_t where = 0;
    const std::int16_t code = platform::seekFile(fileHandle, kFromCurrent, 0, &where);
    if (code != result::kSuccess) return code;
    if (where > INT32_MAX) return platform::error::kFileTooLarge;
    position = static_cast<std::int32_t>(where);
    return result::kSuccess;
}

std::int16_t CFile::seek(std::int16_t origin, std::int32_t offset) {
    return positionAt(origin, offset);
}

bool CFile::exists() {
    platform::ItemInfo info;
    return failureCode([&] { return platform::queryItem(nativePath(), info); }) == result::kSuccess;
}

std::int16_t CFile::getKind(std::int16_t& hasData, std::int16_t& second, std::int16_t& isFolderOut,
                            std::int16_t& isFolder2) {
    return failureCode([&]() -> std::int16_t {
        platform::ItemInfo info;
        const std::int16_t query = platform::queryItem(nativePath(), info);
        if (query != result::kSuccess) return query;
        if (info.isFolder) {
            isFolderOut = 1;
            isFolder2 = 1;
        } else {
            hasData = info.size != 0 ? 1 : 0;
            second = 0;
        }
        return result::kSuccess;
    });
}

bool CFile::isFolderWritable() {
    PascalWString folderPath;
    if (getPathAsFolder(folderPath) != result::kSuccess) return false;
    CFile scratch(kScratchFileName, folderPath, kAnyFileCode, kAnyFileCode, 1, 0, kGenericRead | kGenericWrite,
                  kGenericRead | kGenericWrite);
    const bool created = scratch.create(1) == result::kSuccess;
    scratch.remove();
    return created;
}

bool CFile::isFolder() {
    std::int16_t hasData = 0;
    std::int16_t second = 0;
    std::int16_t folderFlag = 0;
    std::int16_t folderFlag2 = 0;
    return getKind(hasData, second, folderFlag, folderFlag2) == result::kSuccess && folderFlag == 1;
}

std::int16_t CFile::setHidden() {
    return failureCode([&]() -> std::int16_t {
        platform::ItemInfo info;
        const std::int16_t query = platform::queryItem(nativePath(), info);
        if (query != result::kSuccess) return query;
        return info.isHidden ? result::kSuccess : platform::error::kNotSupported;
    });
}

CFile* CFile::nextFolderItem() {
    // The names on the way are strings: running out of memory there is the same failure 12 as the item's own.
    return raisingOutOfMemory(__LINE__, kUnit, [this] { return nextFolderItemOrRaise(); });
}

CFile* CFile::nextFolderItemOrRaise() {
    PascalWString childFolder;
    if (getPathAsFolder(childFolder) != result::kSuccess) return nullptr;
    if (!findHandle) {
        skippedItems = 0;
        if (platform::openFolderListing(nativePath(), findHandle) != result::kSuccess) return nullptr;
    }
    for (;;) {
        std::u16string entry;
        std::string bytes;
        const bool more = useWideApi == 1 ? findHandle->nextWide(entry) : findHandle->nextNarrow(bytes);
        if (!more) {
            platform::closeFolderListing(findHandle);
            return nullptr;
        }
        if (useWideApi != 1) entry = platform::fileNameFromBytes(bytes);
        if (!fitsInPascal(static_cast<std::int32_t>(entry.size()))) {
            ++skippedItems;
            continue;
        }
        PascalWString childName;
        assignText(childName, entry);
        CFile* child = new (std::nothrow) CFile(childName, childFolder, kAnyFileCode, kAnyFileCode, 1, 0,
                                                kGenericRead | kGenericWrite, kGenericRead | kGenericWrite);
        throwIfNull(child, __LINE__, kUnit);
        return child;
    }
}

const PascalWString& CFile::getName() const {
    return name;
}

const PascalWString& CFile::getFolder() const {
    return folder;
}

std::uint8_t* CFile::getInfoBlock() {
    return infoBlock;
}

std::int16_t CFile::getPathAsFolder(PascalWString& out) const {
    const std::int16_t joined = joinPath(name, folder, out);
    if (joined != result::kSuccess) return joined;
    const std::int16_t separated = appendSeparator(out);
    if (separated != result::kSuccess) out = PascalWString{};
    return separated;
}

const char16_t* CFile::getFullPath() const {
    // A folder and a name of kPascalCapacity units each (all a PascalWString is read as) and the 0 unit.
    // Copied unit by unit, so the accessor never allocates and cannot fail.
    static char16_t shared[2 * kPascalCapacity + 1];
    const std::u16string_view folderUnits = folder.view();
    const std::u16string_view nameUnits = name.view();
    std::memcpy(shared, folderUnits.data(), folderUnits.size() * sizeof(char16_t));
    std::memcpy(shared + folderUnits.size(), nameUnits.data(), nameUnits.size() * sizeof(char16_t));
    shared[folderUnits.size() + nameUnits.size()] = 0;
    return shared;
}

const char* CFile::getFullPathUtf8() const {
    static std::string shared;
    shared = pstringToUtf8(folder) + pstringToUtf8(name);
    return shared.c_str();
}

std::uint32_t CFile::sizeOrZero() {
    std::uint32_t size = 0;
    return getSize(size) == result::kSuccess ? size : 0;
}

std::uint32_t CFile::firstTimeOrZero() {
    std::uint32_t first = 0;
    std::uint32_t second = 0;
    return getTimes(first, second) == result::kSuccess ? first : 0;
}

std::uint32_t CFile::secondTimeOrZero() {
    std::uint32_t first = 0;
    std::uint32_t second = 0;
    return getTimes(first, second) == result::kSuccess ? second : 0;
}

std::int16_t isFolderPathWritable(const PascalWString& path) {
    PascalWString itemName;
    PascalWString itemFolder;
    splitPath(path, itemName, itemFolder, 1);
    CFile item(itemName, itemFolder, kAnyFileCode, kAnyFileCode, 1, 0, kGenericRead | kGenericWrite,
               kGenericRead | kGenericWrite);
    return item.isFolderWritable() ? 1 : 0;
}
