// Which paragraphs a story takes, and the section break that opens a new section of the main story.
#include "foundation/text/NameCompare.h"
#include "import/wordml/CWordMLImporter.h"
#include "model/params/XParamBlock.h"
#include "model/story/StoryKinds.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr std::int16_t kSectionBreakAnswer = 8;
constexpr std::int16_t kNoBreakAnswer = 13;

struct SectionStart {
    const char* name;
    std::int32_t kind;
};

// The start types of a section as the section-break unit carries them; any other value is 1 (default).
constexpr SectionStart kSectionStarts[] = {
    {"next-page", 2}, {"next-column", 3}, {"continuous", 4}, {"even-page", 6}, {"odd-page", 5},
};
constexpr std::int32_t kDefaultSectionStart = 1;

}  // namespace

// Headers, footers and tables are stories of their own: the main story passes over their paragraphs.
std::int16_t CWordMLImporter::acceptParagraph(xmlNode* paragraph) {
    if (block->storyNumber != storykind::kMain || paragraph == nullptr) return 1;
    if (xmlNextElement(paragraph, "w", "hdr") != nullptr || xmlNextElement(paragraph, "w", "ftr") != nullptr ||
        xmlNextElement(paragraph, "w", "tbl") != nullptr)
        return 0;
    return 1;
}

// A section node without section properties, or whose start type has no value, makes no break.
std::int16_t CWordMLImporter::sectionBreakCode(xmlNode* section) {
    xmlNode* properties = sectionPropertiesOf(section);
    if (properties == nullptr) return kNoBreakAnswer;
    std::int32_t kind = kDefaultSectionStart;
    if (xmlNode* type = xmlFindElement(properties->children, "w", "type", 0)) {
        std::int16_t present = 0;
        const char* value = xmlGetAttrString(type, nullptr, "val", &present);
        if (value == nullptr) return kNoBreakAnswer;
        for (const SectionStart& start : kSectionStarts) {
            if (compareNames(value, start.name) == 0) kind = start.kind;
        }
    }
    block->form.txtData = kind;
    return kSectionBreakAnswer;
}

// An override point of the note stories; the notes' own marks are read with the run content.
std::int16_t CWordMLImporter::noteParagraphHook(xmlNode*) {
    return 1;
}
