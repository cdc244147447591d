#pragma once
// The desktop as the window layer sees it: dialogs made from templates in dialog units, their controls
// addressed by numeric ids, one dialog procedure per dialog through which every message reaches its
// window object, a non-blocking pump of one pending event, and the three browse dialogs.
//
// Two back ends implement it: the desktop one (platform/desktop/, the only code that knows the toolkit)
// and the headless one (HeadlessWindowSystem.h) that tests and runs without a display use. Code above
// the platform reaches the one in force through windowSystem().
//
// Coordinates are pixels in the dialog's client area; the back end converts the template's dialog
// units the way its toolkit converts them. Texts cross as UTF-8.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// A dialog of the back end; each back end derives its own. Callers only pass it back.
struct Dialog {
    virtual ~Dialog() = default;
};

// The messages a dialog procedure receives.
namespace windowmessage {
constexpr std::uint32_t kInitDialog = 0x0110;  // lParam: the creation parameter
constexpr std::uint32_t kCommand = 0x0111;     // wParam: the control id in the low 16 bits
constexpr std::uint32_t kClose = 0x0010;       // the close box
constexpr std::uint32_t kInitMenu = 0x0116;    // wParam: the menu
constexpr std::uint32_t kDropFiles = 0x0233;   // lParam: the dropped paths, a const DroppedPaths*
}  // namespace windowmessage

// The notification codes of a list box, in the high 16 bits of a kCommand's wParam.
constexpr std::uint16_t kListSelectionChanged = 1;
constexpr std::uint16_t kListDoubleClicked = 2;
// A combo box's selection change, likewise.
constexpr std::uint16_t kComboSelectionChanged = 1;

// Full paths, as UTF-8 bytes (or the bytes of the file name when it is not UTF-8), whole.
using DroppedPaths = std::vector<std::string>;

enum class ControlKind {
    text, centredText, button, defaultButton, checkBox, icon, picture, progressBar, comboBox, edit, listBox, groupBox,
    tabs
};

// The pictures an icon control can show; all are the program's own, drawn by the back end.
enum class IconName { none, question, stop, information, warning, program };

// The icon an icon control's template names ("question", "stop", ...); none for an unknown name.
IconName iconNamed(const std::string& name);

struct ControlTemplate {
    std::uint16_t id = 0;
    ControlKind kind = ControlKind::text;
    std::string text;                  // a label, or the icon's name for an icon
    std::int32_t x = 0, y = 0, width = 0, height = 0;  // dialog units
};

// One item of a menu: a command with its text ("&Open...\tCtrl+O": '&' marks the mnemonic, a tab
// precedes the shortcut shown), or a separator (id 0).
struct MenuItemTemplate {
    std::uint16_t id = 0;
    std::string text;
};

// A menu of the menu bar: its title and items.
struct MenuTemplate {
    std::string title;
    std::vector<MenuItemTemplate> items;
};

// A key that gives a command: a letter or digit ('A'..'Z', '0'..'9'), or kDeleteKey.
struct AcceleratorTemplate {
    static constexpr std::uint16_t kDeleteKey = 0x7F;
    bool control = false;
    bool shift = false;
    std::uint16_t key = 0;
    std::uint16_t command = 0;
};

struct DialogTemplate {
    std::string name;   // "MessageWindow"
    std::string title;
    std::int32_t width = 0, height = 0;  // dialog units
    std::int32_t fontPoints = 8;
    std::vector<ControlTemplate> controls;
    // A window with a menu bar is a main window: files can be dropped on it.
    std::vector<MenuTemplate> menus;
    std::vector<AcceleratorTemplate> accelerators;
};

struct PixelRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
};

// RGBA pixels, rows from the top: what a picture control shows.
struct Bitmap {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;
};

// The one dialog procedure: a non-zero answer means the message was handled.
using DialogProcedure = std::int32_t (*)(Dialog* dialog, std::uint32_t message, std::uintptr_t wParam,
                                         std::intptr_t lParam);

// What tests learn of the windows, to drive them as a person would: a dialog shown, a control's text
// changed. Implementations post their clicks (postClick); they never end a dialog from inside.
class WindowObserver {
public:
    virtual void dialogShown(Dialog*, const std::string& /*templateName*/) {}
    virtual void itemTextChanged(Dialog*, const std::string& /*templateName*/, std::uint16_t /*id*/,
                                 const std::string& /*text*/) {}

protected:
    ~WindowObserver() = default;
};

// Something besides the windows that the program's loop services, such as a socket that other
// starts of the program hand their files to. Every pump services every poller once, also the pumps
// of a progress window during a batch; service() must return at once when there is nothing to do.
class LoopPoller {
public:
    virtual void service() = 0;

protected:
    ~LoopPoller() = default;
};

// The answers of the browse dialogs.
enum class BrowseKind { folder, application, fileOrFolder };

class WindowSystem {
public:
    WindowSystem() = default;
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;
    virtual ~WindowSystem() = default;

    // A modeless dialog; the procedure receives kInitDialog with the parameter before this returns.
    // Null when it cannot be made. It stays hidden until show.
    virtual Dialog* createDialog(const DialogTemplate& dialogTemplate, Dialog* owner, DialogProcedure procedure,
                                 std::intptr_t parameter) = 0;
    // Runs a modal dialog until endDialog; answers endDialog's result, or -1 when it cannot be made.
    virtual std::int32_t runModalDialog(const DialogTemplate& dialogTemplate, Dialog* owner, DialogProcedure procedure,
                                        std::intptr_t parameter) = 0;
    virtual void endDialog(Dialog* dialog, std::int32_t result) = 0;
    virtual void destroyDialog(Dialog* dialog) = 0;

    // The window object's slot of the dialog.
    virtual void setUserData(Dialog* dialog, std::intptr_t data) = 0;
    virtual std::intptr_t userData(Dialog* dialog) = 0;
    virtual Dialog* parentOf(Dialog* dialog) = 0;

    // Handles at most one pending event and returns at once.
    virtual void pumpOne() = 0;

    virtual bool hasItem(Dialog* dialog, std::uint16_t id) = 0;
    virtual void setItemText(Dialog* dialog, std::uint16_t id, const std::string& text) = 0;
    virtual std::string itemText(Dialog* dialog, std::uint16_t id) = 0;
    virtual void setCheck(Dialog* dialog, std::uint16_t id, std::int32_t state) = 0;
    virtual std::int32_t check(Dialog* dialog, std::uint16_t id) = 0;
    virtual std::int32_t addComboText(Dialog* dialog, std::uint16_t id, const std::string& text) = 0;
    virtual std::vector<std::string> comboTexts(Dialog* dialog, std::uint16_t id) = 0;
    virtual void setComboSelection(Dialog* dialog, std::uint16_t id, std::int32_t index) = 0;
    virtual std::int32_t comboSelection(Dialog* dialog, std::uint16_t id) = 0;
    virtual void setItemIcon(Dialog* dialog, std::uint16_t id, IconName icon) = 0;
    virtual void setItemBitmap(Dialog* dialog, std::uint16_t id, const Bitmap& bitmap) = 0;
    virtual void setItemBold(Dialog* dialog, std::uint16_t id) = 0;
    virtual void setProgress(Dialog* dialog, std::uint16_t id, std::int32_t position, std::int32_t range) = 0;
    virtual void enableItem(Dialog* dialog, std::uint16_t id, bool enable) = 0;
    virtual void showItem(Dialog* dialog, std::uint16_t id, bool visible) = 0;
    virtual bool itemVisible(Dialog* dialog, std::uint16_t id) = 0;
    // The control's rectangle in client pixels, and moving or resizing it.
    virtual PixelRect itemRect(Dialog* dialog, std::uint16_t id) = 0;
    virtual void setItemRect(Dialog* dialog, std::uint16_t id, const PixelRect& rect) = 0;
    // The height of text word-wrapped at width pixels in the control's font.
    virtual std::int32_t measureWrappedText(Dialog* dialog, std::uint16_t id, const std::string& text,
                                            std::int32_t width) = 0;

    virtual void showDialog(Dialog* dialog, bool visible) = 0;
    virtual void setTitle(Dialog* dialog, const std::string& title) = 0;
    virtual std::string title(Dialog* dialog) = 0;
    virtual PixelRect clientRect(Dialog* dialog) = 0;
    virtual void setClientSize(Dialog* dialog, std::int32_t width, std::int32_t height) = 0;
    // The dialog's outer rectangle in screen pixels, and moving it to the top-left corner given.
    virtual PixelRect windowRect(Dialog* dialog) = 0;
    virtual void moveDialog(Dialog* dialog, std::int32_t left, std::int32_t top) = 0;
    // The screen, and the work area of the monitor nearest to the dialog (null: the primary one).
    virtual PixelRect screenRect() = 0;
    virtual PixelRect workArea(Dialog* nearDialog) = 0;
    // Draws attention to the dialog and raises it.
    virtual void bringToFront(Dialog* dialog) = 0;
    virtual void repaint(Dialog* dialog) = 0;

    // A click on the control, handled at the next pump (or by the running modal dialog).
    virtual void postClick(Dialog* dialog, std::uint16_t id) = 0;

    // Waits until an event is pending or the time is up; events are then handled by pumpOne.
    virtual void waitForEvent(std::int32_t milliseconds) = 0;

    // The menu bar of a dialog made with menus. Menus are addressed by their place on the bar, items by
    // their command id; a command chosen reaches the dialog procedure as kCommand with its id.
    virtual void enableMenuItem(Dialog* dialog, std::uint16_t command, bool enable) = 0;
    virtual bool menuItemEnabled(Dialog* dialog, std::uint16_t command) = 0;
    virtual void checkMenuItem(Dialog* dialog, std::uint16_t command, bool checked) = 0;
    virtual bool menuItemChecked(Dialog* dialog, std::uint16_t command) = 0;
    // Inserts an item (id 0: a separator) at the position of the menu (past the end: appended).
    virtual void insertMenuItem(Dialog* dialog, std::size_t menu, std::size_t position, const MenuItemTemplate& item) = 0;
    virtual void removeMenuItem(Dialog* dialog, std::size_t menu, std::size_t position) = 0;
    // Takes a whole menu off the bar.
    virtual void removeMenu(Dialog* dialog, std::size_t menu) = 0;
    // What the bar holds now.
    virtual std::vector<MenuTemplate> menuBar(Dialog* dialog) = 0;
    // Choosing a menu command, and dropping files on a main window, as a person would: handled at the
    // next pump (the drop through the toolkit's own drop target on the desktop).
    virtual void postCommand(Dialog* dialog, std::uint16_t command) = 0;
    virtual void postDrop(Dialog* dialog, const DroppedPaths& paths) = 0;

    // List boxes: rows of text, at most one selected (-1: none). Choosing a row reaches the dialog as
    // kCommand with kListSelectionChanged, a double-click with kListDoubleClicked.
    virtual void clearList(Dialog* dialog, std::uint16_t id) = 0;
    virtual void addListText(Dialog* dialog, std::uint16_t id, const std::string& text) = 0;
    virtual std::vector<std::string> listTexts(Dialog* dialog, std::uint16_t id) = 0;
    virtual std::int32_t listSelection(Dialog* dialog, std::uint16_t id) = 0;
    virtual void setListSelection(Dialog* dialog, std::uint16_t id, std::int32_t row) = 0;

    // Tab controls: the tabs' titles (as menu texts: "&&" stands for one '&') and the selected one. Choosing a tab reaches the dialog as
    // kCommand with the control's id.
    virtual void addTab(Dialog* dialog, std::uint16_t id, const std::string& title) = 0;
    virtual std::int32_t tabSelection(Dialog* dialog, std::uint16_t id) = 0;
    virtual void setTabSelection(Dialog* dialog, std::uint16_t id, std::int32_t tab) = 0;
    // Choosing a combo-box entry as a person would (kCommand with kComboSelectionChanged follows).
    virtual void postComboChoice(Dialog* dialog, std::uint16_t id, std::int32_t index) = 0;

    // A browse dialog: true with the chosen path, false when cancelled.
    virtual bool browse(BrowseKind kind, const std::string& title, std::string& chosenPath) = 0;

    void setObserver(WindowObserver* newObserver) { observer = newObserver; }

    void addPoller(LoopPoller* poller);
    void removePoller(LoopPoller* poller);

protected:
    // Each back end's pumpOne calls it; a poller that pumps in turn is not serviced again inside.
    void servicePollers();

    WindowObserver* observer = nullptr;

private:
    std::vector<LoopPoller*> pollers;
    bool servicing = false;
};

// The back end in force, or null before the program chose one (and after it ended).
WindowSystem* windowSystem();
void setWindowSystem(WindowSystem* system);

}  // namespace platform
