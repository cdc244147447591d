#include "picture/PageBackground.h"

void pageBackgroundToRtf(const xmlNode*, ShapeText&) {}
