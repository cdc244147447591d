#include "import/docx/ExtendedProperties.h"

#include <limits>

#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

struct CountElement {
    const char* name;
    std::int64_t percentAdded;
};

constexpr CountElement kCounts[] = {{"Characters", 40}, {"CharactersWithSpaces", 20}};

}  // namespace

void readExtendedProperties(const xmlNode* root, std::int32_t* expectedLength) {
    if (root == nullptr || expectedLength == nullptr) return;
    for (const xmlNode* child = root->children; child != nullptr; child = child->next) {
        for (const CountElement& count : kCounts) {
            if (!xmlIsElement(child, nullptr, count.name)) continue;
            const std::int64_t characters = xmlGetTextInt(child);
            if (characters <= 0) break;
            const std::int64_t estimate = characters + characters * count.percentAdded / 100;
            *expectedLength = static_cast<std::int32_t>(
                std::min<std::int64_t>(estimate, std::numeric_limits<std::int32_t>::max()));
            break;
        }
    }
}
