#include "app/windows/CNotificationWindow.h"

#include "app/FailureReport.h"
#include "app/settings/ProgramFolders.h"
#include "app/windows/StandardErrorText.h"
#include "foundation/FailureCode.h"
#include "foundation/files/Paths.h"
#include "foundation/files/ShellServices.h"

namespace {
constexpr std::int32_t kGap = 16;
}

CNotificationWindow::CNotificationWindow(const char16_t* text, std::int16_t showFilesButton)
    : CWindow(nullptr, mainWindowHandle()), text(text),
      showFilesButton(showFilesButton) {
    ran = runModalDialog(u"NotificationWindow", ownerWindow, this) >= 0;
}

std::int32_t CNotificationWindow::handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return handleModalMessage(done, message, wParam, lParam);
}

std::int32_t CNotificationWindow::init() {
    namespace id = notificationwindow;
    setItemText(id::kText, text);
    showItem(id::kShowFiles, showFilesButton == 1 ? 1 : 0);
    const std::int32_t height = measureItemText(id::kText);
    setItemHeight(id::kText, static_cast<std::int16_t>(height));
    const std::int32_t buttonTop = packedTop(getItemPosition(id::kText)) + height + kGap;
    for (const std::uint16_t button : {id::kOk, id::kShowFiles}) {
        moveItem(button, packPoint(packedLeft(getItemPosition(button)), buttonTop));
    }
    setClientSize(packPoint(0, packedTop(getItemPosition(id::kOk)) + getItemHeight(id::kOk) + kGap));
    center();
    bringToFront();
    return 0;
}

std::int32_t CNotificationWindow::command(CommandEvent& event) {
    const auto id = static_cast<std::uint16_t>(event.commandWord & 0xFFFF);
    if (id == notificationwindow::kShowFiles) {
        // Whether the folder opens or not, the window has done its part.
        failureCode([] {
            PascalWString folder = convertedFilesFolder();
            stripSeparator(folder);
            shellOpen(folder);
        });
        done = 1;
    } else if (id == notificationwindow::kOk) {
        done = 1;
    }
    return kNotHandled;
}

void showNotification(const char16_t* text, std::int16_t showFilesButton) {
    bool shown = false;
    failureCode([&] {
        const CNotificationWindow window(text, showFilesButton);
        shown = window.shown();
    });
    if (!shown) writeToStandardError(text, nullptr);
}
