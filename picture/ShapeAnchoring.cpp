#include "picture/ShapeAnchoring.h"

std::int16_t wrapTypeKeyword(const char*, ShapeText&) {
    return 0;
}
std::int16_t wrapSideKeyword(const char*, ShapeText&) {
    return 0;
}
std::int16_t wrapTextSide(const xmlNode*, ShapeText&) {
    return 0;
}
void horizontalAnchorKeyword(const char*, ShapeText&, ShapeText&) {}
void verticalAnchorKeyword(const char*, ShapeText&, ShapeText&) {}
void horizontalAlignProperty(const char*, ShapeText&) {}
void verticalAlignProperty(const char*, ShapeText&) {}
void shapeRectangleOutput(ShapeText&, ShapeText&, std::int16_t, std::int32_t, std::int32_t, std::int32_t,
                          std::int32_t) {}
DrawingSize drawingExtent(const xmlNode*, LongRect&) {
    return {0, 0};
}
void frameLockProperties(const xmlNode*, ShapeText&) {}
void drawingPropertiesHidden(const xmlNode*, ShapeText&) {}
