#pragma once
// The engines' questions and failure messages, shown through the application's failure report and its
// message windows (FailureReport.h). A question whose window is closed without an answer is No.
#include "engine/task/UserQuestions.h"

class WindowQuestions : public UserQuestions {
public:
    std::int16_t showConfirmation(std::uint16_t stringId, const char16_t* text, std::int16_t showBox,
                                  std::int16_t* boxState) override;
    std::int16_t showMessage(const CFail* failure, std::uint16_t stringId, std::uint32_t options,
                             const char16_t* text) override;
    // One line on the standard error, whatever back end shows the windows: a batch's failures are read
    // where the batch was started.
    void noteFailedFile(const CFail* failure, const char16_t* text) override;
};
