#include "import/spreadsheet/sheets/SheetCellDescription.h"

namespace {

void describeAttribute(const char* name, const CellAttribute& attribute, std::string* out) {
    *out += name;
    *out += attribute.present ? "=[" + attribute.value + "] " : "- ";
}

// An element of a run's properties, its attributes in order and its child elements, depth first.
void describeTree(const xmlNode* node, std::string* out) {
    for (; node != nullptr; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        *out += "<";
        *out += reinterpret_cast<const char*>(node->name);
        for (const xmlAttr* attribute = node->properties; attribute != nullptr; attribute = attribute->next) {
            xmlChar* value = xmlNodeGetContent(reinterpret_cast<const xmlNode*>(attribute));
            *out += " ";
            *out += reinterpret_cast<const char*>(attribute->name);
            *out += "=[";
            if (value != nullptr) *out += reinterpret_cast<const char*>(value);
            *out += "]";
            xmlFree(value);
        }
        *out += ">";
        describeTree(node->children, out);
        *out += "</>";
    }
}

}  // namespace

std::string describeSheetCell(const SheetCell& cell) {
    std::string out = std::to_string(cell.position.row) + ":" + std::to_string(cell.position.column) + " row " +
                      std::to_string(cell.rowStyle) + " ";
    describeAttribute("s", cell.style, &out);
    describeAttribute("t", cell.type, &out);
    out += cell.hasValue ? "v=[" + cell.value + "] " : "v- ";
    out += cell.hasInlineText ? "is=[" + cell.inlineText + "]" : "is-";
    for (const InlineRun& run : cell.runs) {
        out += " run ";
        describeTree(run.properties.get(), &out);
        out += "[" + run.text + "]";
    }
    return out;
}
