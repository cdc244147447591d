#include "model/CAuthorArray.h"

#include "foundation/CFail.h"
#include "foundation/Memory.h"
#include "model/ValueRecords.h"

namespace {
constexpr const char* kUnit = "BCommon";
}

CAuthorArray::CAuthorArray() : CArray(0, kPointerItemSize) {}

CAuthorArray::~CAuthorArray() {
    freeOwnedBlocks();
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
