#pragma once
// One element of a storage document (CStorage.h). Everything the engines, the stories and the record
// readers and writers keep in the storage goes through it: elements are found or made by name, their
// attributes are written and read as typed values (StorageValues.h) driven by a key list such as
// "StoryType %l StoryMark %l StoryName %s", and their text carries UTF-16 text in the stored text form.
//
// A key list is a run of pairs separated by blanks: an attribute name, then a directive of exactly two
// characters whose second is the value letter ("%d"). The walk ends at the end of the list, at a name
// without a directive or at a directive of another length. A pair whose letter is not a value letter
// takes no argument and is passed over. Attribute names are matched exactly.
//
//     stream.writeValues(nullptr, 0, "color_red %d color_green %d", red, green);
//     stream.readValues(nullptr, nullptr, "color_red %d color_green %d", &red, &green);
//
// Reading leaves the target of an absent attribute unchanged. Table-driven code (the record readers and
// writers) reads and writes single attributes with readAttribute / writeAttribute and the targets and
// sources that StorageTarget::forMember / StorageSource::forMember make from a field-table row.
//
// The element text: writing converts UTF-16 to UTF-8 and encodes it; an element written twice holds both
// texts one after the other; there is no size limit. Reading gives back every unit, U+0000 and lone
// surrogates included. Entity references in a document (which the storage never writes) are neither
// expanded nor followed: element text and attribute values are made of the document's text alone.
//
// A stream does not own its element: the element belongs to the document, and a stream must not be used
// after its storage is gone. The exception is an element the stream made without a parent: no document
// holds it, so the stream frees it when it is destroyed (unless it was put into a tree meanwhile).
#include <libxml/tree.h>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "foundation/CBase.h"
#include "model/storage/PackedAttributes.h"
#include "model/storage/StorageValues.h"

// Value types of a child lookup by attribute value.
namespace childmatch {
constexpr std::int16_t kBoolean = 1;  // the wanted value is an int16
constexpr std::int16_t kText = 2;     // a NUL-terminated text
constexpr std::int16_t kInteger = 3;  // an int32
constexpr std::int16_t kDate = 4;     // an int32
constexpr std::int16_t kReal = 5;     // a double
}  // namespace childmatch

class CStream : public CBase {
public:
    // With a parent and create 0: stands for the parent's first child element of that name; none raises
    // CFail 12. With a parent and any other create flag: appends a new child element of that name.
    // Without a parent and create 1: a new element that belongs to no tree. Without a parent and any
    // other flag: stands for no element (setNode gives it one).
    CStream(CStream* parent, const char* name, std::int16_t create);
    // Stands for the parent's first child element of that name whose attribute has the wanted value
    // (see findChild); none raises CFail 12.
    CStream(CStream* parent, const char* name, const char* attribute, const void* value, std::int16_t valueType);
    ~CStream() override;
    CStream(const CStream&) = delete;
    CStream& operator=(const CStream&) = delete;

    // Takes the element out of its document and frees it: it is no longer saved or found, and the stream
    // stands for no element afterwards. The root element is never removed. Answers 0.
    virtual std::int16_t remove();
    // A heap copy (freeMemory) of the element's text exactly as stored, with a 0 byte after it, and its
    // length in bytes. An element without text leaves both outputs unchanged. Answers 0.
    virtual std::int16_t getText(char** text, std::int32_t* length);
    // Appends bytes that are already in a stored form (base64, for instance) as text. Answers 0.
    virtual std::int16_t addText(const char* bytes, std::int32_t count);

    // The element text as a new UTF-16 buffer (freeMemory; a 0 unit after the text) and its length in
    // units, when text is not null and the element has text; then the attributes of the key list, each
    // into its target, in order. Answers 0. CFail 22 when an argument does not suit its letter or one is
    // missing; CFail 12 when memory is lacking.
    template <typename... Targets>
    std::int16_t readValues(char16_t** text, std::int32_t* length, const char* format, Targets&&... targets) {
        const std::array<StorageTarget, sizeof...(Targets)> list{StorageTarget(std::forward<Targets>(targets))...};
        return readValueList(text, length, format, list);
    }
    // Appends the UTF-16 text (length units) when text is not null, then sets the attributes of the key
    // list from the sources, in order (an existing attribute of the name is replaced). Answers 0; the same
    // failures as readValues.
    template <typename... Sources>
    std::int16_t writeValues(const char16_t* text, std::int32_t length, const char* format, const Sources&... sources) {
        const std::array<StorageSource, sizeof...(Sources)> list{StorageSource(sources)...};
        return writeValueList(text, length, format, list);
    }

    virtual std::int16_t readValueList(char16_t** text, std::int32_t* length, const char* format,
                                       std::span<const StorageTarget> targets);
    virtual std::int16_t writeValueList(const char16_t* text, std::int32_t length, const char* format,
                                        std::span<const StorageSource> sources);

    // One attribute under its letter: false when the element has no such attribute (the target is left
    // unchanged).
    bool readAttribute(const char* name, char letter, const StorageTarget& target);
    // The same for the value of an attribute of this element already found (a reader that walks the
    // attributes once with visitAttributes).
    void readAttributeValue(const char* value, char letter, const StorageTarget& target);
    void writeAttribute(const char* name, char letter, const StorageSource& source);

    // The first element among `first` and its following siblings with that name and, when an attribute
    // is named, with that attribute value, read with the package's attribute reader of the value type
    // (childmatch; XmlNodeHelpers.h) and compared with the value pointed to. Null when none.
    static xmlNode* findChild(xmlNode* first, const char* name, const char* attribute, const void* value,
                              std::int16_t valueType);

    xmlNode* getNode() const { return node; }
    void setNode(xmlNode* element);

private:
    void readElementText(char16_t** text, std::int32_t* length);
    void writeElementText(const char16_t* text, std::int32_t length);
    void releaseOwnedNode();

    xmlNode* node = nullptr;
    bool ownsNode = false;  // an element outside every tree that this stream made
};

// The element's text as the document holds it: its text and CDATA descendants in document order.
// Entity references are not followed.
std::string elementText(const xmlNode* element);
// An attribute's value as the document holds it (entity references not followed); false when the
// element has no attribute of that name (without a namespace).
bool attributeValue(const xmlNode* element, const char* name, std::string& value);
// The value of a library attribute when it is held as one text, as the storage writes them; null when
// it is made of several nodes (entity references in a foreign file), which attributeValue joins.
const char* singleTextValue(const xmlAttr* attribute);

// Calls visit(name, value) for each attribute of the element in order, library attributes first, then
// packed ones (PackedAttributes.h); value is null for an attribute that singleTextValue cannot give.
template <typename Visit>
void visitAttributes(const xmlNode* element, Visit&& visit) {
    if (element == nullptr || element->type != XML_ELEMENT_NODE) return;
    for (const xmlAttr* attribute = element->properties; attribute != nullptr; attribute = attribute->next) {
        visit(reinterpret_cast<const char*>(attribute->name), singleTextValue(attribute));
    }
    for (const PackedAttribute& attribute : PackedAttributes::list(element)) {
        visit(reinterpret_cast<const char*>(attribute.name), attribute.value);
    }
}
