#include "export/rtf/RTFNameText.h"

#include <cstdio>
#include <cstring>

#include "foundation/FailureCode.h"
#include "foundation/Utf8Codec.h"

namespace {

constexpr const char* kUnit = "BL_RTF(exp)";

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
        char escape[16];
        std::snprintf(escape, sizeof escape, "\\u%d?", static_cast<int>(static_cast<std::int16_t>(unit)));
        out += escape;
    }
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
    const std::size_t end = utf8Name.find('\0');
    if (end != std::string_view::npos) utf8Name = utf8Name.substr(0, end);
    if (utf8Name.empty()) return {};
    const std::u16string units = raisingOutOfMemory(__LINE__, kUnit, [&] {
        std::u16string decoded(utf8Name.size() + 1, u'\0');
        std::int32_t outputSize = static_cast<std::int32_t>(decoded.size() * 2);
        std::int32_t inputSize = static_cast<std::int32_t>(utf8Name.size());
        const std::int32_t written =
            utf8ToUtf16(utf16Bytes(decoded.data()), &outputSize,
                        reinterpret_cast<const std::uint8_t*>(utf8Name.data()), &inputSize);
        decoded.resize(written > 0 ? static_cast<std::size_t>(written) / 2 : 0);
        // A sequence cut off at the end of the name reads as one replacement character.
        if (inputSize < static_cast<std::int32_t>(utf8Name.size())) decoded += utf8codec::kReplacementCharacter;
        return decoded;
    });
    return rtfEscapedName(std::u16string_view(units));
}

std::string rtfEscapedField(const char* field, std::size_t room) {
    if (field == nullptr) return {};
    return rtfEscapedName(std::string_view(field, strnlen(field, room)));
}
