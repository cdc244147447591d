#include "model/tables/CColorArray.h"

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"

namespace {
constexpr const char* kUnit = "BCommon";
}

CColorArray::CColorArray() : CArray(0, kPointerItemSize) {}

CColorArray::~CColorArray() {
    freeOwnedBlocks();
}

std::int32_t CColorArray::add(const RGBColor& color) {
    if (equalRGBColor(color, kAutoColor)) return 1;
    const std::int32_t found = find(color);
    if (found > 0) return found;
    auto* copy = static_cast<RGBColor*>(allocMemory(static_cast<std::int32_t>(sizeof(RGBColor))));
    throwIfNull(copy, __LINE__, kUnit);
    copyRGBColor(copy, &color);
    appendOwnedBlock(copy);
    return count;
}

std::int32_t CColorArray::find(const RGBColor& color) const {
    for (std::int32_t i = 1; i <= count; ++i) {
        const RGBColor* stored = pointerAt<const RGBColor>(i);
        if (stored != nullptr && equalRGBColor(*stored, color)) return i;
    }
    return -1;
}

const RGBColor* CColorArray::get(std::int32_t index) const {
    return pointerAt<const RGBColor>(index);
}
