#include "picture/shapes/ShapeColors.h"

#include <string>
#include <string_view>

#include "picture/shapes/NameCodeTable.h"
#include "picture/shapes/ShapeLengths.h"

namespace {

// The colour names the shapes know, as numbers with red in the low byte. "green" is the full-intensity
// green, the same as "lime".
constexpr NameCode kColorNames[] = {
    {"purple", 8388736},  {"navy", 8388608},  {"aqua", 16776960}, {"lime", 65280},
    {"teal", 8421376},    {"yellow", 65535},  {"fuchsia", 16711935}, {"blue", 16711680},
    {"gray", 8421504},    {"red", 255},       {"silver", 12632256}, {"green", 65280},
    {"olive", 32896},     {"white", 16777215}, {"maroon", 128},    {"black", 0},
    {"fill darken(118)", 276169200},
};

constexpr NameCode kColorKindNames[] = {
    {"lineColor", color_kind::kLine},           {"shadowColor", color_kind::kShadow},
    {"shadowHilight", color_kind::kShadowHighlight}, {"fillColor", color_kind::kFill},
    {"fillBackColor", color_kind::kFillBack},   {"lineBackColor", color_kind::kLineBack},
};

std::optional<std::uint32_t> hexDigit(char character) {
    if (character >= '0' && character <= '9') return static_cast<std::uint32_t>(character - '0');
    if (character >= 'a' && character <= 'f') return static_cast<std::uint32_t>(character - 'a' + 10);
    if (character >= 'A' && character <= 'F') return static_cast<std::uint32_t>(character - 'A' + 10);
    return std::nullopt;
}

// "#rgb" (each digit doubled) or "#rrggbb"; other lengths name no colour.
std::optional<std::uint32_t> hexColor(std::string_view digits) {
    if (digits.size() != 3 && digits.size() != 6) return std::nullopt;
    std::uint32_t channels[6];
    for (std::size_t index = 0; index < digits.size(); ++index) {
        const std::optional<std::uint32_t> digit = hexDigit(digits[index]);
        if (!digit) return std::nullopt;
        channels[index] = *digit;
    }
    if (digits.size() == 3) return channels[0] * 17 + channels[1] * 17 * 256 + channels[2] * 17 * 65536;
    return (channels[0] * 16 + channels[1]) + (channels[2] * 16 + channels[3]) * 256 +
           (channels[4] * 16 + channels[5]) * 65536;
}

// Drops a trailing theme index ("black [3213]" is black): the text ends before the character in front of
// the last '['. A '[' at the very start leaves nothing.
std::string_view withoutThemeIndex(std::string_view text) {
    if (!text.ends_with(']')) return text;
    const std::size_t bracket = text.rfind('[', text.size() - 1);
    if (bracket == std::string_view::npos) return text;
    return text.substr(0, bracket > 0 ? bracket - 1 : 0);
}

}  // namespace

const char* colorPropertyName(std::int16_t kind) {
    if (kind == color_kind::kBareNumber) return nullptr;
    for (const NameCode& row : kColorKindNames) {
        if (row.code == kind) return row.name;
    }
    return "fillColor";
}

std::optional<std::uint32_t> vmlColorNumber(const char* colorText) {
    if (colorText == nullptr) return std::nullopt;
    const std::string_view text = withoutThemeIndex(colorText);
    if (text.starts_with('#')) return hexColor(text.substr(1));
    const std::string name(text);
    const std::optional<std::int32_t> number = codeOfName(kColorNames, name.c_str());
    if (!number) return std::nullopt;
    return static_cast<std::uint32_t>(*number);
}

void colorProperty(const char* colorText, ShapeText& propertyText, std::int16_t kind) {
    const std::optional<std::uint32_t> number = vmlColorNumber(colorText);
    if (!number) return;
    const char* name = colorPropertyName(kind);
    if (name == nullptr) {
        appendToShapeText(propertyText, "%u", static_cast<unsigned>(*number));
    } else {
        appendProperty(propertyText, name, static_cast<std::int64_t>(*number));
    }
}

void shadeColorsProperty(const char* colors, ShapeText& propertyText) {
    if (colors == nullptr) return;
    ShapeText entries;
    std::int32_t count = 0;
    std::string_view rest(colors);
    while (!rest.empty()) {
        const std::size_t semicolon = rest.find(';');
        const std::string_view entry = rest.substr(0, semicolon);
        rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
        const std::size_t blank = entry.find(' ');
        if (blank == std::string_view::npos || blank == 0) continue;
        const std::optional<ConvertedLength> position = convertLengthValue(entry.substr(0, blank), LengthUnit::fixed);
        const std::optional<std::uint32_t> color = vmlColorNumber(std::string(entry.substr(blank + 1)).c_str());
        // An entry whose colour is unknown would leave "(,position)", which no reader takes: it is left out.
        if (!position || !color) continue;
        appendToShapeText(entries, "%s(%u,%s)", count > 0 ? ";" : "", static_cast<unsigned>(*color), position->text);
        ++count;
    }
    if (count == 0) return;
    const std::string value = "8;" + std::to_string(count) + ";" + entries.text();
    appendProperty(propertyText, "fillShadeColors", std::string_view(value));
}
