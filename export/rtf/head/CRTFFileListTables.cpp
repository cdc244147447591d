// The list table and the list override table of the document head, both always written, also without
// any list. A list definition is written with its levels (number format, alignment, start, number text,
// changed character and paragraph properties); a definition that only refers to a numbering style takes
// its levels from the definition that defines that style. Paragraphs name a list by an override's
// number ("\ls"); an override names its definition by "\listid".
//
// A list number that restarts its list's numbering (a start value on some level) is written as a list of
// its own, a copy of its definition under a fresh list id with those start values: readers number
// separate lists separately, while start values inside an override are not honoured by all of them.
// A list number that replaces levels of its definition writes them in its override ("\lfolevel"), one
// group for each level up to the last it replaces, since readers place the groups by their order; when
// it also restarts the numbering, its own list takes the replaced levels instead.
#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/head/RTFLevelFollow.h"
#include "export/rtf/head/RTFLevelText.h"
#include "export/rtf/head/RTFTableEntryName.h"
#include "export/rtf/text/RTFCharacterPropertyChanges.h"
#include "export/rtf/text/RTFParagraphPropertyChanges.h"
#include "foundation/FailureCode.h"
#include "model/params/ParamBlockTables.h"
#include "model/params/XParamBlock.h"
#include "model/tables/ListRecords.h"

namespace {

constexpr const char* kUnit = "BL_RTF(exp)";

bool isEmpty(const char (&text)[kListNameBytes]) {
    return text[0] == '\0';
}

// The definition an override names; null when none does.
XListDef* definitionOf(const XListOvr& entry, XListDef* definitions, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i)
        if (definitions[i].listDefId == entry.listIlst) return &definitions[i];
    return nullptr;
}

bool restartsNumbering(const XListOvr& entry) {
    if (entry.listOverrideCount <= 0) return false;
    for (std::int16_t start : entry.startOverride)
        if (start != 0) return true;
    return false;
}

// Whether the override replaces its definition's level `index`; an override that replaces any level
// holds nine, cleared where it keeps the definition's.
bool replacesLevel(const XListOvr& entry, int index) {
    static const XListLevel cleared{};
    return entry.levels != nullptr && !equalXListLevel((*entry.levels)[index], cleared);
}

// How many level groups the override writes: up to its last replaced level, 0 when it replaces none.
int replacedLevelSpan(const XListOvr& entry) {
    for (int span = kListLevels; span > 0; --span)
        if (replacesLevel(entry, span - 1)) return span;
    return 0;
}

// The list id under which each definition is written: its own, or, when an earlier definition has
// the same one (documents that state no list ids give every definition 0), a fresh one above every
// definition's; readers take a shared id for one list and would number two lists as one.
std::vector<std::int32_t> definitionListIds(const XParamBlock& block, std::int32_t definitions, long long& fresh) {
    fresh = std::numeric_limits<std::int32_t>::min();
    for (std::int32_t i = 0; i < definitions; ++i) fresh = std::max<long long>(fresh, block.listDefs[i].listId);
    std::vector<std::int32_t> ids = raisingOutOfMemory(
        __LINE__, kUnit, [&] { return std::vector<std::int32_t>(static_cast<std::size_t>(definitions), 0); });
    for (std::int32_t i = 0; i < definitions; ++i) {
        const std::int32_t own = block.listDefs[i].listId;
        ids[i] = own;
        const bool taken = std::find(ids.begin(), ids.begin() + i, own) != ids.begin() + i;
        // With no id left above the others the shared id stays.
        if (taken && fresh < std::numeric_limits<std::int32_t>::max()) ids[i] = static_cast<std::int32_t>(++fresh);
    }
    return ids;
}

// The list id under which each override is written: its definition's, a fresh one above every
// definition's for an override that restarts the numbering, or 0 when it names no definition.
std::vector<std::int32_t> overrideListIds(const XParamBlock& block, const std::vector<std::int32_t>& definitionIds,
                                          long long fresh, std::int32_t overrides, std::vector<bool>& restarted) {
    const auto definitions = static_cast<std::int32_t>(definitionIds.size());
    std::vector<std::int32_t> ids = raisingOutOfMemory(__LINE__, kUnit, [&] {
        restarted.assign(static_cast<std::size_t>(overrides), false);
        return std::vector<std::int32_t>(static_cast<std::size_t>(overrides), 0);
    });
    for (std::int32_t i = 0; i < overrides; ++i) {
        const XListOvr& entry = block.listOvrs[i];
        const XListDef* definition = definitionOf(entry, block.listDefs, definitions);
        if (definition == nullptr) continue;
        ids[i] = definitionIds[static_cast<std::size_t>(definition - block.listDefs)];
        // With no id left above the others the list number is written plainly.
        if (restartsNumbering(entry) && fresh < std::numeric_limits<std::int32_t>::max()) {
            ids[i] = static_cast<std::int32_t>(++fresh);
            restarted[i] = true;
        }
    }
    return ids;
}

}  // namespace

void CRTFFile::writeListTables() {
    const std::int32_t definitions = clampListCount(block->listDefCount, block->listDefs, sizeof(XListDef));
    const std::int32_t overrides = clampListCount(block->listOvrCount, block->listOvrs, sizeof(XListOvr));
    long long fresh = 0;
    const std::vector<std::int32_t> definitionIds = definitionListIds(*block, definitions, fresh);
    std::vector<bool> restarted;
    const std::vector<std::int32_t> listIds = overrideListIds(*block, definitionIds, fresh, overrides, restarted);
    writeFormat("{\\*\\listtable");
    writeListPictures();
    for (std::int32_t i = 0; i < definitions; ++i)
        writeListDefinition(block->listDefs[i], definitionIds[i], nullptr);
    for (std::int32_t i = 0; i < overrides; ++i) {
        if (!restarted[i]) continue;
        const XListOvr& entry = block->listOvrs[i];
        writeListDefinition(*definitionOf(entry, block->listDefs, definitions), listIds[i], &entry);
    }
    writeFormat("}");
    writeFormat("{\\*\\listoverridetable");
    for (std::int32_t i = 0; i < overrides; ++i) {
        const XListOvr& entry = block->listOvrs[i];
        // The start values and replaced levels went into the list of its own.
        XListDef* definition = restarted[i] ? nullptr : definitionOf(entry, block->listDefs, definitions);
        writeListOverride(entry, listIds[i], restarted[i], definition);
    }
    writeFormat("}");
}

void CRTFFile::writeListOverride(const XListOvr& entry, std::int32_t listId, bool restarted, XListDef* definition) {
    const int span = definition != nullptr ? replacedLevelSpan(entry) : 0;
    if (span == 0) {
        const std::int16_t levelOverrides = restarted ? 0 : entry.listOverrideCount;
        writeFormat("{\\listoverride\\listid%d\\listoverridecount%d\\ls%d}", listId, levelOverrides, entry.listIlfo);
        return;
    }
    writeFormat("{\\listoverride\\listid%d\\listoverridecount%d", listId, span);
    const XListDef& resolved = *findListDefByName(definition, block);
    for (int i = 0; i < span; ++i) {
        writeFormat("{\\lfolevel");
        if (replacesLevel(entry, i)) {
            const XListLevel& level = (*entry.levels)[i];
            writeFormat("\\listoverrideformat");
            writeListLevel(level, resolved, level.levelStartAt);
        }
        writeFormat("}");
    }
    writeFormat("\\ls%d}", entry.listIlfo);
}

void CRTFFile::writeListDefinition(XListDef& definition, std::int32_t listId, const XListOvr* restarting) {
    int levels = kListLevels;
    writeFormat("{\\list\\listemplateid%d", definition.listTemplateId);
    if (definition.listSimple == 1) {
        writeFormat("\\listsimple");
        if (definition.listMultiLevel != 1) {
            writeFormat("1");
            levels = 1;
        }
    } else if (definition.listHybrid == 1) {
        writeFormat("\\listhybrid");
    }
    const XListDef& resolved = *findListDefByName(&definition, block);
    for (int i = 0; i < levels; ++i) {
        const bool replaced = restarting != nullptr && replacesLevel(*restarting, i);
        const XListLevel& level = replaced ? (*restarting->levels)[i] : resolved.levels[i];
        const std::int16_t restart = restarting != nullptr ? restarting->startOverride[i] : 0;
        writeListLevel(level, resolved, restart != 0 ? restart : level.levelStartAt);
    }
    const std::string name = rtfTableEntryName(definition.listName, sizeof definition.listName);
    writeFormat("{\\listname %s;}\\listid%d", name.c_str(), listId);
    if (!isEmpty(definition.listStyleId)) {
        writeFormat("\\liststyleid%d", resolved.listId);
    } else if (!isEmpty(definition.listStyleName) && restarting == nullptr) {
        const std::string styleName = rtfTableEntryName(definition.listStyleName, sizeof definition.listStyleName);
        writeFormat("{\\*\\liststylename %s;}", styleName.c_str());
    }
    writeFormat("}");
}

void CRTFFile::writeListLevel(const XListLevel& level, const XListDef& resolved, std::int16_t startAt) {
    writeFormat("{\\listlevel\\levelnfc%d\\levelnfcn%d\\leveljc%d\\leveljcn%d", level.levelNfc, level.levelNfcn,
                level.levelJc, level.levelJcn);
    writeFormat("\\levelfollow%d\\levelstartat%d\\levelspace%d\\levelindent%d", rtfLevelFollow(level.levelFollow),
                startAt, level.levelSpace, level.levelIndent);
    if (level.levelText != nullptr) {
        const RTFLevelText text = buildRTFLevelText(level.levelText, level.levelTextLength);
        writeFormat("{\\leveltext");
        if (resolved.listHybrid == 1) writeFormat("\\leveltemplateid%d", level.levelTplc);
        writeFormat("\\'%02x", static_cast<unsigned>(text.count));
        writeBytes(text.text.data(), static_cast<std::int32_t>(text.text.size()));
        writeFormat(";}{\\levelnumbers");
        writeBytes(text.numbers.data(), static_cast<std::int32_t>(text.numbers.size()));
        writeFormat(";}");
    }
    if (level.levelHasPicture == 1) writeFormat("\\levelpicture%d", level.levelPicture);
    writeRTFCharacterProps(*this, *block, level.levelForm);
    writeRTFParagraphProps(*this, *block, level.levelRule);
    writeFormat("}");
}
