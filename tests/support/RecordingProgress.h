#pragma once
// A progress window that records what the task and the engines show, and presses Stop when a chosen
// file line appears (as a user would while that file is being read). Its maker hands out one window
// and counts how often it was opened and closed.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/task/ProgressWindow.h"

namespace testsupport {

class RecordingProgress : public ProgressWindow {
public:
    void setStatus(std::uint16_t stringId, std::span<const UniFormatValue> values) override;
    std::int16_t poll() override;
    void setCaption(std::uint16_t stringId) override { events.push_back("caption " + std::to_string(stringId)); }
    void setCount(std::int16_t value) override;
    void incrementCount() override { setCount(static_cast<std::int16_t>(count + 1)); }
    void decrementCount() override { setCount(static_cast<std::int16_t>(count - 1)); }
    void setPhase(std::uint16_t stringId) override { events.push_back("phase " + std::to_string(stringId)); }
    void setFileLine(std::uint16_t stringId, std::span<const UniFormatValue> values) override;
    void resetBar() override {}
    void setBar(std::int32_t, std::int32_t) override {}
    void clearStatus() override {}
    void clearStop() override { stopRequested = 0; }
    void bringToFront() override { events.push_back("front"); }

    std::string stopAtFileLine;  // Stop is pressed when this file line (UTF-8) is shown
    std::int16_t stopRequested = 0;
    std::int16_t count = 0;
    std::vector<std::int16_t> counts;  // every value the counter showed
    std::vector<std::string> events;
    int polls = 0;
};

class RecordingProgressWindows : public ProgressWindows {
public:
    ProgressWindow* openProgressWindow() override {
        ++opened;
        return &window;
    }
    void closeProgressWindow(ProgressWindow*) override { ++closed; }

    RecordingProgress window;
    int opened = 0;
    int closed = 0;
};

}  // namespace testsupport
