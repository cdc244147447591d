#include "package/CRelationship.h"

#include "foundation/CFail.h"
#include "foundation/Memory.h"

namespace {
constexpr const char* kUnit = "BRelationship";
}

CRelationship::CRelationship(const char* idText, const char* targetText, std::int16_t targetMode)
    : id(duplicateCString(idText)), target(duplicateCString(targetText)), mode(targetMode) {
    if (!id || !target) {
        freeMemory(id);
        freeMemory(target);
        throwFail(result::kOutOfMemory, __LINE__, kUnit);
    }
}

CRelationship::~CRelationship() {
    freeMemory(id);
    freeMemory(target);
}
