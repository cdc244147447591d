#include "engine/task/UserQuestions.h"

std::int16_t askConfirmation(UserQuestions* asker, std::int16_t* dontAsk, std::int16_t answerWhenNotAsked,
                             std::int16_t showBox, std::uint16_t stringId, const char16_t* text) {
    if (dontAsk != nullptr && *dontAsk == 1) return answerWhenNotAsked;
    if (asker == nullptr) return 0;
    std::int16_t boxState = dontAsk != nullptr ? *dontAsk : 0;
    const std::int16_t answer = asker->showConfirmation(stringId, text, showBox, &boxState);
    if (showBox == 1 && dontAsk != nullptr) *dontAsk = boxState;
    return answer == 1 ? 1 : 0;
}

std::int16_t reportFailure(UserQuestions* asker, const CFail* failure, std::uint16_t stringId, std::uint32_t options,
                           const char16_t* text) {
    if (asker == nullptr) return 0;
    return asker->showMessage(failure, stringId, options, text);
}
