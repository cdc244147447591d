#pragma once
// A flat OpenDocument file that LibreOffice wrote from our output, asked with XPath: the oracle tests'
// way of finding what a reader made of a document.
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <memory>
#include <string>
#include <utility>

namespace testsupport {

class FlatDocument {
public:
    explicit FlatDocument(const std::string& path)
        : document(xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_HUGE), xmlFreeDoc) {}
    bool parsed() const { return document != nullptr; }
    // The number of nodes the expression finds, or the value of a numeric expression.
    double evaluate(const std::string& expression) const {
        if (!document) return 0;
        std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(xmlXPathNewContext(document.get()),
                                                                                 xmlXPathFreeContext);
        for (const auto& [prefix, uri] : kNamespaces)
            xmlXPathRegisterNs(context.get(), reinterpret_cast<const xmlChar*>(prefix),
                               reinterpret_cast<const xmlChar*>(uri));
        std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> found(
            xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(expression.c_str()), context.get()),
            xmlXPathFreeObject);
        if (!found) return 0;
        if (found->type == XPATH_NUMBER) return found->floatval;
        return found->nodesetval != nullptr ? found->nodesetval->nodeNr : 0;
    }

private:
    static constexpr std::pair<const char*, const char*> kNamespaces[] = {
        {"office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0"},
        {"style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0"},
        {"text", "urn:oasis:names:tc:opendocument:xmlns:text:1.0"},
        {"table", "urn:oasis:names:tc:opendocument:xmlns:table:1.0"},
        {"fo", "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"},
        {"draw", "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"},
        {"xlink", "http://www.w3.org/1999/xlink"},
        {"dc", "http://purl.org/dc/elements/1.1/"},
    };
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document;
};

}  // namespace testsupport
