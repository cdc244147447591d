#include "export/rtf/RTFNameText.h"

#include <cstdio>
#include <cstring>

#include "foundation/FailureCode.h"
#include "foundation/PascalText.h"
#include "foundation/Utf8Codec.h"

namespace {

constexpr const char* kUnit = "BL_RTF(exp)";

void appendUnicodeEscape(std::string& out, char16_t unit) {
    char escape[16];
    std::snprintf(escape, sizeof escape, "\\u%d?", static_cast<int>(static_cast<std::int16_t>(unit)));
    out += escape;
}

void appendUnit(std::string& out, char16_t unit) {
    if (unit == u'\\' || unit == u'{' || unit == u'}') {
        out += '\\';
        out += static_cast<char>(unit);
    } else if (unit < 0x20 || unit == 0x7F) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\'%02x", static_cast<unsigned>(unit));
        out += hex;
    } else if (unit < 0x80) {
        out += static_cast<char>(unit);
    } else {
        appendUnicodeEscape(out, unit);
    }
}

// The UTF-8 text up to its first 0 byte as UTF-16 units.
std::u16string decodedText(std::string_view utf8Text) {
    const std::size_t end = utf8Text.find('\0');
    if (end != std::string_view::npos) utf8Text = utf8Text.substr(0, end);
    if (utf8Text.empty()) return {};
    return raisingOutOfMemory(__LINE__, kUnit, [&] {
        std::u16string decoded(utf8Text.size() + 1, u'\0');
        std::int32_t outputSize = static_cast<std::int32_t>(decoded.size() * 2);
        std::int32_t inputSize = static_cast<std::int32_t>(utf8Text.size());
        const std::int32_t written =
            utf8ToUtf16(utf16Bytes(decoded.data()), &outputSize,
                        reinterpret_cast<const std::uint8_t*>(utf8Text.data()), &inputSize);
        decoded.resize(written > 0 ? static_cast<std::size_t>(written) / 2 : 0);
        // A sequence cut off at the end of the text reads as one replacement character.
        if (inputSize < static_cast<std::int32_t>(utf8Text.size())) decoded += utf8codec::kReplacementCharacter;
        return decoded;
    });
}

}  // namespace

std::string rtfEscapedName(std::u16string_view units) {
    return raisingOutOfMemory(__LINE__, kUnit, [&] {
        std::string out;
        out.reserve(units.size());
        for (char16_t unit : units) {
            if (unit == 0) break;
            appendUnit(out, unit);
        }
        return out;
    });
}

std::string rtfEscapedName(std::string_view utf8Name) {
    return rtfEscapedName(std::u16string_view(decodedText(utf8Name)));
}

std::string rtfEscapedField(const char* field, std::size_t room) {
    if (field == nullptr) return {};
    return rtfEscapedName(std::string_view(field, strnlen(field, room)));
}

std::string rtfEscapedInfoText(std::string_view utf8Text) {
    const std::u16string units = decodedText(utf8Text);
    return raisingOutOfMemory(__LINE__, kUnit, [&] {
        std::string out;
        std::string asciiRun;
        const auto flushAscii = [&] {
            out += escapeTextString(asciiRun, "\\'");
            asciiRun.clear();
        };
        for (char16_t unit : units) {
            if (unit < 0x80) {
                asciiRun += static_cast<char>(unit);
                continue;
            }
            flushAscii();
            appendUnicodeEscape(out, unit);
        }
        flushAscii();
        return out;
    });
}
