#include "app/windows/CProgWindow.h"

#include <algorithm>
#include <string>

#include "app/FailureReport.h"
#include "foundation/language/UIStrings.h"
#include "foundation/text/TextBoundary.h"
#include "platform/process/Interrupt.h"

CProgWindow::CProgWindow() : CWindow("ProgWindow", mainWindowHandle()) {
    center();
    show(1);
    platform::windowSystem()->repaint(dialog);
}

CProgWindow::~CProgWindow() {
    if (dialog != nullptr && platform::windowSystem() != nullptr) platform::windowSystem()->destroyDialog(dialog);
}

std::int32_t CProgWindow::handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t) {
    namespace msg = platform::windowmessage;
    switch (message) {
    case msg::kInitDialog:
        return init();
    case msg::kCommand:
        return command(makeCommandEvent(static_cast<std::int32_t>(wParam), 0, 0));
    case msg::kInitMenu:
        return initMenu(makeCommandEvent(0, static_cast<std::int32_t>(wParam), 0));
    default:
        // Closing the window neither ends nor hides it: Stop is the way out of a batch.
        return 0;
    }
}

std::int32_t CProgWindow::init() {
    return 0;
}

std::int32_t CProgWindow::initMenu(CommandEvent&) {
    return kNotHandled;
}

std::int32_t CProgWindow::command(CommandEvent& event) {
    if ((event.commandWord & 0xFFFF) != progwindow::kStop) return kNotHandled;
    stopRequested = 1;
    return 0;
}

void CProgWindow::showCount() {
    setItemText8(progwindow::kCount, std::to_string(count).c_str());
}

void CProgWindow::incrementCount() {
    ++count;
    showCount();
}

void CProgWindow::decrementCount() {
    --count;
    showCount();
}

void CProgWindow::setCount(std::int16_t n) {
    count = n;
    showCount();
}

void CProgWindow::clearCount() {
    setItemText8(progwindow::kCount, "");
}

void CProgWindow::clearCaption() {
    setItemText8(progwindow::kCaption, "");
}

void CProgWindow::setCaption(std::uint16_t stringId) {
    char16_t text[kLoadStringSize];
    setItemWideText(progwindow::kCaption, loadUniText(text, stringId));
}

void CProgWindow::clearPhase() {
    setItemText8(progwindow::kPhase, "");
}

void CProgWindow::setPhase(std::uint16_t stringId) {
    char16_t text[kLoadStringSize];
    setItemWideText(progwindow::kPhase, loadUniText(text, stringId));
}

void CProgWindow::clearFileLine() {
    setItemText8(progwindow::kFileLine, "");
}

void CProgWindow::setFileLine(std::uint16_t stringId, std::span<const UniFormatValue> values) {
    setFormattedLine(progwindow::kFileLine, stringId, values);
}

void CProgWindow::clearStatus() {
    setItemText8(progwindow::kStatus, "");
}

void CProgWindow::setStatus(std::uint16_t stringId, std::span<const UniFormatValue> values) {
    setFormattedLine(progwindow::kStatus, stringId, values);
}

// A long file name cannot grow the line without bound: it keeps its first 255 units, never half a
// character.
void CProgWindow::setFormattedLine(std::uint16_t id, std::uint16_t stringId, std::span<const UniFormatValue> values) {
    char16_t format[kLoadStringSize];
    std::u16string line = formatUniCoreToString(loadUniText(format, stringId), values);
    line.resize(utf16CutPoint(line, progwindow::kLineUnits));
    setItemWideText(id, line.c_str());
}

void CProgWindow::resetBar() {
    if (getItem(progwindow::kBar)) platform::windowSystem()->setProgress(dialog, progwindow::kBar, 0, barTotal);
}

void CProgWindow::setBar(std::int32_t done, std::int32_t total) {
    if (!getItem(progwindow::kBar)) return;
    // A total of 0 has nothing done yet: an empty bar, never a division by 0.
    barTotal = std::max(total, 1);
    const std::int32_t position = total > 0 ? std::clamp(done, 0, total) : 0;
    platform::windowSystem()->setProgress(dialog, progwindow::kBar, position, barTotal);
}

void CProgWindow::clearStop() {
    stopRequested = 0;
}

std::int16_t CProgWindow::poll() {
    return pumpMessage();
}

std::int16_t CProgWindow::pumpMessage() {
    if (platform::windowSystem() != nullptr) platform::windowSystem()->pumpOne();
    // The terminal's interrupt stops the batch as Stop does.
    if (platform::interruptRequested()) stopRequested = 1;
    return stopRequested;
}
