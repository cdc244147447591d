#pragma once
// The program as a person sees it when started without files: the guided tour on the first start,
// then the main window, whose loop runs until Exit (or the window's close box, or a language change)
// or until the program is asked to end.
#include <cstdint>
#include <functional>

#include "app/windows/CMainWindow.h"

class CMUI;
class CTranslator;
class ConversionLauncher;

struct ProgramWindows {
    ConversionLauncher* launcher = nullptr;
    const CTranslator* exporters = nullptr;  // the preferences window's "Convert to:" lists
    CMUI* languageServices = nullptr;  // null: a language choice takes effect at the next start
    std::int16_t diagnosticMode = 0;
};

// The main window's commands as the program carries them out.
MainWindowActions mainWindowActions(const ProgramWindows& program);

// Services the window system in force until finished() answers true: waits for an event, pumps it
// (and the window system's pollers), and asks again.
void runMainLoop(const std::function<bool()>& finished);

// The tour on the first start, then the main window and its loop; the window is gone on return.
void runProgramWindows(const ProgramWindows& program, const std::function<bool()>& finished);

// Asks for a file and reads it as a picture, to try the picture readers on it; what fails is reported.
void testPicture();
