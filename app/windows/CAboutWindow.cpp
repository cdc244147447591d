#include "app/windows/CAboutWindow.h"

#include <new>

#include "app/FailureReport.h"
#include "foundation/CFail.h"
#include "foundation/language/UIStrings.h"
#include "foundation/text/TextFormat.h"

namespace {
constexpr const char* kUnit = "BAboutWindow";
constexpr std::uint16_t kVersionFormat = 10143;  // "Version ... of %s", with the build date
}  // namespace

CAboutWindow* aboutWindowInstance = nullptr;

CAboutWindow::CAboutWindow() : CWindow(nullptr, mainWindowHandle()) {
    aboutWindowInstance = this;
    runModalDialog(u"AboutWindow", ownerWindow, this);
}

CAboutWindow::~CAboutWindow() {
    aboutWindowInstance = nullptr;
}

std::int32_t CAboutWindow::handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return handleModalMessage(done, message, wParam, lParam);
}

std::int32_t CAboutWindow::init() {
    fillTexts();
    if (getItem(aboutwindow::kName)) platform::windowSystem()->setItemBold(dialog, aboutwindow::kName);
    center();
    return 0;
}

std::int32_t CAboutWindow::initMenu(CommandEvent&) {
    return kNotHandled;
}

std::int32_t CAboutWindow::command(CommandEvent& event) {
    if ((event.commandWord & 0xFFFF) == aboutwindow::kOk) done = 1;
    return kNotHandled;
}

void CAboutWindow::fillTexts() {
    char16_t format[kLoadStringSize];
    char16_t version[kLoadStringSize];
    formatUniString(version, loadUniText(format, kVersionFormat), __DATE__);
    setItemText(aboutwindow::kVersion, version);
}

void showAboutWindow() {
    if (aboutWindowInstance != nullptr) return;
    auto* window = new (std::nothrow) CAboutWindow();
    throwIfNull(window, __LINE__, kUnit);
    delete window;
}
