#pragma once
// The progress window of a batch: a caption with a file counter, the phase, the file line, a bar and a
// status line, and the Stop button. It keeps the program's windows alive during a conversion on the
// one thread: every poll handles at most one pending event and answers whether Stop was pressed.
#include <cstdint>
#include <span>

#include "app/windows/CWindow.h"
#include "foundation/text/TextFormat.h"

namespace progwindow {
constexpr std::uint16_t kCaption = 5200;
constexpr std::uint16_t kCount = 5201;
constexpr std::uint16_t kPhase = 5202;
constexpr std::uint16_t kFileLine = 5203;
constexpr std::uint16_t kStop = 5204;
constexpr std::uint16_t kBar = 5205;
constexpr std::uint16_t kStatus = 5206;
// The file and status lines keep at most this many UTF-16 units, cut on a character boundary.
constexpr std::int32_t kLineUnits = 255;
}  // namespace progwindow

class CProgWindow : public CWindow {
public:
    // Makes, centres and shows the window (CFail 12 when it cannot be made).
    CProgWindow();
    ~CProgWindow() override;

    std::int32_t init() override;
    std::int32_t initMenu(CommandEvent& event) override;
    std::int32_t command(CommandEvent& event) override;
    std::int32_t handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    virtual void incrementCount();
    virtual void decrementCount();
    virtual void clearCaption();
    virtual void setCaption(std::uint16_t stringId);
    virtual void clearPhase();
    virtual void setPhase(std::uint16_t stringId);
    virtual void clearCount();
    virtual void setCount(std::int16_t n);
    virtual void clearFileLine();
    virtual void setFileLine(std::uint16_t stringId, std::span<const UniFormatValue> values);
    virtual void resetBar();
    // The bar shows done of total; a total of 0 or less shows an empty bar.
    virtual void setBar(std::int32_t done, std::int32_t total);
    virtual void clearStatus();
    virtual void setStatus(std::uint16_t stringId, std::span<const UniFormatValue> values);
    virtual void clearStop();
    virtual std::int16_t poll();
    // Handles at most one pending event without waiting; answers 1 once Stop was pressed (or the
    // terminal's interrupt came), until clearStop.
    virtual std::int16_t pumpMessage();

    std::int16_t stopWasRequested() const { return stopRequested; }

private:
    void showCount();
    void setFormattedLine(std::uint16_t id, std::uint16_t stringId, std::span<const UniFormatValue> values);

    std::int16_t stopRequested = 0;
    std::int16_t count = 0;
    std::int32_t barTotal = 1;
};
