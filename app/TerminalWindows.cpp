#include "app/TerminalWindows.h"

#include <new>
#include <string>

#include "engine/task/HeadlessProgress.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/language/UIStrings.h"
#include "platform/process/Interrupt.h"

namespace {

// The updating progress line; the terminal's interrupt is its Stop button.
class TerminalProgress : public HeadlessProgress {
public:
    explicit TerminalProgress(std::FILE* errors) : HeadlessProgress(errors) {}
    std::int16_t poll() override {
        if (platform::interruptRequested()) requestStop();
        return HeadlessProgress::poll();
    }
};

// The progress of a batch written to a file or pipe: one line for each file, when its name first shows.
class LineProgress : public HeadlessProgress {
public:
    explicit LineProgress(std::FILE* errors) : errors(errors) {}

    std::int16_t poll() override {
        if (platform::interruptRequested()) requestStop();
        return HeadlessProgress::poll();
    }

    void setFileLine(std::uint16_t stringId, std::span<const UniFormatValue> values) override {
        HeadlessProgress::setFileLine(stringId, values);
        char16_t format[kLoadStringSize];
        std::string line = terminalText(formatUniCoreToString(loadUniText(format, stringId), values).c_str());
        line = line.substr(0, line.find('\n'));
        if (line == lastLine) return;
        lastLine = line;
        std::fprintf(errors, "%s\n", line.c_str());
        std::fflush(errors);
    }

private:
    std::FILE* errors;
    std::string lastLine;
};

}  // namespace

std::string terminalText(const char16_t* text) {
    std::string bytes = utf16ToUtf8String(text != nullptr ? std::u16string_view(text) : std::u16string_view());
    for (char& c : bytes) {
        if (c == '\r') c = '\n';
    }
    while (!bytes.empty() && bytes.back() == '\n') bytes.pop_back();
    return bytes;
}

TerminalWindows::TerminalWindows(std::FILE* output, std::FILE* errors, bool progressOnTerminal)
    : output(output), errors(errors), progressOnTerminal(progressOnTerminal) {}

std::int16_t TerminalWindows::showMessage(const char16_t* text, const char16_t* detail, std::uint32_t) {
    // A message during a batch starts below the progress line instead of running on from it.
    if (progressLineOpen) std::fprintf(errors, "\n");
    std::fprintf(errors, "%s\n", terminalText(text).c_str());
    if (detail != nullptr) std::fprintf(errors, "%s\n", terminalText(detail).c_str());
    std::fflush(errors);
    return 0;
}

void TerminalWindows::showNotification(const char16_t* text, std::int16_t) {
    std::fprintf(output, "%s\n", terminalText(text).c_str());
    std::fflush(output);
}

ProgressWindow* TerminalWindows::openProgressWindow() {
    if (progressOnTerminal) {
        ProgressWindow* window = new (std::nothrow) TerminalProgress(errors);
        progressLineOpen = window != nullptr;
        return window;
    }
    return new (std::nothrow) LineProgress(errors);
}

void TerminalWindows::closeProgressWindow(ProgressWindow* window) {
    // The updating line is ended, so what follows starts on a line of its own.
    if (progressLineOpen && window != nullptr) std::fprintf(errors, "\n");
    progressLineOpen = false;
    delete window;
}
