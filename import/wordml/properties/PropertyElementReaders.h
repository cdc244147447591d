#pragma once
// Readers of the five recurring property elements of WordprocessingML: a frame ("framePr"), a border
// (a side of "pBdr", "bdr", "tblBorders", "pgBorders" ...), a shading ("shd"), a row height
// ("trHeight") and a width ("tblW", "tcW" ...). Each first gives the record its default, then stores
// what the element's attributes say; an absent attribute, an unknown value or a number that does not
// fit the field leaves the default. None fails. Each answers the record it was given.
#include <libxml/tree.h>

#include <cstdint>

#include "model/records/ValueRecords.h"
#include "model/records/paragraph/XRule.h"

// Default: all 0. Sizes, distances and spaces in twips.
XFrame* parseFrameProperties(const xmlNode* element, XFrame* frame);

// Default: all 0 (black). A style name that is no line style gives a single line; with artCode given it
// then receives the name's page-border art code (0 for none), and "sz" counts whole points instead of
// eighths of a point. artCode may be null; when given it starts at 0.
BorderSpec* parseBorder(const xmlNode* element, BorderSpec* border, std::int32_t* artCode);

// Default: pattern 0, *tint black and *fill white. Every caller passes the record's own patternTint and
// patternFill.
ShadingSpec* parseShading(const xmlNode* element, ShadingSpec* shading, RGBColor* tint, RGBColor* fill);

// Default: at least 0.
HeightSpec* parseHeightRule(const xmlNode* element, HeightSpec* height);

// Default: 1000 in fiftieths of a percent.
WidthSpec* parseTableWidth(const xmlNode* element, WidthSpec* width);
