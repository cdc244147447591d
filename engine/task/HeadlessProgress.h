#pragma once
// The progress window where there is no display: it keeps what a window would show and, when given
// an output (standard error on a terminal), writes one progress line whenever the file, the counter
// or the bar changes. Stop comes from requestStop (the command line's interrupt).
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/task/ProgressWindow.h"

class HeadlessProgress : public ProgressWindow {
public:
    explicit HeadlessProgress(std::FILE* output = nullptr) : output(output) {}

    void setStatus(std::uint16_t stringId, std::span<const UniFormatValue> values) override;
    std::int16_t poll() override { return stopRequested; }
    void setCaption(std::uint16_t stringId) override;
    void setCount(std::int16_t count) override;
    void incrementCount() override { setCount(static_cast<std::int16_t>(count + 1)); }
    void decrementCount() override { setCount(static_cast<std::int16_t>(count - 1)); }
    void setPhase(std::uint16_t stringId) override;
    void setFileLine(std::uint16_t stringId, std::span<const UniFormatValue> values) override;
    void resetBar() override { setBar(0, total); }
    void setBar(std::int32_t done, std::int32_t total) override;
    void clearStatus() override { status.clear(); }
    void clearStop() override { stopRequested = 0; }
    void bringToFront() override {}

    void requestStop() { stopRequested = 1; }
    // "caption count  phase file  percent%", in UTF-8.
    std::string progressLine() const;

private:
    void show() const;

    std::FILE* output;
    std::int16_t stopRequested = 0;
    std::int16_t count = 0;
    std::int32_t done = 0;
    std::int32_t total = 0;
    std::u16string caption;
    std::u16string phase;
    std::u16string fileLine;
    std::u16string status;
};
