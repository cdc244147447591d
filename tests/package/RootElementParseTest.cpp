// The root-only read must answer as a whole parse does: null for exactly the texts a whole parse
// refuses, and otherwise the same root element with its namespace and attributes, with nothing under it.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <memory>
#include <string>

#include "package/xml/RootElementParse.h"

namespace {

constexpr int kOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
constexpr const char* kWordNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

struct DocumentFree {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using Document = std::unique_ptr<xmlDoc, DocumentFree>;

Document readWhole(const std::string& text) {
    return Document(xmlReadMemory(text.data(), static_cast<int>(text.size()), "part.xml", nullptr, kOptions));
}

Document readRoot(const std::string& text) {
    return Document(readRootElementOnly(text.data(), static_cast<int>(text.size()), "part.xml", nullptr, kOptions));
}

std::string namespaceOf(const xmlNode* element) {
    return element->ns != nullptr ? reinterpret_cast<const char*>(element->ns->href) : "";
}

struct Case {
    const char* name;
    std::string text;
};

const std::string kOpen = std::string("<w:document xmlns:w=\"") + kWordNamespace + "\" w:conformance=\"strict\">";

const Case kCases[] = {
    {"plain", kOpen + "<w:body><w:p><w:r><w:t>text</w:t></w:r></w:p></w:body></w:document>"},
    {"every kind of content", "<?xml version=\"1.0\"?>\n<!-- before -->" + kOpen +
                                  "<!-- c --><?pi x?><![CDATA[a<b]]>&amp;&#65;<w:body/>  \n</w:document><!-- after -->"},
    {"declared entity", "<!DOCTYPE w:document [<!ENTITY e \"<w:p>x</w:p>\">]>" + kOpen + "&e;</w:document>"},
    {"other root", "<w:styles xmlns:w=\"urn:x\"><w:style/></w:styles>"},
    {"no namespace", "<document><body/></document>"},
    {"broken deep inside", kOpen + "<w:body><w:p><w:r></w:p></w:body></w:document>"},
    {"cut short", kOpen + "<w:body><w:p>"},
    {"undeclared entity", kOpen + "&nothing;</w:document>"},
    {"text after the root", kOpen + "</w:document>tail"},
    {"no root", "<?xml version=\"1.0\"?>"},
    {"empty", ""},
    {"bad attribute deep inside", kOpen + "<w:body a=\"1\" a=\"2\"/></w:document>"},
};

TEST(RootElementParse, AnswersAsAWholeParseWithTheRootAlone) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const Document whole = readWhole(c.text);
        const Document root = readRoot(c.text);
        ASSERT_EQ(whole == nullptr, root == nullptr);
        if (whole == nullptr) continue;
        const xmlNode* wholeRoot = xmlDocGetRootElement(whole.get());
        const xmlNode* onlyRoot = xmlDocGetRootElement(root.get());
        ASSERT_NE(onlyRoot, nullptr);
        EXPECT_STREQ(reinterpret_cast<const char*>(onlyRoot->name), reinterpret_cast<const char*>(wholeRoot->name));
        EXPECT_EQ(namespaceOf(onlyRoot), namespaceOf(wholeRoot));
        EXPECT_EQ(onlyRoot->children, nullptr);
        EXPECT_EQ(onlyRoot->next, nullptr);
    }
}

TEST(RootElementParse, KeepsTheRootsAttributes) {
    const Document root = readRoot(kOpen + "<w:body/></w:document>");
    ASSERT_NE(root, nullptr);
    xmlChar* value = xmlGetNsProp(xmlDocGetRootElement(root.get()), reinterpret_cast<const xmlChar*>("conformance"),
                                  reinterpret_cast<const xmlChar*>(kWordNamespace));
    ASSERT_NE(value, nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(value), "strict");
    xmlFree(value);
}

}  // namespace
