#pragma once
// A small XML document parsed from text for one test, freed when the test ends.
#include <libxml/parser.h>

#include <string>

namespace testsupport {

class XmlDocument {
public:
    explicit XmlDocument(const std::string& xml)
        : doc(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, XML_PARSE_NONET)) {}
    ~XmlDocument() { xmlFreeDoc(doc); }
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;
    xmlNode* root() const { return xmlDocGetRootElement(doc); }

private:
    xmlDoc* doc;
};

}  // namespace testsupport
