#pragma once
// The About window: the program's name, its version and build date, and the maker's notice.
#include <cstdint>

#include "app/windows/CWindow.h"

namespace aboutwindow {
constexpr std::uint16_t kOk = 5307;
constexpr std::uint16_t kIcon = 5300;
constexpr std::uint16_t kName = 5301;
constexpr std::uint16_t kVersion = 5302;
constexpr std::uint16_t kNotice = 5304;
}  // namespace aboutwindow

class CAboutWindow : public CWindow {
public:
    CAboutWindow();
    ~CAboutWindow() override;

    std::int32_t init() override;
    std::int32_t initMenu(CommandEvent& event) override;
    std::int32_t command(CommandEvent& event) override;
    std::int32_t handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    virtual void fillTexts();

private:
    std::int16_t done = 0;
};

// The window being shown, or null: a second request while it is open shows no second window.
extern CAboutWindow* aboutWindowInstance;

void showAboutWindow();
