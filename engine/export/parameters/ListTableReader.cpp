#include "engine/export/parameters/ListTableReader.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>

#include "engine/export/parameters/RequiredElement.h"
#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/CPicture.h"
#include "model/records/RecordKeys.h"
#include "model/records/character/XFormReader.h"
#include "model/records/paragraph/XRuleReader.h"
#include "model/storage/IndexedName.h"
#include "model/tables/DocumentRecordTables.h"

namespace {
constexpr const char* kUnit = "BEngineExp";

// A cleared array of count records for the block. When it cannot be had the count goes back to 0, so
// the block's disposal never walks a missing array.
template <typename Record>
Record* newListArray(std::int16_t& count, std::int32_t line) {
    const std::int64_t bytes = static_cast<std::int64_t>(count) * static_cast<std::int64_t>(sizeof(Record));
    void* array = bytes <= INT32_MAX ? allocMemory(static_cast<std::int32_t>(bytes)) : nullptr;
    if (array == nullptr) {
        count = 0;
        throwFail(result::kOutOfMemory, line, kUnit);
    }
    std::memset(array, 0, static_cast<std::size_t>(bytes));
    return static_cast<Record*>(array);
}

void readLevels(CStream& element, XListLevel (&levels)[kListLevels]) {
    for (std::int32_t level = 0; level < kListLevels; ++level) readListLevel(element, level, levels[level]);
}

void readDefinitions(CStream& lists, XParamBlock& block) {
    lists.readValues(nullptr, nullptr, "listDefCount %d", &block.listDefCount);
    if (block.listDefCount <= 0) return;
    block.listDefs = newListArray<XListDef>(block.listDefCount, __LINE__);
    for (std::int32_t i = 0; i < block.listDefCount; ++i) {
        RequiredElement element(lists, IndexedName("LISTDEF%03d", i).c_str());
        readRecordKeys(*element, kXListDefTable, &block.listDefs[i]);
        readLevels(*element, block.listDefs[i].levels);
    }
}

void readStartOverrides(CStream& element, XListOvr& listOverride) {
    const FieldSpec& row = tableRow(kXListOvrTable, "startOverride");
    for (std::int32_t level = 0; level < kListLevels; ++level) {
        element.readAttribute(IndexedName(row.key, level).c_str(), row.letter, &listOverride.startOverride[level]);
    }
}

bool allCleared(const XListLevels& levels) {
    static const XListLevel cleared{};
    return std::all_of(std::begin(levels), std::end(levels), [](const XListLevel& level) { return equalXListLevel(level, cleared); });
}

// An override keeps the levels it stores only when one of them is more than a cleared level, as the
// override of a document that replaces no level stores them.
void readOverrideLevels(CStream& element, XListOvr& listOverride) {
    XListLevels* levels = ownOverrideLevels(listOverride);
    throwIfNull(levels, __LINE__, kUnit);
    readLevels(element, *levels);
    if (allCleared(*levels)) releaseOverrideLevels(listOverride);
}

void readOverrides(CStream& lists, XParamBlock& block) {
    lists.readValues(nullptr, nullptr, "listOvrCount %d", &block.listOvrCount);
    if (block.listOvrCount <= 0) return;
    block.listOvrs = newListArray<XListOvr>(block.listOvrCount, __LINE__);
    for (std::int32_t i = 0; i < block.listOvrCount; ++i) {
        RequiredElement element(lists, IndexedName("LISTOVR%03d", i).c_str());
        readRecordKeys(*element, kXListOvrTable, &block.listOvrs[i]);
        readStartOverrides(*element, block.listOvrs[i]);
        readOverrideLevels(*element, block.listOvrs[i]);
    }
}

// The picture writes "fName" first whenever there is one; a bullet without it had no picture.
void readBulletPicture(CStream& element, XListPic& bullet) {
    if (!hasAttribute(element, "fName")) return;
    bullet.picture = new (std::nothrow) CPicture();
    throwIfNull(bullet.picture, __LINE__, kUnit);
    throwIfError(bullet.picture->readFromStorage(&element), __LINE__, kUnit);
}

void readPictureBullets(CStream& lists, XParamBlock& block) {
    lists.readValues(nullptr, nullptr, "listPicCount %d", &block.listPicCount);
    if (block.listPicCount <= 0) return;
    block.listPics = newListArray<XListPic>(block.listPicCount, __LINE__);
    for (std::int32_t i = 0; i < block.listPicCount; ++i) {
        RequiredElement element(lists, IndexedName("LISTPIC%03d", i).c_str());
        readBulletPicture(*element, block.listPics[i]);
        readRecordKeys(*element, kXListPicTable, &block.listPics[i]);
    }
}
}  // namespace

void readListLevel(CStream& parent, std::int32_t index, XListLevel& level) {
    RequiredElement element(parent, IndexedName("LEVEL%03d", index).c_str());
    char16_t* text = nullptr;
    std::int32_t length = 0;
    element->readValues(&text, &length, nullptr);
    level.levelText = text;
    level.levelTextLength = text != nullptr ? length : 0;
    readRecordKeys(*element, kXListLevelTable, &level);
    {
        RequiredElement form(*element, "levelForm");
        throwIfError(readXForm(&*form, &level.levelForm), __LINE__, kUnit);
    }
    RequiredElement rule(*element, "levelRule");
    throwIfError(readXRule(&*rule, &level.levelRule), __LINE__, kUnit);
}

void readListTables(CStream& documentElement, XParamBlock& block) {
    RequiredElement lists(documentElement, "LISTS");
    readDefinitions(*lists, block);
    readOverrides(*lists, block);
    readPictureBullets(*lists, block);
}
