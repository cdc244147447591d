#include "model/tables/CAuthorArray.h"

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/records/ValueRecords.h"

namespace {
constexpr const char* kUnit = "BCommon";
}

CAuthorArray::CAuthorArray() : CArray(0, kPointerItemSize), initialsByAuthor(0, kPointerItemSize) {}

CAuthorArray::~CAuthorArray() {
    freeOwnedBlocks();
    initialsByAuthor.freeOwnedBlocks();
}

std::int32_t CAuthorArray::add(const char* name) {
    if (name == nullptr) return -1;
    const std::int32_t found = find(name);
    if (found > 0) return found;
    char* copy = duplicateCString(name);
    throwIfNull(copy, __LINE__, kUnit);
    appendOwnedBlock(copy);
    return count;
}

std::int32_t CAuthorArray::find(const char* name) const {
    for (std::int32_t i = 1; i <= count; ++i)
        if (equalCString(pointerAt<const char>(i), name)) return i;
    return -1;
}

const char* CAuthorArray::get(std::int16_t index) const {
    return pointerAt<const char>(index);
}

void CAuthorArray::setInitials(std::int32_t index, const char* initials) {
    if (index < 1 || index > count || initials == nullptr || initials[0] == '\0') return;
    if (this->initials(static_cast<std::int16_t>(index)) != nullptr) return;
    // The authors before this one that have no initials keep empty places.
    while (initialsByAuthor.getCount() < index - 1) initialsByAuthor.appendOwnedBlock(nullptr);
    char* copy = duplicateCString(initials);
    throwIfNull(copy, __LINE__, kUnit);
    if (initialsByAuthor.getCount() < index) {
        initialsByAuthor.appendOwnedBlock(copy);
    } else {
        initialsByAuthor.storeItems(index, &copy, 1);
    }
}

const char* CAuthorArray::initials(std::int16_t index) const {
    if (index < 1 || index > count) return nullptr;
    return initialsByAuthor.pointerAt<const char>(index);
}
