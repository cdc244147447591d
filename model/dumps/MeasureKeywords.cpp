#include "model/dumps/MeasureKeywords.h"

#include <cstdio>
#include <iterator>

namespace {

constexpr const char* kUnknownKeyword = "?";

// Indexed by kWidthNone .. kWidthTwips.
constexpr const char* kWidthKindKeywords[] = {"none", "auto", "percent", "twips"};
// Indexed by kHeightAuto .. kHeightAtLeast.
constexpr const char* kHeightRuleKeywords[] = {"auto", "exact", "at-least"};

template <std::size_t N>
const char* keywordAt(const char* const (&keywords)[N], std::int16_t code) {
    if (code < 0 || static_cast<std::size_t>(code) >= N) return kUnknownKeyword;
    return keywords[code];
}

}  // namespace

const char* widthKindKeyword(std::int16_t type) {
    return keywordAt(kWidthKindKeywords, type);
}

const char* heightRuleKeyword(std::int16_t rule) {
    return keywordAt(kHeightRuleKeywords, rule);
}

const char* formatWidthSpec(const WidthSpec& width) {
    static char text[32];
    std::snprintf(text, sizeof text, "%s:%d", widthKindKeyword(width.type), static_cast<int>(width.w));
    return text;
}

const char* formatHeightSpec(const HeightSpec& height) {
    static char text[32];
    std::snprintf(text, sizeof text, "%s:%d", heightRuleKeyword(height.h), static_cast<int>(height.v));
    return text;
}
