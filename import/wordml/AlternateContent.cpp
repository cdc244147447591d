#include "import/wordml/AlternateContent.h"

#include "package/XmlElementSearch.h"

namespace {

bool isChoiceOfAlternateContent(const xmlNode* node) {
    return xmlIsElement(node, "mc", "Choice") && node->parent != nullptr &&
           xmlIsElement(node->parent, "mc", "AlternateContent");
}

// The node after current in document order, staying below root; an element's children first when
// descend is true.
xmlNode* nextNode(xmlNode* current, const xmlNode* root, bool descend) {
    if (descend && current->type == XML_ELEMENT_NODE && current->children != nullptr) return current->children;
    while (current != root) {
        if (current->next != nullptr) return current->next;
        current = current->parent;
    }
    return nullptr;
}

}  // namespace

// Iterative, so nesting as deep as the parser allows costs no stack.
void dropAlternateChoices(xmlNode* root) {
    xmlNode* current = root;
    while (current != nullptr) {
        if (current != root && isChoiceOfAlternateContent(current)) {
            xmlNode* next = nextNode(current, root, false);
            xmlUnlinkNode(current);
            xmlFreeNode(current);
            current = next;
        } else {
            current = nextNode(current, root, true);
        }
    }
}
