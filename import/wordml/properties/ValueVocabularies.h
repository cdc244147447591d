#pragma once
// The enumerated attribute values of WordprocessingML and the small codes the storage keeps for them.
// Each vocabulary is one table of (value, code) with the code every other text gets. Values are
// compared with the name rule (compareNames: case ignored, '-' stepped over), so one row serves the
// hyphenated Word 2003 spelling and the camel-case Word 2007 one ("thin-thick-small-gap" and
// thinThickSmallGap, "pct-15" and pct15). A null text gets the fallback code.
#include <cstdint>
#include <span>

struct VocabularyEntry {
    const char* value;
    std::int16_t code;
};

struct Vocabulary {
    std::span<const VocabularyEntry> entries;
    std::int32_t fallback;  // the code of any text the table does not hold
};

// The code of the text in the vocabulary, or its fallback.
std::int32_t lookupCode(const Vocabulary& vocabulary, const char* text);
// Whether the vocabulary holds the text; *code receives its code when it does.
bool findCode(const Vocabulary& vocabulary, const char* text, std::int32_t* code);

// Paragraph, table and row "jc", list level "lvlJc".
std::int32_t lookupJustification(const char* text);
// Section page numbering "chapSep".
std::int32_t lookupChapterSeparator(const char* text);
// Section "vAlign".
std::int32_t lookupVerticalAlignment(const char* text);
// Table cell "vAlign".
std::int32_t lookupCellVerticalAlignment(const char* text);
// Table cell "textDirection".
std::int32_t lookupTextFlow(const char* text);
// Section "textFlow".
std::int32_t lookupTextFlowCompact(const char* text);
// Frame and floating-table anchors.
std::int32_t lookupHorizontalAnchor(const char* text);
std::int32_t lookupVerticalAnchor(const char* text);
// Frame and floating-table alignment.
std::int32_t lookupHorizontalAlign(const char* text);
std::int32_t lookupVerticalAlign(const char* text);
// Frame wrapping: 0 for the values that keep text off the frame's sides, 1 for any other text.
std::int32_t lookupWrapType(const char* text);
std::int32_t lookupDropCap(const char* text);
// "type" of a Word 2003 aml:annotation; -1 for a type the importer does not know.
std::int32_t lookupAnnotationType(const char* text);
// "type" of a form field's text input.
std::int32_t lookupTextInputType(const char* text);
// Border line styles: the code of a line style; false for any other name (an art border, perhaps).
bool findBorderStyle(const char* text, std::int32_t* code);
// Shading patterns; false leaves the pattern as it was.
bool findShadingPattern(const char* text, std::int32_t* code);
// Height rules of a row ("hRule"); false leaves the rule.
bool findHeightRule(const char* text, std::int32_t* code);
// Width kinds ("type" of a table, row or cell width); false leaves the kind.
bool findWidthType(const char* text, std::int32_t* code);

// Tab stops of a paragraph: "val" (kind, with "clear" answered as kTabClear), "leader"; and the
// alignment and leader of a positional tab ("ptab").
constexpr std::int32_t kTabClear = -1;
bool findTabKind(const char* text, std::int32_t* code);
bool findTabLeader(const char* text, std::int32_t* code);
bool findPositionalTabAlignment(const char* text, std::int32_t* code);
bool findPositionalTabLeader(const char* text, std::int32_t* code);

// A conditional-format text of '0' and '1' ("cnfStyle"): character i, for i from 0 to 11, sets bit
// 1 << i when it is '1'. Characters from the 13th on are not read.
std::int32_t lookupBitString(const char* text);
