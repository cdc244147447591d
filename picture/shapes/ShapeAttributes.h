#pragma once
// The other attributes of a VML shape as RTF shape properties: its text box ("textbox" style and inset),
// its WordArt text path ("textpath" style), adjustment handles ("adj"), shape type reference ("type"), the
// coordinate space of a group or shape ("coordorigin", "coordsize"), its wrap polygon ("wrapcoords") and the
// attributes of a horizontal rule ("hr", "hralign", ...). Style texts are searched with plain,
// case-sensitive substring searches.
#include <cstdint>

#include "picture/shapes/ShapeText.h"

// The style of a "textbox". The name of the next linked text box ("mso-next-textbox:#name") replaces
// what nextBoxName held (a memory-layer text the caller frees with freeMemory).
void textBoxStyleProperties(const char* style, ShapeText& propertyText, char*& nextBoxName);
// "left,top,right,bottom" of a "textbox" as dxTextLeft, dyTextTop, dxTextRight, dyTextBottom in EMU.
void textInsetProperties(const char* inset, ShapeText& propertyText);
// The style of a "textpath". Answers 1 when one of the WordArt flags was written (the walker then adds
// fGtext).
std::int16_t wordArtStyleProperties(const char* style, ShapeText& propertyText);
// The height and width of a horizontal rule's style as dxHeightHR and dxWidthHR (twips, when not 0).
void horizontalRuleSize(const char* style, ShapeText& propertyText);

// "adj" fields as adjustValue, adjust2Value ... adjust10Value, each as it stands (RTF knows ten handles;
// fields after the tenth are dropped).
void adjustValueProperties(const char* adj, ShapeText& propertyText);
// The number after "_t" of a shape type reference ("#_x0000_t202") as shapeType; answers that number,
// or -1 without "_t" (nothing written).
std::int32_t shapeTypeProperty(const char* typeReference, ShapeText& propertyText);

struct GroupOrigin {
    std::int32_t x;
    std::int32_t y;
};
// A group's "coordorigin" as groupLeft and groupTop; answers the origin ({0, 0} without a comma).
GroupOrigin groupOriginProperties(const char* origin, ShapeText& propertyText);
// A group's "coordsize" as groupRight and groupBottom, counted from the origin.
void groupSizeProperties(const char* size, ShapeText& propertyText, GroupOrigin origin);
// A shape's "coordsize": two fields as geoRight, geoBottom; four as geoLeft, geoTop, geoRight, geoBottom.
void geometryProperties(const char* size, ShapeText& propertyText);
// "x1 y1 x2 y2 ..." as pWrapPolygonVertices.
void wrapPolygonProperty(const char* wrapCoords, ShapeText& propertyText);

// The attributes of a horizontal rule. True values: "t", "1", "true", "y", "yes", "on".
void ruleAlignProperty(const char* align, ShapeText& propertyText);      // alignHR
void rulePercentProperty(const char* percent, ShapeText& propertyText);  // pctHR
std::int16_t horizontalRuleFlag(const char* value, ShapeText& propertyText);  // fHorizRule; 1 when true
void ruleNoShadeFlag(const char* value, ShapeText& propertyText);   // fNoshadeHR 1 or 0
void ruleStandardFlag(const char* value, ShapeText& propertyText);  // fStandardHR 1 or 0
