#include "import/wordml/text/UniqueTags.h"

#include <climits>
#include <cstdio>

#include "foundation/CRandom.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr const char* kTagName = "AutoUniqueTag";
constexpr std::int32_t kLowestTag = 0x7fff;

}  // namespace

void UniqueTags::collectFrom(const xmlNode* root) {
    for (const xmlNode* node = root; node != nullptr; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        std::int16_t present = 0;
        const std::int32_t tag = xmlGetAttrInt(node, nullptr, kTagName, &present);
        if (present) inUse.insert(tag);
        collectFrom(node->children);
    }
}

std::int32_t UniqueTags::tagOf(xmlNode* element) {
    std::int16_t present = 0;
    const std::int32_t existing = xmlGetAttrInt(element, nullptr, kTagName, &present);
    if (present) {
        inUse.insert(existing);
        return existing;
    }
    std::int32_t drawn = randomInRange(kLowestTag, INT32_MAX);
    while (inUse.count(drawn) != 0) drawn = randomInRange(kLowestTag, INT32_MAX);
    inUse.insert(drawn);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", static_cast<int>(drawn));
    xmlSetProp(element, reinterpret_cast<const xmlChar*>(kTagName), reinterpret_cast<const xmlChar*>(digits));
    return drawn;
}
