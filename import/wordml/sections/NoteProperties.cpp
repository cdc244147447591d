// The footnote and endnote settings (w:footnotePr, w:endnotePr) of the document or of one section:
// where the notes stand, how they are numbered, from which number and when numbering restarts. The
// separators are not read. The settings record has no change bits: the section reader marks the
// whole record.
#include <limits>

#include "foundation/text/NameCompare.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/lists/NumberingVocabularies.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

// Where a "pos" value puts the notes: on the page (beneath the text or at its bottom) or in the
// document (at the end of each section or of the document).
struct NotePosition {
    const char* name;
    std::int16_t XFootnote::*field;
    std::int16_t value;
};

constexpr NotePosition kNotePositions[] = {
    {"beneath-text", &XFootnote::pagePlacement, 0},
    {"page-bottom", &XFootnote::pagePlacement, 1},
    {"sect-end", &XFootnote::docPlacement, 1},
    {"doc-end", &XFootnote::docPlacement, 2},
};

void readPosition(const char* value, XFootnote* format) {
    for (const NotePosition& position : kNotePositions) {
        if (compareNames(value, position.name) != 0) continue;
        format->*position.field = position.value;
        return;
    }
}

}  // namespace

void CWordMLImporter::readNoteProperties(xmlNode* element, XFootnote* format) {
    if (element == nullptr || format == nullptr) return;
    format->hasNotes = 1;
    for (const xmlNode* child = element->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        std::int16_t present = 0;
        if (xmlIsElement(child, "w", "numStart")) {
            const std::int32_t start = xmlGetAttrInt(child, nullptr, "val", &present);
            if (present != 0 && start >= std::numeric_limits<std::int16_t>::min() &&
                start <= std::numeric_limits<std::int16_t>::max())
                format->startAt = static_cast<std::int16_t>(start);
            continue;
        }
        const char* value = xmlGetAttrString(child, nullptr, "val", &present);
        if (value == nullptr) continue;
        if (xmlIsElement(child, "w", "pos")) {
            readPosition(value, format);
        } else if (xmlIsElement(child, "w", "numFmt")) {
            format->format = static_cast<std::int16_t>(lookupSectionNumberFormat(value));
        } else if (xmlIsElement(child, "w", "numRestart")) {
            format->restartType = static_cast<std::int16_t>(lookupNumberRestart(value));
        }
    }
}
