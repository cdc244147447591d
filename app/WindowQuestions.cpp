#include "app/WindowQuestions.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/FailureReport.h"
#include "app/TerminalWindows.h"

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

void WindowQuestions::noteFailedFile(const CFail*, const char16_t* text) {
    if (text == nullptr) return;
    std::string line = terminalText(text);
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}
