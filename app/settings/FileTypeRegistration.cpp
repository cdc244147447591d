#include "app/settings/FileTypeRegistration.h"

#include <cstring>
#include <string_view>

#include "app/requests/DDEServer.h"
#include "engine/ProgramPreferences.h"
#include "engine/task/UserQuestions.h"
#include "foundation/encoding/WideApiFlag.h"
#include "foundation/text/TextCompare.h"
#include "foundation/text/TextFormat.h"
#include "platform/registry/Registry.h"
#include "platform/shell/DesktopRegistration.h"

namespace {

constexpr std::uint16_t kBecomeDefaultQuestion = 10136;
constexpr const char* kDocumentName = "Vostrandimeko Document";
constexpr const char* kOpenCommandTemplate = "[Open(\"%1\")]";
constexpr const char* kExtensions[] = {".docx", ".xlsx"};
constexpr const char* kDesktopMimeTypes[] = {
    "application/vnd.openxmlformats-officedocument.wordprocessingml.document",
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet",
};

bool sameText(const std::string& first, std::string_view second) {
    return compareText(first.c_str(), std::string(second).c_str(), 0) == 0;
}

// A value is read before it is written and left alone when it holds the text already (case aside).
std::int16_t updateValue(const platform::RegistryKey& key, bool created, std::string_view name, std::string_view wanted) {
    std::string present;
    if (!created && platform::registryQueryValue(key, name, present) == 0 && sameText(present, wanted)) return 0;
    return platform::registrySetValue(key, name, wanted);
}

// Opens the key below parent, making it when missing; created tells which.
std::int16_t createKey(const platform::RegistryKey& parent, std::string_view name, platform::RegistryKey& key,
                       bool& created) {
    created = platform::registryOpenKey(parent, name, key) != 0;
    return created ? platform::registryCreateKey(parent, name, key) : 0;
}

// The keys below the class key, each with its default value.
std::int16_t writeClassKeys(const platform::RegistryKey& classKey, const std::string& command, const std::string& icon) {
    struct KeyValue {
        const char* path;
        std::string value;
    };
    const KeyValue keys[] = {
        {"shell\\open\\command", command},
        {"shell\\open\\ddeexec", kOpenCommandTemplate},
        {"shell\\open\\ddeexec\\application", kDDEServiceName},
        {"shell\\open\\ddeexec\\topic", kDDETopicName},
        {"DefaultIcon", icon},
    };
    for (const KeyValue& entry : keys) {
        platform::RegistryKey key = classKey;
        bool created = false;
        if (const std::int16_t failure = createKey(classKey, entry.path, key, created); failure != 0) return failure;
        if (const std::int16_t failure = updateValue(key, created, "", entry.value); failure != 0) return failure;
    }
    return 0;
}

// The program's path as one quoted word of an Exec line: the desktop reserves some characters inside
// quotes and '%' everywhere, and the file's own escapes come on top of that.
std::string execWord(const std::string& programPath) {
    std::string word = "\"";
    for (const char c : programPath) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') word += '\\';
        word += c == '%' ? std::string("%%") : std::string(1, c);
    }
    word += '"';
    std::string escaped;
    for (const char c : word) {
        switch (c) {
            case '\\': escaped += "\\\\"; break;
            case '\n': escaped += "\\n"; break;
            case '\r': escaped += "\\r"; break;
            case '\t': escaped += "\\t"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

std::string desktopEntryText(const std::string& programPath) {
    std::string text = "[Desktop Entry]\nType=Application\nName=Vostrandimeko\n";
    text += "Comment=Converts documents and workbooks\n";
    text += "Exec=" + execWord(programPath) + " %F\n";
    text += "Terminal=false\nMimeType=";
    for (const char* type : kDesktopMimeTypes) text += std::string(type) + ';';
    text += "\n" + std::string(kDesktopEntryOwnerLine) + "\n";
    return text;
}

std::int16_t fail(std::int16_t error, const std::string& what, std::string& problem) {
    problem = what + " (error " + std::to_string(error) + ")";
    return error;
}

}  // namespace

bool CDDEServer::askToBecomeDefault() {
    if (asked) return consent;
    asked = true;
    char16_t question[512];
    formatUniResourceInto(question, 512, kBecomeDefaultQuestion);
    consent = askConfirmation(asker, &gPreferences.noAskDefaultApp, 0, 1, kBecomeDefaultQuestion, question) == 1;
    return consent;
}

std::int16_t CDDEServer::registerFileType(std::string_view extension, std::string_view programPath,
                                          std::string_view contentType) {
    const std::string className = std::string(kDDEServiceName) + std::string(extension);
    const std::string command = std::string(programPath) + (useWideApi == 1 ? " \"%L\"" : " \"%1\"");
    const std::string icon = std::string(programPath) + ",1";
    const platform::RegistryKey root = platform::RegistryKey::classesRoot();

    platform::RegistryKey extensionKey = root;
    bool created = false;
    if (const std::int16_t failure = createKey(root, extension, extensionKey, created); failure != 0) return failure;
    std::string present;
    const bool hasOwner = !created && platform::registryQueryValue(extensionKey, "", present) == 0;
    if (!hasOwner || !sameText(present, className)) {
        // Another program's extension is taken over only with the user's consent.
        if (hasOwner && !askToBecomeDefault()) return 0;
        if (const std::int16_t failure = platform::registrySetValue(extensionKey, "", className); failure != 0)
            return failure;
    }
    const bool hasContentType = platform::registryQueryValue(extensionKey, "Content Type", present) == 0;
    if (!hasContentType || (!sameText(present, contentType) && askToBecomeDefault())) {
        if (const std::int16_t failure = platform::registrySetValue(extensionKey, "Content Type", contentType);
            failure != 0)
            return failure;
    }

    platform::RegistryKey classKey = root;
    if (const std::int16_t failure = createKey(root, className, classKey, created); failure != 0) return failure;
    if (const std::int16_t failure = updateValue(classKey, created, "", kDocumentName); failure != 0) return failure;
    return writeClassKeys(classKey, command, icon);
}

std::int16_t CDDEServer::unregisterFileType(std::string_view extension, std::string_view /*programPath*/,
                                            std::string_view contentType) {
    const std::string className = std::string(kDDEServiceName) + std::string(extension);
    const platform::RegistryKey root = platform::RegistryKey::classesRoot();
    const std::int16_t deleted = platform::registryDeleteTree(root, className);
    if (deleted != 0 && deleted != 2) return deleted;
    platform::RegistryKey extensionKey = root;
    if (platform::registryOpenKey(root, extension, extensionKey) != 0) return 0;
    // Only values that hold this program's texts go; another program's stay.
    const std::pair<const char*, std::string_view> ours[] = {{"", className}, {"Content Type", contentType}};
    for (const auto& [name, text] : ours) {
        std::string present;
        if (platform::registryQueryValue(extensionKey, name, present) != 0 || !sameText(present, text)) continue;
        if (const std::int16_t failure = platform::registryDeleteValue(extensionKey, name); failure != 0) return failure;
    }
    return 0;
}

std::int16_t installFileTypes(CDDEServer& server, const std::string& programPath, std::string& problem) {
    for (const char* extension : kExtensions) {
        if (const std::int16_t failure = server.registerFileType(extension, programPath, kRegisteredContentType);
            failure != 0)
            return fail(failure, std::string("The file type ") + extension + " could not be registered in '" +
                                     platform::defaultRegistryFilePath() + "'", problem);
    }
    if (const std::int16_t failure = platform::writeDesktopEntry(kDesktopEntryId, desktopEntryText(programPath));
        failure != 0)
        return fail(failure, "The desktop entry '" + platform::userApplicationsFolder() + kDesktopEntryId +
                                 "' could not be written", problem);
    for (const char* type : kDesktopMimeTypes) {
        const std::string defaults = platform::userDefaultApplications(type);
        const bool othersFirst = !defaults.empty() && defaults.rfind(std::string(kDesktopEntryId) + ';', 0) != 0;
        // The desktop's default for the type, like the extension's owner, is taken only with consent.
        if (othersFirst && !server.askToBecomeDefault()) continue;
        if (const std::int16_t failure = platform::addDefaultApplication(type, kDesktopEntryId); failure != 0)
            return fail(failure, "The default application could not be set in '" + platform::userMimeAppsFile() + "'",
                        problem);
    }
    return 0;
}

std::int16_t removeFileTypes(CDDEServer& server, const std::string& programPath, std::string& problem) {
    for (const char* extension : kExtensions) {
        if (const std::int16_t failure = server.unregisterFileType(extension, programPath, kRegisteredContentType);
            failure != 0)
            return fail(failure, std::string("The file type ") + extension + " could not be unregistered in '" +
                                     platform::defaultRegistryFilePath() + "'", problem);
    }
    for (const char* type : kDesktopMimeTypes) {
        if (const std::int16_t failure = platform::removeDefaultApplication(type, kDesktopEntryId); failure != 0)
            return fail(failure, "The default application could not be taken out of '" + platform::userMimeAppsFile() +
                                     "'", problem);
    }
    if (const std::int16_t failure = platform::deleteOwnDesktopEntry(kDesktopEntryId, kDesktopEntryOwnerLine);
        failure != 0)
        return fail(failure, "The desktop entry '" + platform::userApplicationsFolder() + kDesktopEntryId +
                                 "' could not be deleted", problem);
    return 0;
}
