#include "package/RelatedParts.h"

#include <string_view>

#include "foundation/text/NameCompare.h"
#include "package/PartName.h"
#include "package/xml/XmlNodeHelpers.h"

std::string partOfType(const xmlNode* relationships, const char* sourceFolder, PartKind kind,
                       const char* conventionalPath) {
    for (xmlNode* child = relationships != nullptr ? relationships->children : nullptr; child != nullptr;
         child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        std::int16_t present = 0;
        const char* relationType = xmlGetAttrString(child, nullptr, "Type", &present);
        if (relationType == nullptr || !isRelationshipOfKind(relationType, kind)) continue;
        if (const char* mode = xmlGetAttrString(child, nullptr, "TargetMode", &present);
            mode != nullptr && compareNames(mode, "External") == 0)
            continue;
        if (const char* target = xmlGetAttrString(child, nullptr, "Target", &present)) {
            if (auto part = resolvePartName(sourceFolder, target)) return *part;
        }
    }
    return conventionalPath;
}
