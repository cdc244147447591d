#include "app/windows/CMessageWindow.h"

#include <cstdio>
#include <new>

#include "app/FailureReport.h"
#include "app/windows/StandardErrorText.h"
#include "foundation/FailureCode.h"
#include "foundation/language/UIStrings.h"

namespace {
constexpr std::uint16_t kYesText = 10181;
constexpr std::uint16_t kNoText = 10182;
}  // namespace

CMessageWindow::CMessageWindow(const char16_t* text, const char16_t* detailText, std::int16_t* result,
                               std::uint32_t flags)
    : CWindow(nullptr, mainWindowHandle()), text(text), detailText(detailText),
      result(result), flags(flags) {
    ran = runModalDialog(u"MessageWindow", ownerWindow, this) >= 0;
}

std::int32_t CMessageWindow::handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return handleModalMessage(done, message, wParam, lParam);
}

std::int32_t CMessageWindow::init() {
    namespace id = messagewindow;
    namespace bit = messagewindowflags;
    setItemText(id::kText, text);
    const bool detailShown = detailText != nullptr && detailText[0] != 0;
    if (detailShown) {
        setItemText(id::kDetail, detailText);
    } else {
        showItem(id::kDetail, 0);
    }
    setIcon();
    if ((flags & bit::kShowThird) == 0) showItem(id::kThirdButton, 0);
    if ((flags & bit::kShowSecond) == 0) showItem(id::kSecondButton, 0);
    if ((flags & bit::kYesNoTexts) != 0) {
        char16_t label[kLoadStringSize];
        setItemText(id::kFirstButton, loadUniText(label, kYesText));
        setItemText(id::kSecondButton, loadUniText(label, kNoText));
    }
    if ((flags & bit::kTitleInHighHalf) != 0) {
        char title[kLoadStringSize];
        setTitle8(loadText(title, static_cast<std::uint16_t>(flags >> 16)));
    }
    layOut(detailShown);
    center();
    bringToFront();
    return 0;
}

void CMessageWindow::setIcon() {
    namespace bit = messagewindowflags;
    if ((flags & bit::kStopIcon) != 0) {
        setStopIcon();
    } else if ((flags & bit::kInformationIcon) != 0) {
        setNoteIcon();
    } else if ((flags & bit::kWarningIcon) != 0) {
        setCautionIcon();
    } else {
        setProgramIcon();
    }
}

// The text takes the height it needs; the detail line and the buttons follow it down, and the window
// ends 16 pixels under the buttons.
void CMessageWindow::layOut(bool detailShown) {
    namespace id = messagewindow;
    std::int32_t height = measureItemText(id::kText);
    setItemHeight(id::kText, static_cast<std::int16_t>(height));
    std::uint32_t base = getItemPosition(id::kText);
    if (detailShown) {
        const std::uint32_t detail = getItemPosition(id::kDetail);
        moveItem(id::kDetail, packPoint(packedLeft(detail), packedTop(base) + height + id::kGap));
        base = getItemPosition(id::kDetail);
        height = getItemHeight(id::kDetail);
    }
    for (const std::uint16_t button : {id::kFirstButton, id::kSecondButton, id::kThirdButton}) {
        const std::uint32_t place = getItemPosition(button);
        moveItem(button, packPoint(packedLeft(place), packedTop(base) + height + id::kGap));
    }
    const std::int32_t bottom = packedTop(getItemPosition(id::kFirstButton)) + getItemHeight(id::kFirstButton) + id::kGap;
    setClientSize(packPoint(0, bottom));
}

std::int32_t CMessageWindow::command(CommandEvent& event) {
    const auto id = static_cast<std::uint16_t>(event.commandWord & 0xFFFF);
    if (id == messagewindow::kFirstButton || id == messagewindow::kSecondButton || id == messagewindow::kThirdButton) {
        if (result != nullptr) *result = static_cast<std::int16_t>(id);
        done = 1;
    }
    return kNotHandled;
}

void CMessageWindow::setStopIcon() {
    if (getItem(messagewindow::kIcon)) platform::windowSystem()->setItemIcon(dialog, messagewindow::kIcon, platform::IconName::stop);
}

void CMessageWindow::setNoteIcon() {
    if (getItem(messagewindow::kIcon)) platform::windowSystem()->setItemIcon(dialog, messagewindow::kIcon, platform::IconName::information);
}

void CMessageWindow::setCautionIcon() {
    if (getItem(messagewindow::kIcon)) platform::windowSystem()->setItemIcon(dialog, messagewindow::kIcon, platform::IconName::warning);
}

void CMessageWindow::setProgramIcon() {
    if (getItem(messagewindow::kIcon)) platform::windowSystem()->setItemIcon(dialog, messagewindow::kIcon, platform::IconName::program);
}

std::int16_t showMessage(const char16_t* text, const char16_t* detailText, std::uint32_t flags) {
    std::int16_t pressed = 0;
    bool shown = false;
    failureCode([&] {
        const CMessageWindow window(text, detailText, &pressed, flags);
        shown = window.shown();
    });
    // Nothing could show it: the text is not lost.
    if (!shown) writeToStandardError(text, detailText);
    return pressed;
}
