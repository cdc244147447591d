// The root-only read of XML over any bytes, against the whole parse of the same bytes: both refuse the
// same texts, and where they take one they find the same root element (name and namespace), the root-only
// read with nothing under it. A disagreement traps.
#include <libxml/parser.h>

#include <climits>
#include <cstdint>
#include <string>

#include "package/xml/RootElementParse.h"

namespace {

// Those of the package reader.
constexpr int kOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

std::string namespaceOf(const xmlNode* element) {
    return element->ns != nullptr && element->ns->href != nullptr ? reinterpret_cast<const char*>(element->ns->href)
                                                                  : "";
}

bool sameRoot(const xmlDoc* whole, const xmlDoc* rootOnly) {
    if (whole == nullptr || rootOnly == nullptr) return whole == rootOnly;
    const xmlNode* wholeRoot = xmlDocGetRootElement(whole);
    const xmlNode* onlyRoot = xmlDocGetRootElement(rootOnly);
    if (wholeRoot == nullptr || onlyRoot == nullptr) return wholeRoot == onlyRoot;
    return xmlStrEqual(wholeRoot->name, onlyRoot->name) != 0 && namespaceOf(wholeRoot) == namespaceOf(onlyRoot) &&
           onlyRoot->children == nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > INT_MAX) return 0;
    const auto* bytes = reinterpret_cast<const char*>(data);
    const int length = static_cast<int>(size);
    xmlDoc* whole = xmlReadMemory(bytes, length, "part.xml", nullptr, kOptions);
    xmlDoc* rootOnly = readRootElementOnly(bytes, length, "part.xml", nullptr, kOptions);
    const bool agree = sameRoot(whole, rootOnly);
    xmlFreeDoc(whole);
    xmlFreeDoc(rootOnly);
    if (!agree) __builtin_trap();
    return 0;
}
