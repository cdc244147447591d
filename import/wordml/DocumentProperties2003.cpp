// The summary information (o:DocumentProperties) and the document settings (w:docPr) of a Word 2003
// XML document, as far as the document head (XHead) and the note formats use them. Both elements are
// looked for directly under the root; a document without them converts with the defaults. Bad values
// never fail: a number that does not parse is 0, an unknown element is skipped.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "foundation/memory/Memory.h"
#include "import/wordml/CWordMLImporter.h"
#include "model/params/XParamBlock.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

struct NumberProperty {
    const char* name;
    std::int32_t XHead::*field;
};

struct FlagSetting {
    const char* name;
    std::int16_t XHead::*field;
};

// o:Title, o:Subject, o:Author: cut to fit with a terminating 0.
struct TextField {
    const char* name;
    char* (*field)(XHead&);
    std::size_t capacity;
};

const TextField kTextProperties[] = {
    {"Title", [](XHead& head) { return head.originalTitle; }, sizeof(XHead::originalTitle)},
    {"Subject", [](XHead& head) { return head.originalSubject; }, sizeof(XHead::originalSubject)},
    {"Author", [](XHead& head) { return head.originalAuthor; }, sizeof(XHead::originalAuthor) - 1},
};

const NumberProperty kNumberProperties[] = {
    {"Pages", &XHead::numOfPages},
    {"Words", &XHead::numOfWords},
    {"Characters", &XHead::numOfCharsNoSpace},
    {"CharactersWithSpaces", &XHead::numOfCharsWithSpace},
};

// The compatibility options of w:compat: set when "val" is absent or true, never cleared.
const FlagSetting kCompatibilityFlags[] = {
    {"alignTablesRowByRow", &XHead::alignTablesRowByRow},
    {"adjustLineHeightInTable", &XHead::adjustLineHeightInTable},
    {"allowSpaceOfSameStyleInTable", &XHead::allowSpaceOfSameStyleInTable},
    {"forgetLastTabAlignment", &XHead::forgetLastTabAlignment},
    {"layoutTableRowsApart", &XHead::layoutTableRowsApart},
    {"useWord97LineBreakRules", &XHead::useWord97LineBreakRules},
    {"doNotUseHTMLParagraphAutoSpacing", &XHead::doNotUseHTMLParaAuSP},
    {"balanceSingleByteDoubleByteWidth", &XHead::balanceSBDB},
    {"ulTrailSpace", &XHead::ulTrailSpace},
    {"doNotLeaveBackslashAlone", &XHead::backslashToYen},
    {"spaceForUL", &XHead::spaceForUL},
    {"shapeLayoutLikeWW8", &XHead::shapeLayoutLikeWW8},
    {"footnoteLayoutLikeWW8", &XHead::footnoteLayoutLikeWW8},
    {"applyBreakingRules", &XHead::applyBreakingRules},
    {"useWord2002TableStyleRules", &XHead::useWord2002TableStyleRules},
};

struct BorderOption {
    const char* name;
    std::int16_t bit;
};

const BorderOption kBorderOptions[] = {
    {"alignBordersAndEdges", 1},
    {"bordersDontSurroundHeader", 4},
    {"bordersDoNotSurroundHeader", 4},
    {"bordersDontSurroundFooter", 8},
    {"bordersDoNotSurroundFooter", 8},
};

// Copies the element's text (one byte per character) cut to capacity - 1 bytes; an empty text leaves
// the field as it was.
void copyText(const xmlNode* element, char* field, std::size_t capacity) {
    char* text = xmlGetText(element);
    if (text != nullptr && text[0] != '\0') {
        const std::size_t length = std::min(std::strlen(text), capacity - 1);
        std::memcpy(field, text, length);
        field[length] = '\0';
    }
    freeMemory(text);
}

void readSummary(const xmlNode* properties, XHead& head) {
    for (const xmlNode* child = properties->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        for (const TextField& property : kTextProperties) {
            if (xmlIsElement(child, "o", property.name)) copyText(child, property.field(head), property.capacity);
        }
        for (const NumberProperty& property : kNumberProperties) {
            if (xmlIsElement(child, "o", property.name)) head.*property.field = xmlGetTextInt(child);
        }
    }
}

void readCompatibility(const xmlNode* compat, XHead& head) {
    for (const xmlNode* child = compat->children; child != nullptr; child = child->next) {
        for (const FlagSetting& flag : kCompatibilityFlags) {
            if (xmlIsValOn(child, "w", flag.name)) head.*flag.field = 1;
        }
    }
}

}  // namespace

void CWordMLImporter::readDocumentProperties() {
    XHead& head = block->head;
    if (const xmlNode* properties = xmlFindElement(rootElement->children, "o", "DocumentProperties", 0))
        readSummary(properties, head);
    xmlNode* settings = xmlFindElement(rootElement->children, "w", "docPr", 0);
    if (settings == nullptr) return;
    for (xmlNode* child = settings->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        std::int16_t present = 0;
        if (xmlIsElement(child, "w", "mirrorMargins")) {
            head.mirrorMargins = xmlGetToggle(child);
        } else if (xmlIsElement(child, "w", "trackRevisions")) {
            head.trackRevisions = xmlGetAttrBool(child, nullptr, "val", &present);
        } else if (xmlIsElement(child, "w", "defaultTabStop")) {
            const std::int32_t width = xmlGetAttrInt(child, nullptr, "val", &present);
            if (present && width >= 0 && width <= INT16_MAX) head.defaultTabWidth = static_cast<std::int16_t>(width);
        } else if (xmlIsElement(child, "w", "evenAndOddHeaders")) {
            head.headers = xmlGetToggle(child) == 1 ? 2 : 0;
        } else if (xmlIsElement(child, "w", "doNotShadeFormData")) {
            head.doNotShadeFormData = xmlGetToggle(child);
        } else if (xmlIsElement(child, "w", "footnotePr")) {
            readNoteProperties(child, &footnoteFormat);
        } else if (xmlIsElement(child, "w", "endnotePr")) {
            readNoteProperties(child, &endnoteFormat);
        } else if (xmlIsElement(child, "w", "compat")) {
            readCompatibility(child, head);
        } else {
            for (const BorderOption& option : kBorderOptions) {
                if (xmlIsElement(child, "w", option.name)) head.borderOptions |= option.bit;
            }
        }
    }
}
