#include "package/xml/XmlColors.h"

#include <cstring>

#include "foundation/text/NameCompare.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

std::uint16_t widen(double channel) {
    int value = static_cast<int>(channel);  // toward zero
    if (value < 0) value = 0;
    if (value > 255) value = 255;
    return static_cast<std::uint16_t>(value * 256 + value);
}

// The lightness a tint gives: darker towards 0 for a negative tint, lighter towards 255 for a positive.
double tinted(double lightness, double tint) {
    if (tint < 0) return lightness * (1 + tint);
    if (tint > 0) return lightness * (1 - tint) + (255 - 255 * (1 - tint));
    return lightness;
}

}  // namespace

bool parseColorText(const char* text, RGBColor* color) {
    if (!text || !color) return false;
    if (compareNames(text, "auto") == 0) {
        *color = kAutoColor;
        return true;
    }
    const std::size_t length = std::strlen(text);
    const char* pairs = length == 8 ? text + 2 : text;
    if (std::strlen(pairs) < 6) return false;
    const RGB8Color value{static_cast<std::int16_t>(parseInteger(pairs, 2, 1)),
                          static_cast<std::int16_t>(parseInteger(pairs + 2, 2, 1)),
                          static_cast<std::int16_t>(parseInteger(pairs + 4, 2, 1))};
    rgb8ToColor(color, value);
    return true;
}

void parseColorText2(const char* name, RGBColor* color) {
    if (!name || !color) return;
    for (const PresetColor* preset = kPresetColors; preset->name; ++preset) {
        if (std::strcmp(preset->name, name) == 0) {
            rgb8ToColor(color, preset->value);
            return;
        }
    }
}

void xmlGetColor(const xmlNode* element, RGBColor* color) {
    if (!color) return;
    std::int16_t present = 0;
    if (xmlGetAttrBool(element, nullptr, "auto", &present) == 1) *color = kAutoColor;
    const std::int32_t index = xmlGetAttrInt(element, nullptr, "indexed", &present);
    if (present && index >= 0 && index < kIndexedPaletteSize) rgb8ToColor(color, kIndexedPalette[index]);
    if (const char* rgb = xmlGetAttrString(element, nullptr, "rgb", &present)) parseColorText(rgb, color);
    const double tint = xmlGetAttrDouble(element, nullptr, "tint", &present);
    if (present) {
        double hue = 0, lightness = 0, saturation = 0;
        rgbToHls(*color, &hue, &lightness, &saturation);
        hlsToRgb(hue, tinted(lightness, tint), saturation, color);
    }
}

void rgbToHls(const RGBColor& color, double* hue, double* lightness, double* saturation) {
    const double r = color.red >> 8, g = color.green >> 8, b = color.blue >> 8;
    const double cMax = maxOfTwo(maxOfTwo(r, g), b);
    const double cMin = minOfTwo(minOfTwo(r, g), b);
    const double l = (255 + (cMax + cMin) * 255) / 510;
    *lightness = l;
    if (cMax == cMin) {
        *saturation = 0;
        *hue = 170;
        return;
    }
    const double spread = cMax - cMin;
    if (l <= 127.5) *saturation = ((cMax + cMin) / 2 + spread * 255) / (cMax + cMin);
    else *saturation = ((510 - cMax - cMin) / 2 + spread * 255) / (510 - cMax - cMin);
    const double rDelta = (spread / 2 + (cMax - r) * 42.5) / spread;
    const double gDelta = (spread / 2 + (cMax - g) * 42.5) / spread;
    const double bDelta = (spread / 2 + (cMax - b) * 42.5) / spread;
    double h = 0;
    if (r == cMax) h = bDelta - gDelta;
    else if (g == cMax) h = 85 + rDelta - bDelta;
    else h = 170 + gDelta - rDelta;
    if (h < 0) h += 255;
    if (h > 255) h -= 255;
    *hue = h;
}

void hlsToRgb(double hue, double lightness, double saturation, RGBColor* color) {
    if (!color) return;
    if (saturation == 0) {
        const std::uint16_t grey = widen(lightness * 255 / 255);
        *color = RGBColor{grey, grey, grey};
        return;
    }
    const double m2 = lightness <= 127.5 ? (lightness * (255 + saturation) + 127.5) / 255
                                         : lightness + saturation - (lightness * saturation + 127.5) / 255;
    const double m1 = 2 * lightness - m2;
    color->red = widen((hueToRgb(m1, m2, hue + 85) * 255 + 127.5) / 255);
    color->green = widen((hueToRgb(m1, m2, hue) * 255 + 127.5) / 255);
    color->blue = widen((hueToRgb(m1, m2, hue - 85) * 255 + 127.5) / 255);
}

double hueToRgb(double m1, double m2, double hue) {
    if (hue < 0) hue += 255;
    if (hue > 255) hue -= 255;
    if (hue < 42.5) return m1 + ((m2 - m1) * hue + 21.25) / 42.5;
    if (hue < 127.5) return m2;
    if (hue < 170) return m1 + ((m2 - m1) * (170 - hue) + 21.25) / 42.5;
    return m1;
}

void rgb8ToColor(RGBColor* color, const RGB8Color& value) {
    if (!color) return;
    auto channel = [](std::int16_t v) { return static_cast<std::uint16_t>((v & 0xFF) * 257); };
    *color = RGBColor{channel(value.red), channel(value.green), channel(value.blue)};
}

void copyRgb8(RGB8Color* target, const RGB8Color& source) {
    if (target) *target = source;
}

double maxOfTwo(double a, double b) {
    return a > b ? a : b;
}

double minOfTwo(double a, double b) {
    return a < b ? a : b;
}
