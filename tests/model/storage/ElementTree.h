#pragma once
// Storage elements as the writer tests look at them: their attributes in order, their children by name,
// a whole tree as lines or as a trail in document order, and golden elements in tests/data/model
// compared as parsed trees (element names, attributes in their order with their values, texts, children
// in order). Golden files are rewritten only on request (VDK_UPDATE_GOLDEN=1), never by a passing run.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/storage/CStream.h"

namespace elementtree {

using Lines = std::vector<std::string>;

inline std::string text(const xmlChar* value) {
    return value == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(value));
}

// name and value of each attribute, in the order they stand.
inline std::vector<std::pair<std::string, std::string>> attributes(const xmlNode* element) {
    std::vector<std::pair<std::string, std::string>> list;
    visitAttributes(element, [&](const char* name, const char*) {
        std::string value;
        attributeValue(element, name, value);
        list.emplace_back(name, value);
    });
    return list;
}

inline Lines attributeNames(const xmlNode* element) {
    Lines names;
    for (const auto& [name, value] : attributes(element)) names.push_back(name);
    return names;
}

// The value of an attribute; "<absent>" when the element has none of that name.
inline std::string attribute(const xmlNode* element, const char* name) {
    for (const auto& [key, value] : attributes(element))
        if (key == name) return value;
    return "<absent>";
}

inline std::vector<const xmlNode*> childElements(const xmlNode* element) {
    std::vector<const xmlNode*> children;
    for (const xmlNode* at = element->children; at != nullptr; at = at->next)
        if (at->type == XML_ELEMENT_NODE) children.push_back(at);
    return children;
}

inline Lines childNames(const xmlNode* element) {
    Lines names;
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
inline void appendLines(const xmlNode* element, const std::string& indent, Lines& lines) {
    lines.push_back(indent + "<" + text(element->name) + ">");
    for (const auto& [name, value] : attributes(element)) lines.push_back(indent + "  @" + name + "=" + value);
    for (const xmlNode* at = element->children; at != nullptr; at = at->next) {
        if (at->type == XML_ELEMENT_NODE) {
            appendLines(at, indent + "  ", lines);
        } else if (at->type == XML_TEXT_NODE || at->type == XML_CDATA_SECTION_NODE) {
            const std::string content = text(at->content);
            if (content.find_first_not_of(" \t\r\n") != std::string::npos) lines.push_back(indent + "  \"" + content + "\"");
        }
    }
}

inline void appendTrail(const xmlNode* element, const std::string& path, Lines& trail) {
    const std::string here = path + "/" + text(element->name);
    trail.push_back(here);
    for (const auto& [name, value] : attributes(element)) trail.push_back(here + "@" + name + "=" + value);
    for (const xmlNode* at : childElements(element)) appendTrail(at, here, trail);
}
}  // namespace detail

// The tree as lines: "<Name>", then "  @key=value" per attribute in order, texts in quotes, children
// indented. Text that is only blanks is left out (a golden file is indented; the storage writes none).
inline Lines treeLines(const xmlNode* element) {
    Lines lines;
    detail::appendLines(element, "", lines);
    return lines;
}

// Everything under the element in document order: each element as its path ("/Rule000/ROWSARRAY"), each
// attribute as "path@name=value" right after its element. A writer that writes in document order and
// stops early leaves a start of its full trail.
inline Lines trail(const xmlNode* element) {
    Lines list;
    detail::appendTrail(element, "", list);
    return list;
}

inline bool isAttributeEntry(const std::string& entry) {
    return entry.find('@') != std::string::npos;
}

// How many attributes (or elements) the trail holds.
inline std::size_t countOf(const Lines& trail, bool attributes) {
    return static_cast<std::size_t>(std::count_if(
        trail.begin(), trail.end(), [&](const std::string& entry) { return isAttributeEntry(entry) == attributes; }));
}

// Where the trail holds its n-th attribute (or element), counted from 1; the trail's size when it holds
// fewer. A write in document order that fails there leaves the trail up to that place.
inline std::size_t placeOfNth(const Lines& trail, std::size_t n, bool attributes) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < trail.size(); ++i) {
        if (isAttributeEntry(trail[i]) != attributes) continue;
        if (++seen == n) return i;
    }
    return trail.size();
}

inline Lines startOf(const Lines& trail, std::size_t end) {
    return Lines(trail.begin(), trail.begin() + static_cast<std::ptrdiff_t>(std::min(end, trail.size())));
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
    const Lines expected = treeLines(xmlDocGetRootElement(golden.get()));
    const Lines actual = treeLines(element);
    for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const std::string want = i < expected.size() ? expected[i] : "<end>";
        const std::string have = i < actual.size() ? actual[i] : "<end>";
        ASSERT_EQ(have, want) << name << " differs at line " << i + 1
                              << " of the tree; if the change is meant, rerun with VDK_UPDATE_GOLDEN=1 ctest -L model";
    }
}

}  // namespace elementtree
