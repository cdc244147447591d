#include "picture/containers/ContainerName.h"

#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr const char* kShapeNames[] = {"shape", "line", "polyline", "curve", "rect", "roundrect", "oval", "arc", "image"};

std::optional<std::string> idOf(const xmlNode* element) {
    xmlChar* value = xmlGetAttr(element, "id");
    if (value == nullptr) return std::nullopt;
    std::string id(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return id;
}

std::optional<std::string> firstChildId(const xmlNode* parent, bool (*accepts)(const xmlNode*)) {
    for (const xmlNode* child = parent->children; child != nullptr; child = child->next) {
        if (!accepts(child)) continue;
        if (std::optional<std::string> id = idOf(child)) return id;
    }
    return std::nullopt;
}

std::optional<std::string> drawingName(const xmlNode* drawing) {
    const xmlNode* first = xmlFirstElementChild(const_cast<xmlNode*>(drawing));
    if (!xmlIsElement(first, "wp", "anchor") && !xmlIsElement(first, "wp", "inline")) return std::nullopt;
    for (const xmlNode* child = first->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "wp", "docPr")) return idOf(child);
    }
    return std::nullopt;
}

}  // namespace

bool isVmlShapeElement(const xmlNode* node) {
    for (const char* name : kShapeNames) {
        if (xmlIsElement(node, "v", name)) return true;
    }
    return false;
}

std::optional<std::string> vmlContainerKind(const xmlNode* container) {
    if (xmlIsElement(container, "w", "drawing")) return drawingName(container);
    if (!xmlIsElement(container, "w", "pict") && !xmlIsElement(container, "w", "object")) return std::nullopt;
    const xmlNode* first = xmlFirstElementChild(const_cast<xmlNode*>(container));
    if (xmlIsElement(first, "v", "group")) return idOf(first);
    if (std::optional<std::string> id = firstChildId(container, isVmlShapeElement)) return id;
    return firstChildId(container, [](const xmlNode* node) { return xmlIsElement(node, "w", "binData") == 1; });
}

const xmlNode* drawingTextBox(const xmlNode* graphicData) {
    if (!xmlIsElement(graphicData, "a", "graphicData")) return nullptr;
    for (const xmlNode* shape = graphicData->children; shape != nullptr; shape = shape->next) {
        if (!xmlIsElement(shape, "wps", "wsp")) continue;
        for (const xmlNode* child = shape->children; child != nullptr; child = child->next) {
            if (xmlIsElement(child, "wps", "txbx")) return child;
        }
    }
    return nullptr;
}

std::optional<std::string> drawingTextBoxName(const xmlNode* textBox) {
    // wps:txbx < wps:wsp < a:graphicData < a:graphic < wp:anchor or wp:inline < w:drawing
    const xmlNode* shape = textBox != nullptr ? textBox->parent : nullptr;
    const xmlNode* data = shape != nullptr ? shape->parent : nullptr;
    if (data == nullptr || drawingTextBox(data) != textBox) return std::nullopt;
    const xmlNode* graphic = data->parent;
    const xmlNode* frame = graphic != nullptr ? graphic->parent : nullptr;
    const xmlNode* drawing = frame != nullptr ? frame->parent : nullptr;
    if (!xmlIsElement(graphic, "a", "graphic") || !xmlIsElement(drawing, "w", "drawing")) return std::nullopt;
    const std::optional<std::string> id = drawingName(drawing);
    if (!id) return std::nullopt;
    return "drawing" + *id;
}
