#include "export/rtf/CRTFBuffer.h"

#include <utility>

#include "foundation/CFail.h"

namespace {

constexpr const char* kUnit = "BL_RTF(exp)";

}  // namespace

CRTFBuffer::CRTFBuffer(std::int16_t direction, const XForm& sourceForm, std::shared_ptr<const XRule> paragraph)
    : runRule(std::move(paragraph)), runDirection(direction) {
    if (runRule == nullptr) throwFail(result::kNullObject, __LINE__, kUnit);
    copyXFormDeep(&runForm, &sourceForm);
    // The model's deep copy drops a picture it has no memory for; a buffered run never loses one.
    if (sourceForm.picData != nullptr && runForm.picData == nullptr) throwFail(result::kOutOfMemory, __LINE__, kUnit);
}

CRTFBuffer::~CRTFBuffer() {
    disposeXForm(&runForm);
}

void CRTFBuffer::append(char16_t unit) {
    if (isFull()) throwFail(result::kNullObject, __LINE__, kUnit);
    units[unitCount++] = unit;
}

void CRTFBuffer::replaceLast(char16_t unit) {
    if (unitCount > 0) units[unitCount - 1] = unit;
}
