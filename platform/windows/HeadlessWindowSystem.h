#pragma once
// The window system without a display: dialogs and their controls live in memory with the layout a
// display would give them, and nothing waits for a person. A modal dialog takes its answer from a
// queued script (the clicks a person would make); without one it is closed as by its close box, so it
// ends with 0, which every caller takes as No or Cancel. Browse dialogs answer the queued choices, or
// cancelled.
//
// Text is measured with fixed metrics (a character 6 pixels wide, a line 13 pixels high) and dialog
// units are converted with them as the desktop converts them from its font: x × 6 / 4, y × 13 / 8.
#include <deque>
#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/windows/WindowSystem.h"

namespace platform {

class HeadlessWindowSystem : public WindowSystem {
public:
    static constexpr std::int32_t kCharWidth = 6;
    static constexpr std::int32_t kLineHeight = 13;
    static constexpr std::int32_t kScreenWidth = 1024;
    static constexpr std::int32_t kScreenHeight = 768;

    HeadlessWindowSystem();
    ~HeadlessWindowSystem() override;

    // The next modal dialog of that template (empty: whichever comes next) is answered with these
    // clicks, in order; a click that does not end it is followed by the next, and the close box ends it
    // when they are used up.
    void queueAnswer(const std::string& templateName, std::vector<std::uint16_t> clicks);
    // The next browse dialog chooses the path.
    void queueBrowseChoice(const std::string& path);
    std::size_t pendingAnswers() const { return answers.size(); }

    Dialog* createDialog(const DialogTemplate& dialogTemplate, Dialog* owner, DialogProcedure procedure,
                         std::intptr_t parameter) override;
    std::int32_t runModalDialog(const DialogTemplate& dialogTemplate, Dialog* owner, DialogProcedure procedure,
                                std::intptr_t parameter) override;
    void endDialog(Dialog* dialog, std::int32_t result) override;
    void destroyDialog(Dialog* dialog) override;
    void setUserData(Dialog* dialog, std::intptr_t data) override;
    std::intptr_t userData(Dialog* dialog) override;
    Dialog* parentOf(Dialog* dialog) override;
    void pumpOne() override;

    bool hasItem(Dialog* dialog, std::uint16_t id) override;
    void setItemText(Dialog* dialog, std::uint16_t id, const std::string& text) override;
    std::string itemText(Dialog* dialog, std::uint16_t id) override;
    void setCheck(Dialog* dialog, std::uint16_t id, std::int32_t state) override;
    std::int32_t check(Dialog* dialog, std::uint16_t id) override;
    std::int32_t addComboText(Dialog* dialog, std::uint16_t id, const std::string& text) override;
    std::vector<std::string> comboTexts(Dialog* dialog, std::uint16_t id) override;
    void setComboSelection(Dialog* dialog, std::uint16_t id, std::int32_t index) override;
    std::int32_t comboSelection(Dialog* dialog, std::uint16_t id) override;
    void setItemIcon(Dialog* dialog, std::uint16_t id, IconName icon) override;
    void setItemBitmap(Dialog* dialog, std::uint16_t id, const Bitmap& bitmap) override;
    void setItemBold(Dialog*, std::uint16_t) override {}
    void setProgress(Dialog* dialog, std::uint16_t id, std::int32_t position, std::int32_t range) override;
    void enableItem(Dialog* dialog, std::uint16_t id, bool enable) override;
    void showItem(Dialog* dialog, std::uint16_t id, bool visible) override;
    bool itemVisible(Dialog* dialog, std::uint16_t id) override;
    PixelRect itemRect(Dialog* dialog, std::uint16_t id) override;
    void setItemRect(Dialog* dialog, std::uint16_t id, const PixelRect& rect) override;
    std::int32_t measureWrappedText(Dialog* dialog, std::uint16_t id, const std::string& text,
                                    std::int32_t width) override;

    void showDialog(Dialog* dialog, bool visible) override;
    void setTitle(Dialog* dialog, const std::string& title) override;
    std::string title(Dialog* dialog) override;
    PixelRect clientRect(Dialog* dialog) override;
    void setClientSize(Dialog* dialog, std::int32_t width, std::int32_t height) override;
    PixelRect windowRect(Dialog* dialog) override;
    void moveDialog(Dialog* dialog, std::int32_t left, std::int32_t top) override;
    PixelRect screenRect() override;
    PixelRect workArea(Dialog* nearDialog) override;
    void bringToFront(Dialog*) override {}
    void repaint(Dialog*) override {}
    void postClick(Dialog* dialog, std::uint16_t id) override;
    void waitForEvent(std::int32_t milliseconds) override;

    void enableMenuItem(Dialog* dialog, std::uint16_t command, bool enable) override;
    bool menuItemEnabled(Dialog* dialog, std::uint16_t command) override;
    void checkMenuItem(Dialog* dialog, std::uint16_t command, bool checked) override;
    bool menuItemChecked(Dialog* dialog, std::uint16_t command) override;
    void insertMenuItem(Dialog* dialog, std::size_t menu, std::size_t position, const MenuItemTemplate& item) override;
    void removeMenuItem(Dialog* dialog, std::size_t menu, std::size_t position) override;
    void removeMenu(Dialog* dialog, std::size_t menu) override;
    std::vector<MenuTemplate> menuBar(Dialog* dialog) override;
    void postCommand(Dialog* dialog, std::uint16_t command) override;
    void postDrop(Dialog* dialog, const DroppedPaths& paths) override;

    void clearList(Dialog* dialog, std::uint16_t id) override;
    void addListText(Dialog* dialog, std::uint16_t id, const std::string& text) override;
    std::vector<std::string> listTexts(Dialog* dialog, std::uint16_t id) override;
    std::int32_t listSelection(Dialog* dialog, std::uint16_t id) override;
    void setListSelection(Dialog* dialog, std::uint16_t id, std::int32_t row) override;
    void addTab(Dialog* dialog, std::uint16_t id, const std::string& title) override;
    std::int32_t tabSelection(Dialog* dialog, std::uint16_t id) override;
    void setTabSelection(Dialog* dialog, std::uint16_t id, std::int32_t tab) override;
    void postComboChoice(Dialog* dialog, std::uint16_t id, std::int32_t index) override;

    bool browse(BrowseKind kind, const std::string& title, std::string& chosenPath) override;

    // What a control shows, for tests: its icon, its bitmap's size and the bar.
    IconName itemIcon(Dialog* dialog, std::uint16_t id);
    std::pair<std::uint32_t, std::uint32_t> itemBitmapSize(Dialog* dialog, std::uint16_t id);
    std::pair<std::int32_t, std::int32_t> itemProgress(Dialog* dialog, std::uint16_t id);  // position, range
    bool dialogVisible(Dialog* dialog);
    bool itemEnabled(Dialog* dialog, std::uint16_t id);

private:
    struct Control;
    struct HeadlessDialog;
    // What a person did, waiting for the pump (or for the modal dialog it belongs to).
    struct Posted {
        enum class Kind { click, command, drop, choice };
        Dialog* dialog = nullptr;
        Kind kind = Kind::click;
        std::uint16_t id = 0;
        std::int32_t index = 0;
        DroppedPaths paths;
    };
    struct ScriptedAnswer {
        std::string templateName;
        std::vector<std::uint16_t> clicks;
    };

    HeadlessDialog* make(const DialogTemplate& dialogTemplate, Dialog* owner, DialogProcedure procedure,
                         std::intptr_t parameter);
    Control* find(Dialog* dialog, std::uint16_t id);
    void deliverClick(HeadlessDialog* dialog, std::uint16_t id);
    void deliver(const Posted& posted);
    bool live(const Dialog* dialog) const;

    std::list<std::unique_ptr<HeadlessDialog>> dialogs;
    std::deque<ScriptedAnswer> answers;
    std::deque<std::string> browseChoices;
    std::deque<Posted> posted;
};

}  // namespace platform
