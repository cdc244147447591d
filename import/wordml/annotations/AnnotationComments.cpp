#include "import/wordml/annotations/AnnotationComments.h"

#include "import/wordml/properties/ValueVocabularies.h"
#include "import/wordml/text/TNodesArray.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr std::int32_t kCommentAnnotation = 5;

}  // namespace

bool isAnnotationComment(const xmlNode* element) {
    std::int16_t present = 0;
    return xmlIsElement(element, "aml", "annotation") &&
           lookupAnnotationType(xmlGetAttrString(element, nullptr, "type", &present)) == kCommentAnnotation;
}

void collectAnnotationComments(TNodesArray& comments, xmlNode* first) {
    for (xmlNode* node = first; node != nullptr; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        if (!isAnnotationComment(node)) {
            collectAnnotationComments(comments, node->children);
            continue;
        }
        if (xmlNode* content = xmlFindElement(node->children, "aml", "content", 0)) comments.appendStory(content, 0, 0);
    }
}
