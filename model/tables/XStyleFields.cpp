// The field table of the style record: the three formatting records as children, the eleven plain
// fields as attributes, the sub-styles as nested "STYLE%03d" elements.
#include <cstddef>

#include "model/records/RecordTableBuilder.h"
#include "model/records/RecordTables.h"
#include "model/tables/DocumentRecordTables.h"
#include "model/tables/XStyle.h"

namespace {

constexpr FieldSpec kXStyleFields[] = {
    VDK_CHILD(XStyle, styleForm, "styleForm", kAlways, kXFormTable, 0),
    VDK_CHILD(XStyle, styleRule, "styleRule", kAlways, kXRuleTable, 0),
    VDK_CHILD(XStyle, stylePage, "stylePage", kAlways, kXPageTable, 0),
    VDK_ATTRIBUTE(XStyle, styleAttr, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XStyle, styleType, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XStyle, styleFlag, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XStyle, styleIndx, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XStyle, styleSort, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XStyle, styleBits, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XStyle, styleBase, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XStyle, styleNext, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XStyle, styleLink, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XStyle, styleName, 's', kAlways, 0),
    VDK_ATTRIBUTE(XStyle, styleSubCount, 'd', kAlways, 0),
    // Hand-written: the first styleSubCount sub-styles, each a nested style element of its own.
    VDK_HAND_WRITTEN(XStyle, subStyles, kAlways, "STYLE%03d", nullptr, 0, nullptr, 0),
};

}  // namespace

VDK_RECORD_TABLE(XStyle);
