#include "engine/export/parameters/RequiredElement.h"

#include <string>

#include "foundation/CFail.h"

namespace {
constexpr const char* kUnit = "BEngineExp";
}

RequiredElement::RequiredElement(CStream& parent, const char* name, std::source_location where) {
    xmlNode* const parentNode = parent.getNode();
    xmlNode* const found =
        parentNode != nullptr ? CStream::findChild(parentNode->children, name, nullptr, nullptr, 0) : nullptr;
    if (found == nullptr) throwFail(result::kNullObject, static_cast<std::int32_t>(where.line()), kUnit);
    stream.setNode(found);
}

bool hasAttribute(CStream& element, const char* name) {
    std::string value;
    return attributeValue(element.getNode(), name, value);
}
