#include "import/spreadsheet/CStringsArray.h"

#include "package/xml/XmlElementSearch.h"

CStringsArray::CStringsArray(xmlDoc* parsed) : document(parsed) {
    const xmlNode* root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    if (!xmlIsElement(root, nullptr, "sst")) return;
    for (const xmlNode* child = root->children; child != nullptr; child = child->next)
        if (xmlIsElement(child, nullptr, "si")) items.push_back(child);
}

const xmlNode* CStringsArray::stringAt(std::int64_t index) const {
    if (index < 0 || static_cast<std::uint64_t>(index) >= items.size()) return nullptr;
    return items[static_cast<std::size_t>(index)];
}
