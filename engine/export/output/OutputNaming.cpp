#include "engine/export/output/OutputNaming.h"

#include <cstring>
#include <ctime>
#include <string>

#include "engine/translators/TranslatorDescriptor.h"
#include "foundation/text/TextBoundary.h"
#include "foundation/files/CFile.h"
#include "foundation/Clock.h"
#include "foundation/encoding/FourCharCode.h"
#include "foundation/text/TextFormat.h"
#include "foundation/encoding/Utf8Codec.h"

namespace {

constexpr std::int32_t kDateNameBytes = 64;


// The bytes of the text in UTF-8; a lone surrogate counts its 3-byte form.
std::int32_t utf8Bytes(std::u16string_view text) {
    std::int32_t bytes = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80) bytes += 1;
        else if (unit < 0x800) bytes += 2;
        else if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            bytes += 4;
            ++i;
        } else bytes += 3;
    }
    return bytes;
}

bool fits(std::u16string_view name) {
    return fitsInPascal(static_cast<std::int32_t>(name.size())) && utf8Bytes(name) <= kMaxFileNameBytes;
}

// Drops the base's last character (both halves of a surrogate pair).
void dropLastCharacter(std::u16string& base) {
    if (base.empty()) return;
    const bool pair = base.size() >= 2 && isLowSurrogate(base.back()) && isHighSurrogate(base[base.size() - 2]);
    base.resize(base.size() - (pair ? 2 : 1));
}

// base + number + suffix, the base shortened until the whole fits.
std::u16string composeName(std::u16string base, std::u16string_view number, std::u16string_view suffix) {
    std::u16string tail(number);
    tail += suffix;
    while (!base.empty() && !fits(base + tail)) dropLastCharacter(base);
    return base + tail;
}

// The 8-bit formatter: the date's numbers have fixed widths.
std::u16string dateBase() {
    const std::tm* now = currentLocalTime();
    char text[kDateNameBytes];
    formatResourceInto(text, kDateNameBytes, kDateNameString, now->tm_year + 1900, now->tm_mon + 1, now->tm_mday,
                       now->tm_hour, now->tm_min, now->tm_sec);
    return utf8ToUtf16String(text);
}

std::u16string suffixOf(const TranslatorDescriptor& descriptor) {
    if (descriptor.outputSuffix[0] != '\0') {
        const std::string suffix(descriptor.outputSuffix, strnlen(descriptor.outputSuffix, kOutputSuffixBytes));
        return utf8ToUtf16String(suffix);
    }
    const char* extension = descriptor.rules[0].extension;
    const std::size_t length = strnlen(extension, sizeof descriptor.rules[0].extension);
    if (length == 0) return {};
    return u"." + utf8ToUtf16String(std::string(extension, length));
}

PascalWString toPascal(std::u16string_view text) {
    return makePascal(text);
}

}  // namespace

bool nameExistsOnDisk(const PascalWString& name, const PascalWString& folder) {
    CFile probe(name, folder, kAnyFileCode, kAnyFileCode, 0, 0, 0, 0);
    return probe.exists();
}

void makeOutputName(const TranslatorDescriptor& descriptor, PascalWString& name, const PascalWString& folder,
                    bool unique, bool dateNames, const NameTaken& isTaken) {
    std::u16string base = dateNames ? dateBase() : std::u16string(name.view());
    const std::size_t lastPoint = base.rfind(u'.');
    if (lastPoint != std::u16string::npos) base.resize(lastPoint);
    const std::u16string suffix = suffixOf(descriptor);

    name = toPascal(composeName(base, u"", suffix));
    if (!unique) return;
    for (std::uint64_t n = 1; isTaken(name, folder); ++n) {
        const std::string digits = std::to_string(n);
        name = toPascal(composeName(base, std::u16string(digits.begin(), digits.end()), suffix));
    }
}

PascalWString safeSheetName(const char* storedName, std::int32_t sheetIndex) {
    std::u16string text = storedName != nullptr ? utf8ToUtf16String(storedName) : std::u16string();
    std::erase(text, u'/');
    std::erase(text, u'\0');
    for (std::size_t at = text.find(u".."); at != std::u16string::npos; at = text.find(u".."))
        text.erase(at, 2);
    if (text.empty() || text == u".") {
        const std::string fallback = "Sheet" + std::to_string(static_cast<std::int64_t>(sheetIndex) + 1);
        text.assign(fallback.begin(), fallback.end());
    }
    std::u16string bounded = composeName(text, u"", u"");
    return makePascal(bounded);
}
