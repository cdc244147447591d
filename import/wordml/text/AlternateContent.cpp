#include "import/wordml/text/AlternateContent.h"

#include "package/xml/XmlElementSearch.h"

namespace {

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

xmlNode* firstFallback(xmlNode* block) {
    for (xmlNode* child = block->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "mc", "Fallback")) return child;
    }
    return nullptr;
}

// Links the unlinked node in before the sibling. libxml2's own xmlAddPrevSibling may merge a text
// node into its neighbour and free it; here every node stays the node it was.
void linkBefore(xmlNode* sibling, xmlNode* node) {
    node->parent = sibling->parent;
    node->doc = sibling->doc;
    node->prev = sibling->prev;
    node->next = sibling;
    if (sibling->prev != nullptr) {
        sibling->prev->next = node;
    } else if (sibling->parent != nullptr) {
        sibling->parent->children = node;
    }
    sibling->prev = node;
}

// Moves the fallback's children before the block and frees the block; answers the node the walk goes
// on with: the first moved child, so that blocks nested in the fallback are replaced in turn.
xmlNode* replaceByFallback(xmlNode* block, const xmlNode* root) {
    xmlNode* firstMoved = nullptr;
    if (xmlNode* fallback = firstFallback(block)) {
        while (xmlNode* child = fallback->children) {
            xmlUnlinkNode(child);
            linkBefore(block, child);
            if (firstMoved == nullptr) firstMoved = child;
        }
    }
    xmlNode* next = firstMoved != nullptr ? firstMoved : nextNode(block, root, false);
    xmlUnlinkNode(block);
    xmlFreeNode(block);
    return next;
}

}  // namespace

// Iterative, so nesting as deep as the parser allows costs no stack.
void keepAlternateFallbacks(xmlNode* root) {
    xmlNode* current = root;
    while (current != nullptr) {
        if (current != root && xmlIsElement(current, "mc", "AlternateContent")) {
            current = replaceByFallback(current, root);
        } else {
            current = nextNode(current, root, true);
        }
    }
}
