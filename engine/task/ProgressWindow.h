#pragma once
// The progress window of a batch as the conversion task and the engines drive it: a caption with a
// file counter, the phase, the file line, a bar and a status line (the status line and the poll for
// Stop come from the model's ProgressSink). The window layer implements it; a headless form
// (HeadlessProgress.h) serves when there is no display.
//
// A task opens its window through ProgressWindows when it is asked to run with one, and closes it
// again when the batch is over.
#include <cstdint>
#include <span>

#include "foundation/text/TextFormat.h"
#include "model/story/ProgressSink.h"

class ProgressWindow : public ProgressSink {
public:
    // The caption line: a UI string such as 10202 "Files remaining to be converted:".
    virtual void setCaption(std::uint16_t stringId) = 0;
    // The file counter beside the caption.
    virtual void setCount(std::int16_t count) = 0;
    virtual void incrementCount() = 0;
    virtual void decrementCount() = 0;
    // The phase label: 10203 "Loading:", 10204 "Reading:", 10205 "Writing:".
    virtual void setPhase(std::uint16_t stringId) = 0;
    // The file line: the UI string formatted with the values by the UTF-16 formatter.
    virtual void setFileLine(std::uint16_t stringId, std::span<const UniFormatValue> values) = 0;
    virtual void resetBar() = 0;
    // The bar shows done of total.
    virtual void setBar(std::int32_t done, std::int32_t total) = 0;
    virtual void clearStatus() = 0;
    // Forgets a Stop pressed earlier.
    virtual void clearStop() = 0;
    // Brings the window in front of the others.
    virtual void bringToFront() = 0;
};

class ProgressWindows {
public:
    ProgressWindows() = default;
    ProgressWindows(const ProgressWindows&) = delete;
    ProgressWindows& operator=(const ProgressWindows&) = delete;

    // A new window shown to the user, or null when none can be made.
    virtual ProgressWindow* openProgressWindow() = 0;
    // Closes a window this object opened.
    virtual void closeProgressWindow(ProgressWindow* window) = 0;

protected:
    ~ProgressWindows() = default;
};

// The share of done in total as a whole percentage, computed in 64 bits: 0 for a total of 0 or less.
std::int32_t progressPercent(std::int32_t done, std::int32_t total);
