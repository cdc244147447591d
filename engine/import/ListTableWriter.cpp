#include "engine/import/ListTableWriter.h"

#include "foundation/CFail.h"
#include "model/CPicture.h"
#include "model/records/RecordWriting.h"
#include "model/records/character/XFormWriter.h"
#include "model/records/paragraph/XRuleWriter.h"
#include "model/storage/IndexedName.h"

namespace {
constexpr const char* kUnit = "BEngineImp";

void writeLevels(CStream& element, const XListLevel (&levels)[kListLevels], XParamBlock* block) {
    for (int level = 0; level < kListLevels; ++level) writeListLevel(element, level, levels[level], block);
}

void writeDefinition(CStream& lists, std::int32_t index, const XListDef& definition, XParamBlock* block) {
    ChildElement element(lists, IndexedName("LISTDEF%03d", index).c_str());
    element->writeValues(nullptr, 0,
                         "XListDef_listDefId %l XListDef_listId %l XListDef_listTemplateId %l XListDef_listSimple %d "
                         "XListDef_listMultiLevel %d XListDef_listHybrid %d XListDef_listRestartHdn %d "
                         "XListDef_listName %s XListDef_listStyleId %s XListDef_listStyleName %s",
                         definition.listDefId, definition.listId, definition.listTemplateId, definition.listSimple,
                         definition.listMultiLevel, definition.listHybrid, definition.listRestartHdn,
                         definition.listName, definition.listStyleId, definition.listStyleName);
    writeLevels(*element, definition.levels, block);
}

void writeOverride(CStream& lists, std::int32_t index, const XListOvr& listOverride, XParamBlock* block) {
    ChildElement element(lists, IndexedName("LISTOVR%03d", index).c_str());
    element->writeValues(nullptr, 0, "XListOvr_listIlst %l XListOvr_listIlfo %l XListOvr_listOverrideCount %d",
                         listOverride.listIlst, listOverride.listIlfo, listOverride.listOverrideCount);
    for (int level = 0; level < kListLevels; ++level) {
        element->writeValues(nullptr, 0, IndexedName("XListOvr_startOverride%03d %%d", level).c_str(),
                             listOverride.startOverride[level]);
    }
    writeLevels(*element, overrideLevels(listOverride), block);
}

void writePictureBullet(CStream& lists, std::int32_t index, const XListPic& bullet) {
    ChildElement element(lists, IndexedName("LISTPIC%03d", index).c_str());
    if (bullet.picture != nullptr) bullet.picture->writeToStorage(&*element);
    element->writeValues(nullptr, 0, "XListPic_listPicBulletId %l", bullet.listPicBulletId);
}
}  // namespace

void writeListLevel(CStream& parent, std::int32_t index, const XListLevel& level, XParamBlock* block) {
    ChildElement element(parent, IndexedName("LEVEL%03d", index).c_str());
    // A length without text, or a negative one, stores no text.
    const bool hasText = level.levelText != nullptr && level.levelTextLength > 0;
    element->writeValues(hasText ? level.levelText : nullptr, hasText ? level.levelTextLength : 0,
                         "XListLevel_levelStartAt %d XListLevel_levelNfc %d XListLevel_levelJc %d "
                         "XListLevel_levelNfcn %d XListLevel_levelJcn %d XListLevel_levelOld %d XListLevel_levelPrev %d "
                         "XListLevel_levelPrevSpace %d XListLevel_levelIndent %d XListLevel_levelSpace %d "
                         "XListLevel_levelnumbers %s XListLevel_levelTplc %l XListLevel_levelTentative %d "
                         "XListLevel_levelFollow %d XListLevel_levelLegal %d XListLevel_levelNoRestart %d "
                         "XListLevel_levelHasPicture %d XListLevel_levelPicture %d",
                         level.levelStartAt, level.levelNfc, level.levelJc, level.levelNfcn, level.levelJcn,
                         level.levelOld, level.levelPrev, level.levelPrevSpace, level.levelIndent, level.levelSpace,
                         level.levelnumbers, level.levelTplc, level.levelTentative, level.levelFollow,
                         level.levelLegal, level.levelNoRestart, level.levelHasPicture, level.levelPicture);
    {
        ChildElement form(*element, "levelForm");
        throwIfError(writeXForm(&*form, &level.levelForm, block), __LINE__, kUnit);
    }
    ChildElement rule(*element, "levelRule");
    throwIfError(writeXRule(&*rule, &level.levelRule, block), __LINE__, kUnit);
}

void writeListTables(XParamBlock& block, CStream& documentElement) {
    ChildElement lists(documentElement, "LISTS");
    lists->writeValues(nullptr, 0, "listDefCount %d", block.listDefCount);
    if (block.listDefs != nullptr)
        for (std::int32_t i = 0; i < block.listDefCount; ++i) writeDefinition(*lists, i, block.listDefs[i], &block);
    lists->writeValues(nullptr, 0, "listOvrCount %d", block.listOvrCount);
    if (block.listOvrs != nullptr)
        for (std::int32_t i = 0; i < block.listOvrCount; ++i) writeOverride(*lists, i, block.listOvrs[i], &block);
    lists->writeValues(nullptr, 0, "listPicCount %d", block.listPicCount);
    if (block.listPics != nullptr)
        for (std::int32_t i = 0; i < block.listPicCount; ++i) writePictureBullet(*lists, i, block.listPics[i]);
}
