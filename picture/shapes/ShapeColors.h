#pragma once
// VML colour texts ("#4f81bd", "#f80", "red", "black [3213]") as the colour numbers RTF shape properties
// carry: red in the low byte, green in the second, blue in the third. Only the names of the shapes'
// own table are known, compared exactly; another text writes nothing.
#include <cstdint>
#include <optional>

#include "picture/shapes/ShapeText.h"

// Chooses the property colorProperty writes.
namespace color_kind {
constexpr std::int16_t kLine = 20;
constexpr std::int16_t kShadow = 1000;
constexpr std::int16_t kShadowHighlight = 1001;
constexpr std::int16_t kFill = 1002;
constexpr std::int16_t kFillBack = 1003;
constexpr std::int16_t kLineBack = 1004;
constexpr std::int16_t kBareNumber = 1005;  // the number alone, as inside fillShadeColors
}  // namespace color_kind

// The property name of a colour kind (any unknown kind is "fillColor"); null for kBareNumber.
const char* colorPropertyName(std::int16_t kind);

// The colour number of a text; no value when the text names no colour. A trailing " [n]" (a theme index
// after the colour) is ignored.
std::optional<std::uint32_t> vmlColorNumber(const char* colorText);

// Writes the colour as the property its kind chooses (with kBareNumber only the number is appended).
// A shape's own fill colour is passed with the shape type as its kind, so a line (type 20) writes
// lineColor.
void colorProperty(const char* colorText, ShapeText& propertyText, std::int16_t kind);

// The "colors" list of a fill ("0 red;1 blue") as fillShadeColors (8;2;(255,0);(16711680,65536)).
void shadeColorsProperty(const char* colors, ShapeText& propertyText);
