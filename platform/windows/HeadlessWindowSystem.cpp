#include "platform/windows/HeadlessWindowSystem.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace platform {

struct HeadlessWindowSystem::Control {
    ControlTemplate form;
    PixelRect rect;
    std::string text;
    bool visible = true;
    bool enabled = true;
    std::int32_t checkState = 0;
    std::vector<std::string> entries;
    std::int32_t selection = -1;
    IconName icon = IconName::none;
    Bitmap bitmap;
    std::int32_t position = 0;
    std::int32_t range = 100;
};

struct HeadlessWindowSystem::HeadlessDialog : Dialog {
    std::vector<MenuTemplate> menus;
    std::vector<std::uint16_t> disabledCommands;
    std::vector<std::uint16_t> checkedCommands;
    std::string name;
    std::string title;
    Dialog* owner = nullptr;
    DialogProcedure procedure = nullptr;
    std::intptr_t data = 0;
    std::vector<Control> controls;
    PixelRect window;  // screen pixels; there is no frame, so it is also the client area
    bool visible = false;
    bool ended = false;
    std::int32_t result = 0;
};

namespace {
std::int32_t horizontalPixels(std::int32_t units) {
    return units * HeadlessWindowSystem::kCharWidth / 4;
}
std::int32_t verticalPixels(std::int32_t units) {
    return units * HeadlessWindowSystem::kLineHeight / 8;
}

// The number of lines the text takes word-wrapped at `columns` characters; line breaks ('\n', '\r')
// start a line, and a word longer than a line is broken inside.
std::int32_t wrappedLines(const std::string& text, std::int32_t columns) {
    columns = std::max(columns, 1);
    std::int32_t lines = 1;
    std::int32_t column = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\n' || c == '\r') {
            // "\r\n" is one break.
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++lines;
            column = 0;
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && text[end] != ' ' && text[end] != '\n' && text[end] != '\r') ++end;
        // Continuation bytes of UTF-8 take no column of their own.
        std::int32_t word = 0;
        for (std::size_t k = i; k < end; ++k) word += (static_cast<unsigned char>(text[k]) & 0xC0) != 0x80 ? 1 : 0;
        if (word == 0) {
            if (column < columns) ++column;
            ++i;
            continue;
        }
        if (column > 0 && column + word > columns) {
            ++lines;
            column = 0;
        }
        while (word > columns) {
            word -= columns;
            ++lines;
        }
        column += word;
        i = end;
    }
    return lines;
}
}  // namespace

HeadlessWindowSystem::HeadlessWindowSystem() = default;
HeadlessWindowSystem::~HeadlessWindowSystem() = default;

void HeadlessWindowSystem::queueAnswer(const std::string& templateName, std::vector<std::uint16_t> clicks) {
    answers.push_back({templateName, std::move(clicks)});
}

void HeadlessWindowSystem::queueBrowseChoice(const std::string& path) {
    browseChoices.push_back(path);
}

bool HeadlessWindowSystem::live(const Dialog* dialog) const {
    return std::any_of(dialogs.begin(), dialogs.end(), [&](const auto& d) { return d.get() == dialog; });
}

HeadlessWindowSystem::HeadlessDialog* HeadlessWindowSystem::make(const DialogTemplate& form, Dialog* owner,
                                                                 DialogProcedure procedure, std::intptr_t parameter) {
    auto dialog = std::make_unique<HeadlessDialog>();
    dialog->name = form.name;
    dialog->title = form.title;
    dialog->owner = owner;
    dialog->procedure = procedure;
    dialog->window = {0, 0, horizontalPixels(form.width), verticalPixels(form.height)};
    dialog->menus = form.menus;
    for (const ControlTemplate& controlForm : form.controls) {
        Control control;
        control.form = controlForm;
        control.rect.left = horizontalPixels(controlForm.x);
        control.rect.top = verticalPixels(controlForm.y);
        control.rect.right = control.rect.left + horizontalPixels(controlForm.width);
        control.rect.bottom = control.rect.top + verticalPixels(controlForm.height);
        if (controlForm.kind == ControlKind::icon) {
            control.icon = iconNamed(controlForm.text);
        } else {
            control.text = controlForm.text;
        }
        dialog->controls.push_back(std::move(control));
    }
    HeadlessDialog* made = dialog.get();
    dialogs.push_back(std::move(dialog));
    if (procedure != nullptr) procedure(made, windowmessage::kInitDialog, 0, parameter);
    return made;
}

Dialog* HeadlessWindowSystem::createDialog(const DialogTemplate& form, Dialog* owner, DialogProcedure procedure,
                                           std::intptr_t parameter) {
    return make(form, owner, procedure, parameter);
}

std::int32_t HeadlessWindowSystem::runModalDialog(const DialogTemplate& form, Dialog* owner,
                                                  DialogProcedure procedure, std::intptr_t parameter) {
    HeadlessDialog* dialog = make(form, owner, procedure, parameter);
    dialog->visible = true;
    if (!answers.empty() && (answers.front().templateName.empty() || answers.front().templateName == form.name)) {
        for (const std::uint16_t id : answers.front().clicks) postClick(dialog, id);
        answers.pop_front();
    }
    if (observer != nullptr) observer->dialogShown(dialog, form.name);
    // The clicks meant for this dialog, in order; then the close box. A dialog that ignores its close
    // box still ends, with 0: nobody is there to answer it.
    while (!dialog->ended) {
        const auto next = std::find_if(posted.begin(), posted.end(),
                                       [&](const Posted& event) { return event.dialog == dialog; });
        if (next != posted.end()) {
            const Posted event = *next;
            posted.erase(next);
            deliver(event);
            continue;
        }
        dialog->procedure(dialog, windowmessage::kClose, 0, 0);
        if (!dialog->ended) endDialog(dialog, 0);
    }
    const std::int32_t result = dialog->result;
    destroyDialog(dialog);
    return result;
}

void HeadlessWindowSystem::endDialog(Dialog* dialog, std::int32_t result) {
    if (!live(dialog)) return;
    auto* d = static_cast<HeadlessDialog*>(dialog);
    d->ended = true;
    d->result = result;
}

void HeadlessWindowSystem::destroyDialog(Dialog* dialog) {
    std::erase_if(posted, [&](const Posted& event) { return event.dialog == dialog; });
    dialogs.remove_if([&](const auto& d) { return d.get() == dialog; });
}

void HeadlessWindowSystem::setUserData(Dialog* dialog, std::intptr_t data) {
    if (live(dialog)) static_cast<HeadlessDialog*>(dialog)->data = data;
}

std::intptr_t HeadlessWindowSystem::userData(Dialog* dialog) {
    return live(dialog) ? static_cast<HeadlessDialog*>(dialog)->data : 0;
}

Dialog* HeadlessWindowSystem::parentOf(Dialog* dialog) {
    return live(dialog) ? static_cast<HeadlessDialog*>(dialog)->owner : nullptr;
}

void HeadlessWindowSystem::pumpOne() {
    servicePollers();
    if (posted.empty()) return;
    const Posted event = posted.front();
    posted.pop_front();
    deliver(event);
}

void HeadlessWindowSystem::postClick(Dialog* dialog, std::uint16_t id) {
    posted.push_back({dialog, Posted::Kind::click, id, 0, {}});
}

void HeadlessWindowSystem::postCommand(Dialog* dialog, std::uint16_t command) {
    posted.push_back({dialog, Posted::Kind::command, command, 0, {}});
}

void HeadlessWindowSystem::postDrop(Dialog* dialog, const DroppedPaths& paths) {
    posted.push_back({dialog, Posted::Kind::drop, 0, 0, paths});
}

void HeadlessWindowSystem::postComboChoice(Dialog* dialog, std::uint16_t id, std::int32_t index) {
    posted.push_back({dialog, Posted::Kind::choice, id, index, {}});
}

void HeadlessWindowSystem::waitForEvent(std::int32_t milliseconds) {
    if (posted.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(std::max(milliseconds, 0)));
}

void HeadlessWindowSystem::deliver(const Posted& event) {
    if (!live(event.dialog)) return;
    auto* dialog = static_cast<HeadlessDialog*>(event.dialog);
    switch (event.kind) {
    case Posted::Kind::click:
        deliverClick(dialog, event.id);
        break;
    case Posted::Kind::command:
        // As on a screen: a greyed menu item cannot be chosen.
        if (menuItemEnabled(dialog, event.id)) dialog->procedure(dialog, windowmessage::kCommand, event.id, 0);
        break;
    case Posted::Kind::drop:
        if (!dialog->menus.empty()) {
            dialog->procedure(dialog, windowmessage::kDropFiles, 0, reinterpret_cast<std::intptr_t>(&event.paths));
        }
        break;
    case Posted::Kind::choice: {
        Control* control = find(dialog, event.id);
        if (control == nullptr || !control->visible || !control->enabled) break;
        if (event.index < 0 || event.index >= static_cast<std::int32_t>(control->entries.size())) break;
        control->selection = event.index;
        const std::uint16_t code = control->form.kind == ControlKind::tabs ? 0 : kComboSelectionChanged;
        dialog->procedure(dialog, windowmessage::kCommand, (static_cast<std::uintptr_t>(code) << 16) | event.id, 0);
        break;
    }
    }
}

namespace {
MenuItemTemplate* findMenuItem(std::vector<MenuTemplate>& menus, std::uint16_t command) {
    for (MenuTemplate& menu : menus) {
        for (MenuItemTemplate& item : menu.items) {
            if (item.id == command && command != 0) return &item;
        }
    }
    return nullptr;
}

void setMember(std::vector<std::uint16_t>& set, std::uint16_t value, bool member) {
    std::erase(set, value);
    if (member) set.push_back(value);
}
}  // namespace

void HeadlessWindowSystem::enableMenuItem(Dialog* dialog, std::uint16_t command, bool enable) {
    if (live(dialog)) setMember(static_cast<HeadlessDialog*>(dialog)->disabledCommands, command, !enable);
}

bool HeadlessWindowSystem::menuItemEnabled(Dialog* dialog, std::uint16_t command) {
    if (!live(dialog)) return false;
    auto* d = static_cast<HeadlessDialog*>(dialog);
    return findMenuItem(d->menus, command) != nullptr &&
           std::find(d->disabledCommands.begin(), d->disabledCommands.end(), command) == d->disabledCommands.end();
}

void HeadlessWindowSystem::checkMenuItem(Dialog* dialog, std::uint16_t command, bool checked) {
    if (live(dialog)) setMember(static_cast<HeadlessDialog*>(dialog)->checkedCommands, command, checked);
}

bool HeadlessWindowSystem::menuItemChecked(Dialog* dialog, std::uint16_t command) {
    if (!live(dialog)) return false;
    const auto& checked = static_cast<HeadlessDialog*>(dialog)->checkedCommands;
    return std::find(checked.begin(), checked.end(), command) != checked.end();
}

void HeadlessWindowSystem::insertMenuItem(Dialog* dialog, std::size_t menu, std::size_t position,
                                          const MenuItemTemplate& item) {
    if (!live(dialog)) return;
    auto& menus = static_cast<HeadlessDialog*>(dialog)->menus;
    if (menu >= menus.size()) return;
    auto& items = menus[menu].items;
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(std::min(position, items.size())), item);
}

void HeadlessWindowSystem::removeMenuItem(Dialog* dialog, std::size_t menu, std::size_t position) {
    if (!live(dialog)) return;
    auto& menus = static_cast<HeadlessDialog*>(dialog)->menus;
    if (menu < menus.size() && position < menus[menu].items.size()) {
        menus[menu].items.erase(menus[menu].items.begin() + static_cast<std::ptrdiff_t>(position));
    }
}

void HeadlessWindowSystem::removeMenu(Dialog* dialog, std::size_t menu) {
    if (!live(dialog)) return;
    auto& menus = static_cast<HeadlessDialog*>(dialog)->menus;
    if (menu < menus.size()) menus.erase(menus.begin() + static_cast<std::ptrdiff_t>(menu));
}

std::vector<MenuTemplate> HeadlessWindowSystem::menuBar(Dialog* dialog) {
    return live(dialog) ? static_cast<HeadlessDialog*>(dialog)->menus : std::vector<MenuTemplate>();
}

void HeadlessWindowSystem::clearList(Dialog* dialog, std::uint16_t id) {
    if (Control* control = find(dialog, id)) {
        control->entries.clear();
        control->selection = -1;
    }
}

void HeadlessWindowSystem::addListText(Dialog* dialog, std::uint16_t id, const std::string& text) {
    if (Control* control = find(dialog, id)) control->entries.push_back(text);
}

std::vector<std::string> HeadlessWindowSystem::listTexts(Dialog* dialog, std::uint16_t id) {
    Control* control = find(dialog, id);
    return control != nullptr ? control->entries : std::vector<std::string>();
}

std::int32_t HeadlessWindowSystem::listSelection(Dialog* dialog, std::uint16_t id) {
    return comboSelection(dialog, id);
}

void HeadlessWindowSystem::setListSelection(Dialog* dialog, std::uint16_t id, std::int32_t row) {
    setComboSelection(dialog, id, row);
}

void HeadlessWindowSystem::addTab(Dialog* dialog, std::uint16_t id, const std::string& title) {
    if (Control* control = find(dialog, id)) {
        control->entries.push_back(title);
        if (control->selection < 0) control->selection = 0;
    }
}

std::int32_t HeadlessWindowSystem::tabSelection(Dialog* dialog, std::uint16_t id) {
    return comboSelection(dialog, id);
}

void HeadlessWindowSystem::setTabSelection(Dialog* dialog, std::uint16_t id, std::int32_t tab) {
    setComboSelection(dialog, id, tab);
}

void HeadlessWindowSystem::deliverClick(HeadlessDialog* dialog, std::uint16_t id) {
    Control* control = find(dialog, id);
    // As on a screen: what is hidden or greyed cannot be clicked.
    if (control == nullptr || !control->visible || !control->enabled) return;
    if (control->form.kind == ControlKind::checkBox) control->checkState = control->checkState == 0 ? 1 : 0;
    dialog->procedure(dialog, windowmessage::kCommand, id, 0);
}

HeadlessWindowSystem::Control* HeadlessWindowSystem::find(Dialog* dialog, std::uint16_t id) {
    if (!live(dialog)) return nullptr;
    for (Control& control : static_cast<HeadlessDialog*>(dialog)->controls) {
        if (control.form.id == id) return &control;
    }
    return nullptr;
}

bool HeadlessWindowSystem::hasItem(Dialog* dialog, std::uint16_t id) {
    return find(dialog, id) != nullptr;
}

void HeadlessWindowSystem::setItemText(Dialog* dialog, std::uint16_t id, const std::string& text) {
    Control* control = find(dialog, id);
    if (control == nullptr) return;
    control->text = text;
    if (observer != nullptr) observer->itemTextChanged(dialog, static_cast<HeadlessDialog*>(dialog)->name, id, text);
}

std::string HeadlessWindowSystem::itemText(Dialog* dialog, std::uint16_t id) {
    Control* control = find(dialog, id);
    return control != nullptr ? control->text : std::string();
}

void HeadlessWindowSystem::setCheck(Dialog* dialog, std::uint16_t id, std::int32_t state) {
    if (Control* control = find(dialog, id)) control->checkState = state;
}

std::int32_t HeadlessWindowSystem::check(Dialog* dialog, std::uint16_t id) {
    Control* control = find(dialog, id);
    return control != nullptr ? control->checkState : 0;
}

std::int32_t HeadlessWindowSystem::addComboText(Dialog* dialog, std::uint16_t id, const std::string& text) {
    Control* control = find(dialog, id);
    if (control == nullptr) return -1;
    control->entries.push_back(text);
    return static_cast<std::int32_t>(control->entries.size()) - 1;
}

std::vector<std::string> HeadlessWindowSystem::comboTexts(Dialog* dialog, std::uint16_t id) {
    Control* control = find(dialog, id);
    return control != nullptr ? control->entries : std::vector<std::string>();
}

void HeadlessWindowSystem::setComboSelection(Dialog* dialog, std::uint16_t id, std::int32_t index) {
    Control* control = find(dialog, id);
    if (control == nullptr) return;
    control->selection = index >= 0 && index < static_cast<std::int32_t>(control->entries.size()) ? index : -1;
}

std::int32_t HeadlessWindowSystem::comboSelection(Dialog* dialog, std::uint16_t id) {
    Control* control = find(dialog, id);
    return control != nullptr ? control->selection : -1;
}

void HeadlessWindowSystem::setItemIcon(Dialog* dialog, std::uint16_t id, IconName icon) {
    if (Control* control = find(dialog, id)) control->icon = icon;
}

void HeadlessWindowSystem::setItemBitmap(Dialog* dialog, std::uint16_t id, const Bitmap& bitmap) {
    if (Control* control = find(dialog, id)) control->bitmap = bitmap;
}

void HeadlessWindowSystem::setProgress(Dialog* dialog, std::uint16_t id, std::int32_t position, std::int32_t range) {
    Control* control = find(dialog, id);
    if (control == nullptr) return;
    control->position = position;
    control->range = range;
}

void HeadlessWindowSystem::enableItem(Dialog* dialog, std::uint16_t id, bool enable) {
    if (Control* control = find(dialog, id)) control->enabled = enable;
}

void HeadlessWindowSystem::showItem(Dialog* dialog, std::uint16_t id, bool visible) {
    if (Control* control = find(dialog, id)) control->visible = visible;
}

bool HeadlessWindowSystem::itemVisible(Dialog* dialog, std::uint16_t id) {
    Control* control = find(dialog, id);
    return control != nullptr && control->visible;
}

PixelRect HeadlessWindowSystem::itemRect(Dialog* dialog, std::uint16_t id) {
    Control* control = find(dialog, id);
    return control != nullptr ? control->rect : PixelRect{};
}

void HeadlessWindowSystem::setItemRect(Dialog* dialog, std::uint16_t id, const PixelRect& rect) {
    if (Control* control = find(dialog, id)) control->rect = rect;
}

std::int32_t HeadlessWindowSystem::measureWrappedText(Dialog*, std::uint16_t, const std::string& text,
                                                      std::int32_t width) {
    return wrappedLines(text, width / kCharWidth) * kLineHeight;
}

void HeadlessWindowSystem::showDialog(Dialog* dialog, bool visible) {
    if (live(dialog)) static_cast<HeadlessDialog*>(dialog)->visible = visible;
}

bool HeadlessWindowSystem::itemEnabled(Dialog* dialog, std::uint16_t id) {
    const Control* control = find(dialog, id);
    return control != nullptr && control->enabled;
}

bool HeadlessWindowSystem::dialogVisible(Dialog* dialog) {
    return live(dialog) && static_cast<HeadlessDialog*>(dialog)->visible;
}

void HeadlessWindowSystem::setTitle(Dialog* dialog, const std::string& title) {
    if (live(dialog)) static_cast<HeadlessDialog*>(dialog)->title = title;
}

std::string HeadlessWindowSystem::title(Dialog* dialog) {
    return live(dialog) ? static_cast<HeadlessDialog*>(dialog)->title : std::string();
}

PixelRect HeadlessWindowSystem::clientRect(Dialog* dialog) {
    if (!live(dialog)) return {};
    const PixelRect& window = static_cast<HeadlessDialog*>(dialog)->window;
    return {0, 0, window.width(), window.height()};
}

void HeadlessWindowSystem::setClientSize(Dialog* dialog, std::int32_t width, std::int32_t height) {
    if (!live(dialog)) return;
    PixelRect& window = static_cast<HeadlessDialog*>(dialog)->window;
    window.right = window.left + width;
    window.bottom = window.top + height;
}

PixelRect HeadlessWindowSystem::windowRect(Dialog* dialog) {
    return live(dialog) ? static_cast<HeadlessDialog*>(dialog)->window : PixelRect{};
}

void HeadlessWindowSystem::moveDialog(Dialog* dialog, std::int32_t left, std::int32_t top) {
    if (!live(dialog)) return;
    PixelRect& window = static_cast<HeadlessDialog*>(dialog)->window;
    window = {left, top, left + window.width(), top + window.height()};
}

PixelRect HeadlessWindowSystem::screenRect() {
    return {0, 0, kScreenWidth, kScreenHeight};
}

PixelRect HeadlessWindowSystem::workArea(Dialog*) {
    // A panel along the top, as desktops have.
    return {0, 24, kScreenWidth, kScreenHeight};
}

bool HeadlessWindowSystem::browse(BrowseKind, const std::string&, std::string& chosenPath) {
    if (browseChoices.empty()) return false;
    chosenPath = browseChoices.front();
    browseChoices.pop_front();
    return true;
}

IconName HeadlessWindowSystem::itemIcon(Dialog* dialog, std::uint16_t id) {
    Control* control = find(dialog, id);
    return control != nullptr ? control->icon : IconName::none;
}

std::pair<std::uint32_t, std::uint32_t> HeadlessWindowSystem::itemBitmapSize(Dialog* dialog, std::uint16_t id) {
    Control* control = find(dialog, id);
    return control != nullptr ? std::make_pair(control->bitmap.width, control->bitmap.height)
                              : std::make_pair(0U, 0U);
}

std::pair<std::int32_t, std::int32_t> HeadlessWindowSystem::itemProgress(Dialog* dialog, std::uint16_t id) {
    Control* control = find(dialog, id);
    return control != nullptr ? std::make_pair(control->position, control->range) : std::make_pair(0, 0);
}

}  // namespace platform
