#pragma once
// The window system on a real display, over the desktop toolkit (wxWidgets with GTK). This code is the
// only code that includes or links the toolkit; the program loads it as a module (DesktopModule.h), the
// window tests link it directly.
#include <memory>
#include <string>

#include "platform/windows/WindowSystem.h"

namespace platform::desktop {

// The desktop window system, or null when the toolkit cannot start (no display it can open).
std::unique_ptr<WindowSystem> makeDesktopWindowSystem();

// Saves what the dialog shows on the screen as a PNG file; false when it cannot be read or written.
bool saveDialogPicture(Dialog* dialog, const std::string& pngPath);

}  // namespace platform::desktop
