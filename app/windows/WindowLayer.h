#pragma once
// The application's windows on the window system in force: the message and notification windows, the
// progress window and the engines' questions, behind the interfaces the launcher and the engines use.
//
// Which window system runs: the desktop one when a display is present, the headless one otherwise or
// when the environment variable VOSTRANDIMEKO_WINDOWS is "headless" (it may also say "desktop").
#include <memory>

#include "app/MessageWindows.h"
#include "engine/task/ProgressWindow.h"
#include "engine/task/UserQuestions.h"
#include "platform/windows/WindowSystem.h"

class WindowLayer : public MessageWindows, public ProgressWindows, public UserQuestions {
public:
    std::int16_t showMessage(const char16_t* text, const char16_t* detail, std::uint32_t flags) override;
    void showNotification(const char16_t* text, std::int16_t showFilesButton) override;

    ProgressWindow* openProgressWindow() override;
    void closeProgressWindow(ProgressWindow* window) override;

    std::int16_t showConfirmation(std::uint16_t stringId, const char16_t* text, std::int16_t showBox,
                                  std::int16_t* boxState) override;
    std::int16_t showMessage(const CFail* failure, std::uint16_t stringId, std::uint32_t options,
                             const char16_t* text) override;
};

enum class WindowSystemChoice { desktop, headless };

// The choice for the variable's value (null when it is not set) and whether a display is present.
WindowSystemChoice chooseWindowSystem(const char* variable, bool displayPresent);

// How the program makes its desktop window system: the program binds it (it loads the toolkit's module
// only when called); null where it is not bound, so the headless one runs.
using DesktopWindowSystemMaker = std::unique_ptr<platform::WindowSystem> (*)();
void bindDesktopWindowSystem(DesktopWindowSystemMaker maker);

// Makes the window system the choice asks for and puts it in force (platform::windowSystem()); the
// headless one when the desktop cannot start. Answers whether it is the desktop one.
bool startWindowSystem(std::unique_ptr<platform::WindowSystem>& holder, WindowSystemChoice choice);
// Takes the window system out of force and ends it.
void stopWindowSystem(std::unique_ptr<platform::WindowSystem>& holder);
