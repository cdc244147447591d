// The numbering vocabularies: list-level and page formats know the same names with other codes, and
// similar names never meet by prefix.
#include <gtest/gtest.h>

#include <cstdint>

#include "import/wordml/lists/NumberingVocabularies.h"

namespace {

TEST(NumberingVocabulariesTest, ListAndPageFormatsGiveTheirOwnCodesForOneName) {
    const struct {
        const char* text;
        std::int32_t listCode;
        std::int32_t pageCode;
    } cases[] = {
        {"upperRoman", 1, 6},          {"UPPER-ROMAN", 1, 6},      {"lower-letter", 4, 7},
        {"decimal-full-width", 14, 1}, {"decimalFullWidth2", 19, 1}, {"decimal-zero", 22, 1},
        {"bullet", 23, 1},             {"korean-digital2", 44, 1}, {"hebrew-1", 45, 3},
        {"arabicAlpha", 46, 1},        {"hebrew-2", 47, 4},        {"arabic-abjad", 48, 1},
        {"none", 255, 1},              {"chicago", 0, 14},         {"russian-upper", 0, 1},
        {"thaiCounting", 0, 1},        {"ordinal-text", 7, 11},    {"hex", 8, 2},
        {"decimal", 0, 1},             {"decimals", 0, 1},         {"", 0, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lookupListNumberFormat(c.text), c.listCode) << c.text;
        EXPECT_EQ(lookupSectionNumberFormat(c.text), c.pageCode) << c.text;
    }
    EXPECT_EQ(lookupListNumberFormat(nullptr), 0);
    EXPECT_EQ(lookupSectionNumberFormat(nullptr), 1);
}

TEST(NumberingVocabulariesTest, RestartRulesDefaultToContinuous) {
    const struct {
        const char* text;
        std::int32_t code;
    } cases[] = {{"eachSect", 2}, {"each-page", 3}, {"continuous", 1}, {"", 1}, {"each-chapter", 1}};
    for (const auto& c : cases) EXPECT_EQ(lookupNumberRestart(c.text), c.code) << c.text;
}

}  // namespace
