#pragma once
// The one way the application reports a problem to the user: a message, formatted from a UI string or
// a text, with the failure's detail line "error %d at %s:%d" when a CFail is at hand, shown in the
// message window. Answers the button pressed: 1 the first, 3 the second, 2 the third (the numbering
// does not follow the buttons' order); any other answer, such as 0 for a closed window, as it came.
#include <cstdint>
#include <span>

#include "app/MessageWindows.h"
#include "foundation/text/TextFormat.h"
#include "platform/windows/WindowSystem.h"

class CFail;

// The windows the reports go to; with none (the default) the text goes to standard error and the
// answer is 0.
void setReportWindows(MessageWindows* windows);
MessageWindows* reportWindows();

std::int32_t reportFailureArgs(const CFail* failure, const char16_t* format, std::span<const UniFormatValue> values,
                               std::uint32_t buttons);

template <typename... Values>
std::int32_t reportFailureText(const CFail* failure, const char16_t* format, std::uint32_t buttons,
                               const Values&... values) {
    const std::array<UniFormatValue, sizeof...(Values)> list{UniFormatValue(values)...};
    return reportFailureArgs(failure, format, list, buttons);
}

// The UI string of the id as the format.
std::int32_t reportFailureResourceArgs(const CFail* failure, std::uint16_t stringId,
                                       std::span<const UniFormatValue> values, std::uint32_t buttons);
template <typename... Values>
std::int32_t reportFailureResource(const CFail* failure, std::uint16_t stringId, std::uint32_t buttons,
                                   const Values&... values) {
    const std::array<UniFormatValue, sizeof...(Values)> list{UniFormatValue(values)...};
    return reportFailureResourceArgs(failure, stringId, list, buttons);
}

// The owner of every dialog: the main window, or null while there is none (start-up, command-line runs).
platform::Dialog* mainWindowHandle();
// Set by the main window when it is made and cleared when it goes.
void setMainWindowHandle(platform::Dialog* dialog);
