#include "picture/ShapeFillAndLine.h"

void fillTypeProperty(const char*, ShapeText&) {}
void lineStyleProperty(const char*, ShapeText&) {}
void lineFillTypeProperty(const char*, ShapeText&) {}
void lineDashingProperty(const char*, ShapeText&) {}
void lineEndCapProperty(const char*, ShapeText&) {}
void shadowTypeProperty(const char*, ShapeText&) {}
void arrowheadProperty(const char*, ShapeText&, std::int16_t) {}
void arrowWidthProperty(const char*, ShapeText&, std::int16_t) {}
void arrowLengthProperty(const char*, ShapeText&, std::int16_t) {}
void lineWidthProperty(const char*, ShapeText&) {}
void fillAngleProperty(const char*, ShapeText&) {}
void opacityProperty(const char*, ShapeText&, std::int16_t) {}
void fillFocusProperty(const char*, ShapeText&) {}
void pointPairProperties(const char*, ShapeText&, const char*, LengthUnit) {}
void shadowOriginProperties(const char*, ShapeText&) {}
void shadowMatrixProperties(const char*, ShapeText&) {}
