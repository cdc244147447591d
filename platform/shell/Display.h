#pragma once
// Whether a graphical desktop is there to show windows and open documents on.
namespace platform {

// True when DISPLAY or WAYLAND_DISPLAY names a display.
bool displayAvailable();

}  // namespace platform
