#pragma once
// Storage elements as tests look at them: their attributes in order, their children by name, a whole
// tree as lines, and golden elements in tests/data/model compared as parsed trees (element names,
// attributes in their order with their values, texts, children in order).
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace storagetrees {

inline std::string text(const xmlChar* value) {
    return value == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(value));
}

inline std::vector<std::pair<std::string, std::string>> attributesOf(const xmlNode* element) {
    std::vector<std::pair<std::string, std::string>> list;
    for (const xmlAttr* attribute = element->properties; attribute != nullptr; attribute = attribute->next) {
        xmlChar* value = xmlNodeGetContent(reinterpret_cast<const xmlNode*>(attribute));
        list.emplace_back(text(attribute->name), text(value));
        xmlFree(value);
    }
    return list;
}

inline std::vector<std::string> attributeNames(const xmlNode* element) {
    std::vector<std::string> names;
    for (const auto& [name, value] : attributesOf(element)) names.push_back(name);
    return names;
}

// The value of an attribute; "<absent>" when the element has none of that name.
inline std::string attribute(const xmlNode* element, const char* name) {
    for (const auto& [key, value] : attributesOf(element))
        if (key == name) return value;
    return "<absent>";
}

inline std::vector<const xmlNode*> childElements(const xmlNode* element) {
    std::vector<const xmlNode*> children;
    for (const xmlNode* at = element->children; at != nullptr; at = at->next)
        if (at->type == XML_ELEMENT_NODE) children.push_back(at);
    return children;
}

inline std::vector<std::string> childNames(const xmlNode* element) {
    std::vector<std::string> names;
    for (const xmlNode* child : childElements(element)) names.push_back(text(child->name));
    return names;
}

// The first child element of that name; null when none.
inline const xmlNode* child(const xmlNode* element, const char* name) {
    for (const xmlNode* at : childElements(element))
        if (text(at->name) == name) return at;
    return nullptr;
}

namespace detail {
inline void appendLines(const xmlNode* element, const std::string& indent, std::vector<std::string>& lines) {
    lines.push_back(indent + "<" + text(element->name) + ">");
    for (const auto& [name, value] : attributesOf(element)) lines.push_back(indent + "  @" + name + "=" + value);
    for (const xmlNode* at = element->children; at != nullptr; at = at->next) {
        if (at->type == XML_ELEMENT_NODE) {
            appendLines(at, indent + "  ", lines);
        } else if (at->type == XML_TEXT_NODE || at->type == XML_CDATA_SECTION_NODE) {
            const std::string content = text(at->content);
            if (content.find_first_not_of(" \t\r\n") != std::string::npos) lines.push_back(indent + "  \"" + content + "\"");
        }
    }
}
}  // namespace detail

// The tree as lines: "<Name>", then "  @key=value" per attribute in order, texts in quotes, children
// indented. Text that is only blanks is left out (a golden file is indented; the storage writes none).
inline std::vector<std::string> treeLines(const xmlNode* element) {
    std::vector<std::string> lines;
    detail::appendLines(element, "", lines);
    return lines;
}

// Every attribute of the tree as "path@key=value", in document order ("Form000/FFDATA@XffData_name=x").
inline std::vector<std::string> attributePaths(const xmlNode* element, const std::string& parent = "") {
    const std::string path = parent.empty() ? text(element->name) : parent + "/" + text(element->name);
    std::vector<std::string> paths;
    for (const auto& [name, value] : attributesOf(element)) paths.push_back(path + "@" + name + "=" + value);
    for (const xmlNode* at : childElements(element)) {
        const std::vector<std::string> inner = attributePaths(at, path);
        paths.insert(paths.end(), inner.begin(), inner.end());
    }
    return paths;
}

// Compares the element with the golden file tests/data/model/<name>, parsed. VDK_UPDATE_GOLDEN=1 writes
// the element into the golden file instead (and the test then fails, so a rewrite is never a pass).
inline void expectGoldenElement(const std::string& name, const xmlNode* element) {
    const std::string path = std::string(VDK_TEST_DATA_DIR) + "/" + name;
    const char* update = std::getenv("VDK_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), &xmlBufferFree);
        xmlNodeDump(buffer.get(), element->doc, const_cast<xmlNode*>(element), 0, 1);
        std::ofstream(path, std::ios::binary) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                              << text(xmlBufferContent(buffer.get())) << "\n";
        ADD_FAILURE() << "rewrote " << path << "; run again without VDK_UPDATE_GOLDEN";
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(path)) << path << " is missing; create it with VDK_UPDATE_GOLDEN=1";
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> golden(
        xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOBLANKS), &xmlFreeDoc);
    ASSERT_NE(golden, nullptr) << path << " does not parse";
    const std::vector<std::string> expected = treeLines(xmlDocGetRootElement(golden.get()));
    const std::vector<std::string> actual = treeLines(element);
    for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const std::string want = i < expected.size() ? expected[i] : "<end>";
        const std::string have = i < actual.size() ? actual[i] : "<end>";
        ASSERT_EQ(have, want) << name << " differs at line " << i + 1
                              << " of the tree; if the change is meant, rerun with VDK_UPDATE_GOLDEN=1 ctest -L model";
    }
}

}  // namespace storagetrees
