#pragma once
// The message window, through which every failure report and question is shown: the text, a detail
// line under it, an icon and up to three buttons chosen by the flags (app/MessageWindows.h).
#include <cstdint>

#include "app/windows/CWindow.h"

namespace messagewindow {
constexpr std::uint16_t kIcon = 6200;
constexpr std::uint16_t kText = 6201;
constexpr std::uint16_t kDetail = 6202;
constexpr std::uint16_t kFirstButton = 6203;
constexpr std::uint16_t kSecondButton = 6204;
constexpr std::uint16_t kThirdButton = 6205;
// The space between the text, the detail line and the buttons, and under the buttons, in pixels.
constexpr std::int32_t kGap = 16;
}  // namespace messagewindow

// The flag bits.
namespace messagewindowflags {
constexpr std::uint32_t kStopIcon = 0x1;
constexpr std::uint32_t kInformationIcon = 0x2;
constexpr std::uint32_t kWarningIcon = 0x4;
constexpr std::uint32_t kShowSecond = 0x8;
constexpr std::uint32_t kShowThird = 0x10;
constexpr std::uint32_t kYesNoTexts = 0x20;
constexpr std::uint32_t kTitleInHighHalf = 0x40;  // the title is the UI string whose id is flags >> 16
}  // namespace messagewindowflags

class CMessageWindow : public CWindow {
public:
    // Runs the dialog; the pressed button's id goes into *result (untouched when the window is closed).
    CMessageWindow(const char16_t* text, const char16_t* detailText, std::int16_t* result, std::uint32_t flags);

    std::int32_t init() override;
    std::int32_t command(CommandEvent& event) override;
    std::int32_t handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    virtual void setStopIcon();
    virtual void setNoteIcon();
    virtual void setCautionIcon();
    virtual void setProgramIcon();

    // Whether the dialog ran at all (it cannot without a window system or its layout).
    bool shown() const { return ran; }

private:
    void setIcon();
    void layOut(bool detailShown);

    const char16_t* text;
    const char16_t* detailText;
    std::int16_t* result;
    std::int16_t done = 0;
    std::uint32_t flags;
    bool ran = false;
};

// Shows the message and answers the pressed button's id (6203, 6204, 6205), or 0 when the window was
// closed without one. When no window can be shown (no display yet, or the windows are gone) the text
// is written to standard error instead, and the answer is 0.
std::int16_t showMessage(const char16_t* text, const char16_t* detailText, std::uint32_t flags);
