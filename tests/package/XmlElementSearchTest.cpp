#include <gtest/gtest.h>

#include <cstring>

#include "package/xml/XmlElementSearch.h"
#include "tests/package/XmlDocument.h"

namespace {

using testsupport::XmlDocument;

constexpr const char* kWordUri = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

const char* nameOf(const xmlNode* node) {
    return node ? reinterpret_cast<const char*>(node->name) : "(null)";
}

TEST(XmlElementTest, PrefixesNameNamespacesAndNamesFollowTheNameRule) {
    XmlDocument prefixed(std::string("<w:p xmlns:w=\"") + kWordUri + "\"/>");
    XmlDocument otherPrefix(std::string("<ns0:p xmlns:ns0=\"") + kWordUri + "\"/>");
    XmlDocument byDefault(std::string("<p xmlns=\"") + kWordUri + "\"/>");
    XmlDocument none("<p/>");
    for (const XmlDocument* d : {&prefixed, &otherPrefix, &byDefault}) {
        EXPECT_EQ(xmlIsElement(d->root(), "W", "P"), 1);
        EXPECT_EQ(xmlIsElement(d->root(), "a", "p"), 0);
        EXPECT_EQ(xmlIsElement(d->root(), nullptr, "p"), 1);
        EXPECT_EQ(xmlIsElement(d->root(), "w", "r"), 0);
    }
    EXPECT_EQ(xmlIsElement(none.root(), "w", "p"), 0);  // no namespace never matches a prefix
    EXPECT_EQ(xmlIsElement(none.root(), nullptr, "p"), 1);
    EXPECT_EQ(xmlIsElement(nullptr, nullptr, "p"), 0);
    EXPECT_EQ(xmlIsElement(none.root()->doc->children, nullptr, "p"), 1);
}

TEST(XmlElementTest, ValOn) {
    XmlDocument d(R"(<r><b/><b val="off"/><i/></r>)");
    xmlNode* b = d.root()->children;
    EXPECT_EQ(xmlIsValOn(b, nullptr, "b"), 1);
    EXPECT_EQ(xmlIsValOn(b->next, nullptr, "b"), 0);
    EXPECT_EQ(xmlIsValOn(b->next->next, nullptr, "b"), 0);
}

TEST(XmlSearch, DepthFirstInDocumentOrder) {
    XmlDocument d(R"(<r><a><x id="1"><x id="2"/></x></a>text<x id="3"/></r>)");
    xmlNode* first = d.root()->children;
    xmlNode* hit = xmlFindElement(first, nullptr, "x", 1);
    ASSERT_NE(hit, nullptr);
    xmlChar* id = xmlGetProp(hit, BAD_CAST "id");
    EXPECT_STREQ(reinterpret_cast<const char*>(id), "1");
    xmlFree(id);
    hit = xmlFindElement(first, nullptr, "x", 0);  // siblings only
    ASSERT_NE(hit, nullptr);
    id = xmlGetProp(hit, BAD_CAST "id");
    EXPECT_STREQ(reinterpret_cast<const char*>(id), "3");
    xmlFree(id);
    EXPECT_EQ(xmlFindElement(first, nullptr, "y", 1), nullptr);
    EXPECT_EQ(xmlFindElement(nullptr, nullptr, "x", 1), nullptr);
}

TEST(XmlSearch, EnclosingElementsStopWhereAsked) {
    XmlDocument d(R"(<tbl><tr><tc><textbox><tbl><tc><p/></tc></tbl></textbox><p/></tc><trPr/></tr></tbl>)");
    xmlNode* tc = d.root()->children->children;
    xmlNode* innerP = tc->children->children->children->children;
    xmlNode* outerP = tc->children->next;
    ASSERT_STREQ(nameOf(innerP), "p");
    EXPECT_EQ(xmlNextElement(innerP, nullptr, "tr", {{nullptr, "textbox"}}), nullptr);
    EXPECT_STREQ(nameOf(xmlNextElement(innerP, nullptr, "tr")), "tr");
    EXPECT_STREQ(nameOf(xmlNextElement(outerP, nullptr, "tr", {{nullptr, "textbox"}})), "tr");
    // A stop equal to the asked name wins.
    EXPECT_EQ(xmlNextElement(outerP, nullptr, "tr", {{nullptr, "tr"}}), nullptr);
    EXPECT_EQ(xmlNextElement(d.root(), nullptr, "tr"), nullptr);
    EXPECT_STREQ(nameOf(xmlFindChild(outerP, nullptr, "tr", nullptr, "trPr")), "trPr");
    EXPECT_EQ(xmlFindChild(outerP, nullptr, "tr", nullptr, "p"), nullptr);  // children only
}

// A document nested deeper than the parser takes by default: the search neither overflows the stack
// nor fails to answer for what lies within its reach.
TEST(XmlSearch, DeepTreesEndTheSearch) {
    xmlDoc* doc = xmlNewDoc(BAD_CAST "1.0");
    xmlNode* node = xmlNewNode(nullptr, BAD_CAST "n");
    xmlDocSetRootElement(doc, node);
    for (int i = 0; i < 100000; ++i) node = xmlNewChild(node, nullptr, BAD_CAST "n", nullptr);
    xmlNewChild(node, nullptr, BAD_CAST "leaf", nullptr);
    EXPECT_EQ(xmlFindElement(xmlDocGetRootElement(doc), nullptr, "leaf", 1), nullptr);
    EXPECT_STREQ(nameOf(xmlNextElement(node, nullptr, "n")), "n");
    xmlFreeDoc(doc);
}

}  // namespace
