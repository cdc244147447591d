#include "platform/desktop/DesktopWindowSystem.h"

#include <algorithm>
#include <map>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dialog.h>
#include <wx/dirdlg.h>
#include <wx/display.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/gauge.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "platform/desktop/DesktopIcons.h"

namespace platform::desktop {
namespace {

class TemplateDialog;

struct DesktopDialog : Dialog {
    TemplateDialog* window = nullptr;
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

class TemplateDialog : public wxDialog {
public:
    TemplateDialog(wxWindow* parent, const DialogTemplate& form, DesktopDialog* owner)
        : wxDialog(parent, wxID_ANY, wxString::FromUTF8(form.title), wxDefaultPosition, wxDefaultSize,
                   wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
          record(owner) {
        SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
        SetClientSize(ConvertDialogToPixels(wxSize(form.width, form.height)));
        for (const ControlTemplate& control : form.controls) makeControl(control);
        Bind(wxEVT_BUTTON, &TemplateDialog::onCommand, this);
        Bind(wxEVT_CHECKBOX, &TemplateDialog::onCommand, this);
        Bind(wxEVT_COMBOBOX, &TemplateDialog::onCommand, this);
        Bind(wxEVT_CLOSE_WINDOW, &TemplateDialog::onClose, this);
    }

    std::uint16_t idOf(wxObject* control) const {
        for (const auto& [id, window] : record->controls) {
            if (window == control) return id;
        }
        return 0;
    }

private:
    void makeControl(const ControlTemplate& form) {
        const wxPoint place = ConvertDialogToPixels(wxPoint(form.x, form.y));
        const wxSize size = ConvertDialogToPixels(wxSize(form.width, form.height));
        const wxString label = labelOf(form.text);
        wxWindow* control = nullptr;
        switch (form.kind) {
        case ControlKind::text:
            control = new wxStaticText(this, wxID_ANY, wxString(), place, size, wxST_NO_AUTORESIZE);
            static_cast<wxStaticText*>(control)->SetLabelText(label);
            static_cast<wxStaticText*>(control)->Wrap(size.x);
            break;
        case ControlKind::button:
        case ControlKind::defaultButton:
            control = new wxButton(this, wxID_ANY, label, place, size);
            if (form.kind == ControlKind::defaultButton) static_cast<wxButton*>(control)->SetDefault();
            break;
        case ControlKind::checkBox:
            control = new wxCheckBox(this, wxID_ANY, label, place, size);
            break;
        case ControlKind::icon:
            control = new wxStaticBitmap(this, wxID_ANY, drawIcon(iconNamed(form.text), std::min(size.x, size.y)),
                                         place, size);
            break;
        case ControlKind::picture:
            control = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap, place, size);
            break;
        case ControlKind::progressBar:
            control = new wxGauge(this, wxID_ANY, 100, place, size);
            break;
        case ControlKind::comboBox:
            control = new wxComboBox(this, wxID_ANY, wxString(), place, size, 0, nullptr, wxCB_READONLY);
            break;
        case ControlKind::edit:
            control = new wxTextCtrl(this, wxID_ANY, label, place, size);
            break;
        }
        record->controls[form.id] = control;
        record->kinds[form.id] = form.kind;
        if (form.kind != ControlKind::icon) record->texts[form.id] = form.text;
    }

    void onCommand(wxCommandEvent& event) {
        const std::uint16_t id = idOf(event.GetEventObject());
        if (id != 0 && record->procedure != nullptr) record->procedure(record, windowmessage::kCommand, id, 0);
    }

    // The window decides what its close box does; it ends only through endDialog.
    void onClose(wxCloseEvent& event) {
        if (record->procedure != nullptr) record->procedure(record, windowmessage::kClose, 0, 0);
        if (event.CanVeto()) event.Veto();
    }

    DesktopDialog* record;
};

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
        wxEntryCleanup();
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
        const int result = dialog->window->ShowModal();
        destroyDialog(dialog);
        return result;
    }

    void endDialog(Dialog* dialog, std::int32_t result) override {
        DesktopDialog* d = find(dialog);
        if (d == nullptr) return;
        if (d->modal && d->window->IsModal()) {
            d->window->EndModal(result);
        } else if (d->modal) {
            d->window->SetReturnCode(result);
        }
    }

    void destroyDialog(Dialog* dialog) override {
        DesktopDialog* d = find(dialog);
        if (d == nullptr) return;
        std::erase(dialogs, d);
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
        dialog->window = new TemplateDialog(ownerRecord != nullptr ? ownerRecord->window : nullptr, form, dialog);
        dialogs.push_back(dialog);
        return dialog;
    }

    wxWindow* control(Dialog* dialog, std::uint16_t id) {
        DesktopDialog* d = find(dialog);
        if (d == nullptr) return nullptr;
        const auto found = d->controls.find(id);
        return found != d->controls.end() ? found->second : nullptr;
    }

    std::vector<DesktopDialog*> dialogs;
    wxEventLoopBase* pumpLoop = nullptr;
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
    d->window->Update();
    const wxSize size = d->window->GetClientSize();
    wxBitmap picture(size);
    {
        wxClientDC screen(d->window);
        wxMemoryDC memory(picture);
        memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
    }
    return picture.SaveFile(wxString::FromUTF8(pngPath), wxBITMAP_TYPE_PNG);
}

}  // namespace platform::desktop
