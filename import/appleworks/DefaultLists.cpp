#include "import/appleworks/DefaultLists.h"

#include <climits>
#include <cstring>
#include <new>

#include "engine/export/parameters/ListTableReader.h"
#include "engine/export/parameters/RequiredElement.h"
#include "foundation/CFail.h"
#include "foundation/files/AppFolders.h"
#include "foundation/language/UIStrings.h"
#include "foundation/memory/Memory.h"
#include "import/appleworks/file/AppleWorksFamily.h"
#include "model/params/ParamBlockTables.h"
#include "model/params/XParamBlock.h"
#include "model/records/RecordKeys.h"
#include "model/storage/CStorage.h"
#include "model/storage/IndexedName.h"
#include "model/tables/DocumentRecordTables.h"

namespace appleworks {
namespace {

constexpr std::uint16_t kImportersFolderString = 22000;
constexpr std::uint16_t kDefaultListsFileString = 22001;
constexpr std::int32_t kLabelStyles = 12;

// The list definitions the file names, attached to the block at once so that it owns them whatever
// happens next; each cleared first, so what the file leaves out reads as 0.
void readDefinitions(CStream& lists, XParamBlock& block, DefaultLists& owner) {
    std::int16_t count = 0;
    lists.readValues(nullptr, nullptr, "listDefCount %d", &count);
    if (count <= 0) return;
    void* definitions = allocMemory(static_cast<std::int32_t>(sizeof(XListDef)) * count);
    throwIfNull(definitions, __LINE__, kUnit);
    std::memset(definitions, 0, sizeof(XListDef) * static_cast<std::size_t>(count));
    freeMemory(block.listDefs);
    block.listDefs = static_cast<XListDef*>(definitions);
    block.listDefCount = count;
    for (std::int32_t i = 0; i < count; ++i) {
        XListDef& definition = block.listDefs[i];
        RequiredElement element(lists, IndexedName("LISTDEF%03d", i).c_str());
        readRecordKeys(*element, kXListDefTable, &definition);
        for (std::int32_t level = 0; level < kListLevels; ++level) {
            readListLevel(*element, level, definition.levels[level]);
            XForm& form = definition.levels[level].levelForm;
            for (std::int16_t* font : {&form.txtFontAscii, &form.txtFontHAnsi, &form.txtFontEa, &form.txtFontCs}) {
                owner.remapFont(font);
            }
        }
    }
}

}  // namespace

DefaultLists::DefaultLists(XParamBlock* paramBlock) : block(paramBlock) {
    char16_t folderName[256];
    char16_t fileName[256];
    loadUniText(folderName, kImportersFolderString);
    loadUniText(fileName, kDefaultListsFileString);
    read(fileName, *appFolder(folderName));
}

DefaultLists::DefaultLists(XParamBlock* paramBlock, const char16_t* fileName, const PascalWString& folder)
    : block(paramBlock) {
    read(fileName, folder);
}

// Any failure stops reading where it happened; what was read stays.
void DefaultLists::read(const char16_t* fileName, const PascalWString& folder) {
    try {
        CStorage storage(fileName, folder, storagemode::kRead);
        CStream zevozav(storage.rootStream(), "Zevozav", 0);
        {
            CStream fontList(&zevozav, "FONTS", 0);
            std::int32_t count = 0;
            fontList.readValues(nullptr, nullptr, "fontLength %l", &count);
            for (std::int32_t i = 0; i < count && i < SHRT_MAX; ++i) {
                CStream element(&fontList, IndexedName("FONT%03d", i).c_str(), 0);
                XFont font{};
                readRecordKeys(element, kXFontTable, &font);
                terminateFontTexts(&font);
                fonts.push_back(font);
            }
        }
        if (block != nullptr) {
            CStream lists(&zevozav, "LISTS", 0);
            readDefinitions(lists, *block, *this);
        }
    } catch (const CFail&) {
    } catch (const std::bad_alloc&) {
    }
}

std::int32_t DefaultLists::documentFontFor(std::int16_t fontId) {
    for (const XFont& font : fonts) {
        if (font.fontUniqueID == fontId) return addFontRecord(&font, block);
    }
    return kMajorHAnsiFont;
}

void DefaultLists::remapFont(std::int16_t* fontId) {
    *fontId = static_cast<std::int16_t>(documentFontFor(*fontId));
}

// The array grows before the count does, so the count never claims a record that is not there.
std::int16_t DefaultLists::addListOverride(std::int32_t labelStyle) {
    const std::int32_t style = labelStyle & 0xFF;
    if (style >= kLabelStyles || block->listOvrCount >= SHRT_MAX) return 0;
    const std::int32_t count = block->listOvrCount < 0 ? 1 : block->listOvrCount + 1;
    void* grown = resizeMemory(block->listOvrs, static_cast<std::int32_t>(sizeof(XListOvr)) * count);
    throwIfNull(grown, __LINE__, kUnit);
    block->listOvrs = static_cast<XListOvr*>(grown);
    XListOvr& added = block->listOvrs[count - 1];
    std::memset(&added, 0, sizeof added);
    added.listIlst = kLabelListIds[style];
    added.listIlfo = count;
    block->listOvrCount = static_cast<std::int16_t>(count);
    return block->listOvrCount;
}

}  // namespace appleworks
