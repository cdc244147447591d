#include "export/rtf/head/RTFLevelText.h"

#include <cstdio>

#include "foundation/FailureCode.h"

namespace {

constexpr const char* kUnit = "BL_RTF(exp)";
constexpr std::int32_t kMostUnits = 255;

bool writtenAsItself(char16_t unit) {
    return unit > 0x20 && unit < 0x80 && unit != u'\\' && unit != u'{' && unit != u'}' && unit != u';';
}

bool isLevelDigit(char16_t unit) {
    return unit >= u'1' && unit <= u'9';
}

void appendHexByte(std::string& out, int value) {
    char piece[8];
    std::snprintf(piece, sizeof piece, "\\'%02x", value & 0xFF);
    out += piece;
}

}  // namespace

RTFLevelText buildRTFLevelText(const char16_t* units, std::int32_t length) {
    RTFLevelText level{0, {}, {}};
    if (units == nullptr || length <= 0) return level;
    raisingOutOfMemory(__LINE__, kUnit, [&] {
        for (std::int32_t i = 0; i < length && level.count < kMostUnits; ++i) {
            const char16_t unit = units[i];
            if (unit == u'%' && i + 1 < length && isLevelDigit(units[i + 1])) {
                appendHexByte(level.text, units[i + 1] - u'1');
                if (level.numbers.empty()) level.numbers.push_back(' ');
                appendHexByte(level.numbers, level.count + 1);
                ++i;
            } else if (writtenAsItself(unit)) {
                level.text += static_cast<char>(unit);
            } else {
                level.text += "\\u" + std::to_string(static_cast<std::int16_t>(unit)) + " ?";
            }
            ++level.count;
        }
    });
    return level;
}
