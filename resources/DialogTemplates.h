#pragma once
// The window layouts, compiled into the program from resources/dialogs/<name>.dialog (the form is in
// resources/dialogs/README.txt).
#include <string_view>

// The layout's text, or an empty text when there is no window of that name.
std::string_view dialogTemplateSource(std::string_view name);
