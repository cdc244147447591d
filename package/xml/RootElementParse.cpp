#include "package/xml/RootElementParse.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>

namespace {

// The library's own handler makes the first element; every element under it is only checked by the
// parser, never built.
void startElement(void* context, const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri,
                  int namespaceCount, const xmlChar** namespaces, int attributeCount, int defaulted,
                  const xmlChar** attributes) {
    const auto* parser = static_cast<xmlParserCtxtPtr>(context);
    if (parser->myDoc != nullptr && xmlDocGetRootElement(parser->myDoc) != nullptr) return;
    xmlSAX2StartElementNs(context, localName, prefix, uri, namespaceCount, namespaces, attributeCount, defaulted,
                          attributes);
}

}  // namespace

xmlDoc* readRootElementOnly(const char* bytes, int size, const char* url, const char* encoding, int options) {
    xmlParserCtxtPtr parser = xmlNewParserCtxt();
    if (parser == nullptr) return nullptr;
    xmlSAXHandler* handler = parser->sax;
    handler->startElementNs = startElement;
    // The root stays the current node to the end: nothing may be added under it.
    handler->endElementNs = nullptr;
    handler->characters = nullptr;
    handler->ignorableWhitespace = nullptr;
    handler->cdataBlock = nullptr;
    handler->comment = nullptr;
    handler->processingInstruction = nullptr;
    handler->reference = nullptr;
    xmlDoc* document = xmlCtxtReadMemory(parser, bytes, size, url, encoding, options);
    xmlFreeParserCtxt(parser);
    return document;
}
