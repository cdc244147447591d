#include "import/wordml/WordMLParsing.h"

#include <libxml/parser.h>

#include "import/wordml/text/AlternateContent.h"
#include "model/storage/XmlErrors.h"
#include "package/xml/XmlElementSearch.h"

namespace {

// No XML_PARSE_NOENT, XML_PARSE_DTDLOAD or XML_PARSE_HUGE: entities stay references, no DTD is read,
// and the library's own limits on entity expansion hold.
constexpr int kParseOptions = XML_PARSE_NONET;

bool isWhiteSpaceOnly(const xmlChar* text) {
    for (const xmlChar* at = text; at != nullptr && *at != 0; ++at) {
        if (*at != ' ' && *at != '\t' && *at != '\n' && *at != '\r') return false;
    }
    return true;
}

bool isTextNode(const xmlNode* node) {
    return node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE;
}

void appendText(const xmlNode* node, std::string& text) {
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (isTextNode(child)) {
            if (child->content == nullptr) continue;
            if (isWhiteSpaceOnly(child->content) && !xmlIsElement(node, "w", "t") && !xmlIsElement(node, "w", "delText"))
                continue;
            text += reinterpret_cast<const char*>(child->content);
        } else if (child->type == XML_ELEMENT_NODE) {
            appendText(child, text);
        }
    }
}

// Elements whose content is never the text of the run that holds them.
bool holdsOtherText(const xmlNode* node) {
    return xmlIsElement(node, "w", "drawing") || xmlIsElement(node, "w", "pict") || xmlIsElement(node, "w", "object") ||
           xmlIsElement(node, "w", "binData") || xmlIsElement(node, "v", "textbox") ||
           xmlIsElement(node, "w", "txbxContent") || xmlIsElement(node, "w", "instrText") ||
           xmlIsElement(node, "w", "delInstrText");
}

void appendVisibleText(const xmlNode* node, bool withRuns, std::string& text) {
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE || holdsOtherText(child)) continue;
        if (!withRuns && xmlIsElement(child, "w", "r")) continue;
        if (xmlIsElement(child, "w", "t") || xmlIsElement(child, "w", "delText")) {
            appendText(child, text);
        } else {
            appendVisibleText(child, withRuns, text);
        }
    }
}

}  // namespace

xmlDoc* parseWordDocument(const char* bytes, std::int32_t size, std::string* problem) {
    xmlDoc* document = nullptr;
    {
        XmlErrorCapture capture;
        document = xmlReadMemory(bytes, size, nullptr, nullptr, kParseOptions);
        if (problem != nullptr) *problem = capture.firstMessage();
        if (document != nullptr && capture.hasFatalError()) {
            xmlFreeDoc(document);
            document = nullptr;
        }
    }
    if (document == nullptr && problem != nullptr && problem->empty()) *problem = "the document is not well-formed XML";
    if (document != nullptr) keepAlternateFallbacks(xmlDocGetRootElement(document));
    return document;
}

std::string runTextContent(const xmlNode* node) {
    std::string text;
    if (node == nullptr) return text;
    if (isTextNode(node)) {
        if (node->content != nullptr) text = reinterpret_cast<const char*>(node->content);
        return text;
    }
    appendText(node, text);
    return text;
}

std::string visibleRunText(const xmlNode* node, bool withRuns) {
    std::string text;
    if (node != nullptr) appendVisibleText(node, withRuns, text);
    return text;
}
