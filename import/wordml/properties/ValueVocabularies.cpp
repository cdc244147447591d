#include "import/wordml/properties/ValueVocabularies.h"

#include "foundation/text/NameCompare.h"

namespace {

constexpr VocabularyEntry kJustifications[] = {
    {"left", 0},           {"center", 1},      {"right", 2},       {"both", 3},           {"medium-kashida", 3},
    {"distribute", 3},     {"high-kashida", 3}, {"low-kashida", 3}, {"thai-distribute", 3}, {"list-tab", 4},
};

constexpr VocabularyEntry kChapterSeparators[] = {
    {"hyphen", 1}, {"period", 2}, {"colon", 3}, {"emDash", 4}, {"enDash", 5},
};

// A section's page and a cell order bottom and center differently.
constexpr VocabularyEntry kSectionVerticalAlignments[] = {
    {"top", 0}, {"bottom", 1}, {"center", 2}, {"both", 3}, {"justified", 3},
};
constexpr VocabularyEntry kCellVerticalAlignments[] = {
    {"top", 0}, {"center", 1}, {"both", 2}, {"bottom", 3},
};

// The vertical variants have other codes for cells (3, 4) than for sections (4, 5).
constexpr VocabularyEntry kCellTextFlows[] = {
    {"lr-tb", 0}, {"tb-rl", 1}, {"bt-lr", 2}, {"lr-tb-v", 3}, {"tb-rl-v", 4},
};
constexpr VocabularyEntry kSectionTextFlows[] = {
    {"lrTb", 0}, {"tbRl", 1}, {"btLr", 2}, {"lrTbv", 4}, {"tbRlv", 5},
};

constexpr VocabularyEntry kFrameAnchors[] = {
    {"text", 3}, {"margin", 1}, {"page", 2},
};

constexpr VocabularyEntry kHorizontalAlignments[] = {
    {"left", 5}, {"center", 1}, {"right", 4}, {"outside", 3}, {"inside", 2},
};
constexpr VocabularyEntry kVerticalAlignments[] = {
    {"inline", 1}, {"top", 2}, {"inside", 3}, {"bottom", 4}, {"center", 5}, {"outside", 6},
};

constexpr VocabularyEntry kWrapTypes[] = {
    {"auto", 0}, {"notBeside", 0}, {"around", 0}, {"tight", 0}, {"through", 0}, {"none", 0},
};

constexpr VocabularyEntry kDropCaps[] = {
    {"none", 0}, {"drop", 1}, {"margin", 2},
};

constexpr VocabularyEntry kAnnotationTypes[] = {
    {"Word.Deletion", 1},        {"Word.Insertion", 2},     {"Word.Formatting", 3},
    {"Word.Comment", 5},         {"Word.Bookmark.Start", 28}, {"Word.Bookmark.End", 29},
    {"Word.Comment.Start", 30},  {"Word.Comment.End", 31},
};

constexpr VocabularyEntry kTextInputTypes[] = {
    {"regular", 0}, {"number", 1}, {"date", 2}, {"currentDate", 3}, {"currentTime", 4}, {"calculated", 5},
};

constexpr VocabularyEntry kBorderStyles[] = {
    {"nil", 0},
    {"none", 0},
    {"single", 1},
    {"thick", 2},
    {"double", 3},
    {"triple", 4},
    {"dotted", 5},
    {"dashed", 6},
    {"dot-dash", 9},
    {"dot-dot-dash", 10},
    {"thick-thin-small-gap", 11},
    {"thin-thick-small-gap", 12},
    {"thin-thick-thin-small-gap", 13},
    {"thick-thin-medium-gap", 14},
    {"thin-thick-medium-gap", 15},
    {"thin-thick-thin-medium-gap", 16},
    {"thick-thin-large-gap", 17},
    {"thin-thick-large-gap", 18},
    {"thin-thick-thin-large-gap", 19},
    {"wave", 20},
    {"double-wave", 21},
    {"dash-small-gap", 22},
    {"dash-dot-stroked", 23},
    {"threeD-emboss", 25},
    {"threeD-engrave", 26},
    {"outset", 27},
    {"inset", 28},
};

// A percentage pattern of N percent has the code 10 N + 20; "solid" is the same rule at 100 percent.
constexpr VocabularyEntry kShadingPatterns[] = {
    {"nil", 0},
    {"clear", 1},
    {"horz-stripe", 2},
    {"vert-stripe", 3},
    {"reverse-diag-stripe", 4},
    {"diag-stripe", 5},
    {"horz-cross", 6},
    {"diag-cross", 7},
    {"thin-horz-stripe", 8},
    {"thin-vert-stripe", 9},
    {"thin-reverse-diag-stripe", 10},
    {"thin-diag-stripe", 11},
    {"thin-horz-cross", 12},
    {"thin-diag-cross", 13},
    {"pct-5", 70},
    {"pct-10", 120},
    {"pct-12", 140},
    {"pct-15", 170},
    {"pct-20", 220},
    {"pct-25", 270},
    {"pct-30", 320},
    {"pct-35", 370},
    {"pct-37", 390},
    {"pct-40", 420},
    {"pct-45", 470},
    {"pct-50", 520},
    {"pct-55", 570},
    {"pct-60", 620},
    {"pct-62", 640},
    {"pct-65", 670},
    {"pct-70", 720},
    {"pct-75", 770},
    {"pct-80", 820},
    {"pct-85", 870},
    {"pct-87", 890},
    {"pct-90", 920},
    {"pct-95", 970},
    {"solid", 1020},
};

constexpr VocabularyEntry kHeightRules[] = {
    {"auto", 0}, {"exact", 1}, {"at-least", 2},
};

constexpr VocabularyEntry kWidthTypes[] = {
    {"nil", 0}, {"auto", 1}, {"pct", 2}, {"dxa", 3},
};

// The middle dot is the 8-bit character 0xA5 taken as a signed byte.
constexpr std::int16_t kMiddleDotLeader = static_cast<std::int16_t>(0xFFA5);

constexpr VocabularyEntry kTabKinds[] = {
    {"clear", kTabClear}, {"left", 0}, {"center", 1}, {"right", 2}, {"decimal", 4},
    {"bar", 5},           {"list", 6}, {"num", 6},
};
constexpr VocabularyEntry kTabLeaders[] = {
    {"none", 0}, {"dot", 46}, {"hyphen", 45}, {"underscore", 95}, {"heavy", 61}, {"middle-dot", kMiddleDotLeader},
};
constexpr VocabularyEntry kPositionalTabAlignments[] = {
    {"left", 0}, {"center", 1}, {"right", 2},
};
constexpr VocabularyEntry kPositionalTabLeaders[] = {
    {"none", 0}, {"dot", 46}, {"hyphen", 45}, {"underscore", 95}, {"middleDot", kMiddleDotLeader},
};

constexpr int kBitStringPositions = 12;

}  // namespace

bool findCode(const Vocabulary& vocabulary, const char* text, std::int32_t* code) {
    if (text == nullptr) return false;
    for (const VocabularyEntry& entry : vocabulary.entries) {
        if (compareNames(text, entry.value) == 0) {
            if (code != nullptr) *code = entry.code;
            return true;
        }
    }
    return false;
}

std::int32_t lookupCode(const Vocabulary& vocabulary, const char* text) {
    std::int32_t code = vocabulary.fallback;
    findCode(vocabulary, text, &code);
    return code;
}

std::int32_t lookupJustification(const char* text) {
    return lookupCode({kJustifications, 0}, text);
}
std::int32_t lookupChapterSeparator(const char* text) {
    return lookupCode({kChapterSeparators, 0}, text);
}
std::int32_t lookupVerticalAlignment(const char* text) {
    return lookupCode({kSectionVerticalAlignments, 0}, text);
}
std::int32_t lookupCellVerticalAlignment(const char* text) {
    return lookupCode({kCellVerticalAlignments, 0}, text);
}
std::int32_t lookupTextFlow(const char* text) {
    return lookupCode({kCellTextFlows, 0}, text);
}
std::int32_t lookupTextFlowCompact(const char* text) {
    return lookupCode({kSectionTextFlows, 0}, text);
}
std::int32_t lookupHorizontalAnchor(const char* text) {
    return lookupCode({kFrameAnchors, 0}, text);
}
std::int32_t lookupVerticalAnchor(const char* text) {
    return lookupCode({kFrameAnchors, 0}, text);
}
std::int32_t lookupHorizontalAlign(const char* text) {
    return lookupCode({kHorizontalAlignments, 0}, text);
}
std::int32_t lookupVerticalAlign(const char* text) {
    return lookupCode({kVerticalAlignments, 0}, text);
}
std::int32_t lookupWrapType(const char* text) {
    return lookupCode({kWrapTypes, 1}, text);
}
std::int32_t lookupDropCap(const char* text) {
    return lookupCode({kDropCaps, 0}, text);
}
std::int32_t lookupAnnotationType(const char* text) {
    return lookupCode({kAnnotationTypes, -1}, text);
}
std::int32_t lookupTextInputType(const char* text) {
    return lookupCode({kTextInputTypes, 0}, text);
}
bool findBorderStyle(const char* text, std::int32_t* code) {
    return findCode({kBorderStyles, 0}, text, code);
}
bool findShadingPattern(const char* text, std::int32_t* code) {
    return findCode({kShadingPatterns, 0}, text, code);
}
bool findHeightRule(const char* text, std::int32_t* code) {
    return findCode({kHeightRules, 0}, text, code);
}
bool findWidthType(const char* text, std::int32_t* code) {
    return findCode({kWidthTypes, 0}, text, code);
}

bool findTabKind(const char* text, std::int32_t* code) {
    return findCode({kTabKinds, 0}, text, code);
}
bool findTabLeader(const char* text, std::int32_t* code) {
    return findCode({kTabLeaders, 0}, text, code);
}
bool findPositionalTabAlignment(const char* text, std::int32_t* code) {
    return findCode({kPositionalTabAlignments, 0}, text, code);
}
bool findPositionalTabLeader(const char* text, std::int32_t* code) {
    return findCode({kPositionalTabLeaders, 0}, text, code);
}

std::int32_t lookupBitString(const char* text) {
    std::int32_t bits = 0;
    if (text == nullptr) return bits;
    for (int i = 0; i < kBitStringPositions && text[i] != 0; ++i) {
        if (text[i] == '1') bits |= 1 << i;
    }
    return bits;
}
