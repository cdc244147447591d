#pragma once
// Reads a window layout of resources/dialogs/ (the form is in resources/dialogs/README.txt) into the
// template the window system makes the dialog from.
#include <optional>
#include <string_view>

#include "platform/windows/WindowSystem.h"

// The layout, or nothing when a line does not follow the form (the line is then named in `problem`).
std::optional<platform::DialogTemplate> parseDialogTemplate(std::string_view text, std::string* problem = nullptr);
// The compiled-in layout of that name, or nothing when there is none or it does not read.
std::optional<platform::DialogTemplate> loadDialogTemplate(std::string_view name);
