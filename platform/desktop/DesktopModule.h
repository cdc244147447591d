#pragma once
// The desktop window system is a module beside the program, loaded only when windows are to show on a
// display: a conversion never pays for loading the toolkit's libraries. This part holds no toolkit code.
#include <memory>
#include <string>

#include "platform/windows/WindowSystem.h"

namespace platform::desktop {

struct DesktopModuleStart {
    std::unique_ptr<WindowSystem> system;  // null when it did not start
    std::string failure;                   // why it did not
};

// Loads the module at the path and makes its window system. A module once loaded stays loaded for the
// rest of the run: the window system's code lives in it, and the toolkit may leave handlers behind even
// when it cannot start.
DesktopModuleStart startDesktopModule(const std::string& modulePath);

// The module in the program's own folder (from /proc/self/exe), never one found through the working
// folder or a search path; empty when the program's path cannot be read.
std::string desktopModulePath();

// The desktop window system from the module at the path, or null with the reason on standard error (the
// program then goes on without windows).
std::unique_ptr<WindowSystem> loadDesktopWindowSystem(const std::string& modulePath);

// The maker the program binds: loadDesktopWindowSystem with the module beside the program.
std::unique_ptr<WindowSystem> makeDesktopWindowSystemFromModule();

}  // namespace platform::desktop
