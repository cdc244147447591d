#include "foundation/language/CMUI.h"

#include <new>

#include "foundation/CFail.h"
#include "foundation/files/AppFolders.h"
#include "foundation/text/TextFormat.h"
#include "platform/files/FileName.h"
#include "platform/registry/Registry.h"
#include "platform/text/UserLanguage.h"

namespace {

constexpr std::uint16_t kLanguageFileBits = 0x400;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A hexadecimal number at the start of the text (blanks and a "0x" before it allowed), kept to its low
// 16 bits as the id it names; 0 when there is none.
std::uint16_t hexLanguageId(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && hexDigit(text[2]) >= 0) text.remove_prefix(2);
    std::uint32_t value = 0;
    for (const char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0) break;
        value = ((value << 4) | static_cast<std::uint32_t>(digit)) & 0xFFFFF;  // the low bits are all that count
    }
    return static_cast<std::uint16_t>(value);
}

// The resource locale a user set in the registry; 0 when there is none.
std::uint16_t registryResourceLocale() {
    platform::RegistryKey key = platform::RegistryKey::currentUser();
    if (platform::registryOpenKey(key, kResourceLocaleKey, key) != 0) return 0;
    std::string value;
    if (platform::registryQueryValue(key, "", value) != 0) return 0;
    if (value.size() >= static_cast<std::size_t>(kResourceLocaleCapacity)) return 0;
    return hexLanguageId(value.substr(0, value.find('\0')));
}

}  // namespace

CMUI::CMUI() = default;

CMUI::~CMUI() {
    if (library) setResourceModule(nullptr);
}

void CMUI::loadLanguageDLL(std::int16_t languageId) {
    setResourceModule(nullptr);
    std::uint16_t id = static_cast<std::uint16_t>(languageId);
    if (languageId == 0) id = getUILanguage();
    library.reset();
    if (id == static_cast<std::uint16_t>(kEnglishLanguageChoice)) return;
    try {
        std::shared_ptr<const ResourceModule> module = loadLanguageModule(languageFilePath(id), nullptr);
        if (!module) return;
        setResourceModule(module);
        library = std::move(module);
    } catch (const CFail&) {
        // no language file: the program's own texts stay
    } catch (const std::bad_alloc&) {
        // the same
    }
}

std::uint16_t CMUI::getUILanguage() {
    try {
        if (const std::uint16_t user = platform::userInterfaceLanguage(); user != 0) return user;
        if (const std::uint16_t locale = registryResourceLocale(); locale != 0) return locale;
    } catch (const std::bad_alloc&) {
        // a candidate that cannot be asked is passed over
    }
    return kDefaultUILanguage;
}

std::string languageFilePath(std::uint16_t languageId) {
    const PascalWString* folder = appFolder(kLanguagesFolderName);
    char name[32];
    formatString(name, "lang%x%s", static_cast<unsigned>(languageId | kLanguageFileBits), kLanguageFileSuffix);
    return platform::fileNameToBytes(folder->view()) + name;
}
