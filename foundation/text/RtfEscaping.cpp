#include "foundation/text/RtfEscaping.h"

#include <cstdint>
#include <cstdio>

#include "foundation/encoding/Utf8Codec.h"

void appendRtfEscapedUnit(std::string& out, char16_t unit) {
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

std::string rtfEscapedUnits(std::u16string_view units) {
    std::string out;
    out.reserve(units.size());
    for (char16_t unit : units) {
        if (unit == 0) break;
        appendRtfEscapedUnit(out, unit);
    }
    return out;
}

std::u16string unitsOfUtf8Text(std::string_view utf8) {
    const std::size_t end = utf8.find('\0');
    if (end != std::string_view::npos) utf8 = utf8.substr(0, end);
    return utf8ToUtf16String(utf8);
}

std::string rtfEscapedUtf8(std::string_view utf8) {
    return rtfEscapedUnits(unitsOfUtf8Text(utf8));
}
