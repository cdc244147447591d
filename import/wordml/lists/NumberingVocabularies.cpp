#include "import/wordml/lists/NumberingVocabularies.h"

#include "import/wordml/properties/ValueVocabularies.h"

namespace {

// The names the output's list table has a format for; every other name (Vietnamese, Russian, Hindi,
// Thai, "number-in-dash", "chicago") falls to decimal.
constexpr VocabularyEntry kListNumberFormats[] = {
    {"decimal", 0},
    {"upper-roman", 1},
    {"lower-roman", 2},
    {"upper-letter", 3},
    {"lower-letter", 4},
    {"ordinal", 5},
    {"cardinal-text", 6},
    {"ordinal-text", 7},
    {"hex", 8},
    {"ideograph-digital", 10},
    {"japanese-counting", 11},
    {"aiueo", 12},
    {"iroha", 13},
    {"decimal-full-width", 14},
    {"decimal-half-width", 15},
    {"japanese-legal", 16},
    {"japanese-digital-ten-thousand", 17},
    {"decimal-enclosed-circle", 18},
    {"decimal-full-width2", 19},
    {"aiueo-full-width", 20},
    {"iroha-full-width", 21},
    {"decimal-zero", 22},
    {"bullet", 23},
    {"ganada", 24},
    {"chosung", 25},
    {"decimal-enclosed-fullstop", 26},
    {"decimal-enclosed-paren", 27},
    {"decimal-enclosed-circle-chinese", 28},
    {"ideograph-enclosed-circle", 29},
    {"ideograph-traditional", 30},
    {"ideograph-zodiac", 31},
    {"ideograph-zodiac-traditional", 32},
    {"taiwanese-counting", 33},
    {"ideograph-legal-traditional", 34},
    {"taiwanese-counting-thousand", 35},
    {"taiwanese-digital", 36},
    {"chinese-counting", 37},
    {"chinese-legal-simplified", 38},
    {"chinese-counting-thousand", 39},
    {"chinese-not-impl", 40},
    {"korean-digital", 41},
    {"korean-counting", 42},
    {"korean-legal", 43},
    {"korean-digital2", 44},
    {"none", 255},
    {"hebrew-1", 45},
    {"hebrew-2", 47},
    {"arabic-alpha", 46},
    {"arabic-abjad", 48},
};

constexpr VocabularyEntry kSectionNumberFormats[] = {
    {"decimal", 1},      {"hex", 2},          {"hebrew-1", 3},  {"hebrew-2", 4},      {"lower-roman", 5},
    {"upper-roman", 6},  {"lower-letter", 7}, {"upper-letter", 8}, {"ordinal", 9},    {"cardinal-text", 10},
    {"ordinal-text", 11}, {"chicago", 14},
};

constexpr VocabularyEntry kNumberRestarts[] = {
    {"continuous", 1}, {"each-sect", 2}, {"each-page", 3},
};

}  // namespace

std::int32_t lookupListNumberFormat(const char* text) {
    return lookupCode({kListNumberFormats, 0}, text);
}
std::int32_t lookupSectionNumberFormat(const char* text) {
    return lookupCode({kSectionNumberFormats, 1}, text);
}
std::int32_t lookupNumberRestart(const char* text) {
    return lookupCode({kNumberRestarts, 1}, text);
}
