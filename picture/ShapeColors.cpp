#include "picture/ShapeColors.h"

const char* colorPropertyName(std::int16_t) {
    return "fillColor";
}
std::optional<std::uint32_t> vmlColorNumber(const char*) {
    return std::nullopt;
}
void colorProperty(const char*, ShapeText&, std::int16_t) {}
void shadeColorsProperty(const char*, ShapeText&) {}
