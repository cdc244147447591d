#pragma once
// Colours as the XML formats write them: hexadecimal text ("FF0080", "80FF0080" with alpha), preset
// names ("aliceBlue"), the 66-entry indexed palette and the tint rule, which moves a colour's lightness
// through a hue-lightness-saturation round trip on a 0 to 255 scale.
#include <libxml/tree.h>

#include <cstdint>

#include "foundation/RGBColor.h"

// An 8-bit colour: each channel 0 to 255.
struct RGB8Color {
    std::int16_t red;
    std::int16_t green;
    std::int16_t blue;
};

constexpr int kIndexedPaletteSize = 66;
extern const RGB8Color kIndexedPalette[kIndexedPaletteSize];

struct PresetColor {
    const char* name;
    RGB8Color value;
};
// The named colours, ended by an entry with a null name.
extern const PresetColor kPresetColors[];

// "auto" (name rule) gives kAutoColor; otherwise three hexadecimal pairs (upper-case digits), after an
// alpha pair when the text is 8 bytes long. A text too short to hold the three pairs leaves the colour
// unchanged and answers false.
bool parseColorText(const char* text, RGBColor* color);
// The preset colour of exactly that name (case-sensitive); an unknown name leaves the colour unchanged.
void parseColorText2(const char* name, RGBColor* color);
// Reads "auto", "indexed", "rgb" and "tint" in that order, each later one overriding an earlier one;
// a colour element with none of them (or only unusable ones: an index outside the palette, a short
// text) leaves the colour as the caller gave it.
void xmlGetColor(const xmlNode* element, RGBColor* color);

void rgbToHls(const RGBColor& color, double* hue, double* lightness, double* saturation);
void hlsToRgb(double hue, double lightness, double saturation, RGBColor* color);
double hueToRgb(double m1, double m2, double hue);
// Widens each channel v to v * 257.
void rgb8ToColor(RGBColor* color, const RGB8Color& value);
void copyRgb8(RGB8Color* target, const RGB8Color& source);
// The larger and the smaller of two values; a tie gives the second.
double maxOfTwo(double a, double b);
double minOfTwo(double a, double b);
