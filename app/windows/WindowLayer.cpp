#include "app/windows/WindowLayer.h"

#include <cstring>
#include <new>

#include "app/FailureReport.h"
#include "app/windows/CConfirmWindow.h"
#include "app/windows/CMessageWindow.h"
#include "app/windows/CNotificationWindow.h"
#include "app/windows/WindowProgress.h"
#include "platform/windows/HeadlessWindowSystem.h"

namespace {
DesktopWindowSystemMaker gDesktopMaker = nullptr;
}

std::int16_t WindowLayer::showMessage(const char16_t* text, const char16_t* detail, std::uint32_t flags) {
    return ::showMessage(text, detail, flags);
}

void WindowLayer::showNotification(const char16_t* text, std::int16_t showFilesButton) {
    ::showNotification(text, showFilesButton);
}

ProgressWindow* WindowLayer::openProgressWindow() {
    return WindowProgress::open();
}

void WindowLayer::closeProgressWindow(ProgressWindow* window) {
    delete window;
}

std::int16_t WindowLayer::showConfirmation(std::uint16_t, const char16_t* text, std::int16_t showBox,
                                           std::int16_t* boxState) {
    // The caller has decided to ask; the box only records what the user ticks.
    std::int16_t ticked = 0;
    const std::int16_t answer = askConfirmationText(&ticked, 0, showBox, text);
    if (boxState != nullptr && showBox == 1) *boxState = ticked;
    return answer;
}

// The texts come formatted: they go through the report as an argument, so a '%' in a file name stays
// as it is.
std::int16_t WindowLayer::showMessage(const CFail* failure, std::uint16_t, std::uint32_t options,
                                      const char16_t* text) {
    return static_cast<std::int16_t>(reportFailureText(failure, u"%u", options, text));
}

WindowSystemChoice chooseWindowSystem(const char* variable, bool displayPresent) {
    if (variable != nullptr && std::strcmp(variable, "headless") == 0) return WindowSystemChoice::headless;
    if (variable != nullptr && std::strcmp(variable, "desktop") == 0) return WindowSystemChoice::desktop;
    return displayPresent ? WindowSystemChoice::desktop : WindowSystemChoice::headless;
}

void bindDesktopWindowSystem(DesktopWindowSystemMaker maker) {
    gDesktopMaker = maker;
}

bool startWindowSystem(std::unique_ptr<platform::WindowSystem>& holder, WindowSystemChoice choice) {
    if (choice == WindowSystemChoice::desktop && gDesktopMaker != nullptr) holder = gDesktopMaker();
    const bool desktop = holder != nullptr;
    if (!desktop) holder.reset(new (std::nothrow) platform::HeadlessWindowSystem());
    platform::setWindowSystem(holder.get());
    return desktop;
}

void stopWindowSystem(std::unique_ptr<platform::WindowSystem>& holder) {
    platform::setWindowSystem(nullptr);
    holder.reset();
}
