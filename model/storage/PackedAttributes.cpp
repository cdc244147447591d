#include "model/storage/PackedAttributes.h"

#include <cstdint>
#include <cstring>
#include <new>

// An element's list: the count and the room, then `room` pairs. A list that is the newest piece of its
// pool grows where it stands (an element's attributes are mostly written one after the other); another
// moves to the end of the pool with room to spare.
struct PackedAttributes::List {
    std::uint32_t count;
    std::uint32_t room;
};

namespace {

constexpr std::uint32_t kFirstListRoom = 2;

const xmlChar* xml(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

}  // namespace

PackedAttributes::PackedAttributes(xmlDoc* owner) : document(owner), names(owner->dict) {
    document->_private = this;
}

PackedAttributes::~PackedAttributes() = default;

PackedAttributes* PackedAttributes::of(const xmlNode* element) {
    if (element == nullptr || element->type != XML_ELEMENT_NODE || element->doc == nullptr) return nullptr;
    return static_cast<PackedAttributes*>(element->doc->_private);
}

PackedAttribute* PackedAttributes::entries(List* list) {
    static_assert(sizeof(List) % alignof(PackedAttribute) == 0, "the pairs follow the list's head");
    return reinterpret_cast<PackedAttribute*>(list + 1);
}

std::size_t PackedAttributes::listBytes(std::uint32_t room) {
    return sizeof(List) + room * sizeof(PackedAttribute);
}

std::span<const PackedAttribute> PackedAttributes::list(const xmlNode* element) {
    if (of(element) == nullptr || element->_private == nullptr) return {};
    auto* attributes = static_cast<List*>(element->_private);
    return {entries(attributes), attributes->count};
}

const char* PackedAttributes::keepText(std::string_view text) {
    auto* kept = static_cast<char*>(texts.take(text.size() + 1, 1));
    std::memcpy(kept, text.data(), text.size());
    kept[text.size()] = 0;
    return kept;
}

PackedAttributes::List* PackedAttributes::roomForOneMore(xmlNode* element, List* list) {
    if (list != nullptr && list->count < list->room) return list;
    if (list != nullptr && lists.growLast(list, listBytes(list->room), listBytes(list->room + 1))) {
        ++list->room;
        return list;
    }
    const std::uint32_t count = list == nullptr ? 0 : list->count;
    const std::uint32_t room = count < kFirstListRoom ? kFirstListRoom : count * 2;
    auto* moved = static_cast<List*>(lists.take(listBytes(room), alignof(PackedAttribute)));
    moved->count = count;
    moved->room = room;
    if (count > 0) std::memcpy(entries(moved), entries(list), count * sizeof(PackedAttribute));
    element->_private = moved;
    return moved;
}

bool PackedAttributes::set(xmlNode* element, const char* name, std::string_view value) {
    try {
        // Dictionary names are one copy per name, so a name is found by its address.
        const xmlChar* kept = names.lookUp(name);
        if (kept == nullptr) return false;
        auto* attributes = static_cast<List*>(element->_private);
        if (attributes != nullptr) {
            for (PackedAttribute& attribute : std::span(entries(attributes), attributes->count)) {
                if (attribute.name != kept) continue;
                attribute.value = keepText(value);
                return true;
            }
        }
        const char* text = keepText(value);
        attributes = roomForOneMore(element, attributes);
        entries(attributes)[attributes->count++] = PackedAttribute{kept, text};
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool PackedAttributes::unpack(xmlNode* element) {
    auto* attributes = static_cast<List*>(element->_private);
    if (attributes == nullptr) return true;
    PackedAttribute* pairs = entries(attributes);
    std::uint32_t made = 0;
    while (made < attributes->count && xmlNewProp(element, pairs[made].name, xml(pairs[made].value)) != nullptr) ++made;
    if (made < attributes->count) {
        std::memmove(pairs, pairs + made, (attributes->count - made) * sizeof(PackedAttribute));
        attributes->count -= made;
        return false;
    }
    // The list's bytes stay in the pool until the document goes.
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
