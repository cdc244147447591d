#include "foundation/files/ShellServices.h"

#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "foundation/FailureCode.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/encoding/WideApiFlag.h"
#include "foundation/files/AppFolders.h"
#include "foundation/files/BrowserCommand.h"
#include "foundation/files/CFile.h"
#include "foundation/files/Paths.h"
#include "foundation/language/UIStrings.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/TextBoundary.h"
#include "platform/files/FileName.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/Registry.h"
#include "platform/shell/DesktopAssociations.h"
#include "platform/shell/Launcher.h"
#include "platform/shell/SoundPlayer.h"
#include "platform/windows/WindowSystem.h"

namespace {

constexpr std::int16_t kNotEnoughMemory = 8;
constexpr std::int16_t kBrowseCancelled = result::kStopQuietly;
constexpr const char* kBrowserCommandKey = "http\\shell\\open\\command";

// folder + name, as one UTF-16 text.
std::u16string fullPathOf(const PascalWString& name, const PascalWString& folder) {
    std::u16string path(folder.view());
    path += name.view();
    return path;
}

// A path in the form the wide-call flag chooses: the wide form maps the text losslessly, the 8-bit
// form takes the same bytes but at most 511 of them.
platform::NativePath systemPathOf(std::u16string_view path) {
    if (useWideApi == 1) return platform::NativePath::fromWide(path);
    return platform::NativePath::fromNarrow(platform::fileNameToBytes(path));
}

// A full path the system answered, in bytes, split into name and folder; 206 when it does not fit.
std::int16_t splitSystemPath(const std::string& bytes, PascalWString& name, PascalWString& folder) {
    const std::u16string path = platform::fileNameFromBytes(bytes);
    const bool fits = useWideApi == 1 ? path.size() <= static_cast<std::size_t>(kAssociationTextLimit)
                                      : bytes.size() <= static_cast<std::size_t>(kAssociationTextLimit);
    if (!fits || !fitsInPascal(static_cast<std::int32_t>(path.size()))) return result::kNameTooLong;
    splitWStringPath(path.c_str(), name, folder, 0);
    return result::kSuccess;
}

// ---- the target-applications lists ----

// The whole list file from the program's "Targets" folder; false when it cannot be read.
bool readTargetList(const char16_t* fileName, std::string& bytes) {
    char16_t folderName[kLoadStringSize];
    loadUniText(folderName, kTargetsFolderStringId);
    CFile list(fileName, *appFolder(folderName), fourCharCode("TEXT"), fourCharCode("ttxt"), 1, 0, kGenericRead, kGenericRead);
    if (list.open() != result::kSuccess) return false;
    std::uint32_t size = 0;
    if (list.getSize(size) != result::kSuccess || size > static_cast<std::uint32_t>(kTargetListMaximumBytes)) return false;
    // Read straight into the string: a failing allocation then leaves nothing behind to free.
    std::string content(size, '\0');
    if (list.read(content.data(), static_cast<std::int32_t>(size), kFromStart, 0) != result::kSuccess) return false;
    bytes = std::move(content);
    return true;
}

// The application path a target line's key gives: the key's default value, read into a buffer of
// kTargetValueCapacity bytes, taken up to a 0 byte. A value that begins with a double quote holds the
// path up to the next quote; any other value is the path as it stands.
bool targetApplicationPath(std::string_view keyPath, std::string& path) {
    platform::RegistryKey key = platform::RegistryKey::classesRoot();
    if (platform::registryOpenKey(platform::RegistryKey::classesRoot(), keyPath, key) != 0) return false;
    std::string value;
    if (platform::registryQueryValue(key, "", value) != 0) return false;
    if (value.size() >= static_cast<std::size_t>(kTargetValueCapacity)) return false;
    std::string_view text(value);
    text = text.substr(0, text.find('\0'));
    if (!text.empty() && text.front() == '"') {
        text.remove_prefix(1);
        text = text.substr(0, text.find('"'));
    }
    path.assign(text);
    return !path.empty();
}

// The application of the first usable line: "label;key" lines, each ended by a carriage return.
bool firstTargetApplication(std::string_view bytes, PascalWString& name, PascalWString& folder) {
    for (std::size_t end = bytes.find('\r'); end != std::string_view::npos; end = bytes.find('\r')) {
        const std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end + 1);
        if (line.empty() || line.front() == '#') continue;
        const std::size_t semicolon = line.find(';');
        if (semicolon == std::string_view::npos) continue;
        std::string path;
        if (!targetApplicationPath(line.substr(semicolon + 1), path)) continue;
        // The value is read as UTF-8, other bytes kept as the file-name mapping keeps them.
        const std::u16string wide = platform::fileNameFromBytes(path);
        if (!fitsInPascal(static_cast<std::int32_t>(wide.size()))) continue;
        splitWStringPath(wide.c_str(), name, folder, 0);
        return true;
    }
    return false;
}

// ---- the browser ----

// The browser command a user set in the registry; 2 when there is none, 234 when it does not fit.
std::int16_t registryBrowserCommand(std::string& command) {
    platform::RegistryKey key = platform::RegistryKey::classesRoot();
    if (const std::int16_t failure = platform::registryOpenKey(key, kBrowserCommandKey, key); failure != 0) return failure;
    if (const std::int16_t failure = platform::registryQueryValue(key, "", command); failure != 0) return failure;
    const bool fits = useWideApi == 1 ? utf8ToUtf16String(command).size() < static_cast<std::size_t>(kBrowserCommandUnits)
                                      : command.size() < static_cast<std::size_t>(kBrowserCommandBytes);
    return fits ? result::kSuccess : shellresult::kMoreData;
}

// The desktop's own way to open an address: its opener, with the address as its one argument.
std::string desktopBrowserCommand() {
    std::string command(1, '"');
    command += platform::desktopOpener();
    command += "\" \"%1\"";
    return command;
}

std::int16_t openAddress(const PascalWString& url) {
    std::string address = platform::fileNameToBytes(url.view());
    if (useWideApi != 1 && address.size() > platform::kNarrowPathLimit) return result::kNameTooLong;
    std::string commandLine;
    const std::int16_t found = registryBrowserCommand(commandLine);
    if (found == platform::error::kFileNotFound) {
        commandLine = desktopBrowserCommand();
    } else if (found != result::kSuccess) {
        return found;
    }
    const BrowserCommand command = browserCommandFor(commandLine, address);
    return shellExecuteResult(platform::shellExecuteAnswer(platform::runProgram(command.program, command.arguments)));
}

// ---- documents ----

std::int32_t fileCountOf(const FileSpec* fileList) {
    const std::int32_t bytes = memorySize(fileList);
    return bytes > 0 ? bytes / static_cast<std::int32_t>(sizeof(FileSpec)) : 0;
}

// Opens every file of the list with open(path); stops at the first failure.
template <typename Open>
std::int16_t openEach(const FileSpec* fileList, Open&& open) {
    const std::int32_t count = fileCountOf(fileList);
    for (std::int32_t i = 0; i < count; ++i) {
        const FileSpec& spec = fileList[i];
        const std::int16_t failure = open(systemPathOf(fullPathOf(spec.name, spec.folder)));
        if (failure != result::kSuccess) return failure;
    }
    return result::kSuccess;
}

// The code of the work, for the functions that open something: these answer a lack of memory with
// the shell's own code for it, as a start that the system answers with 0 does.
template <typename Work>
std::int16_t openingCode(Work&& work) {
    const std::int16_t code = failureCode(std::forward<Work>(work));
    return code == result::kOutOfMemory ? kNotEnoughMemory : code;
}

// The friendly name the desktop gives, in the form the wide-call flag chooses, cut at 255 characters.
bool desktopFriendlyName(const PascalWString& name, const PascalWString& folder, std::u16string& friendly) {
    const platform::NativePath program = systemPathOf(fullPathOf(name, folder));
    std::string text;
    if (program.problem() != 0 || platform::friendlyNameOfProgram(program.bytes(), text) != 0) return false;
    if (useWideApi == 1) {
        friendly = utf8ToUtf16String(text);
        friendly.resize(utf16CutPoint(friendly, static_cast<std::size_t>(kAssociationTextLimit)));
    } else {
        text.resize(utf8CutPoint(text, static_cast<std::size_t>(kAssociationTextLimit)));
        friendly = utf8ToUtf16String(text);
    }
    return true;
}

// A browse dialog of the window system in force; without one, or cancelled, -9999 and the outputs
// unchanged. A chosen folder comes back with an empty name and the folder ending in the separator.
std::int16_t browseFor(platform::BrowseKind kind, PascalWString& name, PascalWString& folder, const char16_t* title) {
    platform::WindowSystem* windows = platform::windowSystem();
    std::string chosen;
    const std::string titleText = title != nullptr ? utf16ToUtf8String(title) : std::string();
    if (windows == nullptr || !windows->browse(kind, titleText, chosen) || chosen.empty()) return kBrowseCancelled;
    std::u16string path = platform::fileNameFromBytes(chosen);
    if (kind == platform::BrowseKind::folder && path.back() != u'/') path += u'/';
    const std::size_t slash = path.rfind(u'/');
    if (slash == std::u16string::npos) return kBrowseCancelled;
    const std::u16string folderPart = path.substr(0, slash + 1);
    const std::u16string namePart = path.substr(slash + 1);
    if (!fitsInPascal(static_cast<std::int32_t>(folderPart.size())) ||
        !fitsInPascal(static_cast<std::int32_t>(namePart.size()))) {
        return result::kNameTooLong;
    }
    folder = makePascal(folderPart);
    name = makePascal(namePart);
    return result::kSuccess;
}

}  // namespace

std::int16_t findAssociatedApplication(std::uint32_t, std::uint32_t, const char* extension, PascalWString& applicationName,
                                       PascalWString& applicationFolder) {
    return failureCode([&]() -> std::int16_t {
        if (!extension || std::strlen(extension) > static_cast<std::size_t>(kExtensionLimit)) return shellresult::kNoAssociation;
        platform::DesktopApplication application;
        if (const std::int16_t failure = platform::applicationForExtension(extension, application); failure != 0) return failure;
        PascalWString name;
        PascalWString folder;
        if (const std::int16_t failure = splitSystemPath(application.executable, name, folder); failure != 0) return failure;
        applicationName = name;
        applicationFolder = folder;
        return result::kSuccess;
    });
}

std::int16_t findTargetApplications(const char16_t* fileName, PascalWString& applicationName,
                                    PascalWString& applicationFolder) {
    const std::int16_t answer = failureCode([&]() -> std::int16_t {
        std::string bytes;
        if (!fileName || !readTargetList(fileName, bytes)) return shellresult::kNotFound;
        PascalWString name;
        PascalWString folder;
        if (!firstTargetApplication(bytes, name, folder)) return shellresult::kNotFound;
        applicationName = name;
        applicationFolder = folder;
        return result::kSuccess;
    });
    return answer == result::kSuccess ? answer : shellresult::kNotFound;
}

std::int16_t shellExecuteResult(std::int32_t answer) {
    if (answer <= 0) return kNotEnoughMemory;
    if (answer < 32) return static_cast<std::int16_t>(answer);
    return result::kSuccess;
}

std::int16_t openInBrowser(const PascalWString& url) {
    return openingCode([&] { return openAddress(url); });
}

std::int16_t shellOpen(const PascalWString& fullPath) {
    return openingCode([&] { return platform::openWithDesktop(systemPathOf(fullPath.view())); });
}

std::int16_t openFiles(const FileSpec* fileList) {
    return openingCode([&] {
        return openEach(fileList, [](const platform::NativePath& document) { return platform::openWithDesktop(document); });
    });
}

std::int16_t openFilesWithApplication(const PascalWString& applicationName, const PascalWString& applicationFolder,
                                      const FileSpec* fileList) {
    return openingCode([&] {
        const platform::NativePath application = systemPathOf(fullPathOf(applicationName, applicationFolder));
        return openEach(fileList, [&](const platform::NativePath& document) {
            return platform::openWithApplication(application, document);
        });
    });
}

std::int16_t applicationDisplayName(const PascalWString& applicationName, const PascalWString& applicationFolder,
                                    char16_t* text, std::int32_t capacity) {
    if (!text || capacity < 1) return result::kNullObject;
    std::u16string friendly;
    const std::int16_t answer = failureCode([&]() -> std::int16_t {
        return desktopFriendlyName(applicationName, applicationFolder, friendly) ? result::kSuccess : shellresult::kNoAssociation;
    });
    std::u16string_view shown = friendly;
    PascalWString bare;
    if (answer != result::kSuccess) {
        copyPString(bare, applicationName);
        stripPStringExtension(bare);
        shown = bare.view();
    }
    const std::size_t count = utf16CutPoint(shown, static_cast<std::size_t>(capacity) - 1);
    std::memcpy(text, shown.data(), count * sizeof(char16_t));
    text[count] = 0;
    return answer;
}

std::int16_t playSoundFile(const PascalWString& name, const PascalWString& folder) {
    // Nothing to report: a sound that cannot be played is not heard.
    static_cast<void>(failureCode([&] { platform::playSoundInBackground(systemPathOf(fullPathOf(name, folder))); }));
    return result::kSuccess;
}

std::int16_t chooseFolder(PascalWString& name, PascalWString& folder, const char16_t* title) {
    return browseFor(platform::BrowseKind::folder, name, folder, title);
}

std::int16_t chooseApplication(PascalWString& name, PascalWString& folder, const char16_t* title) {
    return browseFor(platform::BrowseKind::application, name, folder, title);
}

std::int16_t chooseFileOrFolder(PascalWString& name, PascalWString& folder, const char16_t* title, std::int32_t) {
    return browseFor(platform::BrowseKind::fileOrFolder, name, folder, title);
}

std::int16_t returnZero(PascalWString&, PascalWString&, const void*, std::int32_t, std::int32_t) {
    return result::kSuccess;
}

std::int16_t makeFolderReference(const PascalWString& name, const PascalWString& folder, PascalWString& reference) {
    reference = PascalWString{};
    if (name.length() != 0) return result::kNullObject;
    copyPString(reference, folder);
    return result::kSuccess;
}

std::int16_t fileTypeAndExtension(const PascalWString& name, const PascalWString& folder, std::uint32_t& type,
                                  std::uint32_t& creator, char* fileName, std::int32_t fileNameCapacity, char* extension,
                                  std::int32_t extensionCapacity) {
    const std::int16_t answer = failureCode([&]() -> std::int16_t {
        CFile file(name, folder, kAnyFileCode, kAnyFileCode, 1, 0, kGenericRead | kGenericWrite, kGenericRead | kGenericWrite);
        return file.getTypeAndExtension(&type, &creator, fileName, fileNameCapacity, extension, extensionCapacity);
    });
    return answer == result::kSuccess ? answer : shellresult::kFileTypeFailed;
}
