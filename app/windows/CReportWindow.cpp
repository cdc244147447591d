#include "app/windows/CReportWindow.h"

#include "app/FailureReport.h"
#include "app/windows/StandardErrorText.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/files/ShellServices.h"
#include "foundation/language/UIStrings.h"
#include "foundation/text/TextFormat.h"

namespace {
constexpr std::uint16_t kMailFormat = 10848;
constexpr std::uint16_t kMailAddress = 10849;
constexpr std::int32_t kDetailUnits = 256;
}  // namespace

CReportWindow::CReportWindow(const char16_t* detailText, std::int16_t* result)
    : CWindow(nullptr, mainWindowHandle()), detailText(detailText), result(result) {
    ran = runModalDialog(u"ReportWindow", ownerWindow, this) >= 0;
}

std::int32_t CReportWindow::handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return handleModalMessage(done, message, wParam, lParam);
}

std::int32_t CReportWindow::init() {
    setItemText(reportwindow::kDetail, detailText);
    center();
    bringToFront();
    return 0;
}

std::int32_t CReportWindow::command(CommandEvent& event) {
    const auto id = static_cast<std::uint16_t>(event.commandWord & 0xFFFF);
    if (id == reportwindow::kSendReport || id == reportwindow::kDontSend) {
        if (result != nullptr) *result = static_cast<std::int16_t>(id);
        done = 1;
    }
    return kNotHandled;
}

std::int16_t showFailureReport(const CFail& failure) {
    char16_t detail[kDetailUnits];
    formatUniString(detail, u"error %d at %s:%d", static_cast<std::int32_t>(failure.error),
                    failure.fileName != nullptr ? failure.fileName : "", static_cast<std::int32_t>(failure.line));
    std::int16_t pressed = 0;
    bool shown = false;
    failureCode([&] {
        const CReportWindow window(detail, &pressed);
        shown = window.shown();
    });
    if (!shown) writeToStandardError(u"An unexpected error has occurred.", detail);
    return pressed;
}

std::string failureReportMailAddress(const CFail& failure) {
    char format[kLoadStringSize];
    char address[kLoadStringSize];
    loadText(format, kMailFormat);
    loadText(address, kMailAddress);
    return formatToString(format, address, static_cast<std::int32_t>(failure.error),
                          failure.fileName != nullptr ? failure.fileName : "", static_cast<std::int32_t>(failure.line));
}

void sendFailureReport(const CFail& failure) {
    failureCode([&] { shellOpen(makePascal(utf8ToUtf16String(failureReportMailAddress(failure)))); });
}
