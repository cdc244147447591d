#pragma once
// How a floating shape sits on the page: how text wraps round it (\shpwr, \shpwrk), what its position is
// measured from (\shpbx, \shpby with posrelh and posrelv), how it is aligned (posh, posv) and where its
// rectangle lies. The values come from the children of a DrawingML "anchor" and from the "wrap" element of
// a VML shape. Names are compared exactly; an unknown name writes nothing and reports nothing.
#include <libxml/tree.h>

#include <cstdint>

#include "model/records/ValueRecords.h"
#include "picture/shapes/ShapeText.h"

// "square", "tight", "through", "topAndBottom", "none" → \shpwr2, 4, 5, 1, 3. Answers 1 when written.
std::int16_t wrapTypeKeyword(const char* wrapName, ShapeText& instanceText);
// "largest", "left", "right", "bothSides" → \shpwrk3, 1, 2, 0. Answers 1 when written.
std::int16_t wrapSideKeyword(const char* sideName, ShapeText& instanceText);
// wrapSideKeyword of the element's "wrapText" attribute; 0 without one.
std::int16_t wrapTextSide(const xmlNode* wrapElement, ShapeText& instanceText);

// A relation name ("margin", "page", ...) as the \shpbx / \shpby keyword and the posrelh / posrelv property.
void horizontalAnchorKeyword(const char* relation, ShapeText& instanceText, ShapeText& propertyText);
void verticalAnchorKeyword(const char* relation, ShapeText& instanceText, ShapeText& propertyText);
// An alignment text ("center", "left", ...) as the posh / posv property.
void horizontalAlignProperty(const char* align, ShapeText& propertyText);
void verticalAlignProperty(const char* align, ShapeText& propertyText);

// Outside a group (groupFlag 0) the keywords \shpleft, \shptop, \shpright, \shpbottom; inside one the
// properties relLeft, relTop, relRight, relBottom. Values in twips, signed.
void shapeRectangleOutput(ShapeText& instanceText, ShapeText& propertyText, std::int16_t groupFlag,
                          std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);

struct DrawingSize {
    std::int32_t width;   // twips
    std::int32_t height;  // twips
};
// The "cx" and "cy" of an "extent" element (EMU, 635 to the twip). When either is not 0 the rectangle
// becomes {0, 0, height, width}; otherwise it is left alone.
DrawingSize drawingExtent(const xmlNode* extentElement, LongRect& rectangle);

// The true locks of a "graphicFrameLocks" element as the fLock... properties.
void frameLockProperties(const xmlNode* locksElement, ShapeText& propertyText);
// A "docPr" element with a true "hidden" as fHidden.
void drawingPropertiesHidden(const xmlNode* propertiesElement, ShapeText& propertyText);
