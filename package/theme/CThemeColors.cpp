#include "package/theme/CThemeColors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "package/theme/HslColor.h"
#include "package/theme/ThemeXml.h"
#include "package/xml/XmlNodeHelpers.h"
#include "package/xml/XmlColors.h"
#include "package/xml/XmlElementSearch.h"

namespace {

// DrawingML writes angles in 60000ths of a degree and percentages in 1000ths of a percent.
constexpr double kAngleUnitsPerTurn = 60000.0 * 360.0;
constexpr double kPercentUnitsPerWhole = 100000.0;

double fraction(double value) {
    if (!(value > 0.0)) return 0.0;
    return std::min(value, 1.0);
}

// "RRGGBB", or "AARRGGBB" with the alpha pair skipped; nothing for any other text.
std::optional<RGBColor> parseHexColor(const std::string& text) {
    if (text.size() != 6 && text.size() != 8) return std::nullopt;
    const char* const end = text.data() + text.size();
    std::uint32_t value = 0;
    const auto [stop, error] = std::from_chars(end - 6, end, value, 16);
    if (error != std::errc() || stop != end) return std::nullopt;
    const auto channel = [value](int shift) { return static_cast<std::int16_t>((value >> shift) & 0xFF); };
    RGBColor color{};
    rgb8ToColor(&color, RGB8Color{channel(16), channel(8), channel(0)});
    return color;
}

// A preset name (compared exactly, as DrawingML spells them) gives its colour; an unknown one leaves it.
RGBColor presetColor(const std::string& name, RGBColor color) {
    parseColorText2(name.c_str(), &color);
    return color;
}

double doubleAttribute(const xmlNode* element, const char* name, std::int16_t* present) {
    return xmlGetAttrDouble(element, nullptr, name, present);
}

// "hslClr": hue in 60000ths of a degree, saturation and lightness in 1000ths of a percent.
RGBColor readHslColor(const xmlNode* element) {
    std::int16_t present = 0;
    double turns = doubleAttribute(element, "hue", &present) / kAngleUnitsPerTurn;
    turns = std::isfinite(turns) ? turns - std::floor(turns) : 0.0;
    const double saturation = fraction(doubleAttribute(element, "sat", &present) / kPercentUnitsPerWhole);
    const double lightness = fraction(doubleAttribute(element, "lum", &present) / kPercentUnitsPerWhole);
    RGBColor color{};
    rgb8ToColor(&color, hslToColor(turns, saturation, lightness));
    return color;
}

// "scrgbClr": linear red, green and blue in 1000ths of a percent, brought to the sRGB curve that the
// other colours are written in.
std::uint16_t scRgbChannel(double value) {
    const double linear = fraction(value / kPercentUnitsPerWhole);
    const double encoded = linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
    return static_cast<std::uint16_t>(std::lround(fraction(encoded) * 65535.0));
}

void readScRgbColor(const xmlNode* element, RGBColor& color) {
    std::int16_t present = 0;
    const double red = doubleAttribute(element, "r", &present);
    if (present != 0) color.red = scRgbChannel(red);
    const double green = doubleAttribute(element, "g", &present);
    if (present != 0) color.green = scRgbChannel(green);
    const double blue = doubleAttribute(element, "b", &present);
    if (present != 0) color.blue = scRgbChannel(blue);
}

// One colour child of a scheme element; false when the child is no colour element.
bool readColorChild(const xmlNode* child, RGBColor& color) {
    using themexml::attributeText;
    if (xmlIsElement(child, "a", "hslClr") == 1) {
        color = readHslColor(child);
    } else if (xmlIsElement(child, "a", "prstClr") == 1) {
        if (const auto name = attributeText(child, "val")) color = presetColor(*name, color);
    } else if (xmlIsElement(child, "a", "schemeClr") == 1) {
        // Names another scheme colour, which a scheme cannot resolve within itself.
    } else if (xmlIsElement(child, "a", "scrgbClr") == 1) {
        readScRgbColor(child, color);
    } else if (xmlIsElement(child, "a", "srgbClr") == 1) {
        if (const auto text = attributeText(child, "val")) color = parseHexColor(*text).value_or(color);
    } else if (xmlIsElement(child, "a", "sysClr") == 1) {
        if (const auto text = attributeText(child, "lastClr")) color = parseHexColor(*text).value_or(color);
    } else {
        return false;
    }
    return true;
}

}  // namespace

void CThemeColors::readColorElement(const xmlNode* element) {
    if (element == nullptr || element->type != XML_ELEMENT_NODE) return;
    RGBColor color{0, 0, 0};
    bool found = false;
    for (const xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (readColorChild(child, color)) found = true;
    }
    if (found) addColor(reinterpret_cast<const char*>(element->name), color);
}

void CThemeColors::addColor(const char* name, RGBColor color) {
    colors.push_back(NamedColor{color, name != nullptr ? name : ""});
}

RGBColor CThemeColors::colorAt(std::int32_t index) const {
    // Theme colour indexes put the light colour before the dark one; schemes list dark first.
    static constexpr std::int32_t kSwapped[] = {1, 0, 3, 2};
    const std::int32_t position = index >= 0 && index < 4 ? kSwapped[index] : index;
    if (position < 0 || position >= count()) return RGBColor{0, 0, 0};
    return colors[static_cast<std::size_t>(position)].color;
}

const char* CThemeColors::nameAt(std::int32_t position) const {
    if (position < 0 || position >= count()) return nullptr;
    return colors[static_cast<std::size_t>(position)].name.c_str();
}
