#include "platform/files/WorkingFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace platform {

std::string workingFolder() {
    const std::unique_ptr<char, decltype(&std::free)> path(getcwd(nullptr, 0), &std::free);
    if (path == nullptr) return {};
    std::string folder = path.get();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace platform
