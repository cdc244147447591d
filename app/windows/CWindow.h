#pragma once
// The base of every window: one object drives one dialog made from a layout of resources/dialogs/,
// every message of the dialog reaches the object's handleMessage through the one dialog procedure, and
// the controls are addressed by their ids in the layout.
//
// Modeless windows (the progress window) make their dialog in the constructor with a template name and
// destroy it in their own destructor. Modal windows pass no name and run their dialog inside their
// constructor with runModalDialog; a button ends the dialog by setting the window's `done` flag in
// `command`, and the dialog's result is that button's id (0 for the close box).
//
// Coordinates are client pixels. Points travel packed in 32 bits, the top (y) in the low 16 bits and
// the left (x) in the high 16 bits, so a caller can move a control down by adding to the value;
// sizes likewise, the height low and the width high.
#include <cstdint>

#include "foundation/CBase.h"
#include "foundation/text/PascalWString.h"
#include "platform/windows/WindowSystem.h"

// The answer of an operation that did not handle its message.
constexpr std::int32_t kNotHandled = -119;

// One record for the whole program, rewritten for every command and menu message.
struct CommandEvent {
    std::int32_t commandWord = 0;  // the control or menu command id low, the notification code high
    std::int32_t menu = 0;
    std::int16_t value = 0;
};
CommandEvent& makeCommandEvent(std::int32_t commandWord, std::int32_t menu, std::int16_t value);

constexpr std::uint32_t packPoint(std::int32_t left, std::int32_t top) {
    return (static_cast<std::uint32_t>(static_cast<std::uint16_t>(left)) << 16) | static_cast<std::uint16_t>(top);
}
constexpr std::int16_t packedTop(std::uint32_t point) {
    return static_cast<std::int16_t>(point & 0xFFFF);
}
constexpr std::int16_t packedLeft(std::uint32_t point) {
    return static_cast<std::int16_t>(point >> 16);
}

// The largest texts that cross to a control and back.
constexpr std::int32_t kItemTextUnits = 512;  // UTF-16 buffer of getItemText: 511 units and the 0
constexpr std::int32_t kItemText8Bytes = 256;  // 8-bit buffer of getItemText8: 255 bytes with the 0

class CWindow;

// The control `id` of a window's dialog, or none.
struct WindowItem {
    platform::Dialog* dialog = nullptr;
    std::uint16_t id = 0;
    explicit operator bool() const { return dialog != nullptr; }
};

class CWindow : public CBase {
public:
    // With a template name, makes the modeless dialog (CFail 12 when it cannot be made) without
    // showing it; with null, the subclass runs its modal dialog itself.
    CWindow(const char* templateName, platform::Dialog* ownerWindow);
    ~CWindow() override = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    virtual std::int32_t init();
    virtual std::int32_t initMenu(CommandEvent& event);
    virtual std::int32_t command(CommandEvent& event);
    // Centres the dialog over its parent (the screen without one), kept 2 pixels inside the work area.
    virtual void center();
    virtual void bringToFront();
    // Shows the picture file (folder + name) in a picture control; a file that cannot be read or shown
    // leaves the control as it was.
    virtual void setItemPicture(std::uint16_t id, const PascalWString& name, const PascalWString& folder);
    // The text setters repaint at once, so a text set during a long step shows.
    virtual void setItemText(std::uint16_t id, const char16_t* text);
    virtual void setItemPString(std::uint16_t id, const PascalWString& text);
    // At most 254 units.
    virtual PascalWString& getItemPString(std::uint16_t id, PascalWString& text);
    virtual void setItemWideText(std::uint16_t id, const char16_t* text);
    // Into a buffer of kItemTextUnits units: at most 511 units (255 bytes' worth through the 8-bit form).
    virtual char16_t* getItemText(std::uint16_t id, char16_t* buffer);
    // The bytes as they are (UTF-8).
    virtual void setItemText8(std::uint16_t id, const char* text);
    // Into a buffer of kItemText8Bytes bytes, cut on a character boundary.
    virtual char* getItemText8(std::uint16_t id, char* buffer);
    virtual void setItemNumber(std::uint16_t id, std::int32_t number);
    virtual std::int32_t getItemNumber(std::uint16_t id);
    virtual std::int32_t addComboText(std::uint16_t id, const char16_t* text);
    virtual std::int32_t addComboText8(std::uint16_t id, const char* text);
    // Selects the first entry equal to the text ignoring case; -1 (and the selection unchanged) when
    // there is none.
    virtual std::int32_t selectComboText(std::uint16_t id, const char* text);
    // The selected entry into a buffer of kItemText8Bytes bytes; unchanged when nothing is selected.
    virtual char* getComboText(std::uint16_t id, char* buffer);
    virtual char* getComboText2(std::uint16_t id, char* buffer);
    virtual void setComboSelection(std::uint16_t id, std::int16_t index);
    virtual std::int32_t getComboSelection(std::uint16_t id);
    virtual void setCheck(std::uint16_t id, std::int16_t state);
    virtual std::int32_t getCheck(std::uint16_t id);
    // The height in pixels of the control's text word-wrapped at the control's width.
    virtual std::int32_t measureItemText(std::uint16_t id);
    virtual void setItemHeight(std::uint16_t id, std::int16_t height);
    virtual std::int32_t getItemHeight(std::uint16_t id);
    virtual void setItemWidth(std::uint16_t id, std::int16_t width);
    virtual std::int32_t getItemWidth(std::uint16_t id);
    virtual void moveItem(std::uint16_t id, std::uint32_t point);
    virtual std::uint32_t getItemPosition(std::uint16_t id);
    virtual void enableItem(std::uint16_t id, std::int16_t enable);
    // Shows the control when the flag is 1, hides it otherwise.
    virtual void showItem(std::uint16_t id, std::int16_t flag);
    virtual void show(std::int16_t flag);
    virtual void setTitle8(const char* title);
    // A half that is 0 keeps the current height or width.
    virtual void setClientSize(std::uint32_t size);
    // The dialog's top-left corner on the screen, packed.
    virtual std::uint32_t getPosition();
    // The class's dialog procedure; the base answers 0.
    virtual std::int32_t handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    virtual WindowItem getItem(std::uint16_t id);

    platform::Dialog* dialogHandle() const { return dialog; }

protected:
    // The modal convention's end of a message: when `done` is set, clears it, ends the dialog with the
    // low 16 bits of wParam and answers 1.
    std::int32_t endIfDone(std::int16_t& done, std::uintptr_t wParam, std::int32_t answer);
    // The modal windows' handleMessage: close sets done, the rest goes to init, command and initMenu.
    std::int32_t handleModalMessage(std::int16_t& done, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam);

    platform::Dialog* ownerWindow;
    platform::Dialog* dialog = nullptr;

    friend std::int32_t windowDialogProc(platform::Dialog*, std::uint32_t, std::uintptr_t, std::intptr_t);
};

// Runs the modal dialog of the template with the window object bound to it; answers the result the
// dialog ended with, or -1 when it cannot be run (no window system, or no such layout).
std::int32_t runModalDialog(const char16_t* templateName, platform::Dialog* ownerWindow, CWindow* window);
// The one dialog procedure of the program.
std::int32_t windowDialogProc(platform::Dialog* dialog, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam);
// The window object bound to a dialog, or null.
CWindow* windowFromHandle(platform::Dialog* dialog);
