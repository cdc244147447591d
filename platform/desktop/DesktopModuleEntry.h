#pragma once
// What the program and its desktop module agree on: the module's file name beside the program and the
// one function it exports, which makes the desktop window system. The module carries only the desktop
// window system and the toolkit's libraries; everything else it calls (the window-system registry, the
// resources, the settings) is the program's own, so there is one copy of each.
#include "platform/windows/WindowSystem.h"

namespace platform::desktop {

// The module's file, in the program's folder.
constexpr const char* kDesktopModuleFileName = "vostrandimeko-desktop.so";
// The name under which the module exports its entry.
constexpr const char* kDesktopModuleEntryName = "vostrandimekoMakeDesktopWindowSystem";
// The entry: a new desktop window system, which the caller owns, or null when the toolkit cannot start
// (no display it can open).
using DesktopModuleEntry = WindowSystem* (*)();

}  // namespace platform::desktop
