#pragma once
// The message and notification windows as the application reaches them. The window layer implements
// them with real windows; TerminalWindows (TerminalWindows.h) writes them to the standard streams where
// there is no display.
#include <cstdint>

// The buttons of the message window, as showMessage answers them.
namespace messagebutton {
constexpr std::int16_t kFirst = 6203;   // "OK", or "Yes"
constexpr std::int16_t kSecond = 6204;  // "Cancel", or "No"
constexpr std::int16_t kThird = 6205;
}  // namespace messagebutton

// The button sets of the message window (flags).
namespace messageflags {
constexpr std::uint32_t kStopOk = 1;          // a failure: OK only
constexpr std::uint32_t kInformationOk = 2;   // a notice: OK only
constexpr std::uint32_t kSecondButton = 0x8;  // the message asks: it has a second button
constexpr std::uint32_t kYesNo = 42;          // a question: "Yes" and "No"
}  // namespace messageflags

class MessageWindows {
public:
    MessageWindows() = default;
    MessageWindows(const MessageWindows&) = delete;
    MessageWindows& operator=(const MessageWindows&) = delete;

    // Shows the text, with the detail line below it when one is given, and waits for a button. Answers
    // the pressed button's id, or 0 when the window was closed without one (which every caller takes as
    // No or Cancel).
    virtual std::int16_t showMessage(const char16_t* text, const char16_t* detail, std::uint32_t flags) = 0;
    // Shows the summary of a batch or the fallback-folder notice; with showFilesButton 1 the window
    // offers to open the converted-files folder.
    virtual void showNotification(const char16_t* text, std::int16_t showFilesButton) = 0;

protected:
    ~MessageWindows() = default;
};
