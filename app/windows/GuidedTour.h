#pragma once
// The guided tour: three illustrated pages on how the program works, then, when the user wishes, a real
// conversion of the shipped sample document. The program shows it on its first start; the main window
// shows it on Ctrl+Shift+2 at any time.
#include <cstdint>

#include "app/windows/CWindow.h"

class ConversionLauncher;

namespace demowindow {
constexpr std::uint16_t kPicture = 6500;
constexpr std::uint16_t kText = 6501;
constexpr std::uint16_t kCancel = 6502;
constexpr std::uint16_t kFail = 6503;
constexpr std::uint16_t kPrevious = 6504;
constexpr std::uint16_t kNext = 6505;
constexpr std::int16_t kPageCount = 3;
}  // namespace demowindow

class CDemoWindow : public CWindow {
public:
    // Runs the tour's window; returns when it has ended. Going past the last page sets *testRequested
    // to 1; the hidden failure button puts a made-up failure code in *failureCode.
    CDemoWindow(std::int16_t* testRequested, std::int16_t* failureCode);

    std::int32_t init() override;
    std::int32_t initMenu(CommandEvent& event) override;
    std::int32_t command(CommandEvent& event) override;
    std::int32_t handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    virtual void goToPage(std::int16_t page);

    std::int16_t page() const { return currentPage; }

private:
    std::int16_t* testRequested;
    std::int16_t* failureCode;
    std::int16_t done = 0;
    std::int16_t currentPage = -1;
};

// The name of the application that opens RTF files, as page 3 names it (empty when there is none).
const PascalWString& rtfApplicationName();

// atStartUp 1: only until the program once ended normally (the first-run marker). Every failure is
// caught here: a stopped batch quietly, any other in the failure report window.
void runGuidedTour(ConversionLauncher& launcher, std::int16_t atStartUp);
