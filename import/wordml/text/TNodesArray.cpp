#include "import/wordml/text/TNodesArray.h"

#include "import/wordml/text/UniqueTags.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNamespaces.h"
#include "package/xml/XmlNodeHelpers.h"
#include "picture/containers/ContainerName.h"

namespace {

constexpr const char* kShapeNames[] = {"arc",      "background", "curve", "group",         "image",
                                       "line",     "object",     "oval",  "pict",          "polyline",
                                       "rect",     "roundrect",  "shape", "shapedefaults", "shapetype"};

bool isVmlShape(const xmlNode* node) {
    // Nearly every element of a document lies in another namespace: one look at it spares fifteen names.
    if (node->type != XML_ELEMENT_NODE || !namespaceMatchesPrefix(node->ns, "v")) return false;
    for (const char* name : kShapeNames) {
        if (xmlIsElement(node, "v", name)) return true;
    }
    return false;
}

bool holdsTextBox(const xmlNode* shape) {
    for (const xmlNode* child = shape->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "v", "textbox")) return true;
    }
    return false;
}

// "first" 0, "odd" 1, "even" 2; -1 for any other type.
std::int32_t headerFooterType(const xmlNode* element) {
    std::int16_t present = 0;
    const char* type = xmlGetAttrString(element, "w", "type", &present);
    if (type == nullptr) type = xmlGetAttrString(element, nullptr, "type", &present);
    if (type == nullptr) return -1;
    const std::string text(type);
    if (text == "first") return 0;
    if (text == "odd") return 1;
    if (text == "even") return 2;
    return -1;
}

bool hasAttribute(const xmlNode* element, const char* name) {
    std::int16_t present = 0;
    xmlGetAttrString(element, nullptr, name, &present);
    return present != 0;
}

}  // namespace

TNode& TNodesArray::append(xmlNode* element) {
    nodes.push_back(std::make_unique<TNode>());
    nodes.back()->node = element;
    return *nodes.back();
}

void TNodesArray::appendStory(xmlNode* element, std::int32_t storyType, std::int32_t storyMark) {
    TNode& node = append(element);
    node.storyType = storyType;
    node.storyMark = storyMark;
}

void TNodesArray::collectElements(xmlNode* first, const char* name) {
    for (xmlNode* node = first; node != nullptr; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        if (xmlIsElement(node, "w", name)) {
            append(node);
        } else {
            collectElements(node->children, name);
        }
    }
}

void TNodesArray::collectHeadersFooters(xmlNode* first, const char* name, UniqueTags& tags) {
    for (xmlNode* node = first; node != nullptr; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        if (!xmlIsElement(node, "w", name)) {
            collectHeadersFooters(node->children, name, tags);
            continue;
        }
        const std::int32_t type = headerFooterType(node);
        xmlNode* section = xmlNextElement(node, "w", "sectPr");
        if (type < 0 || section == nullptr) continue;
        TNode& kept = append(node);
        kept.storyType = type;
        kept.storyMark = tags.tagOf(section);
    }
}

void TNodesArray::collectNotes(xmlNode* first, const char* name) {
    for (xmlNode* node = first; node != nullptr; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        if (!xmlIsElement(node, "w", name)) {
            collectNotes(node->children, name);
        } else if (!hasAttribute(node, "type")) {
            append(node);
        }
    }
}

void TNodesArray::collectTextBoxes(xmlNode* first) {
    for (xmlNode* node = first; node != nullptr; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        if (isVmlShape(node) && holdsTextBox(node)) {
            std::int16_t present = 0;
            const char* id = xmlGetAttrString(node, nullptr, "id", &present);
            if (id != nullptr) append(node).shapeId = id;
        } else if (xmlIsElement(node, "wps", "txbx")) {
            if (const std::optional<std::string> name = drawingTextBoxName(node)) append(node).shapeId = *name;
        }
        collectTextBoxes(node->children);
    }
}

void TNodesArray::collectTables(xmlNode* first, UniqueTags& tags, int enclosingTables) {
    for (xmlNode* node = first; node != nullptr; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        int depth = enclosingTables;
        if (xmlIsElement(node, "w", "tbl")) {
            if (++depth > kMaxTableNesting) continue;
            TNode& kept = append(node);
            kept.isTable = true;
            kept.storyMark = tags.tagOf(node);
        }
        collectTables(node->children, tags, depth);
    }
}

const TNode* TNodesArray::next() {
    if (cursor >= nodes.size()) return nullptr;
    return nodes[cursor++].get();
}
