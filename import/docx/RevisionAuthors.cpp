#include "import/docx/RevisionAuthors.h"

#include "model/params/ParamBlockTables.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr const char* kAuthoredElements[] = {
    "comment",          "cellDel",        "cellIns",          "cellMerge",          "customXmlDelRangeStart",
    "customXmlInsRangeStart", "customXmlMoveFromRangeStart", "del", "ins",        "moveFrom",
    "moveFromRangeStart", "moveTo",       "moveToRangeStart", "numberingChange",    "pPrChange",
    "rPrChange",        "sectPrChange",   "tblGridChange",    "tblPrChange",        "tblPrExChange",
    "tcPrChange",       "trPrChange",
};

// The first letter names are compared by: a single leading '-' is stepped over and case is ignored.
char firstNameLetter(const char* name) {
    const char first = name[0] == '-' ? name[1] : name[0];
    return first >= 'A' && first <= 'Z' ? static_cast<char>(first + ('a' - 'A')) : first;
}

bool carriesAuthor(const xmlNode* node) {
    if (node->type != XML_ELEMENT_NODE || node->name == nullptr) return false;
    // Every element of the body is tested: its first letter rules out nearly all names unread.
    const char first = firstNameLetter(reinterpret_cast<const char*>(node->name));
    for (const char* name : kAuthoredElements) {
        if (name[0] == first && xmlIsElement(node, "w", name)) return true;
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
