#pragma once
// The attributes of a storage document's elements, packed beside the XML library's tree instead of in it.
//
// An attribute of the library is an attribute node, a text node under it and a copy of its value: some
// 240 bytes for a value that is mostly a short number. The storage of a long document holds hundreds of
// thousands of them, which made the attributes the greater part of a conversion's memory. A document
// that the storage builds therefore keeps its elements' attributes here: per element a list of (name,
// value) pairs in the order the names were first set, the names kept once in the document's dictionary,
// the lists and the values in pools that grow in large blocks (16 bytes and the value's own per
// attribute). An element finds its list through the library's `_private` pointer, the document finds
// its PackedAttributes through its own.
//
// Readers see both kinds of attribute alike (CStream's attributeValue and visitAttributes). The library
// itself sees only its own: before the library reads the tree as a whole (saving it, handing the
// document out) the packed attributes are unpacked, that is, made library attributes after the ones the
// element already has, in their order; the saved file is the same either way.
//
// An element that no document holds, and the elements of a parsed document, keep library attributes.
#include <libxml/tree.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/storage/BumpPool.h"
#include "model/storage/DictionaryNames.h"

struct PackedAttribute {
    const xmlChar* name;  // owned by the document's dictionary
    const char* value;    // NUL-terminated, owned by the pool
};

class PackedAttributes {
public:
    // For a document with a dictionary, which keeps the names; installs itself as the document's.
    explicit PackedAttributes(xmlDoc* document);
    ~PackedAttributes();
    PackedAttributes(const PackedAttributes&) = delete;
    PackedAttributes& operator=(const PackedAttributes&) = delete;

    // The PackedAttributes of the element's document; null when the element belongs to none that packs.
    static PackedAttributes* of(const xmlNode* element);
    // The element's packed attributes in order (empty when it has none).
    static std::span<const PackedAttribute> list(const xmlNode* element);

    // Sets the packed attribute of that name, replacing its value in place when the element has one.
    // False when memory is lacking (the element is unchanged).
    bool set(xmlNode* element, const char* name, std::string_view value);
    // Makes the element's packed attributes library attributes; then it has none packed. False when
    // memory is lacking: the attributes made so far stay, the rest stay packed.
    bool unpack(xmlNode* element);
    // unpack() for the element and every element below it.
    bool unpackTree(xmlNode* top);

private:
    struct List;
    static PackedAttribute* entries(List* list);
    static std::size_t listBytes(std::uint32_t room);
    List* roomForOneMore(xmlNode* element, List* list);
    const char* keepText(std::string_view text);

    xmlDoc* document;
    DictionaryNames names;
    BumpPool lists;  // each element's list: a count, its room and the pairs, where _private points
    BumpPool texts;  // the values
};
