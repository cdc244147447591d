#include "model/PackedAttributes.h"

#include <cstring>
#include <new>

namespace {

// Values are copied into blocks of this size; a longer value gets a block of its own.
constexpr std::size_t kPoolBlockBytes = 64 * 1024;

// Most record elements carry a handful of attributes: room for them at once spares the list's regrowth.
constexpr std::size_t kFirstListRoom = 8;

const xmlChar* xml(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

}  // namespace

PackedAttributes::PackedAttributes(xmlDoc* owner) : document(owner) {
    document->_private = this;
}

PackedAttributes::~PackedAttributes() = default;

PackedAttributes* PackedAttributes::of(const xmlNode* element) {
    if (element == nullptr || element->type != XML_ELEMENT_NODE || element->doc == nullptr) return nullptr;
    return static_cast<PackedAttributes*>(element->doc->_private);
}

std::span<const PackedAttribute> PackedAttributes::list(const xmlNode* element) {
    if (of(element) == nullptr || element->_private == nullptr) return {};
    return *static_cast<const List*>(element->_private);
}

const char* PackedAttributes::keepText(std::string_view text) {
    const std::size_t bytes = text.size() + 1;
    if (bytes > room) {
        const std::size_t size = bytes > kPoolBlockBytes ? bytes : kPoolBlockBytes;
        blocks.push_back(std::make_unique<char[]>(size));
        free = blocks.back().get();
        room = size;
    }
    char* kept = free;
    std::memcpy(kept, text.data(), text.size());
    kept[text.size()] = 0;
    free += bytes;
    room -= bytes;
    return kept;
}

bool PackedAttributes::set(xmlNode* element, const char* name, std::string_view value) {
    try {
        auto* attributes = static_cast<List*>(element->_private);
        if (attributes == nullptr) {
            List& made = lists.emplace_back();
            made.reserve(kFirstListRoom);
            attributes = &made;
            element->_private = attributes;
        }
        // Dictionary names are one copy per name, so a name is found by its address.
        const xmlChar* kept = xmlDictLookup(document->dict, xml(name), -1);
        if (kept == nullptr) return false;
        for (PackedAttribute& attribute : *attributes) {
            if (attribute.name == kept) {
                attribute.value = keepText(value);
                return true;
            }
        }
        const char* text = keepText(value);
        attributes->push_back(PackedAttribute{kept, text});
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool PackedAttributes::unpack(xmlNode* element) {
    auto* attributes = static_cast<List*>(element->_private);
    if (attributes == nullptr) return true;
    std::size_t made = 0;
    for (const PackedAttribute& attribute : *attributes) {
        if (xmlNewProp(element, attribute.name, xml(attribute.value)) == nullptr) break;
        ++made;
    }
    if (made < attributes->size()) {
        attributes->erase(attributes->begin(), attributes->begin() + static_cast<std::ptrdiff_t>(made));
        return false;
    }
    List().swap(*attributes);
    element->_private = nullptr;
    return true;
}

bool PackedAttributes::unpackTree(xmlNode* top) {
    // Depth first without recursion: a storage can nest as deep as its documents' tables.
    xmlNode* at = top;
    while (at != nullptr) {
        if (at->type == XML_ELEMENT_NODE && !unpack(at)) return false;
        if (at->type == XML_ELEMENT_NODE && at->children != nullptr) {
            at = at->children;
            continue;
        }
        while (at != nullptr && at != top && at->next == nullptr) at = at->parent;
        if (at == nullptr || at == top) return true;
        at = at->next;
    }
    return true;
}
