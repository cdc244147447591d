#pragma once
// Small XML snippets for the shape translators' tests: parsed with libxml2, freed with the object. The
// snippet's root element is the element under test.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <string>

class ShapeXmlSnippet {
public:
    explicit ShapeXmlSnippet(const std::string& xml)
        : fDocument(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "snippet.xml", nullptr, XML_PARSE_NONET)) {}
    ~ShapeXmlSnippet() { xmlFreeDoc(fDocument); }
    ShapeXmlSnippet(const ShapeXmlSnippet&) = delete;
    ShapeXmlSnippet& operator=(const ShapeXmlSnippet&) = delete;

    xmlNode* root() const { return fDocument != nullptr ? xmlDocGetRootElement(fDocument) : nullptr; }

private:
    xmlDoc* fDocument;
};

// The namespaces the snippets bind.
inline const char* const kShapeNamespaces =
    " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
    " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
    " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
    " xmlns:v=\"urn:schemas-microsoft-com:vml\""
    " xmlns:o=\"urn:schemas-microsoft-com:office:office\""
    " xmlns:w10=\"urn:schemas-microsoft-com:office:word\"";
