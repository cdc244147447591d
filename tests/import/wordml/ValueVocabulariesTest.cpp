// The value vocabularies: both spellings of a value meet one code, near-misses get the fallback, and the
// few tables whose codes differ for the same word (cell and section alignment, text flow) keep apart.
#include <gtest/gtest.h>

#include <cstdint>

#include "import/wordml/properties/BorderArt.h"
#include "import/wordml/properties/RunVocabularies.h"
#include "import/wordml/properties/ValueVocabularies.h"

namespace {

struct LookupCase {
    const char* table;
    std::int32_t (*lookup)(const char*);
    const char* text;
    std::int32_t expected;
};

const LookupCase kLookupCases[] = {
    {"justification", lookupJustification, "Both", 3},
    {"justification", lookupJustification, "distribute", 3},
    {"justification", lookupJustification, "thaiDistribute", 3},
    {"justification", lookupJustification, "list-tab", 4},
    {"justification", lookupJustification, "right", 2},
    {"justification", lookupJustification, "start", 0},
    {"justification", lookupJustification, nullptr, 0},
    {"chapter separator", lookupChapterSeparator, "em-dash", 4},
    {"chapter separator", lookupChapterSeparator, "enDash", 5},
    {"chapter separator", lookupChapterSeparator, "slash", 0},
    {"section alignment", lookupVerticalAlignment, "bottom", 1},
    {"section alignment", lookupVerticalAlignment, "center", 2},
    {"section alignment", lookupVerticalAlignment, "justified", 3},
    {"cell alignment", lookupCellVerticalAlignment, "center", 1},
    {"cell alignment", lookupCellVerticalAlignment, "bottom", 3},
    {"cell alignment", lookupCellVerticalAlignment, "justified", 0},
    {"cell text flow", lookupTextFlow, "tb-rl", 1},
    {"cell text flow", lookupTextFlow, "lrTbV", 3},
    {"cell text flow", lookupTextFlow, "tb-rl-v", 4},
    {"section text flow", lookupTextFlowCompact, "btLr", 2},
    {"section text flow", lookupTextFlowCompact, "lr-tb-v", 4},
    {"section text flow", lookupTextFlowCompact, "tbRlV", 5},
    {"section text flow", lookupTextFlowCompact, "rl", 0},
    {"horizontal anchor", lookupHorizontalAnchor, "text", 3},
    {"vertical anchor", lookupVerticalAnchor, "page", 2},
    {"vertical anchor", lookupVerticalAnchor, "margin", 1},
    {"horizontal align", lookupHorizontalAlign, "left", 5},
    {"horizontal align", lookupHorizontalAlign, "inside", 2},
    {"horizontal align", lookupHorizontalAlign, "inline", 0},
    {"vertical align", lookupVerticalAlign, "inline", 1},
    {"vertical align", lookupVerticalAlign, "outside", 6},
    {"vertical align", lookupVerticalAlign, "left", 0},
    {"wrap", lookupWrapType, "around", 0},
    {"wrap", lookupWrapType, "not-beside", 0},
    {"wrap", lookupWrapType, "none", 0},
    {"wrap", lookupWrapType, "square", 1},
    {"wrap", lookupWrapType, nullptr, 1},
    {"drop cap", lookupDropCap, "drop", 1},
    {"drop cap", lookupDropCap, "margin", 2},
    {"drop cap", lookupDropCap, "raised", 0},
    {"annotation", lookupAnnotationType, "Word.Insertion", 2},
    {"annotation", lookupAnnotationType, "word.comment", 5},
    {"annotation", lookupAnnotationType, "Word.Bookmark.End", 29},
    {"annotation", lookupAnnotationType, "Word.Comment.Start", 30},
    {"annotation", lookupAnnotationType, "Word.Move", -1},
    {"text input", lookupTextInputType, "current-date", 3},
    {"text input", lookupTextInputType, "calculated", 5},
    {"text input", lookupTextInputType, "phone", 0},
};

TEST(ValueVocabulariesTest, EachTableGivesItsCodeForBothSpellingsAndItsFallbackForOtherText) {
    for (const LookupCase& c : kLookupCases) {
        EXPECT_EQ(c.lookup(c.text), c.expected) << c.table << " of " << (c.text ? c.text : "(null)");
    }
}

struct FindCase {
    const char* table;
    bool (*find)(const char*, std::int32_t*);
    const char* text;
    bool found;
    std::int32_t expected;  // the code when found
};

const FindCase kFindCases[] = {
    {"border", findBorderStyle, "nil", true, 0},
    {"border", findBorderStyle, "dot-dot-dash", true, 10},
    {"border", findBorderStyle, "thinThickThinLargeGap", true, 19},
    {"border", findBorderStyle, "thick-thin-medium-gap", true, 14},
    {"border", findBorderStyle, "threeDEmboss", true, 25},
    {"border", findBorderStyle, "inset", true, 28},
    {"border", findBorderStyle, "apples", false, 0},
    {"shading", findShadingPattern, "clear", true, 1},
    {"shading", findShadingPattern, "thin-diag-cross", true, 13},
    {"shading", findShadingPattern, "pct5", true, 70},
    {"shading", findShadingPattern, "pct-12", true, 140},
    {"shading", findShadingPattern, "pct37", true, 390},
    {"shading", findShadingPattern, "pct-95", true, 970},
    {"shading", findShadingPattern, "solid", true, 1020},
    {"shading", findShadingPattern, "pct-33", false, 0},
    {"height rule", findHeightRule, "atLeast", true, 2},
    {"height rule", findHeightRule, "exact", true, 1},
    {"height rule", findHeightRule, "minimum", false, 0},
    {"width type", findWidthType, "dxa", true, 3},
    {"width type", findWidthType, "nil", true, 0},
    {"width type", findWidthType, "twips", false, 0},
    {"tab kind", findTabKind, "clear", true, kTabClear},
    {"tab kind", findTabKind, "decimal", true, 4},
    {"tab kind", findTabKind, "num", true, 6},
    {"tab kind", findTabKind, "start", false, 0},
    {"tab leader", findTabLeader, "middleDot", true, static_cast<std::int16_t>(0xFFA5)},
    {"tab leader", findTabLeader, "heavy", true, 61},
    {"positional tab leader", findPositionalTabLeader, "heavy", false, 0},
    {"positional tab alignment", findPositionalTabAlignment, "right", true, 2},
};

TEST(ValueVocabulariesTest, PropertyReaderTablesTellAKnownValueFromAnUnknownOne) {
    for (const FindCase& c : kFindCases) {
        std::int32_t code = -77;
        EXPECT_EQ(c.find(c.text, &code), c.found) << c.table << " of " << c.text;
        EXPECT_EQ(code, c.found ? c.expected : -77) << c.table << " of " << c.text << ": an unknown text leaves the code";
    }
}

TEST(ValueVocabulariesTest, BitStringSetsBitIForACharacterOneAtPositionI) {
    const struct {
        const char* text;
        std::int32_t expected;
    } cases[] = {
        {"100000000000", 1},     {"000000000001", 2048}, {"1", 1},  {"0101", 10},
        {"0000000000001", 0},    {"x1y1", 10},           {"", 0},   {"111111111111111", 4095},
    };
    for (const auto& c : cases) EXPECT_EQ(lookupBitString(c.text), c.expected) << c.text;
    EXPECT_EQ(lookupBitString(nullptr), 0);
}

TEST(RunVocabulariesTest, UnderlinesEffectsMarksHintsAndHighlightsMeetTheirCodes) {
    const LookupCase lookups[] = {
        {"effect", lookupTextEffect, "blinkBackground", 2}, {"effect", lookupTextEffect, "ants-black", 4},
        {"effect", lookupTextEffect, "none", 0},            {"effect", lookupTextEffect, "glow", 0},
        {"emphasis", lookupEmphasisMark, "under-dot", 4},   {"emphasis", lookupEmphasisMark, "circle", 3},
        {"emphasis", lookupEmphasisMark, "star", 0},
    };
    for (const LookupCase& c : lookups) EXPECT_EQ(c.lookup(c.text), c.expected) << c.table << " of " << c.text;

    const FindCase finds[] = {
        {"underline effect", findUnderlineEffect, "dottedHeavy", true, 2},
        {"underline effect", findUnderlineEffect, "dash-dot-heavy", true, 6},
        {"underline effect", findUnderlineEffect, "dotDotDashHeavy", true, 9},
        {"underline effect", findUnderlineEffect, "wavyDouble", true, 15},
        {"underline effect", findUnderlineEffect, "single", false, 0},
        {"hint", findFontHint, "eastAsiaTheme", true, 4},
        {"hint", findFontHint, "cstheme", true, 3},
        {"hint", findFontHint, "default", false, 0},
        {"Word 2003 hint", findFontHintWord2003, "fareast", true, 4},
        {"Word 2003 hint", findFontHintWord2003, "ascii", false, 0},
    };
    for (const FindCase& c : finds) {
        std::int32_t code = -77;
        EXPECT_EQ(c.find(c.text, &code), c.found) << c.table << " of " << c.text;
        EXPECT_EQ(code, c.found ? c.expected : -77) << c.table << " of " << c.text;
    }

    std::uint32_t flag = 0;
    EXPECT_TRUE(findUnderlineFace("words", &flag));
    EXPECT_EQ(flag, 0x200u);
    EXPECT_FALSE(findUnderlineFace("wave", &flag));

    RGBColor color{1, 2, 3};
    EXPECT_TRUE(findHighlightColor("darkGray", &color));
    EXPECT_EQ(color.red, 0x8080);
    EXPECT_TRUE(findHighlightColor("none", &color));
    EXPECT_EQ(color.blue, 0xFFFF);
    EXPECT_FALSE(findHighlightColor("orange", &color));
    EXPECT_EQ(color.blue, 0xFFFF) << "an unknown name keeps the colour";
}

TEST(BorderArtTest, NamesBeginWithALowerCaseLetterAndKeepTheirPlaceInTheTable) {
    const struct {
        const char* name;
        std::int32_t expected;
    } cases[] = {
        {"apples", 1},           {"Apples", 0},          {"zigZagStitch", 164}, {"zig-zag", 163},
        {"peopleWaving", 109},   {"peopleHats", 110},    {"push-pin-note-2", 114}, {"pushPinNote1", 115},
        {"stars-top", 134},      {"stars3d", 135},       {"single", 0},         {"-apples", 0},
        {"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(lookupBorderArt(c.name), c.expected) << c.name;
    EXPECT_EQ(lookupBorderArt(nullptr), 0);
}

}  // namespace
