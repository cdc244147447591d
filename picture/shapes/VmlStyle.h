#pragma once
// The CSS-like "style" attribute of a VML shape (position:absolute;margin-left:12pt;z-index:3) turned into
// RTF shape text: stacking order, rotation, flips, the shape rectangle, what the position is measured
// from, wrap distances and alignment. Searches in a style are plain, case-sensitive substring searches
// over the whole text: a literal with a property name and a value matches every value that begins with
// that word, and a bare word such as "left:" also matches the end of "mso-wrap-distance-left:".
#include <libxml/tree.h>

#include <cstdint>

#include "model/records/ValueRecords.h"
#include "picture/shapes/ShapeText.h"

// Set by translateVmlStyle when the style chose what the position is measured from; the walker writes
// the anchors of a "wrap" element only where a flag is still 0.
struct AnchorFlags {
    std::int16_t vertical = 0;
    std::int16_t horizontal = 0;
};

// Appends the style's keywords to the instance text and its property groups to the property text, and
// fills the rectangle (twips). groupFlag is 1 while the shape lies inside a VML group: its rectangle is then
// written as relative properties. Answers 1 when the style makes the shape inline (isInlineVmlStyle).
std::int16_t translateVmlStyle(const char* style, ShapeText& instanceText, ShapeText& propertyText,
                               AnchorFlags& anchors, LongRect& rectangle, std::int16_t groupFlag);

// 1 with "position:static"; else 0 when any of "z-index:", "left", "top", "mso-position" is present; else
// 1 when both "height" and "width" are present; else 0.
std::int16_t isInlineVmlStyle(const char* style);
// Whether the style takes the shape out of the line of text ("position:absolute"). Without it the shape
// stands in its line, whatever positions the style names.
bool isAbsoluteVmlStyle(const char* style);

// 1 for an element of the "v" namespace that is a shape or shape container (arc, background, curve, group,
// image, line, object, oval, pict, polyline, rect, roundrect, shape, shapedefaults, shapetype); else 0.
std::int16_t vmlNodeKind(const xmlNode* node);
// The nearest VML shape above the node (its parent first), or null.
xmlNode* enclosingVmlShape(const xmlNode* node);
// The group walker's hook for a "roundrect" child: it writes nothing.
void vmlNodeHook(const xmlNode* node, ShapeText& text);
