#include "app/windows/CConfirmWindow.h"

#include "app/FailureReport.h"
#include "foundation/FailureCode.h"

namespace {
constexpr std::int32_t kGap = 16;
}

CConfirmWindow::CConfirmWindow(const char16_t* message, std::int16_t* answer, std::int16_t* noAskFlag,
                               std::int16_t offerNoAsk)
    : CWindow(nullptr, mainWindowHandle()), message(message), answer(answer),
      noAskFlag(noAskFlag), offerNoAsk(offerNoAsk) {
    runModalDialog(u"ConfirmWindow", ownerWindow, this);
}

std::int32_t CConfirmWindow::handleMessage(std::uint32_t windowMessage, std::uintptr_t wParam, std::intptr_t lParam) {
    return handleModalMessage(done, windowMessage, wParam, lParam);
}

std::int32_t CConfirmWindow::init() {
    namespace id = confirmwindow;
    if (offerNoAsk != 1) showItem(id::kDontAsk, 0);
    setItemText(id::kQuestion, message);
    const std::int32_t height = measureItemText(id::kQuestion);
    setItemHeight(id::kQuestion, static_cast<std::int16_t>(height));
    const std::int32_t top = packedTop(getItemPosition(id::kQuestion)) + height + kGap;
    for (const std::uint16_t control : {id::kYes, id::kNo, id::kDontAsk}) {
        moveItem(control, packPoint(packedLeft(getItemPosition(control)), top));
    }
    setClientSize(packPoint(0, packedTop(getItemPosition(id::kYes)) + getItemHeight(id::kYes) + kGap));
    center();
    bringToFront();
    return 0;
}

std::int32_t CConfirmWindow::command(CommandEvent& event) {
    switch (event.commandWord & 0xFFFF) {
    case confirmwindow::kYes:
        done = 1;
        if (answer != nullptr) *answer = 1;
        return 0;
    case confirmwindow::kNo:
        done = 1;
        return 0;
    case confirmwindow::kDontAsk:
        if (noAskFlag != nullptr) *noAskFlag = static_cast<std::int16_t>(getCheck(confirmwindow::kDontAsk));
        return 0;
    default:
        return kNotHandled;
    }
}

std::int16_t askConfirmationText(std::int16_t* noAskFlag, std::int16_t answerWhenNotAsked, std::int16_t offerNoAsk,
                                 const char16_t* question) {
    if (noAskFlag != nullptr && *noAskFlag == 1) return answerWhenNotAsked;
    std::int16_t answer = 0;
    // A window that cannot be made counts as "No".
    failureCode([&] { const CConfirmWindow window(question, &answer, noAskFlag, offerNoAsk); });
    return answer;
}
