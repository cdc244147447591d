#pragma once
// How the engines ask the user a question and show a failure. The window layer answers them with its
// confirmation and message windows; without it every question is answered No and nothing is shown.
#include <cstdint>

class CFail;

class UserQuestions {
public:
    UserQuestions() = default;
    UserQuestions(const UserQuestions&) = delete;
    UserQuestions& operator=(const UserQuestions&) = delete;

    // Shows the question with Yes and No and, when showBox is 1, the box "Don't ask me again", whose
    // state (1 checked, 0 clear) goes into *boxState. Answers 1 for Yes, 0 for No or a closed window.
    virtual std::int16_t showConfirmation(std::uint16_t stringId, const char16_t* text, std::int16_t showBox,
                                          std::int16_t* boxState) = 0;
    // Shows the message, with the failure's detail line when one is given. Answers the button pressed:
    // 1 the first, 3 the second, 2 the third.
    virtual std::int16_t showMessage(const CFail* failure, std::uint16_t stringId, std::uint32_t options,
                                     const char16_t* text) = 0;
    // Notes a file of a quiet batch that failed or was refused, with the text its message would have had:
    // nothing is asked or shown in a window, but the person running the batch sees the line. By default
    // the note goes nowhere.
    virtual void noteFailedFile(const CFail* failure, const char16_t* text) {
        static_cast<void>(failure);
        static_cast<void>(text);
    }

protected:
    ~UserQuestions() = default;
};

// When *dontAsk holds 1, answers answerWhenNotAsked and shows nothing; otherwise asks (no asker: No).
std::int16_t askConfirmation(UserQuestions* asker, std::int16_t* dontAsk, std::int16_t answerWhenNotAsked,
                             std::int16_t showBox, std::uint16_t stringId, const char16_t* text);
// Shows the message (no asker: nothing, and the answer is none of the buttons, 0).
std::int16_t reportFailure(UserQuestions* asker, const CFail* failure, std::uint16_t stringId, std::uint32_t options,
                           const char16_t* text);
