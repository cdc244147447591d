#pragma once
// Storage elements compared as trees for the writer tests: element names, attributes in the order they
// stand (names and values), child elements in order and each element's text. Indentation between
// elements is no text. Golden elements live in tests/data/model and are rewritten only on request
// (VDK_UPDATE_GOLDEN=1), never by a passing run.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace elementtree {

inline const char* chars(const xmlChar* text) {
    return text == nullptr ? "" : reinterpret_cast<const char*>(text);
}

// The element and everything under it as indented XML.
inline std::string serialise(xmlNode* element) {
    std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), xmlBufferFree);
    xmlNodeDump(buffer.get(), element->doc, element, 0, 1);
    return std::string(chars(xmlBufferContent(buffer.get()))) + "\n";
}

inline std::vector<const xmlNode*> childElements(const xmlNode* element) {
    std::vector<const xmlNode*> children;
    for (const xmlNode* at = element->children; at != nullptr; at = at->next)
        if (at->type == XML_ELEMENT_NODE) children.push_back(at);
    return children;
}

// The element's own text; text that is only indentation counts as none.
inline std::string ownText(const xmlNode* element) {
    std::string text;
    for (const xmlNode* at = element->children; at != nullptr; at = at->next)
        if (at->type == XML_TEXT_NODE) text += chars(at->content);
    return text.find_first_not_of(" \t\r\n") == std::string::npos ? std::string() : text;
}

// name=value pairs in the order they stand.
inline std::vector<std::string> attributeList(const xmlNode* element) {
    std::vector<std::string> list;
    for (const xmlAttr* attribute = element->properties; attribute != nullptr; attribute = attribute->next) {
        xmlChar* value = xmlNodeListGetString(element->doc, attribute->children, 1);
        list.push_back(std::string(chars(attribute->name)) + "=" + chars(value));
        xmlFree(value);
    }
    return list;
}

// Everything under the element in document order: each element as its path, each attribute as
// "path@name=value" right after its element. A write that stops early leaves a start of the full trail.
inline void appendTrail(const xmlNode* element, const std::string& path, std::vector<std::string>& trail) {
    const std::string here = path + "/" + chars(element->name);
    trail.push_back(here);
    for (const std::string& attribute : attributeList(element)) trail.push_back(here + "@" + attribute);
    for (const xmlNode* child : childElements(element)) appendTrail(child, here, trail);
}
inline std::vector<std::string> trail(const xmlNode* element) {
    std::vector<std::string> list;
    appendTrail(element, "", list);
    return list;
}

// Where the trees first differ, "" when they do not.
inline std::string firstDifference(const xmlNode* expected, const xmlNode* actual, const std::string& path = "") {
    const std::string here = path + "/" + chars(expected->name);
    if (!xmlStrEqual(expected->name, actual->name))
        return here + ": the element is " + chars(actual->name);
    const std::vector<std::string> want = attributeList(expected);
    const std::vector<std::string> have = attributeList(actual);
    for (std::size_t i = 0; i < std::max(want.size(), have.size()); ++i) {
        const std::string a = i < want.size() ? want[i] : "<none>";
        const std::string b = i < have.size() ? have[i] : "<none>";
        if (a != b) return here + ": attribute " + std::to_string(i + 1) + " is " + b + ", expected " + a;
    }
    if (ownText(expected) != ownText(actual))
        return here + ": the text is '" + ownText(actual) + "', expected '" + ownText(expected) + "'";
    const std::vector<const xmlNode*> wantChildren = childElements(expected);
    const std::vector<const xmlNode*> haveChildren = childElements(actual);
    for (std::size_t i = 0; i < std::min(wantChildren.size(), haveChildren.size()); ++i) {
        const std::string inner = firstDifference(wantChildren[i], haveChildren[i], here);
        if (!inner.empty()) return inner;
    }
    if (wantChildren.size() != haveChildren.size())
        return here + ": " + std::to_string(haveChildren.size()) + " child elements, expected " +
               std::to_string(wantChildren.size());
    return "";
}

// The difference between two serialised trees ("" when none).
inline std::string firstDifference(const std::string& expected, const std::string& actual) {
    using Document = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;
    const Document want(xmlReadMemory(expected.data(), static_cast<int>(expected.size()), "expected.xml", nullptr, XML_PARSE_NONET),
                        xmlFreeDoc);
    const Document have(xmlReadMemory(actual.data(), static_cast<int>(actual.size()), "actual.xml", nullptr, XML_PARSE_NONET),
                        xmlFreeDoc);
    if (want == nullptr || have == nullptr) return "a tree does not parse";
    return firstDifference(xmlDocGetRootElement(want.get()), xmlDocGetRootElement(have.get()));
}

// Compares the element with the golden element in tests/data/model/<name>. VDK_UPDATE_GOLDEN=1 rewrites
// the file instead, and the test then fails, so that a rewrite is never taken for a pass.
inline void expectGoldenElement(const std::string& name, xmlNode* element) {
    const std::string path = std::string(VDK_TEST_DATA_DIR) + "/" + name;
    const std::string actual = serialise(element);
    const char* update = std::getenv("VDK_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << actual;
        ADD_FAILURE() << "rewrote " << path << "; run again without VDK_UPDATE_GOLDEN";
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(path)) << path << " is missing; create it with VDK_UPDATE_GOLDEN=1";
    std::ifstream in(path, std::ios::binary);
    const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string difference = firstDifference(expected, actual);
    EXPECT_EQ(difference, "") << name << " differs; if the change is meant, rerun with VDK_UPDATE_GOLDEN=1 ctest -L model\n"
                              << actual;
}

}  // namespace elementtree
