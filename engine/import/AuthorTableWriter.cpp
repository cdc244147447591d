#include "engine/import/AuthorTableWriter.h"

#include "model/records/RecordWriting.h"
#include "model/storage/IndexedName.h"
#include "model/tables/CAuthorArray.h"

void writeAuthorTable(const XParamBlock& block, CStream& documentElement) {
    const std::int32_t count = block.authors != nullptr ? block.authors->getCount() : 0;
    ChildElement authors(documentElement, "AUTHORS");
    authors->writeValues(nullptr, 0, "authorLength %l", count);
    for (std::int32_t index = 0; index < count; ++index) {
        ChildElement element(*authors, IndexedName("AUTHOR%03d", index).c_str());
        const char* name = block.authors->pointerAt<const char>(index + 1);
        element->writeValues(nullptr, 0, "author_name %r", name);
        const char* initials = block.authors->initials(static_cast<std::int16_t>(index + 1));
        if (initials != nullptr) element->writeValues(nullptr, 0, "author_initials %r", initials);
    }
}
