#pragma once
// The progress window as the conversion task and the engines drive it (engine/task/ProgressWindow.h).
#include "app/windows/CProgWindow.h"
#include "engine/task/ProgressWindow.h"

class WindowProgress : public ProgressWindow {
public:
    // A new window on the screen, or null when none can be made.
    static WindowProgress* open();

    void setStatus(std::uint16_t stringId, std::span<const UniFormatValue> values) override {
        window.setStatus(stringId, values);
    }
    std::int16_t poll() override { return window.poll(); }
    void setCaption(std::uint16_t stringId) override { window.setCaption(stringId); }
    void setCount(std::int16_t count) override { window.setCount(count); }
    void incrementCount() override { window.incrementCount(); }
    void decrementCount() override { window.decrementCount(); }
    void setPhase(std::uint16_t stringId) override { window.setPhase(stringId); }
    void setFileLine(std::uint16_t stringId, std::span<const UniFormatValue> values) override {
        window.setFileLine(stringId, values);
    }
    void resetBar() override { window.resetBar(); }
    void setBar(std::int32_t done, std::int32_t total) override { window.setBar(done, total); }
    void clearStatus() override { window.clearStatus(); }
    void clearStop() override { window.clearStop(); }
    void bringToFront() override { window.bringToFront(); }

    CProgWindow& progWindow() { return window; }

private:
    WindowProgress() = default;
    CProgWindow window;
};
