#include "picture/ShapeAttributes.h"

void textBoxStyleProperties(const char*, ShapeText&, char*&) {}
void textInsetProperties(const char*, ShapeText&) {}
std::int16_t wordArtStyleProperties(const char*, ShapeText&) {
    return 0;
}
void horizontalRuleSize(const char*, ShapeText&) {}
void adjustValueProperties(const char*, ShapeText&) {}
std::int32_t shapeTypeProperty(const char*, ShapeText&) {
    return -1;
}
GroupOrigin groupOriginProperties(const char*, ShapeText&) {
    return {0, 0};
}
void groupSizeProperties(const char*, ShapeText&, GroupOrigin) {}
void geometryProperties(const char*, ShapeText&) {}
void wrapPolygonProperty(const char*, ShapeText&) {}
void ruleAlignProperty(const char*, ShapeText&) {}
void rulePercentProperty(const char*, ShapeText&) {}
std::int16_t horizontalRuleFlag(const char*, ShapeText&) {
    return 0;
}
void ruleNoShadeFlag(const char*, ShapeText&) {}
void ruleStandardFlag(const char*, ShapeText&) {}
