#pragma once
// The attributes of the "fill", "stroke" and "shadow" children of a VML shape (and its own "strokeweight")
// as RTF shape properties, one group {\sp{\sn NAME}{\sv VALUE}} each. Value names are compared exactly; a
// value outside a translator's table writes nothing. Colours are in ShapeColors.h.
#include <cstdint>

#include "picture/shapes/ShapeLengths.h"
#include "picture/shapes/ShapeText.h"

// Value tables.
void fillTypeProperty(const char* value, ShapeText& propertyText);      // fillType
void lineStyleProperty(const char* value, ShapeText& propertyText);     // lineStyle
void lineFillTypeProperty(const char* value, ShapeText& propertyText);  // lineType
void lineDashingProperty(const char* value, ShapeText& propertyText);   // lineDashing
void lineEndCapProperty(const char* value, ShapeText& propertyText);    // lineEndCapStyle
void shadowTypeProperty(const char* value, ShapeText& propertyText);    // shadowType

// side 0 writes the line's start arrow, side 1 its end arrow.
constexpr std::int16_t kArrowStart = 0;
constexpr std::int16_t kArrowEnd = 1;
void arrowheadProperty(const char* value, ShapeText& propertyText, std::int16_t side);
void arrowWidthProperty(const char* value, ShapeText& propertyText, std::int16_t side);
void arrowLengthProperty(const char* value, ShapeText& propertyText, std::int16_t side);

// Measured values.
void lineWidthProperty(const char* weight, ShapeText& propertyText);  // lineWidth in EMU (1pt → 12700)
void fillAngleProperty(const char* angle, ShapeText& propertyText);   // fillAngle, fixed
// kind color_kind::kShadow, kFill or kFillBack (ShapeColors.h) → shadowOpacity, fillOpacity, fillBackOpacity.
// "32768f" is already fixed, "0.5" is a fraction (32768), "50%" a percentage (32750).
void opacityProperty(const char* value, ShapeText& propertyText, std::int16_t kind);
// "-50%" → fillFocus -50; a value without '%' writes nothing.
void fillFocusProperty(const char* value, ShapeText& propertyText);
// "x,y" as stem + "X" and stem + "Y", each only when not 0.
void pointPairProperties(const char* pairText, ShapeText& propertyText, const char* stem, LengthUnit unit);
void shadowOriginProperties(const char* origin, ShapeText& propertyText);  // shadowOriginX/Y, fixed
// The first four comma-ended fields as shadowScaleXToX, shadowScaleXToY, shadowScaleYToX, shadowScaleYToY.
void shadowMatrixProperties(const char* matrix, ShapeText& propertyText);
