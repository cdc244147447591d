#include "model/storage/CStream.h"

#include <cstring>
#include <new>
#include <string>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/encoding/UrlCodec.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/memory/Memory.h"
#include "model/storage/AttributeWriteFailure.h"
#include "model/storage/SplitToken.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr const char* kUnit = "BStorage";

// Element text up to this size is joined into one text node as it is written.
constexpr int kJoinedTextBytes = 1024;

// Attribute values up to this size are kept in the document's dictionary: the small numbers and flags
// that repeat in every run element. Longer ones (positions, ids) are mostly unique, and a dictionary
// crowded with them costs more to search than their copies cost.
constexpr std::size_t kInternedValueBytes = 4;

const xmlChar* xml(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

const char* chars(const xmlChar* text) {
    return reinterpret_cast<const char*>(text);
}

// std::string and the codecs report a lack of memory as std::bad_alloc; the storage reports it as CFail 12.
template <typename Work>
void failingAsStorage(int line, Work&& work) {
    raisingOutOfMemory(line, kUnit, std::forward<Work>(work));
}

// Walks the pairs of a key list: each attribute name with the letter of its directive. Stops at the end
// of the list, at a name without a directive and at a directive that is not two characters long.
template <typename Visit>
void walkKeyList(const char* format, Visit&& visit) {
    if (format == nullptr) return;
    std::string list(format);
    char* cursor = nullptr;
    char* name = splitToken(list.data(), " ", &cursor);
    while (name != nullptr) {
        const char* directive = splitToken(nullptr, " ", &cursor);
        if (directive == nullptr || std::strlen(directive) != 2) return;
        visit(name, directive[1]);
        name = splitToken(nullptr, " ", &cursor);
    }
}

bool attributeMatches(xmlNode* element, const char* attribute, const void* value, std::int16_t valueType) {
    // The package's readers see only the library's own attributes. The elements looked up by an
    // attribute (stories, sheets) are few and small.
    PackedAttributes* packed = PackedAttributes::of(element);
    if (packed != nullptr && !packed->unpack(element)) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    std::int16_t present = 0;
    bool equal = false;
    switch (valueType) {
    case childmatch::kBoolean:
        equal = xmlGetAttrBool(element, nullptr, attribute, &present) == *static_cast<const std::int16_t*>(value);
        break;
    case childmatch::kText: {
        // Texts are stored %-encoded: the wanted text is compared with what the value decodes to.
        const char* text = xmlGetAttrString(element, nullptr, attribute, &present);
        equal = text != nullptr && decodeStoredText(text) == static_cast<const char*>(value);
        break;
    }
    case childmatch::kInteger:
        equal = xmlGetAttrInt(element, nullptr, attribute, &present) == *static_cast<const std::int32_t*>(value);
        break;
    case childmatch::kDate:
        equal = xmlGetAttrDate(element, nullptr, attribute, &present) == *static_cast<const std::int32_t*>(value);
        break;
    case childmatch::kReal:
        equal = xmlGetAttrDouble(element, nullptr, attribute, &present) == *static_cast<const double*>(value);
        break;
    default:
        return false;
    }
    return present == 1 && equal;
}

// An attribute value the document's dictionary keeps: one copy for every attribute of that value.
xmlNode* internedText(xmlDoc* document, const std::string& value) {
    const xmlChar* kept = xmlDictLookup(document->dict, xml(value.c_str()), static_cast<int>(value.size()));
    if (kept == nullptr) return nullptr;
    xmlNode* text = xmlNewDocText(document, nullptr);
    if (text == nullptr) return nullptr;
    // The library frees a text node's content only when its document's dictionary does not own it.
    text->content = const_cast<xmlChar*>(kept);
    return text;
}

// The element's library attribute (without a namespace) of that name; null when it has none.
xmlAttr* libraryAttribute(xmlNode* element, const char* name) {
    xmlAttr* attribute = element->properties;
    while (attribute != nullptr && (attribute->ns != nullptr || !xmlStrEqual(attribute->name, xml(name)))) {
        attribute = attribute->next;
    }
    return attribute;
}

// Sets the library attribute (without a namespace) of the element, replacing its value when it has
// one, as xmlSetProp does; in a document with a dictionary a short value is the dictionary's.
bool setLibraryAttribute(xmlNode* element, const char* name, const std::string& value) {
    xmlDoc* document = element->doc;
    if (document == nullptr || document->dict == nullptr || value.size() > kInternedValueBytes) {
        return xmlSetProp(element, xml(name), xml(value.c_str())) != nullptr;
    }
    xmlNode* text = internedText(document, value);
    if (text == nullptr) return false;
    xmlAttr* attribute = libraryAttribute(element, name);
    if (attribute == nullptr) attribute = xmlNewProp(element, xml(name), nullptr);
    if (attribute == nullptr) {
        xmlFreeNode(text);
        return false;
    }
    if (attribute->children != nullptr) xmlFreeNodeList(attribute->children);
    text->parent = reinterpret_cast<xmlNode*>(attribute);
    attribute->children = text;
    attribute->last = text;
    return true;
}

// Sets the attribute: packed in a document that packs them, unless the element already has it as a
// library attribute, whose value is then replaced where it stands.
bool setAttribute(xmlNode* element, const char* name, const std::string& value) {
    PackedAttributes* packed = PackedAttributes::of(element);
    if (packed == nullptr || libraryAttribute(element, name) != nullptr) return setLibraryAttribute(element, name, value);
    return packed->set(element, name, value);
}

// A new element without a namespace in the parent's document, appended to the parent.
xmlNode* appendChild(xmlNode* parent, const char* name) {
    xmlNode* child = xmlNewDocNode(parent->doc, nullptr, xml(name), nullptr);
    if (child == nullptr) return nullptr;
    if (xmlAddChild(parent, child) == nullptr) {
        xmlFreeNode(child);
        return nullptr;
    }
    return child;
}

}  // namespace

std::string elementText(const xmlNode* element) {
    std::string text;
    if (element == nullptr) return text;
    const xmlNode* at = element->children;
    while (at != nullptr) {
        if ((at->type == XML_TEXT_NODE || at->type == XML_CDATA_SECTION_NODE) && at->content != nullptr) {
            text += chars(at->content);
        }
        // Into child elements only: an entity reference's children are the entity, which is not followed.
        if (at->type == XML_ELEMENT_NODE && at->children != nullptr) {
            at = at->children;
            continue;
        }
        while (at != nullptr && at->next == nullptr) {
            at = at->parent;
            if (at == element) return text;
        }
        if (at != nullptr) at = at->next;
    }
    return text;
}

namespace {

// The text of an attribute node as the document holds it (entity references not followed).
void attributeText(const xmlAttr* attribute, std::string& value) {
    value.clear();
    for (const xmlNode* part = attribute->children; part != nullptr; part = part->next) {
        if (part->type == XML_TEXT_NODE && part->content != nullptr) value += chars(part->content);
    }
}

}  // namespace

bool attributeValue(const xmlNode* element, const char* name, std::string& value) {
    if (element == nullptr || element->type != XML_ELEMENT_NODE || name == nullptr) return false;
    for (const xmlAttr* attribute = element->properties; attribute != nullptr; attribute = attribute->next) {
        if (!xmlStrEqual(attribute->name, xml(name))) continue;
        attributeText(attribute, value);
        return true;
    }
    for (const PackedAttribute& attribute : PackedAttributes::list(element)) {
        if (!xmlStrEqual(attribute.name, xml(name))) continue;
        value.assign(attribute.value);
        return true;
    }
    return false;
}

const char* singleTextValue(const xmlAttr* attribute) {
    const xmlNode* part = attribute->children;
    if (part == nullptr) return "";
    if (part->next != nullptr || part->type != XML_TEXT_NODE) return nullptr;
    return part->content == nullptr ? "" : chars(part->content);
}

CStream::CStream(CStream* parent, const char* name, std::int16_t create) {
    if (parent == nullptr) {
        if (create != 1) return;
        throwIfNullObject(name, __LINE__, kUnit);
        node = xmlNewNode(nullptr, xml(name));
        throwIfNull(node, __LINE__, kUnit);
        ownsNode = true;
        return;
    }
    throwIfNullObject(name, __LINE__, kUnit);
    throwIfNull(parent->node, __LINE__, kUnit);
    if (create == 0) {
        node = findChild(parent->node->children, name, nullptr, nullptr, 0);
        throwIfNull(node, __LINE__, kUnit);
    } else {
        node = appendChild(parent->node, name);
        throwIfNull(node, __LINE__, kUnit);
    }
}

CStream::CStream(CStream* parent, const char* name, const char* attribute, const void* value, std::int16_t valueType) {
    throwIfNullObject(name, __LINE__, kUnit);
    throwIfNull(parent == nullptr ? nullptr : parent->node, __LINE__, kUnit);
    node = findChild(parent->node->children, name, attribute, value, valueType);
    throwIfNull(node, __LINE__, kUnit);
}

CStream::~CStream() {
    releaseOwnedNode();
}

void CStream::releaseOwnedNode() {
    // Only an element that no tree took in the meantime: a document frees its own elements.
    if (ownsNode && node != nullptr && node->parent == nullptr) xmlFreeNode(node);
    ownsNode = false;
}

void CStream::setNode(xmlNode* element) {
    releaseOwnedNode();
    node = element;
}

std::int16_t CStream::remove() {
    // The root element stays: the storage stands on it.
    if (node == nullptr || node->parent == nullptr || node->parent->type != XML_ELEMENT_NODE) return result::kSuccess;
    // Nothing holds the element once it is out of the tree, and nothing may use it again: free it now,
    // while its document (whose dictionary may hold its names) still exists.
    xmlUnlinkNode(node);
    xmlFreeNode(node);
    node = nullptr;
    return result::kSuccess;
}

std::int16_t CStream::getText(char** text, std::int32_t* length) {
    if (text == nullptr || node == nullptr) return result::kSuccess;
    failingAsStorage(__LINE__, [&] {
        const std::string content = elementText(node);
        if (content.empty()) return;
        if (content.size() >= static_cast<std::size_t>(INT32_MAX)) throwFail(result::kOutOfMemory, __LINE__, kUnit);
        auto* copy = static_cast<char*>(allocMemory(static_cast<std::int32_t>(content.size() + 1)));
        throwIfNull(copy, __LINE__, kUnit);
        std::memcpy(copy, content.c_str(), content.size() + 1);
        *text = copy;
        if (length != nullptr) *length = static_cast<std::int32_t>(content.size());
    });
    return result::kSuccess;
}

std::int16_t CStream::addText(const char* bytes, std::int32_t count) {
    if (node == nullptr || bytes == nullptr || count <= 0) return result::kSuccess;
    xmlNodeAddContentLen(node, xml(bytes), count);
    return result::kSuccess;
}

std::int16_t CStream::readValueList(char16_t** text, std::int32_t* length, const char* format,
                                    std::span<const StorageTarget> targets) {
    failingAsStorage(__LINE__, [&] {
        if (text != nullptr) readElementText(text, length);
        std::size_t next = 0;
        walkKeyList(format, [&](const char* name, char letter) {
            if (!isValueLetter(letter)) return;
            if (next >= targets.size()) throwFail(result::kNullObject, __LINE__, kUnit);
            readAttribute(name, letter, targets[next++]);
        });
    });
    return result::kSuccess;
}

std::int16_t CStream::writeValueList(const char16_t* text, std::int32_t length, const char* format,
                                     std::span<const StorageSource> sources) {
    failingAsStorage(__LINE__, [&] {
        if (text != nullptr) writeElementText(text, length);
        std::size_t next = 0;
        walkKeyList(format, [&](const char* name, char letter) {
            if (!isValueLetter(letter)) return;
            if (next >= sources.size()) throwFail(result::kNullObject, __LINE__, kUnit);
            writeAttribute(name, letter, sources[next++]);
        });
    });
    return result::kSuccess;
}

bool CStream::readAttribute(const char* name, char letter, const StorageTarget& target) {
    throwIfNull(node, __LINE__, kUnit);
    bool present = false;
    failingAsStorage(__LINE__, [&] {
        std::string value;
        present = attributeValue(node, name, value);
        if (present) decodeValue(letter, value, target);
    });
    return present;
}

void CStream::readAttributeValue(const char* value, char letter, const StorageTarget& target) {
    throwIfNull(node, __LINE__, kUnit);
    throwIfNullObject(value, __LINE__, kUnit);
    // A stored value is read where it lies, without gathering a copy.
    failingAsStorage(__LINE__, [&] { decodeValueText(letter, value, target); });
}

void CStream::writeAttribute(const char* name, char letter, const StorageSource& source) {
    throwIfNull(node, __LINE__, kUnit);
    throwIfNullObject(name, __LINE__, kUnit);
    if (attributeWriteShouldFail()) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    failingAsStorage(__LINE__, [&] {
        const std::string value = encodeValue(letter, source);
        if (!setAttribute(node, name, value)) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    });
}

void CStream::readElementText(char16_t** text, std::int32_t* length) {
    if (node == nullptr) return;
    std::string stored = elementText(node);
    if (stored.empty()) return;
    // The text is our own copy: it is decoded where it stands.
    stored.resize(static_cast<std::size_t>(urlDecode(stored.data())));
    const std::u16string units = utf8ToUtf16String(stored);
    if (units.size() >= static_cast<std::size_t>(INT32_MAX / 2)) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    const auto count = static_cast<std::int32_t>(units.size());
    auto* buffer = static_cast<char16_t*>(allocMemory((count + 1) * static_cast<std::int32_t>(sizeof(char16_t))));
    throwIfNull(buffer, __LINE__, kUnit);
    std::memcpy(buffer, units.data(), units.size() * sizeof(char16_t));
    buffer[count] = 0;
    *text = buffer;
    if (length != nullptr) *length = count;
}

void CStream::writeElementText(const char16_t* text, std::int32_t length) {
    throwIfNull(node, __LINE__, kUnit);
    if (length <= 0) return;
    const std::string stored = encodeStoredUnits(std::u16string_view(text, static_cast<std::size_t>(length)));
    if (stored.size() > static_cast<std::size_t>(INT32_MAX)) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    // The library's own append merges every write into the text before it, which copies the element's
    // whole text each time and makes a story written chunk by chunk quadratic. Short texts are still
    // joined (the copy is bounded); past that a write starts a text node of its own, linked after the
    // element's last child by hand. Reading concatenates the text nodes again.
    xmlNode* last = node->last;
    if (last != nullptr && last->type == XML_TEXT_NODE && last->content != nullptr &&
        xmlStrlen(last->content) < kJoinedTextBytes) {
        if (xmlTextConcat(last, xml(stored.c_str()), static_cast<int>(stored.size())) != 0) {
            throwFail(result::kOutOfMemory, __LINE__, kUnit);
        }
        return;
    }
    xmlNode* added = xmlNewDocTextLen(node->doc, xml(stored.c_str()), static_cast<int>(stored.size()));
    throwIfNull(added, __LINE__, kUnit);
    added->parent = node;
    added->prev = node->last;
    if (node->last != nullptr) node->last->next = added;
    else node->children = added;
    node->last = added;
}

xmlNode* CStream::findChild(xmlNode* first, const char* name, const char* attribute, const void* value,
                            std::int16_t valueType) {
    if (name == nullptr) return nullptr;
    for (xmlNode* at = first; at != nullptr; at = at->next) {
        if (at->type != XML_ELEMENT_NODE || !xmlStrEqual(at->name, xml(name))) continue;
        if (attribute == nullptr) return at;
        if (value != nullptr && attributeMatches(at, attribute, value, valueType)) return at;
    }
    return nullptr;
}
