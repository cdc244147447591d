#include "engine/export/AuthorTableReader.h"

#include "engine/export/RequiredElement.h"
#include "foundation/CFail.h"
#include "foundation/Memory.h"
#include "model/CAuthorArray.h"
#include "model/IndexedName.h"

namespace {
constexpr const char* kUnit = "BEngineExp";
}

void readAuthorTable(CStream& documentElement, XParamBlock& block) {
    throwIfNullObject(block.authors, __LINE__, kUnit);
    RequiredElement authors(documentElement, "AUTHORS");
    std::int32_t count = 0;
    authors->readValues(nullptr, nullptr, "authorLength %l", &count);
    for (std::int32_t index = 0; index < count; ++index) {
        RequiredElement element(*authors, IndexedName("AUTHOR%03d", index).c_str());
        char* name = nullptr;  // a new heap copy of the name, or null
        element->readValues(nullptr, nullptr, "author_name %r", &name);
        block.authors->appendOwnedBlock(name);
        // An author without initials has no attribute for them.
        char* initials = nullptr;
        element->readValues(nullptr, nullptr, "author_initials %r", &initials);
        try {
            block.authors->setInitials(index + 1, initials);
        } catch (const CFail&) {
            freeMemory(initials);
            rethrowFailure();
        }
        freeMemory(initials);
    }
}
