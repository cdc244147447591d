#pragma once
// The report window: an unexpected failure, with the offer to send a report by e-mail.
#include <cstdint>
#include <string>

#include "app/windows/CWindow.h"

class CFail;

namespace reportwindow {
constexpr std::uint16_t kIcon = 6600;
constexpr std::uint16_t kText = 6601;
constexpr std::uint16_t kDetail = 6602;
constexpr std::uint16_t kSendReport = 6603;
constexpr std::uint16_t kDontSend = 6604;
}  // namespace reportwindow

class CReportWindow : public CWindow {
public:
    CReportWindow(const char16_t* detailText, std::int16_t* result);

    std::int32_t init() override;
    std::int32_t command(CommandEvent& event) override;
    std::int32_t handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    bool shown() const { return ran; }

private:
    const char16_t* detailText;
    std::int16_t* result;
    std::int16_t done = 0;
    bool ran = false;
};

// Shows the failure ("error %d at %s:%d") and answers 6603 "Send Report", 6604 "Don't Send", or 0 when
// the window was closed; without a window, the failure goes to standard error and the answer is 0.
std::int16_t showFailureReport(const CFail& failure);
// The mail address that opens a report of the failure in the user's mail program (UI strings 10848
// and 10849).
std::string failureReportMailAddress(const CFail& failure);
// Opens that address; what the desktop answers is not reported.
void sendFailureReport(const CFail& failure);
