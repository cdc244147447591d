#include "package/CRelationship.h"

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"

namespace {
constexpr const char* kUnit = "BRelationship";
}

CRelationship::CRelationship(const char* idText, const char* targetText, std::int16_t targetMode,
                             const char* typeText)
    : id(duplicateCString(idText)),
      target(duplicateCString(targetText)),
      mode(targetMode),
      type(duplicateCString(typeText != nullptr ? typeText : "")) {
    if (!id || !target || !type) {
        freeMemory(id);
        freeMemory(target);
        freeMemory(type);
        throwFail(result::kOutOfMemory, __LINE__, kUnit);
    }
}

CRelationship::~CRelationship() {
    freeMemory(id);
    freeMemory(target);
    freeMemory(type);
}
