#include "model/tables/ListRecords.h"

#include <cstring>

#include "foundation/memory/Memory.h"
#include "model/BoundedCount.h"
#include "model/tables/DocumentRecordTables.h"

std::int32_t releaseLevelTexts(XListLevel (&levels)[kListLevels]) {
    std::int32_t freed = 0;
    for (XListLevel& level : levels) {
        if (level.levelText == nullptr) continue;
        freeMemory(level.levelText);
        ++freed;
    }
    return freed;
}

const XListLevels& overrideLevels(const XListOvr& listOverride) {
    static const XListLevels cleared{};
    return listOverride.levels != nullptr ? *listOverride.levels : cleared;
}

XListLevels* ownOverrideLevels(XListOvr& listOverride) {
    if (listOverride.levels != nullptr) return listOverride.levels;
    void* levels = allocMemory(static_cast<std::int32_t>(sizeof(XListLevels)));
    if (levels == nullptr) return nullptr;
    std::memset(levels, 0, sizeof(XListLevels));
    listOverride.levels = static_cast<XListLevels*>(levels);
    return listOverride.levels;
}

std::int32_t releaseOverrideLevels(XListOvr& listOverride) {
    if (listOverride.levels == nullptr) return 0;
    const std::int32_t freed = releaseLevelTexts(*listOverride.levels);
    freeMemory(listOverride.levels);
    listOverride.levels = nullptr;
    return freed;
}

std::int32_t listArrayCapacity(const void* array, std::int32_t recordSize) {
    if (array == nullptr || recordSize <= 0) return 0;
    return memorySize(array) / recordSize;
}

std::int32_t clampListCount(std::int32_t count, const void* array, std::int32_t recordSize) {
    return boundedCount(count, listArrayCapacity(array, recordSize));
}

bool equalXListLevel(const XListLevel& a, const XListLevel& b) {
    return equalRecords(kXListLevelTable, &a, &b);
}

bool equalXListDef(const XListDef& a, const XListDef& b) {
    return equalRecords(kXListDefTable, &a, &b);
}

bool equalXListOvr(const XListOvr& a, const XListOvr& b) {
    return equalRecords(kXListOvrTable, &a, &b);
}
