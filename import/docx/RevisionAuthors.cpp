#include "import/docx/RevisionAuthors.h"

#include "model/ParamBlockTables.h"
#include "package/XmlElementSearch.h"
#include "package/XmlNodeHelpers.h"

namespace {

constexpr const char* kAuthoredElements[] = {
    "comment",          "cellDel",        "cellIns",          "cellMerge",          "customXmlDelRangeStart",
    "customXmlInsRangeStart", "customXmlMoveFromRangeStart", "del", "ins",        "moveFrom",
    "moveFromRangeStart", "moveTo",       "moveToRangeStart", "numberingChange",    "pPrChange",
    "rPrChange",        "sectPrChange",   "tblGridChange",    "tblPrChange",        "tblPrExChange",
    "tcPrChange",       "trPrChange",
};

bool carriesAuthor(const xmlNode* node) {
    for (const char* name : kAuthoredElements) {
        if (xmlIsElement(node, "w", name)) return true;
    }
    return false;
}

}  // namespace

void collectRevisionAuthors(xmlNode* first, XParamBlock* block) {
    for (xmlNode* node = first; node != nullptr; node = node->next) {
        if (carriesAuthor(node)) {
            std::int16_t present = 0;
            if (const char* author = xmlGetAttrString(node, nullptr, "author", &present)) addAuthor(author, block);
        } else if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
            collectRevisionAuthors(node->children, block);
        }
    }
}
