// The list table and the list override table of the document head, both always written, also without
// any list. A list definition is written with its levels (number format, alignment, start, number text,
// changed character and paragraph properties); a definition that only refers to a numbering style takes
// its levels from the definition that defines that style. Paragraphs name a list by an override's
// number ("\ls"); an override names its definition by "\listid".
//
// A list number that restarts its list's numbering (a start value on some level) is written as a list of
// its own, a copy of its definition under a fresh list id with those start values: readers number
// separate lists separately, while start values inside an override are not honoured by all of them.
#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/RTFCharacterPropertyChanges.h"
#include "export/rtf/RTFLevelFollow.h"
#include "export/rtf/RTFLevelText.h"
#include "export/rtf/RTFParagraphPropertyChanges.h"
#include "export/rtf/RTFTableEntryName.h"
#include "foundation/FailureCode.h"
#include "model/ParamBlockTables.h"
#include "model/XParamBlock.h"

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
        writeListDefinition(*definitionOf(entry, block->listDefs, definitions), listIds[i], entry.startOverride);
    }
    writeFormat("}");
    writeFormat("{\\*\\listoverridetable");
    for (std::int32_t i = 0; i < overrides; ++i) {
        const XListOvr& entry = block->listOvrs[i];
        // The start values went into the list of its own.
        const std::int16_t levelOverrides = restarted[i] ? 0 : entry.listOverrideCount;
        writeFormat("{\\listoverride\\listid%d\\listoverridecount%d\\ls%d}", listIds[i], levelOverrides,
                    entry.listIlfo);
    }
    writeFormat("}");
}

void CRTFFile::writeListDefinition(XListDef& definition, std::int32_t listId, const std::int16_t* restartValues) {
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
        const XListLevel& level = resolved.levels[i];
        const bool restartsHere = restartValues != nullptr && restartValues[i] != 0;
        writeListLevel(level, resolved, restartsHere ? restartValues[i] : level.levelStartAt);
    }
    const std::string name = rtfTableEntryName(definition.listName, sizeof definition.listName);
    writeFormat("{\\listname %s;}\\listid%d", name.c_str(), listId);
    if (!isEmpty(definition.listStyleId)) {
        writeFormat("\\liststyleid%d", resolved.listId);
    } else if (!isEmpty(definition.listStyleName) && restartValues == nullptr) {
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
