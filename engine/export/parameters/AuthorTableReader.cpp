#include "engine/export/parameters/AuthorTableReader.h"

#include "engine/export/parameters/RequiredElement.h"
#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/storage/IndexedName.h"
#include "model/tables/CAuthorArray.h"

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
