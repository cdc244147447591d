#include "app/windows/StandardErrorText.h"

#include <cstdio>

#include "app/TerminalWindows.h"

void writeToStandardError(const char16_t* text, const char16_t* detailText) {
    std::fprintf(stderr, "%s\n", terminalText(text).c_str());
    if (detailText != nullptr && detailText[0] != 0) std::fprintf(stderr, "%s\n", terminalText(detailText).c_str());
    std::fflush(stderr);
}
