#include "import/wordml/lists/ListHandOver.h"

#include <climits>
#include <cstddef>
#include <cstring>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "import/wordml/lists/TListDefsArray.h"
#include "model/params/XParamBlock.h"
#include "model/records/PictureOwnership.h"

namespace {

constexpr const char* kUnit = "BL_WordML(imp)";

// A zeroed array of count records of the memory layer; a size beyond 32 bits does not fit (12).
template <typename Record>
Record* newRecordArray(std::size_t count) {
    const std::uint64_t bytes = static_cast<std::uint64_t>(count) * sizeof(Record);
    if (bytes > static_cast<std::uint64_t>(INT_MAX)) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    void* array = allocMemory(static_cast<std::int32_t>(bytes));
    throwIfNull(array, __LINE__, kUnit);
    std::memset(array, 0, static_cast<std::size_t>(bytes));
    return static_cast<Record*>(array);
}

char16_t* copyLevelText(const char16_t* text, std::int32_t length) {
    if (length < 0 || length >= INT_MAX / 2) length = 0;
    auto* copy = static_cast<char16_t*>(allocMemory((length + 1) * static_cast<std::int32_t>(sizeof(char16_t))));
    throwIfNull(copy, __LINE__, kUnit);
    if (length > 0) std::memcpy(copy, text, static_cast<std::size_t>(length) * sizeof(char16_t));
    copy[length] = 0;
    return copy;
}

// Copies the levels into the record's own, each text into a block of its own. A text pointer is
// stored only once its copy exists, so the record never points at the table's texts.
void copyLevels(const XListLevel (&source)[kListLevels], XListLevel (&target)[kListLevels]) {
    for (int i = 0; i < kListLevels; ++i) {
        target[i] = source[i];
        target[i].levelText = nullptr;
        if (source[i].levelText == nullptr) continue;
        target[i].levelText = copyLevelText(source[i].levelText, source[i].levelTextLength);
    }
}

void handOverDefinitions(const TListDefsArray& table, XParamBlock* block) {
    const auto& definitions = table.definitions();
    if (definitions.empty() || block->listDefs != nullptr) return;
    block->listDefs = newRecordArray<XListDef>(definitions.size());
    block->listDefCount = static_cast<std::int16_t>(definitions.size());
    for (std::size_t i = 0; i < definitions.size(); ++i) {
        XListDef& record = block->listDefs[i];
        std::memcpy(static_cast<void*>(&record), &definitions[i]->def, offsetof(XListDef, levels));
        copyLevels(definitions[i]->def.levels, record.levels);
    }
}

void handOverInstances(const TListDefsArray& table, XParamBlock* block) {
    const auto& instances = table.instances();
    if (instances.empty() || block->listOvrs != nullptr) return;
    block->listOvrs = newRecordArray<XListOvr>(instances.size());
    block->listOvrCount = static_cast<std::int16_t>(instances.size());
    for (std::size_t i = 0; i < instances.size(); ++i) {
        XListOvr& record = block->listOvrs[i];
        std::memcpy(static_cast<void*>(&record), &instances[i]->ovr, offsetof(XListOvr, levels));
        if (instances[i]->ovr.levels == nullptr) continue;
        XListLevels* levels = ownOverrideLevels(record);
        throwIfNull(levels, __LINE__, kUnit);
        copyLevels(*instances[i]->ovr.levels, *levels);
    }
}

void handOverBullets(const TListDefsArray& table, XParamBlock* block) {
    const auto& bullets = table.bullets();
    if (bullets.empty() || block->listPics != nullptr) return;
    block->listPics = newRecordArray<XListPic>(bullets.size());
    block->listPicCount = static_cast<std::int16_t>(bullets.size());
    for (std::size_t i = 0; i < bullets.size(); ++i) {
        block->listPics[i].listPicBulletId = bullets[i]->pic.listPicBulletId;
        block->listPics[i].picture = clonePicture(bullets[i]->pic.picture);
    }
}

}  // namespace

void handOverLists(const TListDefsArray& table, XParamBlock* block) {
    throwIfNullObject(block, __LINE__, kUnit);
    static_assert(TListDefsArray::kMaxEntries <= 32767, "the block counts each kind with 16 bits");
    handOverDefinitions(table, block);
    handOverInstances(table, block);
    handOverBullets(table, block);
}
