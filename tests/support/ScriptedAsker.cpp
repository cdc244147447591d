#include "tests/support/ScriptedAsker.h"

#include "foundation/CFail.h"

namespace testsupport {

AskerAnswer ScriptedAsker::next() {
    if (answers.empty()) return {0, -1};
    const AskerAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::int16_t ScriptedAsker::showConfirmation(std::uint16_t stringId, const char16_t* text, std::int16_t showBox,
                                             std::int16_t* boxState) {
    shown.push_back({true, stringId, text != nullptr ? text : u"", 0});
    const AskerAnswer answer = next();
    if (showBox == 1 && answer.checkBox != -1 && boxState != nullptr) *boxState = answer.checkBox;
    return answer.button;
}

std::int16_t ScriptedAsker::showMessage(const CFail* failure, std::uint16_t stringId, std::uint32_t,
                                        const char16_t* text) {
    shown.push_back({false, stringId, text != nullptr ? text : u"", failure != nullptr ? failure->error : std::int16_t{0}});
    return next().button;
}

void ScriptedAsker::noteFailedFile(const CFail*, const char16_t* text) {
    noted.emplace_back(text != nullptr ? text : u"");
}

}  // namespace testsupport
