#pragma once
// The page colour of a WordprocessingML document ("w:background") as an RTF page-background group: a
// full-page filled rectangle shape marked as the background.
#include <libxml/tree.h>

#include "picture/shapes/ShapeText.h"

// Appends the group for the element's "bgcolor" (as it stands) or else its "color" (with a '#' put in
// front), both turned to lower case; without either, or with a colour too long to be one, nothing.
void pageBackgroundToRtf(const xmlNode* background, ShapeText& backgroundText);
