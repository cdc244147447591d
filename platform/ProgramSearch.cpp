#include "platform/ProgramSearch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {
namespace {

constexpr const char* kUsualSearchPath = "/usr/local/bin:/usr/bin:/bin";

bool isRunnableFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string programSearchPath() {
    const char* path = std::getenv("PATH");
    return path ? std::string(path) : std::string(kUsualSearchPath);
}

std::string findProgram(std::string_view name, std::string_view searchPath) {
    if (name.empty()) return {};
    if (name.find('/') != std::string_view::npos) {
        const std::string path(name);
        return isRunnableFile(path) ? path : std::string();
    }
    while (true) {
        const std::size_t colon = searchPath.find(':');
        std::string folder(searchPath.substr(0, colon));
        if (folder.empty()) folder.assign(1, '.');
        if (folder.back() != '/') folder += '/';
        std::string candidate = folder;
        candidate.append(name);
        if (isRunnableFile(candidate)) return candidate;
        if (colon == std::string_view::npos) return {};
        searchPath.remove_prefix(colon + 1);
    }
}

}  // namespace platform
