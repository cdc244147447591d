#pragma once
// The confirmation window: a yes/no question with the box "Don't ask me again", whose state the
// caller keeps (usually a preference).
#include <cstdint>

#include "app/windows/CWindow.h"

namespace confirmwindow {
constexpr std::uint16_t kIcon = 4100;
constexpr std::uint16_t kQuestion = 4101;
constexpr std::uint16_t kYes = 4102;
constexpr std::uint16_t kNo = 4103;
constexpr std::uint16_t kDontAsk = 4104;
}  // namespace confirmwindow

class CConfirmWindow : public CWindow {
public:
    // Runs the dialog: "Yes" sets *answer to 1; the box writes its state into *noAskFlag at each click.
    CConfirmWindow(const char16_t* message, std::int16_t* answer, std::int16_t* noAskFlag, std::int16_t offerNoAsk);

    std::int32_t init() override;
    std::int32_t command(CommandEvent& event) override;
    std::int32_t handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    const char16_t* message;
    std::int16_t* answer;
    std::int16_t* noAskFlag;
    std::int16_t done = 0;
    std::int16_t offerNoAsk;
};

// Asks the formatted question: 1 for "Yes", 0 for "No" or a closed window (or none that can be
// shown); answerWhenNotAsked at once, without a window, when *noAskFlag is 1.
std::int16_t askConfirmationText(std::int16_t* noAskFlag, std::int16_t answerWhenNotAsked, std::int16_t offerNoAsk,
                                 const char16_t* question);
