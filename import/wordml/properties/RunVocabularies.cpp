#include "import/wordml/properties/RunVocabularies.h"

#include "foundation/text/NameCompare.h"
#include "import/wordml/properties/ValueVocabularies.h"

namespace {

constexpr VocabularyEntry kUnderlineFaces[] = {
    {"single", 0x4}, {"sng", 0x4}, {"words", 0x200}, {"double", 0x400}, {"dbl", 0x400},
};

constexpr VocabularyEntry kUnderlineEffects[] = {
    {"dotted", 1},          {"dotted-heavy", 2},       {"dash", 3},             {"dashed-heavy", 4},
    {"dot-dash", 5},        {"dash-dot-heavy", 6},     {"dot-dot-dash", 7},     {"dash-dot-dot-heavy", 8},
    {"dotDotDashHeavy", 9}, {"thick", 10},             {"heavy", 10},           {"dash-long", 11},
    {"dash-long-heavy", 12}, {"wave", 13},             {"wavy-heavy", 14},      {"wavy-double", 15},
    {"wavyDbl", 15},
};

constexpr VocabularyEntry kTextEffects[] = {
    {"blink-background", 2}, {"lights", 1}, {"ants-black", 4}, {"ants-red", 5}, {"shimmer", 6}, {"sparkle", 3},
};

constexpr VocabularyEntry kEmphasisMarks[] = {
    {"none", 0}, {"dot", 1}, {"comma", 2}, {"circle", 3}, {"underDot", 4},
};

constexpr VocabularyEntry kWord2003FontHints[] = {
    {"default", 2}, {"fareast", 4}, {"cs", 3},
};

constexpr VocabularyEntry kFontHints[] = {
    {"ascii", 1},    {"asciiTheme", 1},    {"hAnsi", 2}, {"hAnsiTheme", 2},
    {"eastAsia", 4}, {"eastAsiaTheme", 4}, {"cs", 3},    {"cstheme", 3},
};

struct HighlightColor {
    const char* name;
    RGBColor color;
};

constexpr HighlightColor kHighlightColors[] = {
    {"black", {0, 0, 0}},
    {"blue", {0x0000, 0x0000, 0xD400}},
    {"cyan", {0x0241, 0xAB54, 0xEAFF}},
    {"green", {0x1F21, 0xB793, 0x1431}},
    {"magenta", {0xF2D7, 0x0856, 0x84EC}},
    {"red", {0xDD6B, 0x08C2, 0x06A2}},
    {"yellow", {0xFC00, 0xF37D, 0x052F}},
    {"white", {0xFFFF, 0xFFFF, 0xFFFF}},
    {"none", {0xFFFF, 0xFFFF, 0xFFFF}},
    {"dark-blue", {0, 0, 0x8080}},
    {"dark-cyan", {0, 0x8080, 0x8080}},
    {"dark-green", {0, 0x8080, 0}},
    {"dark-magenta", {0x8080, 0, 0x8080}},
    {"dark-red", {0x8080, 0, 0}},
    {"dark-yellow", {0x8080, 0x8080, 0}},
    {"dark-gray", {0x8080, 0x8080, 0x8080}},
    {"light-gray", {0xC000, 0xC000, 0xC000}},
};

}  // namespace

bool findUnderlineFace(const char* text, std::uint32_t* flag) {
    std::int32_t code = 0;
    if (!findCode({kUnderlineFaces, 0}, text, &code)) return false;
    *flag = static_cast<std::uint32_t>(code);
    return true;
}
bool findUnderlineEffect(const char* text, std::int32_t* code) {
    return findCode({kUnderlineEffects, 0}, text, code);
}
std::int32_t lookupTextEffect(const char* text) {
    return lookupCode({kTextEffects, 0}, text);
}
std::int32_t lookupEmphasisMark(const char* text) {
    return lookupCode({kEmphasisMarks, 0}, text);
}
bool findFontHintWord2003(const char* text, std::int32_t* code) {
    return findCode({kWord2003FontHints, 0}, text, code);
}
bool findFontHint(const char* text, std::int32_t* code) {
    return findCode({kFontHints, 0}, text, code);
}

bool findHighlightColor(const char* text, RGBColor* color) {
    if (text == nullptr) return false;
    for (const HighlightColor& entry : kHighlightColors) {
        if (compareNames(text, entry.name) != 0) continue;
        *color = entry.color;
        return true;
    }
    return false;
}
