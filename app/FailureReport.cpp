#include "app/FailureReport.h"

#include "app/windows/StandardErrorText.h"
#include "foundation/CFail.h"
#include "foundation/language/UIStrings.h"

namespace {
constexpr std::int32_t kMessageUnits = 512;

MessageWindows* gReportWindows = nullptr;

std::int32_t answerOf(std::int16_t button) {
    switch (button) {
    case messagebutton::kFirst:
        return 1;
    case messagebutton::kSecond:
        return 3;
    case messagebutton::kThird:
        return 2;
    default:
        return button;
    }
}
}  // namespace

void setReportWindows(MessageWindows* windows) {
    gReportWindows = windows;
}

MessageWindows* reportWindows() {
    return gReportWindows;
}

std::int32_t reportFailureArgs(const CFail* failure, const char16_t* format, std::span<const UniFormatValue> values,
                               std::uint32_t buttons) {
    char16_t text[kMessageUnits];
    formatUniCore(text, kMessageUnits, format != nullptr ? format : u"", values);
    char16_t detail[kMessageUnits];
    detail[0] = 0;
    if (failure != nullptr) {
        formatUniStringInto(detail, kMessageUnits, u"error %d at %s:%d", static_cast<std::int32_t>(failure->error),
                            failure->fileName != nullptr ? failure->fileName : "",
                            static_cast<std::int32_t>(failure->line));
    }
    // Before the windows are there or after they are gone, the message still reaches the user.
    if (gReportWindows == nullptr) {
        writeToStandardError(text, failure != nullptr ? detail : nullptr);
        return 0;
    }
    return answerOf(gReportWindows->showMessage(text, failure != nullptr ? detail : nullptr, buttons));
}

std::int32_t reportFailureResourceArgs(const CFail* failure, std::uint16_t stringId,
                                       std::span<const UniFormatValue> values, std::uint32_t buttons) {
    char16_t format[kLoadStringSize + 1];
    loadUniText(format, stringId);
    return reportFailureArgs(failure, format, values, buttons);
}

namespace {
platform::Dialog* gMainWindowDialog = nullptr;
}

platform::Dialog* mainWindowHandle() {
    return gMainWindowDialog;
}

void setMainWindowHandle(platform::Dialog* dialog) {
    gMainWindowDialog = dialog;
}
