#pragma once
// The program's own icons, drawn at the size asked for: neutral round and triangular signs, and the
// program's picture (a page with a turning arrow).
#include <wx/bitmap.h>

#include "platform/windows/WindowSystem.h"

namespace platform::desktop {

wxBitmap drawIcon(IconName icon, int size);

}  // namespace platform::desktop
