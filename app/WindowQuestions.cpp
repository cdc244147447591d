#include "app/WindowQuestions.h"

#include "app/FailureReport.h"

// The texts come formatted: they go through the report as an argument, so a '%' in a file name stays
// as it is.
std::int16_t WindowQuestions::showConfirmation(std::uint16_t, const char16_t* text, std::int16_t,
                                               std::int16_t*) {
    return reportFailureText(nullptr, u"%u", messageflags::kYesNo, text) == 1 ? 1 : 0;
}

std::int16_t WindowQuestions::showMessage(const CFail* failure, std::uint16_t, std::uint32_t options,
                                          const char16_t* text) {
    return static_cast<std::int16_t>(reportFailureText(failure, u"%u", options, text));
}
