#include "export/rtf/head/RTFNameText.h"

#include <cstring>

#include "foundation/FailureCode.h"
#include "foundation/text/PascalText.h"
#include "foundation/text/RtfEscaping.h"

namespace {
constexpr const char* kUnit = "BL_RTF(exp)";
}  // namespace

std::string rtfEscapedName(std::u16string_view units) {
    return raisingOutOfMemory(__LINE__, kUnit, [&] { return rtfEscapedUnits(units); });
}

std::string rtfEscapedName(std::string_view utf8Name) {
    return raisingOutOfMemory(__LINE__, kUnit, [&] { return rtfEscapedUtf8(utf8Name); });
}

std::string rtfEscapedField(const char* field, std::size_t room) {
    if (field == nullptr) return {};
    return rtfEscapedName(std::string_view(field, strnlen(field, room)));
}

std::string rtfEscapedInfoText(std::string_view utf8Text) {
    return raisingOutOfMemory(__LINE__, kUnit, [&] {
        const std::u16string units = unitsOfUtf8Text(utf8Text);
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
            appendRtfEscapedUnit(out, unit);
        }
        flushAscii();
        return out;
    });
}
