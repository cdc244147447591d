#include "app/windows/CWindow.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "app/windows/DialogTemplateText.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/encoding/WideApiFlag.h"
#include "foundation/files/CFile.h"
#include "foundation/text/NumberText.h"
#include "foundation/text/TextBoundary.h"
#include "foundation/text/TextCompare.h"
#include "picture/BitmapHandle.h"

namespace {
constexpr const char* kUnit = "BWindows";
// The 8-bit form of a text carries at most this many bytes.
constexpr std::size_t kNarrowTextBytes = 511;
// How far inside the work area a centred window is kept.
constexpr std::int32_t kWorkAreaMargin = 2;

CommandEvent gCommandEvent;

platform::WindowSystem* system() {
    return platform::windowSystem();
}

// A UTF-16 text as it reaches the control: whole through the wide form, its first 511 UTF-8 bytes
// through the 8-bit form.
std::string textForControl(const char16_t* text) {
    std::string bytes = utf16ToUtf8String(text != nullptr ? std::u16string_view(text) : std::u16string_view());
    if (useWideApi != 1) bytes.resize(utf8CutPoint(bytes, kNarrowTextBytes));
    return bytes;
}

// Copies the text into a buffer of `capacity` bytes, cut on a character boundary, with a 0 after it.
char* copyText8(char* buffer, std::size_t capacity, const std::string& text) {
    if (buffer == nullptr || capacity == 0) return buffer;
    const std::size_t length = utf8CutPoint(text, capacity - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = 0;
    return buffer;
}
}  // namespace

CommandEvent& makeCommandEvent(std::int32_t commandWord, std::int32_t menu, std::int16_t value) {
    gCommandEvent = CommandEvent{};
    gCommandEvent.commandWord = commandWord;
    gCommandEvent.menu = menu;
    gCommandEvent.value = value;
    return gCommandEvent;
}

CWindow::CWindow(const char* templateName, platform::Dialog* ownerWindow) : ownerWindow(ownerWindow) {
    if (templateName == nullptr) return;
    const auto form = loadDialogTemplate(templateName);
    platform::Dialog* made = nullptr;
    if (form && system() != nullptr) {
        made = system()->createDialog(*form, ownerWindow, windowDialogProc, reinterpret_cast<std::intptr_t>(this));
    }
    throwIfNull(made, __LINE__, kUnit);
    dialog = made;
}

std::int32_t runModalDialog(const char16_t* templateName, platform::Dialog* ownerWindow, CWindow* window) {
    const auto form = loadDialogTemplate(utf16ToUtf8String(templateName != nullptr ? templateName : u""));
    if (!form || system() == nullptr) return -1;
    return system()->runModalDialog(*form, ownerWindow, windowDialogProc, reinterpret_cast<std::intptr_t>(window));
}

std::int32_t windowDialogProc(platform::Dialog* dialog, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) {
    if (message == platform::windowmessage::kInitDialog) {
        auto* window = reinterpret_cast<CWindow*>(lParam);
        window->dialog = dialog;
        system()->setUserData(dialog, lParam);
    }
    CWindow* window = windowFromHandle(dialog);
    if (window == nullptr) return 0;
    return window->handleMessage(message, wParam, lParam);
}

CWindow* windowFromHandle(platform::Dialog* dialog) {
    if (dialog == nullptr || system() == nullptr) return nullptr;
    return reinterpret_cast<CWindow*>(system()->userData(dialog));
}

std::int32_t CWindow::init() {
    return kNotHandled;
}

std::int32_t CWindow::initMenu(CommandEvent&) {
    return kNotHandled;
}

std::int32_t CWindow::command(CommandEvent&) {
    return kNotHandled;
}

std::int32_t CWindow::handleMessage(std::uint32_t, std::uintptr_t, std::intptr_t) {
    return 0;
}

std::int32_t CWindow::endIfDone(std::int16_t& done, std::uintptr_t wParam, std::int32_t answer) {
    if (done != 1) return answer;
    done = 0;
    system()->endDialog(dialog, static_cast<std::int32_t>(wParam & 0xFFFF));
    return 1;
}

std::int32_t CWindow::handleModalMessage(std::int16_t& done, std::uint32_t message, std::uintptr_t wParam,
                                         std::intptr_t) {
    namespace msg = platform::windowmessage;
    std::int32_t answer = 0;
    switch (message) {
    case msg::kClose:
        done = 1;
        // The close box ends the dialog with 0, whatever the message carried.
        wParam = 0;
        break;
    case msg::kInitDialog:
        answer = init();
        break;
    case msg::kCommand:
        answer = command(makeCommandEvent(static_cast<std::int32_t>(wParam), 0, 0));
        break;
    case msg::kInitMenu:
        answer = initMenu(makeCommandEvent(0, static_cast<std::int32_t>(wParam), 0));
        break;
    default:
        break;
    }
    return endIfDone(done, wParam, answer);
}

WindowItem CWindow::getItem(std::uint16_t id) {
    if (dialog == nullptr || system() == nullptr || !system()->hasItem(dialog, id)) return {};
    return {dialog, id};
}

void CWindow::center() {
    if (dialog == nullptr) return;
    platform::Dialog* parent = system()->parentOf(dialog);
    const platform::PixelRect p = parent != nullptr ? system()->windowRect(parent) : system()->screenRect();
    const platform::PixelRect d = system()->windowRect(dialog);
    const std::int32_t w = d.width();
    const std::int32_t h = d.height();
    std::int32_t left = p.left + (p.width() - w) / 2;
    std::int32_t top = p.top + (p.height() - h) / 2;
    const platform::PixelRect area = system()->workArea(parent != nullptr ? parent : dialog);
    // In this order, so a window larger than the work area ends at its bottom and right margins.
    left = std::max(left, area.left + kWorkAreaMargin);
    top = std::max(top, area.top + kWorkAreaMargin);
    if (top + h > area.bottom - kWorkAreaMargin) top = area.bottom - kWorkAreaMargin - h;
    if (left + w > area.right - kWorkAreaMargin) left = area.right - kWorkAreaMargin - w;
    system()->moveDialog(dialog, left, top);
}

void CWindow::bringToFront() {
    if (dialog != nullptr) system()->bringToFront(dialog);
}

void CWindow::setItemPicture(std::uint16_t id, const PascalWString& name, const PascalWString& folder) {
    const WindowItem item = getItem(id);
    if (!item) return;
    // A picture that cannot be read or decoded leaves the control as it was.
    failureCode([&] {
        CFile file(name, folder, fourCharCode("????"), fourCharCode("????"), 0, 0, kGenericRead, 0);
        throwIfError(file.open(), __LINE__, kUnit);
        std::uint32_t size = 0;
        throwIfError(file.getSize(size), __LINE__, kUnit);
        if (size == 0 || size > kMaxBitmapFileBytes) return;
        std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[size]);
        throwIfNull(bytes.get(), __LINE__, kUnit);
        const auto count = static_cast<std::int32_t>(size);
        throwIfError(file.read(bytes.get(), count, 0, 0), __LINE__, kUnit);
        const std::unique_ptr<platform::Bitmap> bitmap = loadBitmapHandle(bytes.get(), count);
        if (bitmap != nullptr) system()->setItemBitmap(dialog, id, *bitmap);
    });
}

void CWindow::setItemText(std::uint16_t id, const char16_t* text) {
    if (!getItem(id)) return;
    system()->setItemText(dialog, id, textForControl(text));
    system()->repaint(dialog);
}

void CWindow::setItemPString(std::uint16_t id, const PascalWString& text) {
    const std::u16string whole(text.view());
    setItemText(id, whole.c_str());
}

PascalWString& CWindow::getItemPString(std::uint16_t id, PascalWString& text) {
    char16_t buffer[kItemTextUnits];
    getItemText(id, buffer);
    std::u16string_view read(buffer);
    read = read.substr(0, utf16CutPoint(read, static_cast<std::size_t>(kPascalCapacity)));
    text = makePascal(read);
    return text;
}

void CWindow::setItemWideText(std::uint16_t id, const char16_t* text) {
    setItemText(id, text);
}

char16_t* CWindow::getItemText(std::uint16_t id, char16_t* buffer) {
    if (buffer == nullptr) return buffer;
    buffer[0] = 0;
    if (!getItem(id)) return buffer;
    std::string bytes = system()->itemText(dialog, id);
    if (useWideApi != 1) bytes.resize(utf8CutPoint(bytes, kItemText8Bytes - 1));
    const std::u16string text = utf8ToUtf16String(bytes);
    const std::size_t length = utf16CutPoint(text, kItemTextUnits - 1);
    std::copy_n(text.data(), length, buffer);
    buffer[length] = 0;
    return buffer;
}

void CWindow::setItemText8(std::uint16_t id, const char* text) {
    if (!getItem(id)) return;
    system()->setItemText(dialog, id, text != nullptr ? text : "");
    system()->repaint(dialog);
}

char* CWindow::getItemText8(std::uint16_t id, char* buffer) {
    if (buffer == nullptr) return buffer;
    buffer[0] = 0;
    if (!getItem(id)) return buffer;
    return copyText8(buffer, kItemText8Bytes, system()->itemText(dialog, id));
}

void CWindow::setItemNumber(std::uint16_t id, std::int32_t number) {
    setItemText8(id, std::to_string(number).c_str());
}

std::int32_t CWindow::getItemNumber(std::uint16_t id) {
    char text[kItemText8Bytes];
    getItemText8(id, text);
    std::int16_t sign = 1;
    const std::uint64_t magnitude = textToNumber(text, 10, '0', &sign);
    const std::int64_t value = applyNumberSign(magnitude, sign);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

std::int32_t CWindow::addComboText(std::uint16_t id, const char16_t* text) {
    if (!getItem(id)) return -1;
    return system()->addComboText(dialog, id, textForControl(text));
}

std::int32_t CWindow::addComboText8(std::uint16_t id, const char* text) {
    if (!getItem(id)) return -1;
    return system()->addComboText(dialog, id, text != nullptr ? text : "");
}

std::int32_t CWindow::selectComboText(std::uint16_t id, const char* text) {
    if (!getItem(id) || text == nullptr) return -1;
    const std::vector<std::string> entries = system()->comboTexts(dialog, id);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (compareText(entries[i].c_str(), text, 0) == 0) {
            system()->setComboSelection(dialog, id, static_cast<std::int32_t>(i));
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

char* CWindow::getComboText(std::uint16_t id, char* buffer) {
    if (!getItem(id) || buffer == nullptr) return buffer;
    const std::int32_t selected = system()->comboSelection(dialog, id);
    const std::vector<std::string> entries = system()->comboTexts(dialog, id);
    if (selected < 0 || selected >= static_cast<std::int32_t>(entries.size())) return buffer;
    return copyText8(buffer, kItemText8Bytes, entries[static_cast<std::size_t>(selected)]);
}

char* CWindow::getComboText2(std::uint16_t id, char* buffer) {
    return getComboText(id, buffer);
}

void CWindow::setComboSelection(std::uint16_t id, std::int16_t index) {
    if (getItem(id)) system()->setComboSelection(dialog, id, index);
}

std::int32_t CWindow::getComboSelection(std::uint16_t id) {
    return getItem(id) ? system()->comboSelection(dialog, id) : -1;
}

void CWindow::setCheck(std::uint16_t id, std::int16_t state) {
    if (getItem(id)) system()->setCheck(dialog, id, state);
}

std::int32_t CWindow::getCheck(std::uint16_t id) {
    return getItem(id) ? system()->check(dialog, id) : 0;
}

std::int32_t CWindow::measureItemText(std::uint16_t id) {
    if (!getItem(id)) return 0;
    const platform::PixelRect rect = system()->itemRect(dialog, id);
    return system()->measureWrappedText(dialog, id, system()->itemText(dialog, id), rect.width());
}

void CWindow::setItemHeight(std::uint16_t id, std::int16_t height) {
    if (!getItem(id)) return;
    platform::PixelRect rect = system()->itemRect(dialog, id);
    rect.bottom = rect.top + height;
    system()->setItemRect(dialog, id, rect);
}

std::int32_t CWindow::getItemHeight(std::uint16_t id) {
    return getItem(id) ? system()->itemRect(dialog, id).height() : 0;
}

void CWindow::setItemWidth(std::uint16_t id, std::int16_t width) {
    if (!getItem(id)) return;
    platform::PixelRect rect = system()->itemRect(dialog, id);
    rect.right = rect.left + width;
    system()->setItemRect(dialog, id, rect);
}

std::int32_t CWindow::getItemWidth(std::uint16_t id) {
    return getItem(id) ? system()->itemRect(dialog, id).width() : 0;
}

void CWindow::moveItem(std::uint16_t id, std::uint32_t point) {
    if (!getItem(id)) return;
    const platform::PixelRect rect = system()->itemRect(dialog, id);
    const std::int32_t left = packedLeft(point);
    const std::int32_t top = packedTop(point);
    system()->setItemRect(dialog, id, {left, top, left + rect.width(), top + rect.height()});
}

std::uint32_t CWindow::getItemPosition(std::uint16_t id) {
    if (!getItem(id)) return 0;
    const platform::PixelRect rect = system()->itemRect(dialog, id);
    return packPoint(rect.left, rect.top);
}

void CWindow::enableItem(std::uint16_t id, std::int16_t enable) {
    if (getItem(id)) system()->enableItem(dialog, id, enable != 0);
}

void CWindow::showItem(std::uint16_t id, std::int16_t flag) {
    if (getItem(id)) system()->showItem(dialog, id, flag == 1);
}

void CWindow::show(std::int16_t flag) {
    if (dialog != nullptr) system()->showDialog(dialog, flag == 1);
}

void CWindow::setTitle8(const char* title) {
    if (dialog != nullptr) system()->setTitle(dialog, title != nullptr ? title : "");
}

void CWindow::setClientSize(std::uint32_t size) {
    if (dialog == nullptr) return;
    const platform::PixelRect client = system()->clientRect(dialog);
    const std::int16_t height = packedTop(size);
    const std::int16_t width = packedLeft(size);
    system()->setClientSize(dialog, width != 0 ? width : client.width(), height != 0 ? height : client.height());
}

std::uint32_t CWindow::getPosition() {
    if (dialog == nullptr) return 0;
    const platform::PixelRect rect = system()->windowRect(dialog);
    return packPoint(rect.left, rect.top);
}
