#pragma once
// The windows' forms where there is no display: messages and failure reports go to standard error,
// notices and the batch summary to standard output, and the progress window becomes one updating line
// on standard error when that is a terminal, or a line per file otherwise. Nothing waits for an answer:
// a message or question closes at once without a button, which every caller takes as No or Cancel.
#include <cstdio>
#include <string>

#include "app/MessageWindows.h"
#include "engine/task/ProgressWindow.h"

class TerminalWindows : public MessageWindows, public ProgressWindows {
public:
    // progressOnTerminal: errors is a terminal, so the progress line may be rewritten in place.
    TerminalWindows(std::FILE* output, std::FILE* errors, bool progressOnTerminal);

    std::int16_t showMessage(const char16_t* text, const char16_t* detail, std::uint32_t flags) override;
    void showNotification(const char16_t* text, std::int16_t showFilesButton) override;

    ProgressWindow* openProgressWindow() override;
    void closeProgressWindow(ProgressWindow* window) override;

private:
    std::FILE* output;
    std::FILE* errors;
    bool progressOnTerminal;
    bool progressLineOpen = false;  // an updating progress line is on the terminal
};

// The text as lines for a terminal: carriage returns become line ends, and the line ends at its end
// are dropped.
std::string terminalText(const char16_t* text);
