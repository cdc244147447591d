#include "platform/desktop/DesktopWindowSystem.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

#include <wx/accel.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dialog.h>
#include <wx/dirdlg.h>
#include <wx/dnd.h>
#include <wx/display.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "platform/desktop/DesktopIcons.h"

namespace platform::desktop {
namespace {

class TemplateDialog;

class TemplateFrame;

struct DesktopDialog : Dialog {
    wxTopLevelWindow* window = nullptr;
    TemplateDialog* dialogWindow = nullptr;  // a dialog without menus
    TemplateFrame* frame = nullptr;          // a main window
    std::string name;
    DialogProcedure procedure = nullptr;
    std::intptr_t data = 0;
    Dialog* owner = nullptr;
    bool modal = false;
    std::map<std::uint16_t, wxWindow*> controls;
    std::map<std::uint16_t, ControlKind> kinds;
    std::map<std::uint16_t, std::string> texts;  // as set, before wrapping
};

// Text as a label shows it: '\r' and "\r\n" are line breaks.
wxString labelOf(const std::string& text) {
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lines += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            lines += text[i];
        }
    }
    return wxString::FromUTF8(lines);
}

// The wrapped lines of the text at width pixels in the window's font: greedy by words, a word wider
// than the line broken by characters.
int wrappedLineCount(wxWindow* window, const wxString& text, int width) {
    int lines = 0;
    wxArrayString paragraphs = wxSplit(text, '\n', '\0');
    if (paragraphs.empty()) paragraphs.Add(wxString());
    for (const wxString& paragraph : paragraphs) {
        ++lines;
        wxString line;
        for (const wxString& word : wxSplit(paragraph, ' ', '\0')) {
            const wxString candidate = line.empty() ? word : line + " " + word;
            if (window->GetTextExtent(candidate).x <= width || line.empty()) {
                line = candidate;
            } else {
                ++lines;
                line = word;
            }
            while (window->GetTextExtent(line).x > width && line.length() > 1) {
                // The longest start that fits goes on a line of its own.
                std::size_t fit = line.length() - 1;
                while (fit > 1 && window->GetTextExtent(line.Left(fit)).x > width) --fit;
                line = line.Mid(fit);
                ++lines;
            }
        }
    }
    return lines;
}

// A strip of tabs without pages of its own.
class TabStrip : public wxNotebook {
public:
    TabStrip(wxWindow* parent, const wxPoint& place, const wxSize& size)
        : wxNotebook(parent, wxID_ANY, place, wxSize(size.x, parent->GetCharHeight() * 2 + 10)) {}

    void addTab(const wxString& title) { AddPage(new wxPanel(this, wxID_ANY, wxDefaultPosition, wxSize(0, 0)), title); }
};

// Makes the template's controls on the surface (the dialog, or the panel of a main window) and
// records them in the dialog record.
void makeControls(wxWindow* surface, const DialogTemplate& form, DesktopDialog* record);

// The events of a window's controls and menus, as the dialog procedure receives them.
void bindEvents(wxTopLevelWindow* window, DesktopDialog* record);

class TemplateDialog : public wxDialog {
public:
    TemplateDialog(wxWindow* parent, const DialogTemplate& form, DesktopDialog* owner)
        : wxDialog(parent, wxID_ANY, wxString::FromUTF8(form.title), wxDefaultPosition, wxDefaultSize,
                   wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
        SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
        SetClientSize(ConvertDialogToPixels(wxSize(form.width, form.height)));
        makeControls(this, form, owner);
        bindEvents(this, owner);
    }
};

// Files dropped on a main window reach its procedure as one kDropFiles message with every path whole.
class PathDropTarget : public wxFileDropTarget {
public:
    explicit PathDropTarget(DesktopDialog* record) : record(record) {}
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) override {
        DroppedPaths paths;
        for (const wxString& name : names) paths.push_back(std::string(name.fn_str()));
        if (paths.empty() || record->procedure == nullptr) return false;
        record->procedure(record, windowmessage::kDropFiles, 0, reinterpret_cast<std::intptr_t>(&paths));
        return true;
    }

private:
    DesktopDialog* record;
};

// A window with a menu bar: a frame whose panel holds the template's controls and takes drops.
class TemplateFrame : public wxFrame {
public:
    TemplateFrame(const DialogTemplate& form, DesktopDialog* owner)
        : wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(form.title), wxDefaultPosition, wxDefaultSize,
                  wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxMINIMIZE_BOX) {
        panel = new wxPanel(this);
        panel->SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
        SetMenuBar(makeMenuBar(form));
        SetAcceleratorTable(makeAccelerators(form));
        SetClientSize(panel->ConvertDialogToPixels(wxSize(form.width, form.height)));
        makeControls(panel, form, owner);
        dropTarget = new PathDropTarget(owner);
        panel->SetDropTarget(dropTarget);
        bindEvents(this, owner);
    }

    wxWindow* surface() { return panel; }
    PathDropTarget* drops() { return dropTarget; }

private:
    static wxMenuBar* makeMenuBar(const DialogTemplate& form) {
        auto* bar = new wxMenuBar();
        for (const MenuTemplate& menu : form.menus) {
            auto* items = new wxMenu();
            for (const MenuItemTemplate& item : menu.items) {
                if (item.id == 0) {
                    items->AppendSeparator();
                } else {
                    items->Append(item.id, wxString::FromUTF8(item.text));
                }
            }
            bar->Append(items, wxString::FromUTF8(menu.title));
        }
        return bar;
    }

    static wxAcceleratorTable makeAccelerators(const DialogTemplate& form) {
        std::vector<wxAcceleratorEntry> entries;
        for (const AcceleratorTemplate& key : form.accelerators) {
            int flags = (key.control ? wxACCEL_CTRL : 0) | (key.shift ? wxACCEL_SHIFT : 0);
            const int code = key.key == AcceleratorTemplate::kDeleteKey ? static_cast<int>(WXK_DELETE) : key.key;
            entries.emplace_back(flags == 0 ? wxACCEL_NORMAL : flags, code, key.command);
        }
        return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
    }

    wxPanel* panel;
    PathDropTarget* dropTarget;
};

void makeControl(wxWindow* surface, const ControlTemplate& form, DesktopDialog* record) {
    const wxPoint place = surface->ConvertDialogToPixels(wxPoint(form.x, form.y));
    const wxSize size = surface->ConvertDialogToPixels(wxSize(form.width, form.height));
    const wxString label = labelOf(form.text);
    wxWindow* control = nullptr;
    switch (form.kind) {
    case ControlKind::text:
    case ControlKind::centredText:
        control = new wxStaticText(surface, wxID_ANY, wxString(), place, size,
                                   wxST_NO_AUTORESIZE | (form.kind == ControlKind::centredText ? wxALIGN_CENTRE_HORIZONTAL : 0));
        static_cast<wxStaticText*>(control)->SetLabelText(label);
        static_cast<wxStaticText*>(control)->Wrap(size.x);
        break;
    case ControlKind::button:
    case ControlKind::defaultButton:
        control = new wxButton(surface, wxID_ANY, label, place, size);
        if (form.kind == ControlKind::defaultButton) static_cast<wxButton*>(control)->SetDefault();
        break;
    case ControlKind::checkBox:
        control = new wxCheckBox(surface, wxID_ANY, label, place, size);
        break;
    case ControlKind::icon:
        control = new wxStaticBitmap(surface, wxID_ANY, drawIcon(iconNamed(form.text), std::min(size.x, size.y)),
                                     place, size);
        break;
    case ControlKind::picture:
        control = new wxStaticBitmap(surface, wxID_ANY, wxNullBitmap, place, size);
        break;
    case ControlKind::progressBar:
        control = new wxGauge(surface, wxID_ANY, 100, place, size);
        break;
    case ControlKind::comboBox:
        // A layout's combo-box height includes its open list; the closed box takes the toolkit's height.
        control = new wxComboBox(surface, wxID_ANY, wxString(), place, wxSize(size.x, -1), 0, nullptr, wxCB_READONLY);
        break;
    case ControlKind::edit:
        control = new wxTextCtrl(surface, wxID_ANY, label, place, size);
        break;
    case ControlKind::listBox:
        control = new wxListBox(surface, wxID_ANY, place, size, 0, nullptr, wxLB_SINGLE);
        break;
    case ControlKind::groupBox:
        control = new wxStaticBox(surface, wxID_ANY, label, place, size);
        control->Lower();
        break;
    case ControlKind::tabs:
        // Only the strip of tabs: the controls of each tab are the window's own, shown and hidden by it.
        control = new TabStrip(surface, place, size);
        break;
    }
    record->controls[form.id] = control;
    record->kinds[form.id] = form.kind;
    if (form.kind != ControlKind::icon) record->texts[form.id] = form.text;
}

void makeControls(wxWindow* surface, const DialogTemplate& form, DesktopDialog* record) {
    for (const ControlTemplate& control : form.controls) makeControl(surface, control, record);
}

std::uint16_t idOf(const DesktopDialog* record, wxObject* control) {
    for (const auto& [id, window] : record->controls) {
        if (window == control) return id;
    }
    return 0;
}

void bindEvents(wxTopLevelWindow* window, DesktopDialog* record) {
    const auto send = [record](std::uintptr_t wParam) {
        if (record->procedure != nullptr) record->procedure(record, windowmessage::kCommand, wParam, 0);
    };
    const auto command = [record, send](std::uint16_t code) {
        return [record, send, code](wxCommandEvent& event) {
            const std::uint16_t id = idOf(record, event.GetEventObject());
            if (id != 0) send((static_cast<std::uintptr_t>(code) << 16) | id);
        };
    };
    window->Bind(wxEVT_BUTTON, command(0));
    window->Bind(wxEVT_CHECKBOX, command(0));
    window->Bind(wxEVT_COMBOBOX, command(kComboSelectionChanged));
    window->Bind(wxEVT_LISTBOX, command(kListSelectionChanged));
    window->Bind(wxEVT_LISTBOX_DCLICK, command(kListDoubleClicked));
    window->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [record, send](wxBookCtrlEvent& event) {
        const std::uint16_t id = idOf(record, event.GetEventObject());
        if (id != 0) send(id);
    });
    window->Bind(wxEVT_MENU, [send](wxCommandEvent& event) { send(static_cast<std::uint16_t>(event.GetId())); });
    // The window decides what its close box does; it ends only through endDialog or destroyDialog.
    window->Bind(wxEVT_CLOSE_WINDOW, [record](wxCloseEvent& event) {
        if (record->procedure != nullptr) record->procedure(record, windowmessage::kClose, 0, 0);
        if (event.CanVeto()) event.Veto();
    });
}

// The toolkit's application object: it opens the display; the program's own loop and the dialogs'
// loops do the rest.
class DesktopApplication : public wxApp {
public:
    bool OnInit() override { return true; }
};

class DesktopWindowSystem : public WindowSystem {
public:
    ~DesktopWindowSystem() override {
        for (DesktopDialog* dialog : std::vector<DesktopDialog*>(dialogs.begin(), dialogs.end())) destroyDialog(dialog);
        delete pumpLoop;
        // A toolkit that did not start has cleaned up after itself; cleaning up again would show its
        // pending messages in a box on the display it could not open.
        if (started) wxEntryCleanup();
    }

    bool start() {
        static char name[] = "vostrandimeko";
        static char* arguments[] = {name, nullptr};
        int count = 1;
        wxApp::SetInstance(new DesktopApplication());
        if (!wxEntryStart(count, arguments)) return false;
        if (!wxTheApp->CallOnInit()) {
            wxEntryCleanup();
            return false;
        }
        wxInitAllImageHandlers();
        pumpLoop = new wxGUIEventLoop();
        started = true;
        return true;
    }

    Dialog* createDialog(const DialogTemplate& form, Dialog* owner, DialogProcedure procedure,
                         std::intptr_t parameter) override {
        DesktopDialog* dialog = make(form, owner, procedure, false);
        if (procedure != nullptr) procedure(dialog, windowmessage::kInitDialog, 0, parameter);
        return dialog;
    }

    std::int32_t runModalDialog(const DialogTemplate& form, Dialog* owner, DialogProcedure procedure,
                                std::intptr_t parameter) override {
        DesktopDialog* dialog = make(form, owner, procedure, true);
        if (procedure != nullptr) procedure(dialog, windowmessage::kInitDialog, 0, parameter);
        // Told once the dialog is on the screen and its own loop runs.
        dialog->window->CallAfter([this, dialog] {
            if (observer != nullptr) observer->dialogShown(dialog, dialog->name);
        });
        const int result = dialog->dialogWindow != nullptr ? dialog->dialogWindow->ShowModal() : -1;
        destroyDialog(dialog);
        return result;
    }

    void endDialog(Dialog* dialog, std::int32_t result) override {
        DesktopDialog* d = find(dialog);
        if (d == nullptr) return;
        if (d->modal && d->dialogWindow->IsModal()) {
            d->dialogWindow->EndModal(result);
        } else if (d->modal) {
            d->dialogWindow->SetReturnCode(result);
        }
    }

    void destroyDialog(Dialog* dialog) override {
        DesktopDialog* d = find(dialog);
        if (d == nullptr) return;
        std::erase(dialogs, d);
        // The toolkit deletes the window later, when the loop is idle: hidden now, it is gone for the user.
        d->window->Hide();
        d->window->Destroy();
        delete d;
    }

    void setUserData(Dialog* dialog, std::intptr_t data) override {
        if (DesktopDialog* d = find(dialog)) d->data = data;
    }
    std::intptr_t userData(Dialog* dialog) override {
        DesktopDialog* d = find(dialog);
        return d != nullptr ? d->data : 0;
    }
    Dialog* parentOf(Dialog* dialog) override {
        DesktopDialog* d = find(dialog);
        return d != nullptr ? d->owner : nullptr;
    }

    void pumpOne() override {
        servicePollers();
        // The toolkit's loop dispatches one pending event; posted events (a click) follow.
        wxEventLoopBase* active = wxEventLoopBase::GetActive();
        wxEventLoopBase* loop = active != nullptr ? active : pumpLoop;
        wxEventLoopActivator activate(static_cast<wxEventLoopBase*>(loop));
        if (loop->Pending()) loop->Dispatch();
        if (wxTheApp != nullptr) wxTheApp->ProcessPendingEvents();
    }

    bool hasItem(Dialog* dialog, std::uint16_t id) override { return control(dialog, id) != nullptr; }

    void setItemText(Dialog* dialog, std::uint16_t id, const std::string& text) override {
        wxWindow* item = control(dialog, id);
        if (item == nullptr) return;
        DesktopDialog* d = find(dialog);
        d->texts[id] = text;
        if (auto* label = dynamic_cast<wxStaticText*>(item)) {
            label->SetLabelText(labelOf(text));
            label->Wrap(label->GetSize().x);
        } else if (auto* field = dynamic_cast<wxTextCtrl*>(item)) {
            field->ChangeValue(wxString::FromUTF8(text));
        } else {
            item->SetLabel(labelOf(text));
        }
        if (observer != nullptr) observer->itemTextChanged(dialog, d->name, id, text);
    }

    std::string itemText(Dialog* dialog, std::uint16_t id) override {
        wxWindow* item = control(dialog, id);
        if (item == nullptr) return {};
        if (auto* field = dynamic_cast<wxTextCtrl*>(item)) return field->GetValue().ToStdString(wxConvUTF8);
        return find(dialog)->texts[id];
    }

    void setCheck(Dialog* dialog, std::uint16_t id, std::int32_t state) override {
        if (auto* box = dynamic_cast<wxCheckBox*>(control(dialog, id))) box->SetValue(state != 0);
    }
    std::int32_t check(Dialog* dialog, std::uint16_t id) override {
        auto* box = dynamic_cast<wxCheckBox*>(control(dialog, id));
        return box != nullptr && box->GetValue() ? 1 : 0;
    }

    std::int32_t addComboText(Dialog* dialog, std::uint16_t id, const std::string& text) override {
        auto* combo = dynamic_cast<wxComboBox*>(control(dialog, id));
        return combo != nullptr ? combo->Append(wxString::FromUTF8(text)) : -1;
    }
    std::vector<std::string> comboTexts(Dialog* dialog, std::uint16_t id) override {
        std::vector<std::string> entries;
        if (auto* combo = dynamic_cast<wxComboBox*>(control(dialog, id))) {
            for (unsigned i = 0; i < combo->GetCount(); ++i) entries.push_back(combo->GetString(i).ToStdString(wxConvUTF8));
        }
        return entries;
    }
    void setComboSelection(Dialog* dialog, std::uint16_t id, std::int32_t index) override {
        auto* combo = dynamic_cast<wxComboBox*>(control(dialog, id));
        if (combo != nullptr) combo->SetSelection(index >= 0 && index < static_cast<int>(combo->GetCount()) ? index : wxNOT_FOUND);
    }
    std::int32_t comboSelection(Dialog* dialog, std::uint16_t id) override {
        auto* combo = dynamic_cast<wxComboBox*>(control(dialog, id));
        return combo != nullptr ? combo->GetSelection() : -1;
    }

    void setItemIcon(Dialog* dialog, std::uint16_t id, IconName icon) override {
        if (auto* picture = dynamic_cast<wxStaticBitmap*>(control(dialog, id))) {
            const wxSize size = picture->GetSize();
            picture->SetBitmap(drawIcon(icon, std::min(size.x, size.y)));
        }
    }

    void setItemBitmap(Dialog* dialog, std::uint16_t id, const Bitmap& bitmap) override {
        auto* picture = dynamic_cast<wxStaticBitmap*>(control(dialog, id));
        if (picture == nullptr || bitmap.width == 0 || bitmap.height == 0) return;
        wxImage image(static_cast<int>(bitmap.width), static_cast<int>(bitmap.height));
        image.InitAlpha();
        unsigned char* rgb = image.GetData();
        unsigned char* alpha = image.GetAlpha();
        const std::size_t pixels = static_cast<std::size_t>(bitmap.width) * bitmap.height;
        for (std::size_t i = 0; i < pixels && 4 * i + 3 < bitmap.rgba.size(); ++i) {
            rgb[3 * i] = bitmap.rgba[4 * i];
            rgb[3 * i + 1] = bitmap.rgba[4 * i + 1];
            rgb[3 * i + 2] = bitmap.rgba[4 * i + 2];
            alpha[i] = bitmap.rgba[4 * i + 3];
        }
        picture->SetBitmap(wxBitmap(image));
    }

    void setItemBold(Dialog* dialog, std::uint16_t id) override {
        if (wxWindow* item = control(dialog, id)) item->SetFont(item->GetFont().Bold());
    }

    void setProgress(Dialog* dialog, std::uint16_t id, std::int32_t position, std::int32_t range) override {
        if (auto* gauge = dynamic_cast<wxGauge*>(control(dialog, id))) {
            gauge->SetRange(std::max(range, 1));
            gauge->SetValue(std::clamp(position, 0, std::max(range, 1)));
        }
    }

    void enableItem(Dialog* dialog, std::uint16_t id, bool enable) override {
        if (wxWindow* item = control(dialog, id)) item->Enable(enable);
    }
    void showItem(Dialog* dialog, std::uint16_t id, bool visible) override {
        if (wxWindow* item = control(dialog, id)) item->Show(visible);
    }
    bool itemVisible(Dialog* dialog, std::uint16_t id) override {
        wxWindow* item = control(dialog, id);
        return item != nullptr && item->IsShown();
    }

    PixelRect itemRect(Dialog* dialog, std::uint16_t id) override {
        wxWindow* item = control(dialog, id);
        if (item == nullptr) return {};
        const wxRect rect = item->GetRect();
        return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
    }
    void setItemRect(Dialog* dialog, std::uint16_t id, const PixelRect& rect) override {
        wxWindow* item = control(dialog, id);
        if (item == nullptr) return;
        item->SetSize(rect.left, rect.top, rect.width(), rect.height());
        if (auto* label = dynamic_cast<wxStaticText*>(item)) {
            label->SetLabelText(labelOf(find(dialog)->texts[id]));
            label->Wrap(rect.width());
        }
    }

    std::int32_t measureWrappedText(Dialog* dialog, std::uint16_t id, const std::string& text, std::int32_t width) override {
        wxWindow* item = control(dialog, id);
        if (item == nullptr) return 0;
        return wrappedLineCount(item, labelOf(text), width) * item->GetCharHeight();
    }

    void showDialog(Dialog* dialog, bool visible) override {
        if (DesktopDialog* d = find(dialog)) d->window->Show(visible);
    }
    void setTitle(Dialog* dialog, const std::string& title) override {
        if (DesktopDialog* d = find(dialog)) d->window->SetTitle(wxString::FromUTF8(title));
    }
    std::string title(Dialog* dialog) override {
        DesktopDialog* d = find(dialog);
        return d != nullptr ? d->window->GetTitle().ToStdString(wxConvUTF8) : std::string();
    }
    PixelRect clientRect(Dialog* dialog) override {
        DesktopDialog* d = find(dialog);
        if (d == nullptr) return {};
        const wxSize size = d->window->GetClientSize();
        return {0, 0, size.x, size.y};
    }
    void setClientSize(Dialog* dialog, std::int32_t width, std::int32_t height) override {
        if (DesktopDialog* d = find(dialog)) d->window->SetClientSize(width, height);
    }
    PixelRect windowRect(Dialog* dialog) override {
        DesktopDialog* d = find(dialog);
        if (d == nullptr) return {};
        const wxRect rect = d->window->GetScreenRect();
        return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
    }
    void moveDialog(Dialog* dialog, std::int32_t left, std::int32_t top) override {
        if (DesktopDialog* d = find(dialog)) d->window->Move(left, top);
    }
    PixelRect screenRect() override {
        const wxRect rect = wxDisplay(0U).GetGeometry();
        return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
    }
    PixelRect workArea(Dialog* nearDialog) override {
        DesktopDialog* d = find(nearDialog);
        const int index = d != nullptr ? wxDisplay::GetFromWindow(d->window) : wxNOT_FOUND;
        const wxRect rect = wxDisplay(index != wxNOT_FOUND ? static_cast<unsigned>(index) : 0U).GetClientArea();
        return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
    }
    // Raises the dialog. The toolkit's request for attention is not used: on a display without a
    // window manager it fails inside the toolkit.
    void bringToFront(Dialog* dialog) override {
        DesktopDialog* d = find(dialog);
        if (d != nullptr && d->window->IsShown()) d->window->Raise();
    }
    void repaint(Dialog* dialog) override {
        if (DesktopDialog* d = find(dialog)) d->window->Update();
    }

    void postClick(Dialog* dialog, std::uint16_t id) override {
        wxWindow* item = control(dialog, id);
        if (item == nullptr || !item->IsShown() || !item->IsEnabled()) return;
        wxEventType type = wxEVT_BUTTON;
        if (auto* box = dynamic_cast<wxCheckBox*>(item)) {
            box->SetValue(!box->GetValue());
            type = wxEVT_CHECKBOX;
        }
        auto* click = new wxCommandEvent(type, item->GetId());
        click->SetEventObject(item);
        item->GetEventHandler()->QueueEvent(click);
    }

    void waitForEvent(std::int32_t milliseconds) override {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        wxEventLoopBase* active = wxEventLoopBase::GetActive();
        wxEventLoopBase* loop = active != nullptr ? active : pumpLoop;
        wxEventLoopActivator activate(loop);
        while (!loop->Pending() && !(wxTheApp != nullptr && wxTheApp->HasPendingEvents()) &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    void enableMenuItem(Dialog* dialog, std::uint16_t command, bool enable) override {
        if (wxMenuItem* item = menuItem(dialog, command)) item->Enable(enable);
    }
    bool menuItemEnabled(Dialog* dialog, std::uint16_t command) override {
        wxMenuItem* item = menuItem(dialog, command);
        return item != nullptr && item->IsEnabled();
    }
    void checkMenuItem(Dialog* dialog, std::uint16_t command, bool checked) override {
        wxMenuItem* item = menuItem(dialog, command);
        if (item == nullptr) return;
        if (!item->IsCheckable()) {
            if (!checked) return;
            // The toolkit fixes an item's kind when it is made: it is made again as a check item.
            wxMenu* menu = item->GetMenu();
            const std::size_t position = positionOf(menu, item);
            const wxString text = item->GetItemLabel();
            const bool enabled = item->IsEnabled();
            menu->Destroy(item);
            item = menu->Insert(position, command, text, wxString(), wxITEM_CHECK);
            item->Enable(enabled);
        }
        item->Check(checked);
    }
    bool menuItemChecked(Dialog* dialog, std::uint16_t command) override {
        wxMenuItem* item = menuItem(dialog, command);
        return item != nullptr && item->IsCheckable() && item->IsChecked();
    }
    void insertMenuItem(Dialog* dialog, std::size_t menu, std::size_t position, const MenuItemTemplate& item) override {
        wxMenu* target = menuAt(dialog, menu);
        if (target == nullptr) return;
        position = std::min(position, target->GetMenuItemCount());
        if (item.id == 0) {
            target->InsertSeparator(position);
        } else {
            target->Insert(position, item.id, wxString::FromUTF8(item.text));
        }
    }
    void removeMenuItem(Dialog* dialog, std::size_t menu, std::size_t position) override {
        wxMenu* target = menuAt(dialog, menu);
        if (target != nullptr && position < target->GetMenuItemCount()) {
            target->Destroy(target->FindItemByPosition(position));
        }
    }
    void removeMenu(Dialog* dialog, std::size_t menu) override {
        DesktopDialog* d = find(dialog);
        if (d == nullptr || d->frame == nullptr || menu >= d->frame->GetMenuBar()->GetMenuCount()) return;
        delete d->frame->GetMenuBar()->Remove(menu);
    }
    std::vector<MenuTemplate> menuBar(Dialog* dialog) override {
        std::vector<MenuTemplate> menus;
        DesktopDialog* d = find(dialog);
        if (d == nullptr || d->frame == nullptr) return menus;
        wxMenuBar* bar = d->frame->GetMenuBar();
        for (std::size_t i = 0; i < bar->GetMenuCount(); ++i) {
            MenuTemplate menu;
            menu.title = bar->GetMenuLabel(i).ToStdString(wxConvUTF8);
            for (const wxMenuItem* item : bar->GetMenu(i)->GetMenuItems()) {
                if (item->IsSeparator()) {
                    menu.items.push_back({});
                } else {
                    menu.items.push_back({static_cast<std::uint16_t>(item->GetId()),
                                          item->GetItemLabel().ToStdString(wxConvUTF8)});
                }
            }
            menus.push_back(std::move(menu));
        }
        return menus;
    }
    void postCommand(Dialog* dialog, std::uint16_t command) override {
        DesktopDialog* d = find(dialog);
        if (d == nullptr || d->frame == nullptr || !menuItemEnabled(dialog, command)) return;
        auto* choice = new wxCommandEvent(wxEVT_MENU, command);
        choice->SetEventObject(d->frame);
        d->frame->GetEventHandler()->QueueEvent(choice);
    }
    // As the toolkit delivers a drop: through the window's own drop target, from the event loop.
    void postDrop(Dialog* dialog, const DroppedPaths& paths) override {
        DesktopDialog* d = find(dialog);
        if (d == nullptr || d->frame == nullptr) return;
        wxArrayString names;
        for (const std::string& path : paths) names.Add(wxString(path.c_str(), *wxConvFileName));
        PathDropTarget* target = d->frame->drops();
        d->frame->CallAfter([target, names] { target->OnDropFiles(0, 0, names); });
    }

    void clearList(Dialog* dialog, std::uint16_t id) override {
        if (auto* list = dynamic_cast<wxListBox*>(control(dialog, id))) list->Clear();
    }
    void addListText(Dialog* dialog, std::uint16_t id, const std::string& text) override {
        if (auto* list = dynamic_cast<wxListBox*>(control(dialog, id))) list->Append(wxString::FromUTF8(text));
    }
    std::vector<std::string> listTexts(Dialog* dialog, std::uint16_t id) override {
        std::vector<std::string> rows;
        if (auto* list = dynamic_cast<wxListBox*>(control(dialog, id))) {
            for (unsigned i = 0; i < list->GetCount(); ++i) rows.push_back(list->GetString(i).ToStdString(wxConvUTF8));
        }
        return rows;
    }
    std::int32_t listSelection(Dialog* dialog, std::uint16_t id) override {
        auto* list = dynamic_cast<wxListBox*>(control(dialog, id));
        return list != nullptr ? list->GetSelection() : -1;
    }
    void setListSelection(Dialog* dialog, std::uint16_t id, std::int32_t row) override {
        auto* list = dynamic_cast<wxListBox*>(control(dialog, id));
        if (list == nullptr) return;
        if (row >= 0 && row < static_cast<int>(list->GetCount())) {
            list->SetSelection(row);
        } else {
            list->SetSelection(wxNOT_FOUND);
        }
    }
    void addTab(Dialog* dialog, std::uint16_t id, const std::string& title) override {
        if (auto* tabs = dynamic_cast<TabStrip*>(control(dialog, id))) tabs->addTab(wxString::FromUTF8(title));
    }
    std::int32_t tabSelection(Dialog* dialog, std::uint16_t id) override {
        auto* tabs = dynamic_cast<TabStrip*>(control(dialog, id));
        return tabs != nullptr ? tabs->GetSelection() : -1;
    }
    void setTabSelection(Dialog* dialog, std::uint16_t id, std::int32_t tab) override {
        auto* tabs = dynamic_cast<TabStrip*>(control(dialog, id));
        if (tabs != nullptr && tab >= 0 && tab < static_cast<int>(tabs->GetPageCount())) tabs->ChangeSelection(tab);
    }
    void postComboChoice(Dialog* dialog, std::uint16_t id, std::int32_t index) override {
        wxWindow* item = control(dialog, id);
        if (item == nullptr || !item->IsShown() || !item->IsEnabled()) return;
        if (auto* tabs = dynamic_cast<TabStrip*>(item)) {
            // Changing the page through the toolkit sends its page-changed event.
            item->CallAfter([tabs, index] { tabs->SetSelection(index); });
            return;
        }
        wxEventType type = wxEVT_COMBOBOX;
        if (auto* combo = dynamic_cast<wxComboBox*>(item)) {
            combo->SetSelection(index);
        } else if (auto* list = dynamic_cast<wxListBox*>(item)) {
            list->SetSelection(index);
            type = wxEVT_LISTBOX;
        } else {
            return;
        }
        auto* choice = new wxCommandEvent(type, item->GetId());
        choice->SetEventObject(item);
        choice->SetInt(index);
        item->GetEventHandler()->QueueEvent(choice);
    }

    bool browse(BrowseKind kind, const std::string& title, std::string& chosenPath) override {
        wxString chosen;
        const wxString caption = wxString::FromUTF8(title);
        if (kind == BrowseKind::folder) {
            chosen = wxDirSelector(caption.empty() ? wxString(wxDirSelectorPromptStr) : caption);
        } else {
            chosen = wxFileSelector(caption.empty() ? wxString(wxFileSelectorPromptStr) : caption);
        }
        if (chosen.empty()) return false;
        chosenPath = chosen.ToStdString(wxConvUTF8);
        return true;
    }

    DesktopDialog* find(Dialog* dialog) {
        const auto found = std::find(dialogs.begin(), dialogs.end(), dialog);
        return found != dialogs.end() ? *found : nullptr;
    }

private:
    DesktopDialog* make(const DialogTemplate& form, Dialog* owner, DialogProcedure procedure, bool modal) {
        auto* dialog = new DesktopDialog;
        dialog->name = form.name;
        dialog->procedure = procedure;
        dialog->owner = owner;
        dialog->modal = modal;
        DesktopDialog* ownerRecord = find(owner);
        if (form.menus.empty() || modal) {
            dialog->dialogWindow = new TemplateDialog(ownerRecord != nullptr ? ownerRecord->window : nullptr, form, dialog);
            dialog->window = dialog->dialogWindow;
        } else {
            dialog->frame = new TemplateFrame(form, dialog);
            dialog->window = dialog->frame;
        }
        dialogs.push_back(dialog);
        return dialog;
    }

    wxMenu* menuAt(Dialog* dialog, std::size_t menu) {
        DesktopDialog* d = find(dialog);
        if (d == nullptr || d->frame == nullptr || menu >= d->frame->GetMenuBar()->GetMenuCount()) return nullptr;
        return d->frame->GetMenuBar()->GetMenu(menu);
    }
    wxMenuItem* menuItem(Dialog* dialog, std::uint16_t command) {
        DesktopDialog* d = find(dialog);
        if (d == nullptr || d->frame == nullptr || command == 0) return nullptr;
        return d->frame->GetMenuBar()->FindItem(command);
    }
    static std::size_t positionOf(wxMenu* menu, const wxMenuItem* item) {
        std::size_t position = 0;
        for (const wxMenuItem* each : menu->GetMenuItems()) {
            if (each == item) return position;
            ++position;
        }
        return position;
    }

    wxWindow* control(Dialog* dialog, std::uint16_t id) {
        DesktopDialog* d = find(dialog);
        if (d == nullptr) return nullptr;
        const auto found = d->controls.find(id);
        return found != d->controls.end() ? found->second : nullptr;
    }

    std::vector<DesktopDialog*> dialogs;
    wxEventLoopBase* pumpLoop = nullptr;
    bool started = false;  // the toolkit started and must be cleaned up
};

DesktopWindowSystem* gDesktop = nullptr;

}  // namespace

std::unique_ptr<WindowSystem> makeDesktopWindowSystem() {
    auto system = std::make_unique<DesktopWindowSystem>();
    if (!system->start()) return nullptr;
    gDesktop = system.get();
    return system;
}

bool saveDialogPicture(Dialog* dialog, const std::string& pngPath) {
    DesktopDialog* d = gDesktop != nullptr ? gDesktop->find(dialog) : nullptr;
    if (d == nullptr) return false;
    // A main window's controls are drawn on its panel.
    wxWindow* surface = d->frame != nullptr ? d->frame->surface() : d->window;
    surface->Update();
    const wxSize size = surface->GetClientSize();
    wxBitmap picture(size);
    {
        wxClientDC screen(surface);
        wxMemoryDC memory(picture);
        memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
    }
    return picture.SaveFile(wxString::FromUTF8(pngPath), wxBITMAP_TYPE_PNG);
}

}  // namespace platform::desktop
