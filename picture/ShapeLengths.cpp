#include "picture/ShapeLengths.h"

std::optional<ConvertedLength> convertLength(const char*, LengthUnit) {
    return std::nullopt;
}
std::optional<ConvertedLength> convertLengthValue(std::string_view, LengthUnit) {
    return std::nullopt;
}
std::int32_t lengthToTwips(const char*) {
    return 0;
}
std::optional<ConvertedLength> lengthToEmuText(const char*) {
    return std::nullopt;
}
std::optional<ConvertedLength> lengthToFixedText(const char*) {
    return std::nullopt;
}
std::optional<LengthPair> splitLengthPair(const char*, LengthUnit) {
    return std::nullopt;
}
void rotationToFixedText(const char*, char* buffer, std::int32_t capacity) {
    if (capacity > 0) buffer[0] = '\0';
}
std::int32_t formatDecimal(std::int64_t, char* buffer, std::int32_t capacity) {
    if (capacity > 0) buffer[0] = '\0';
    return 0;
}
std::int32_t trailingNumber(const char*) {
    return 0;
}
std::int32_t maxOf(std::int32_t a, std::int32_t b) {
    return a > b ? a : b;
}
