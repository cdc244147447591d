// The field table of the font record: every field is stored, in this order, on each "FONT%03d" element.
#include <cstddef>

#include "model/records/RecordTableBuilder.h"
#include "model/tables/DocumentRecordTables.h"
#include "model/tables/XFont.h"

namespace {

constexpr FieldSpec kXFontFields[] = {
    VDK_ATTRIBUTE(XFont, fontUniqueID, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFont, fontMacFont, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFont, fontMacSize, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFont, fontMacFace, 't', kAlways, 0),
    VDK_ATTRIBUTE(XFont, fontMacFlag, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFont, fontMacLanguage, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFont, fontRTFNumber, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFont, fontFamily, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFont, fontCharset, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFont, fontPanose, 's', kAlways, 0),
    VDK_ATTRIBUTE(XFont, fontAltName, 's', kAlways, 0),
    VDK_ATTRIBUTE(XFont, fontPCName, 's', kAlways, 0),
    VDK_ATTRIBUTE(XFont, fontMacName, 's', kAlways, 0),
};

}  // namespace

VDK_RECORD_TABLE(XFont);
