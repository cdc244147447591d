// The field tables of the list records. Each record element carries the attributes below; the levels
// are "LEVEL000" to "LEVEL008" children of their definition or override, written whole whether in use
// or not (an override without levels of its own writes nine cleared ones).
#include <cstddef>

#include "model/records/RecordTableBuilder.h"
#include "model/records/RecordTables.h"
#include "model/tables/DocumentRecordTables.h"
#include "model/tables/ListRecords.h"

namespace {

constexpr FieldSpec kXListLevelFields[] = {
    VDK_ATTRIBUTE(XListLevel, levelStartAt, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelNfc, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelJc, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelNfcn, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelJcn, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelOld, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelPrev, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelPrevSpace, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelIndent, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelSpace, 'd', kAlways, 0),
    // Hand-written: the number text is the text of the "LEVEL%03d" element, not a key.
    VDK_HAND_WRITTEN(XListLevel, levelTextLength, kAlways, "LEVEL%03d", nullptr, 0, nullptr, 0),
    VDK_HAND_WRITTEN(XListLevel, levelText, kAlways, "LEVEL%03d", nullptr, 0, nullptr, 0),
    VDK_ATTRIBUTE(XListLevel, levelnumbers, 's', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelTplc, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelTentative, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelFollow, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelLegal, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelNoRestart, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelHasPicture, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListLevel, levelPicture, 'd', kAlways, 0),
    VDK_CHILD(XListLevel, levelForm, "levelForm", kAlways, kXFormTable, 0),
    VDK_CHILD(XListLevel, levelRule, "levelRule", kAlways, kXRuleTable, 0),
    VDK_NOT_STORED(XListLevel, levelPage, kAlways),
    VDK_NOT_STORED(XListLevel, levelStyle, kAlways),
};

constexpr FieldSpec kXListDefFields[] = {
    VDK_ATTRIBUTE(XListDef, listDefId, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XListDef, listId, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XListDef, listTemplateId, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XListDef, listSimple, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListDef, listMultiLevel, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListDef, listHybrid, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListDef, listRestartHdn, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XListDef, listName, 's', kAlways, 0),
    VDK_ATTRIBUTE(XListDef, listStyleId, 's', kAlways, 0),
    VDK_ATTRIBUTE(XListDef, listStyleName, 's', kAlways, 0),
    // Hand-written: the nine levels, children "LEVEL000" to "LEVEL008".
    VDK_HAND_WRITTEN(XListDef, levels, kAlways, "LEVEL%03d", nullptr, 0, &kXListLevelTable, 0),
};

constexpr FieldSpec kXListOvrFields[] = {
    VDK_ATTRIBUTE(XListOvr, listIlst, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XListOvr, listIlfo, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XListOvr, listOverrideCount, 'd', kAlways, 0),
    // Hand-written: one key per level, "XListOvr_startOverride000" to "XListOvr_startOverride008".
    VDK_HAND_WRITTEN(XListOvr, startOverride, kAlways, nullptr, "XListOvr_startOverride%03d", 'd', nullptr, 0),
    // Hand-written: the nine levels the member points to, or nine cleared ones, children "LEVEL000" to "LEVEL008".
    VDK_HAND_WRITTEN(XListOvr, levels, kAlways, "LEVEL%03d", nullptr, 0, nullptr, 0),
};

constexpr FieldSpec kXListPicFields[] = {
    // Hand-written: the picture writes its own attributes and children into the bullet's element.
    VDK_HAND_WRITTEN(XListPic, picture, kAlways, nullptr, nullptr, 0, nullptr, 0),
    VDK_ATTRIBUTE(XListPic, listPicBulletId, 'l', kAlways, 0),
};

}  // namespace

VDK_RECORD_TABLE(XListLevel);
VDK_RECORD_TABLE(XListDef);
VDK_RECORD_TABLE(XListOvr);
VDK_RECORD_TABLE(XListPic);
