#pragma once
// The paragraph record: one run of paragraphs, from its `position` up to the next run, carries one
// XRule, with the paragraph's frame, list membership, tab stops and, for a paragraph that ends a table
// row, the row set. Its fields, keys, change bits and starting values are in its field table
// (kXRuleTable, XRuleFields.cpp). An XRule owns nothing: the level text is only referred to.
#include <cstdint>
#include <type_traits>

#include "model/records/ValueRecords.h"
#include "model/records/cell/XRow.h"

constexpr int kMaxTabs = 65;
constexpr int kLevelFontBytes = 130;
// A fresh paragraph record already marks widow control as changed.
constexpr int kWidowControlBit = 30;

// Frame position and wrapping (child element "FRAME"); lengths in twips.
struct XFrame {
    std::int16_t width;
    std::int16_t height;
    std::int16_t horizPosFrameReference;
    std::int16_t horizPosDistance;
    std::int16_t horizPosTypeWithinFrame;
    std::int16_t vertPosFrameReference;
    std::int16_t vertPosDistance;
    std::int16_t vertPosTypeWithinFrame;
    std::int16_t txtWrapType;
    std::int16_t txtdistanceFromMainText;
    std::int16_t txthorizDistanceFromFrame;
    std::int16_t txtvertDistanceFromFrame;
    std::int16_t txtoverlay;
    std::int16_t txtPositionVertical;
    std::int16_t dropcapLines;
    std::int16_t dropcapType;
    std::int16_t anchorLock;
};

// List membership (child element "LEVEL", whose text is the level text).
struct XLevel {
    std::int32_t ls;  // list override, 0 = none
    std::int16_t ilvl;  // level, 0 to 8
    std::int16_t wTabBefore;
    std::int16_t wTabAfter;
    char font[kLevelFontBytes];  // font name of the level text
    std::uint32_t textLength;    // UTF-16 units
    char16_t* text;              // not owned: copies share it, whoever filled it releases it
};

// One tab stop.
struct XTab {
    std::int16_t tabJust;
    std::int16_t tabLead;
    std::int16_t tabIndent;
    std::int16_t decAlign;
};

// Tab stops (child element "TABSARRAY", one "tab%03d" per stop in use).
struct XTabs {
    std::int16_t tabs;  // stops in use, 0 to 65
    XTab tab[kMaxTabs];
};

struct XRule {
    std::uint8_t changeBits[8];
    std::int32_t uniqueBits;
    std::int32_t position;  // first UTF-16 unit of the first paragraph of the run
    std::int32_t styleTag;  // paragraph style, -1 = none
    std::int16_t language;
    std::int16_t direction;
    std::int16_t justification;
    std::int32_t indentLeft;  // twips; the Ch indents in hundredths of a character
    std::int32_t indentLeftCh;
    std::int32_t indentFirst;
    std::int32_t indentFirstCh;
    std::int32_t indentRight;
    std::int32_t indentRightCh;
    std::int32_t indentHanging;
    std::int32_t indentHangingCh;
    std::int16_t leading;  // 240 = one line when leadingUnit is -1
    std::int16_t spaceBefore;
    std::int16_t spaceAfter;
    std::int16_t leadingUnit;  // -1 240ths of a line, 1 exactly, 0 at least (twips)
    std::int16_t spaceBeforeUnit;
    std::int16_t spaceAfterUnit;
    std::int16_t contextualSpacing;
    std::int16_t cellOfRow;
    std::int16_t lastCellOfRow;  // the paragraph ends a table row; `rows` holds the row
    std::int16_t vertical;
    std::int16_t backward;
    std::int16_t rotated;
    std::int16_t borderType;
    std::int16_t borderDistanceFromText;
    std::int16_t outlineLevelOrSubdocument;
    std::int16_t keepNext;
    std::int16_t keepLines;
    std::int16_t pageBreakBefore;
    std::int16_t widowControl;
    std::int16_t suppressLineNumbers;
    std::int16_t suppressAutoHyphens;
    std::int16_t forceNumbering;
    std::int16_t shadingType;
    ShadingSpec shading;
    BorderSpec borderTop;
    BorderSpec borderLeft;
    BorderSpec borderBottom;
    BorderSpec borderRight;
    BorderSpec borderBetween;
    std::int16_t frameType;
    XFrame frame;
    XLevel level;
    XTabs tabs;
    XRows rows;
};

static_assert(std::is_trivially_copyable_v<XFrame> && std::is_trivially_copyable_v<XLevel> &&
              std::is_trivially_copyable_v<XTab> && std::is_trivially_copyable_v<XTabs>);
static_assert(std::is_trivially_copyable_v<XRule>, "records travel between the engines as plain bytes");

// Clears the record, gives it the starting values of its table and marks widow control as changed.
void initXRule(XRule* rule);
// A plain copy; the level text pointer is shared. Answers dst.
XRule* copyXRule(XRule* dst, const XRule* src);
// Field by field, padding aside.
bool equalXRule(const XRule& a, const XRule& b);

XFrame* copyXFrame(XFrame* dst, const XFrame* src);
bool equalXFrame(const XFrame& a, const XFrame& b);
// The level text pointer is compared, not the text.
bool equalXLevel(const XLevel& a, const XLevel& b);
