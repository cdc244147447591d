// The field tables of the character record and its sub-records.
#include <cstddef>

#include "model/records/RecordTableBuilder.h"
#include "model/records/RecordTables.h"
#include "model/records/character/XForm.h"

namespace {

constexpr FieldSpec kXFieldFields[] = {
    VDK_ATTRIBUTE(XField, dirty, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XField, locked, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XField, fldData, 's', kAlways, 0),
};

// In the order of the "FFDATA" keys, which store the check-box group before the drop-down group.
constexpr FieldSpec kXffDataFields[] = {
    VDK_ATTRIBUTE(XffData, calcOnExit, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XffData, ti_defaultText, 's', kAlways, 0),
    VDK_ATTRIBUTE(XffData, ti_format, 's', kAlways, 0),
    VDK_ATTRIBUTE(XffData, ti_maxLength, 's', kAlways, 0),
    VDK_ATTRIBUTE(XffData, ti_type, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XffData, cb_checked, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XffData, cb_defaultState, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XffData, cb_checkBoxSize, 's', kAlways, 0),
    VDK_ATTRIBUTE(XffData, cb_checkBoxSizeAuto, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XffData, dd_defaultIndex, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XffData, dd_listEntryNum, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XffData, dd_resultValue, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XffData, enabled, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XffData, entryMacro, 's', kAlways, 0),
    VDK_ATTRIBUTE(XffData, exitMacro, 's', kAlways, 0),
    VDK_ATTRIBUTE(XffData, name, 's', kAlways, 0),
    // Hand-written: the first dd_listEntryNum entries, each in its own element beside "FFDATA" (a child
    // of the record's element, not of "FFDATA"), and only for a drop-down field (fieldType 5).
    VDK_HAND_WRITTEN(XffData, dd_listEntry, kAlways, "FFDDLIST%03d", "XffData_dd_listEntry", 's', nullptr, 0),
};

constexpr FieldSpec kXFormFields[] = {
    VDK_ATTRIBUTE(XForm, changeBits, 'v', kAlways, 0),
    VDK_ATTRIBUTE(XForm, uniqueBits, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XForm, position, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XForm, styleTag, 'l', 0, -1),
    VDK_ATTRIBUTE(XForm, txtCode, 'l', 1, 0),
    VDK_ATTRIBUTE(XForm, txtLangVal, 'd', 2, 1033),
    VDK_ATTRIBUTE(XForm, txtLangEa, 'd', 3, 1041),
    VDK_ATTRIBUTE(XForm, txtLangCs, 'd', 4, 1037),
    VDK_ATTRIBUTE(XForm, txtHint, 'd', 5, 0),
    VDK_ATTRIBUTE(XForm, txtFontAscii, 'd', 6, kMajorAsciiFont),
    VDK_ATTRIBUTE(XForm, txtFontHAnsi, 'd', 7, kMajorHAnsiFont),
    VDK_ATTRIBUTE(XForm, txtFontEa, 'd', 8, kMajorEastAsiaFont),
    VDK_ATTRIBUTE(XForm, txtFontCs, 'd', 9, kMajorBidiFont),
    VDK_ATTRIBUTE(XForm, txtBidi, 'd', 10, 0),
    VDK_ATTRIBUTE(XForm, txtSize, 'd', 11, 100),
    VDK_ATTRIBUTE(XForm, txtSizeCs, 'd', 12, 100),
    VDK_ATTRIBUTE(XForm, txtFace, 'u', 13, 0),
    VDK_ATTRIBUTE(XForm, txtFaceCs, 'u', 14, 0),
    VDK_ATTRIBUTE(XForm, txtRate, 'd', 15, 1000),
    VDK_ATTRIBUTE(XForm, txtBase, 'd', 16, 0),
    VDK_ATTRIBUTE(XForm, txtFore, 'C', 17, &kBlack),
    VDK_ATTRIBUTE(XForm, txtBack, 'C', 18, &kWhite),
    VDK_ATTRIBUTE(XForm, txtKern, 'd', 19, 0),
    VDK_ATTRIBUTE(XForm, txtFill, 'd', 20, 0),
    VDK_ATTRIBUTE(XForm, txtType, 'l', 21, 0),
    VDK_ATTRIBUTE(XForm, txtData, 'l', 22, 0),
    VDK_ATTRIBUTE(XForm, picRect, 'Q', 23, 0),
    // The picture travels as an element of its own under the story; its pointer is only compared.
    VDK_NOT_STORED(XForm, picData, 24),
    VDK_ATTRIBUTE(XForm, borderType, 'd', 25, 0),
    VDK_ATTRIBUTE(XForm, border, 'B', 26, &kDefaultBorder),
    VDK_ATTRIBUTE(XForm, shadingType, 'd', 27, 0),
    VDK_ATTRIBUTE(XForm, shading, 'S', 28, &kDefaultShading),
    VDK_ATTRIBUTE(XForm, txtSpacing, 'd', 29, 0),
    VDK_ATTRIBUTE(XForm, underlineEffect, 'd', 30, 0),
    VDK_ATTRIBUTE(XForm, blinkingEffect, 'd', 31, 0),
    VDK_ATTRIBUTE(XForm, underlineColor, 'C', 32, &kBlack),
    VDK_ATTRIBUTE(XForm, noProof, 'd', 33, 0),
    VDK_ATTRIBUTE(XForm, revision, 'V', 34, 0),
    VDK_ATTRIBUTE(XForm, fieldType, 'd', 35, 0),
    VDK_CHILD(XForm, field, "FIELD", 36, kXFieldTable, 0),
    VDK_CHILD(XForm, ffData, "FFDATA", 37, kXffDataTable, 0),
    // Hand-written: an empty element that only records the change; the values stay in memory.
    VDK_HAND_WRITTEN(XForm, cellStyle, 38, "CELLSTYLE", nullptr, 0, nullptr, &kDefaultCellStyle),
};

}  // namespace

VDK_RECORD_TABLE(XField);
VDK_RECORD_TABLE(XffData);
VDK_RECORD_TABLE(XForm, 39);
