#pragma once
// An asker that answers questions and messages from a queue a test fills, and records what was shown.
// With the queue empty it answers as a closed window: No, and none of the buttons.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "engine/task/UserQuestions.h"

namespace testsupport {

struct AskerAnswer {
    std::int16_t button;         // 1 Yes / first button, 0 No
    std::int16_t checkBox = -1;  // the state of "Don't ask me again" left by the user, -1 untouched
};

struct ShownWindow {
    bool question;  // a confirmation, or else a message
    std::uint16_t stringId;
    std::u16string text;
    std::int16_t failureCode;  // messages: the failure's code, 0 without one
};

class ScriptedAsker : public UserQuestions {
public:
    std::int16_t showConfirmation(std::uint16_t stringId, const char16_t* text, std::int16_t showBox,
                                  std::int16_t* boxState) override;
    std::int16_t showMessage(const CFail* failure, std::uint16_t stringId, std::uint32_t options,
                             const char16_t* text) override;
    void noteFailedFile(const CFail* failure, const char16_t* text) override;

    std::deque<AskerAnswer> answers;
    std::vector<ShownWindow> shown;
    std::vector<std::u16string> noted;  // the lines of a quiet batch's failed files

private:
    AskerAnswer next();
};

}  // namespace testsupport
