// Revision marks (who changed the text, when, and how) and the flags of a field.
#include <string>

#include "foundation/FieldMask.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/properties/ValueVocabularies.h"
#include "import/wordml/properties/XFormBits.h"
#include "model/params/XParamBlock.h"
#include "model/tables/CAuthorArray.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

// The revision kinds of the annotation types: deletion 1, insertion 2, formatting 3, comment 5.
std::int16_t revisionTypeOf(const xmlNode* element) {
    std::int16_t present = 0;
    const std::int32_t type = lookupAnnotationType(xmlGetAttrString(element, nullptr, "type", &present));
    return type == 1 || type == 2 || type == 3 || type == 5 ? static_cast<std::int16_t>(type) : 0;
}

}  // namespace

// The author is the 1-based index in the document's author table, -1 for a name it does not hold and
// 0 when none is given; the date is packed (parseDateTime), 0 when absent. The id is left alone.
void CWordMLImporter::readRevision(xmlNode* element, RevisionMark* record, std::int16_t type) {
    record->type = type == -1 ? revisionTypeOf(element) : type;
    record->author = 0;
    std::int16_t present = 0;
    if (const char* author = xmlGetAttrString(element, nullptr, "author", &present)) {
        const std::int32_t index = block->authors != nullptr ? block->authors->find(author) : -1;
        record->author = index > 0 && index <= INT16_MAX ? static_cast<std::int16_t>(index) : -1;
    }
    record->date = 0;
    if (const char* date = xmlGetFirstAttrString(element, &present, {"date", "createdate"})) {
        record->date = static_cast<std::int32_t>(parseDateTime(date));
    }
}

// The dirty and locked flags of a field; field data marks the field as read, but is not kept.
void CWordMLImporter::readFieldData(xmlNode* field) {
    std::int16_t present = 0;
    if (xmlGetAttrBool(field, nullptr, "dirty", &present) == 1) {
        block->form.field.dirty = 1;
        setMaskBit(block->form.changeBits, xformbit::kField);
    }
    if (xmlGetAttrBool(field, nullptr, "fldLock", &present) == 1) {
        block->form.field.locked = 1;
        setMaskBit(block->form.changeBits, xformbit::kField);
    }
    xmlNode* data = xmlFindElement(field, "w", "fldData", 1);
    if (data != nullptr && data->children != nullptr) setMaskBit(block->form.changeBits, xformbit::kField);
}

std::string CWordMLImporter::relationshipTarget(const xmlNode*, const char*) {
    return {};
}
