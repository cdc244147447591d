#pragma once
// The notification window: the summary after a batch or the fallback-folder notice, with the offer to
// open the folder of converted files.
#include <cstdint>

#include "app/windows/CWindow.h"

namespace notificationwindow {
constexpr std::uint16_t kIcon = 6100;
constexpr std::uint16_t kText = 6101;
constexpr std::uint16_t kOk = 6102;
constexpr std::uint16_t kShowFiles = 6103;
}  // namespace notificationwindow

class CNotificationWindow : public CWindow {
public:
    CNotificationWindow(const char16_t* text, std::int16_t showFilesButton);

    std::int32_t init() override;
    std::int32_t command(CommandEvent& event) override;
    std::int32_t handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    bool shown() const { return ran; }

private:
    const char16_t* text;
    std::int16_t done = 0;
    std::int16_t showFilesButton;
    bool ran = false;
};

// Shows the notification; without a window to show it in, the text goes to standard error.
void showNotification(const char16_t* text, std::int16_t showFilesButton);
