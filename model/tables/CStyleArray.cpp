#include "model/tables/CStyleArray.h"

#include "foundation/CFail.h"

namespace {
constexpr const char* kUnit = "BCommon";
}

CStyleArray::CStyleArray() : CArray(0, kPointerItemSize) {}

CStyleArray::~CStyleArray() {
    for (std::int32_t i = 1; i <= count; ++i) {
        XStyle* style = pointerAt<XStyle>(i);
        disposeXStyle(style);
    }
    count = 0;
}

void CStyleArray::add(XStyle* style) {
    throwIfNullObject(style, __LINE__, kUnit);
    try {
        append(&style);
    } catch (const CFail&) {
        disposeXStyle(style);
        rethrowFailure();
    }
}

XStyle* CStyleArray::get(std::int32_t index) const {
    return pointerAt<XStyle>(index);
}
