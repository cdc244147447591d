#include "platform/files/Folders.h"

#include <array>
#include <cstdlib>
#include <fstream>

#include "platform/files/FileSystem.h"

namespace platform {
namespace {

std::array<std::string, 5>& overrides() {
    static std::array<std::string, 5> paths;
    return paths;
}

std::string withSeparator(std::string path) {
    if (path.empty() || path.back() != kPathSeparator) path += kPathSeparator;
    return path;
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return withSeparator(home && *home ? home : "/tmp");
}

std::string environmentFolder(const char* variable, const char* fallbackBelowHome) {
    const char* value = std::getenv(variable);
    if (value && *value == '/') return withSeparator(value);
    return withSeparator(homeFolder() + fallbackBelowHome);
}

// The XDG user folder named by `key` in user-dirs.dirs ("XDG_DESKTOP_DIR"), or ~/fallback.
std::string userFolder(const char* key, const char* fallback) {
    std::ifstream dirs(environmentFolder("XDG_CONFIG_HOME", ".config") + "user-dirs.dirs");
    const std::string prefix = std::string(key) + "=\"";
    for (std::string line; std::getline(dirs, line);) {
        if (line.rfind(prefix, 0) != 0 || line.size() < prefix.size() + 1 || line.back() != '"') continue;
        std::string value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
        if (value.rfind("$HOME/", 0) == 0) value = homeFolder() + value.substr(6);
        if (!value.empty() && value[0] == '/') return withSeparator(value);
    }
    return withSeparator(homeFolder() + fallback);
}

std::string executableFolder() {
    std::string program;
    if (readLinkTarget(NativePath::fromNarrow("/proc/self/exe"), program) != 0) return "./";
    const auto slash = program.rfind(kPathSeparator);
    return slash == std::string::npos ? "./" : program.substr(0, slash + 1);
}

std::string overriddenOr(Folder which, std::string (*system)()) {
    const std::string& path = overrides()[static_cast<std::size_t>(which)];
    return path.empty() ? system() : path;
}

}  // namespace

std::string programFolder() {
    return overriddenOr(Folder::Program, executableFolder);
}

std::string applicationDataFolder() {
    return overriddenOr(Folder::ApplicationData, [] { return environmentFolder("XDG_CONFIG_HOME", ".config"); });
}

std::string desktopFolder() {
    return overriddenOr(Folder::Desktop, [] { return userFolder("XDG_DESKTOP_DIR", "Desktop"); });
}

std::string documentsFolder() {
    return overriddenOr(Folder::Documents, [] { return userFolder("XDG_DOCUMENTS_DIR", "Documents"); });
}

std::string temporaryFilesFolder() {
    return overriddenOr(Folder::TemporaryFiles, [] { return environmentFolder("XDG_CACHE_HOME", ".cache"); });
}

void overrideFolderForTesting(Folder which, const std::string& path) {
    overrides()[static_cast<std::size_t>(which)] = path.empty() ? std::string() : withSeparator(path);
}

}  // namespace platform
