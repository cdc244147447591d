// The desktop module's one export (its name is kDesktopModuleEntryName).
#include "platform/desktop/DesktopModuleEntry.h"

#include <type_traits>

#include "platform/desktop/DesktopWindowSystem.h"

extern "C" __attribute__((visibility("default"))) platform::WindowSystem* vostrandimekoMakeDesktopWindowSystem() {
    return platform::desktop::makeDesktopWindowSystem().release();
}

// The type check that keeps the export and the loader's view of it in step.
static_assert(std::is_same_v<decltype(&vostrandimekoMakeDesktopWindowSystem), platform::desktop::DesktopModuleEntry>);
