#include "platform/desktop/DesktopModule.h"

#include <dlfcn.h>

#include <cstdio>
#include <utility>

#include "platform/desktop/DesktopModuleEntry.h"
#include "platform/files/FileSystem.h"

namespace platform::desktop {

DesktopModuleStart startDesktopModule(const std::string& modulePath) {
    DesktopModuleStart start;
    if (modulePath.empty()) {
        start.failure = "the program's own path cannot be read, so its desktop module cannot be found";
        return start;
    }
    // Every symbol is bound now, so that a module built against another program fails here, with the
    // missing name, rather than in the middle of a window. The module's own symbols stay out of the
    // program's global scope.
    void* module = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char* reason = dlerror();
        start.failure = reason != nullptr ? reason : "the module '" + modulePath + "' cannot be loaded";
        return start;
    }
    // The module is never closed (see the header).
    const auto entry = reinterpret_cast<DesktopModuleEntry>(dlsym(module, kDesktopModuleEntryName));
    if (entry == nullptr) {
        start.failure = "the module '" + modulePath + "' has no " + kDesktopModuleEntryName;
        return start;
    }
    start.system.reset(entry());
    if (start.system == nullptr) start.failure = "the display cannot be opened";
    return start;
}

std::string desktopModulePath() {
    std::string program;
    if (readLinkTarget(NativePath::fromNarrow("/proc/self/exe"), program) != 0) return {};
    const auto slash = program.rfind('/');
    if (slash == std::string::npos) return {};
    return program.substr(0, slash + 1) + kDesktopModuleFileName;
}

std::unique_ptr<WindowSystem> loadDesktopWindowSystem(const std::string& modulePath) {
    DesktopModuleStart start = startDesktopModule(modulePath);
    if (start.system == nullptr)
        std::fprintf(stderr, "The desktop windows cannot start (%s); the program goes on without them.\n",
                     start.failure.c_str());
    return std::move(start.system);
}

std::unique_ptr<WindowSystem> makeDesktopWindowSystemFromModule() {
    return loadDesktopWindowSystem(desktopModulePath());
}

}  // namespace platform::desktop
