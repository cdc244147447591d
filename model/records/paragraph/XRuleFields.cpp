// The field tables of the paragraph record and its sub-records.
#include <cstddef>

#include "model/records/RecordTableBuilder.h"
#include "model/records/RecordTables.h"
#include "model/records/paragraph/XRule.h"

namespace {

constexpr FieldSpec kXFrameFields[] = {
    VDK_ATTRIBUTE(XFrame, width, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, height, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, horizPosFrameReference, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, horizPosDistance, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, horizPosTypeWithinFrame, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, vertPosFrameReference, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, vertPosDistance, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, vertPosTypeWithinFrame, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, txtWrapType, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, txtdistanceFromMainText, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, txthorizDistanceFromFrame, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, txtvertDistanceFromFrame, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, txtoverlay, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, txtPositionVertical, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, dropcapLines, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, dropcapType, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFrame, anchorLock, 'd', kAlways, 0),
};

constexpr FieldSpec kXLevelFields[] = {
    VDK_ATTRIBUTE(XLevel, ls, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XLevel, ilvl, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XLevel, wTabBefore, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XLevel, wTabAfter, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XLevel, font, 's', kAlways, 0),
    // Hand-written: the level text is the text of the "LEVEL" element, not a key.
    VDK_HAND_WRITTEN(XLevel, textLength, kAlways, "LEVEL", nullptr, 0, nullptr, 0),
    VDK_HAND_WRITTEN(XLevel, text, kAlways, "LEVEL", nullptr, 0, nullptr, 0),
};

constexpr FieldSpec kXTabFields[] = {
    VDK_ATTRIBUTE(XTab, tabJust, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XTab, tabLead, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XTab, tabIndent, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XTab, decAlign, 'd', kAlways, 0),
};

constexpr FieldSpec kXTabsFields[] = {
    VDK_ATTRIBUTE(XTabs, tabs, 'd', kAlways, 0),
    // Hand-written: one element per stop in use, "tab000" onward, under "TABSARRAY".
    VDK_HAND_WRITTEN(XTabs, tab, kAlways, "tab%03d", nullptr, 0, &kXTabTable, 0),
};

constexpr FieldSpec kXRuleFields[] = {
    VDK_ATTRIBUTE(XRule, changeBits, 'v', kAlways, 0),
    VDK_ATTRIBUTE(XRule, uniqueBits, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XRule, position, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XRule, styleTag, 'l', 0, -1),
    VDK_ATTRIBUTE(XRule, language, 'd', 1, 0),
    VDK_ATTRIBUTE(XRule, direction, 'd', 2, 0),
    VDK_ATTRIBUTE(XRule, justification, 'd', 3, 0),
    VDK_ATTRIBUTE(XRule, indentLeft, 'l', 4, 0),
    VDK_ATTRIBUTE(XRule, indentLeftCh, 'l', 5, 0),
    VDK_ATTRIBUTE(XRule, indentFirst, 'l', 6, 0),
    VDK_ATTRIBUTE(XRule, indentFirstCh, 'l', 7, 0),
    VDK_ATTRIBUTE(XRule, indentRight, 'l', 8, 0),
    VDK_ATTRIBUTE(XRule, indentRightCh, 'l', 9, 0),
    VDK_ATTRIBUTE(XRule, indentHanging, 'l', 10, 0),
    VDK_ATTRIBUTE(XRule, indentHangingCh, 'l', 11, 0),
    VDK_ATTRIBUTE(XRule, leading, 'd', 12, 240),
    VDK_ATTRIBUTE(XRule, spaceBefore, 'd', 13, 0),
    VDK_ATTRIBUTE(XRule, spaceAfter, 'd', 14, 0),
    VDK_ATTRIBUTE(XRule, leadingUnit, 'd', 15, -1),
    VDK_ATTRIBUTE(XRule, spaceBeforeUnit, 'd', 16, -1),
    VDK_ATTRIBUTE(XRule, spaceAfterUnit, 'd', 17, -1),
    VDK_ATTRIBUTE(XRule, contextualSpacing, 'd', 18, 0),
    VDK_ATTRIBUTE(XRule, cellOfRow, 'd', 19, 0),
    VDK_ATTRIBUTE(XRule, lastCellOfRow, 'd', 20, 0),
    VDK_ATTRIBUTE(XRule, vertical, 'd', 21, 0),
    VDK_ATTRIBUTE(XRule, backward, 'd', 22, 0),
    VDK_ATTRIBUTE(XRule, rotated, 'd', 23, 0),
    VDK_ATTRIBUTE(XRule, borderType, 'd', 24, 0),
    VDK_ATTRIBUTE(XRule, borderDistanceFromText, 'd', 25, 0),
    VDK_ATTRIBUTE(XRule, outlineLevelOrSubdocument, 'd', 26, 0),
    VDK_ATTRIBUTE(XRule, keepNext, 'd', 27, 0),
    VDK_ATTRIBUTE(XRule, keepLines, 'd', 28, 0),
    VDK_ATTRIBUTE(XRule, pageBreakBefore, 'd', 29, 0),
    VDK_ATTRIBUTE(XRule, widowControl, 'd', kWidowControlBit, 1),
    VDK_ATTRIBUTE(XRule, suppressLineNumbers, 'd', 31, 0),
    VDK_ATTRIBUTE(XRule, suppressAutoHyphens, 'd', 32, 0),
    VDK_ATTRIBUTE(XRule, forceNumbering, 'd', 33, 0),
    VDK_ATTRIBUTE(XRule, shadingType, 'd', 34, 0),
    VDK_ATTRIBUTE(XRule, shading, 'S', 35, &kDefaultShading),
    VDK_ATTRIBUTE(XRule, borderTop, 'B', 36, &kDefaultBorder),
    VDK_ATTRIBUTE(XRule, borderLeft, 'B', 37, &kDefaultBorder),
    VDK_ATTRIBUTE(XRule, borderBottom, 'B', 38, &kDefaultBorder),
    VDK_ATTRIBUTE(XRule, borderRight, 'B', 39, &kDefaultBorder),
    VDK_ATTRIBUTE(XRule, borderBetween, 'B', 40, &kDefaultBorder),
    VDK_ATTRIBUTE(XRule, frameType, 'd', 41, 0),
    VDK_CHILD(XRule, frame, "FRAME", 42, kXFrameTable, 0),
    VDK_CHILD(XRule, level, "LEVEL", 43, kXLevelTable, 0),
    VDK_CHILD(XRule, tabs, "TABSARRAY", 44, kXTabsTable, 0),
    // Hand-written: the whole row set, "ROWSARRAY" with its own keys, then "TBLGRID", "TBLPPR",
    // "TBLBORDERS", "TBLCELLMAR", "DEFROW" and one "row%03d" per cell in use.
    VDK_HAND_WRITTEN(XRule, rows, 45, "ROWSARRAY", nullptr, 0, &kXRowsTable, 0),
};

}  // namespace

VDK_RECORD_TABLE(XFrame);
VDK_RECORD_TABLE(XLevel);
VDK_RECORD_TABLE(XTab);
VDK_RECORD_TABLE(XTabs);
VDK_RECORD_TABLE(XRule, 46);
