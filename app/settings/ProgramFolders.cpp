#include "app/settings/ProgramFolders.h"

#include <cstring>

#include "foundation/CFail.h"
#include "foundation/files/AppFolders.h"
#include "foundation/files/Paths.h"
#include "foundation/language/UIStrings.h"
#include "platform/files/FileName.h"
#include "platform/files/FileSystem.h"
#include "platform/files/Folders.h"

namespace {
constexpr const char* kUnit = "Tirma";

PascalWString logsFolderPath{};

PascalWString folderFromBytes(const std::string& bytes) {
    const std::u16string text = platform::fileNameFromBytes(bytes);
    if (!fitsInPascal(static_cast<std::int32_t>(text.size()))) throwFail(result::kNameTooLong, __LINE__, kUnit);
    return makePascal(text);
}

// folder + the UI string's name + separator.
PascalWString subFolder(const PascalWString& folder, std::uint16_t nameId) {
    char16_t name[kLoadStringSize];
    loadUniText(name, nameId);
    PascalWString path;
    throwIfError(joinPath(makePascal(name), folder, path), __LINE__, kUnit);
    throwIfError(appendSeparator(path), __LINE__, kUnit);
    return path;
}

platform::NativePath nativeOf(const std::u16string& path) {
    return platform::NativePath::fromWide(path);
}
}  // namespace

PascalWString applicationDataFolder() {
    return folderFromBytes(platform::applicationDataFolder());
}

PascalWString documentsFolder() {
    return folderFromBytes(platform::documentsFolder());
}

PascalWString programFolder() {
    return folderFromBytes(platform::programFolder());
}

PascalWString appSubFolder(std::uint16_t nameId) {
    return subFolder(programFolder(), nameId);
}

void setUpLogsFolder() {
    const PascalWString path = subFolder(documentsFolder(), uistring::kLogsFolder);
    throwIfError(setUpFolder(path), __LINE__, kUnit);
    logsFolderPath = path;
}

const PascalWString& logsFolder() {
    if (logsFolderPath.length() == 0) setUpLogsFolder();
    return logsFolderPath;
}

PascalWString convertedFilesFolder() {
    const PascalWString documents = documentsFolder();
    const PascalWString path = subFolder(documents, uistring::kConvertedFilesFolder);
    return setUpFolder(path) == result::kSuccess ? path : documents;
}

PascalWString demoImagesFolder() {
    return makePascal(std::u16string(programFolder().view()) + u"Demo Images/");
}

PascalWString sampleDocumentsFolder() {
    return makePascal(std::u16string(programFolder().view()) + u"Test Files/");
}

std::u16string filePath(const PascalWString& folder, std::uint16_t nameId) {
    char16_t name[kLoadStringSize];
    return std::u16string(folder.view()) + loadUniText(name, nameId);
}

bool itemExists(const std::u16string& path) {
    platform::ItemInfo info;
    return platform::queryItem(nativeOf(path), info) == result::kSuccess;
}

std::int16_t readLanguageFile() {
    const auto path = nativeOf(filePath(applicationDataFolder(), uistring::kLanguageFileName));
    platform::FileHandle file = platform::kNoFile;
    if (platform::openFile(path, true, false, file) != result::kSuccess) return 0;
    std::uint8_t bytes[2] = {};
    std::int32_t read = 0;
    const std::int16_t code = platform::readFile(file, bytes, 2, read);
    platform::closeFile(file);
    if (code != result::kSuccess || read != 2) return 0;
    return static_cast<std::int16_t>(bytes[0] | (bytes[1] << 8));
}

bool writeLanguageFile(std::int16_t languageChoice) {
    const auto path = nativeOf(filePath(applicationDataFolder(), uistring::kLanguageFileName));
    platform::createNewFile(path);
    platform::FileHandle file = platform::kNoFile;
    if (platform::openFile(path, true, true, file) != result::kSuccess) return false;
    const auto value = static_cast<std::uint16_t>(languageChoice);
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)};
    const bool written = platform::setFileLength(file, 0) == result::kSuccess &&
                         platform::writeFile(file, bytes, 2) == result::kSuccess;
    platform::closeFile(file);
    return written;
}

std::u16string recentFilesFilePath() {
    return filePath(applicationDataFolder(), uistring::kRecentFilesFile);
}

std::int16_t diagnosticMarkerPresent() {
    return itemExists(filePath(programFolder(), uistring::kDiagnosticMarker)) ? 1 : 0;
}

void writeFirstRunMarker() {
    const auto path = nativeOf(filePath(applicationDataFolder(), uistring::kFirstRunMarker));
    platform::deleteFile(path);
    platform::createNewFile(path);
}

bool firstRunMarkerPresent() {
    return itemExists(filePath(applicationDataFolder(), uistring::kFirstRunMarker));
}

const ProgramPaths& programPaths() {
    static const ProgramPaths paths = [] {
        ProgramPaths found;
        std::string program;
        if (platform::readLinkTarget(platform::NativePath::fromNarrow("/proc/self/exe"), program) == result::kSuccess) {
            found.fullPath = program;
        }
        const auto slash = found.fullPath.rfind('/');
        found.baseName = slash == std::string::npos ? found.fullPath : found.fullPath.substr(slash + 1);
        found.baseName = found.baseName.substr(0, found.baseName.find('.'));
        return found;
    }();
    return paths;
}
