#include "picture/containers/ContainerPictureData.h"

#include <libxml/parser.h>

#include <cstring>

#include "foundation/CFail.h"
#include "foundation/encoding/Base64Codec.h"
#include "foundation/memory/Memory.h"
#include "package/CRelationshipsTable.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"
#include "picture/PictureDetection.h"

namespace {

constexpr const char* kUnit = "BPicture";

// libxml2's text of the node, released when the holder goes.
struct NodeContent {
    explicit NodeContent(const xmlNode* node) : text(xmlNodeGetContent(node)) {}
    NodeContent(const NodeContent&) = delete;
    NodeContent& operator=(const NodeContent&) = delete;
    ~NodeContent() { xmlFree(text); }
    xmlChar* text;
};

std::string attributeText(const xmlNode* element, const char* name, bool* present) {
    xmlChar* value = xmlGetAttr(element, name);
    *present = value != nullptr;
    std::string text = value != nullptr ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

void detect(FetchedPicture& picture) {
    if (picture.hasBytes()) detectPictureType(picture.data, picture.length, picture.info);
}

// The part named by the relationship id, into the picture; false when it cannot be read.
bool readRelationshipPart(CRelationshipsTable* package, const std::string& id, FetchedPicture& picture) {
    if (package == nullptr) return false;
    std::int16_t mode = 0;
    const char* target = nullptr;
    void* buffer = nullptr;
    std::int32_t size = 0;
    if (package->readTargetPart(id.c_str(), &mode, &target, &buffer, &size) != 1) return false;
    picture.replaceData(static_cast<std::uint8_t*>(buffer), size);
    picture.name = target != nullptr ? target : "";
    return true;
}

// Walks the children for the index-th w:binData; counter carries on from an earlier walk.
bool readIndexedBinData(xmlNode* parent, FetchedPicture& picture, std::int16_t index, std::int32_t& counter,
                        xmlNode** lastShape) {
    for (xmlNode* child = parent->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "binData")) {
            if (counter == index) {
                readBinData(child, picture);
                return true;
            }
            ++counter;
        } else if (lastShape != nullptr && xmlIsElement(child, "v", "shape")) {
            *lastShape = child;
        }
    }
    return false;
}

}  // namespace

FetchedPicture::FetchedPicture() { clearPictureInfo(info); }

FetchedPicture::~FetchedPicture() { freeMemory(data); }

void FetchedPicture::replaceData(std::uint8_t* block, std::int32_t size) {
    freeMemory(data);
    data = block;
    length = block != nullptr && size > 0 ? size : 0;
}

std::uint8_t* FetchedPicture::releaseData() {
    std::uint8_t* block = data;
    data = nullptr;
    length = 0;
    return block;
}

void readBinData(xmlNode* binData, FetchedPicture& picture) {
    const NodeContent content(binData);
    if (content.text == nullptr) return;
    const std::size_t textLength = std::strlen(reinterpret_cast<const char*>(content.text));
    if (textLength > static_cast<std::size_t>(INT32_MAX)) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    std::uint8_t* bytes = nullptr;
    std::int32_t length = 0;
    base64Decode(reinterpret_cast<const char*>(content.text), static_cast<std::int32_t>(textLength), &bytes, &length);
    if (bytes == nullptr) return;
    picture.replaceData(bytes, length);
    bool named = false;
    std::string name = attributeText(binData, "name", &named);
    if (!named) return;
    picture.name = std::move(name);
    detect(picture);
}

void fetchContainerPicture(xmlNode* container, CRelationshipsTable* package, FetchedPicture& picture,
                           std::int16_t index) {
    if (xmlIsElement(container, "w", "pict") || xmlIsElement(container, "w", "object")) {
        fetchVmlPicture(container, package, picture, index);
        if (xmlIsElement(container, "w", "object") && picture.info.height == 0 && picture.info.width == 0) {
            std::int16_t present = 0;
            const std::int32_t width = xmlGetAttrInt(container, nullptr, "dxaOrig", &present);
            if (present == 1) picture.info.width = width;
            const std::int32_t height = xmlGetAttrInt(container, nullptr, "dyaOrig", &present);
            if (present == 1) picture.info.height = height;
        }
    } else if (xmlIsElement(container, "w", "drawing")) {
        fetchDrawingPicture(container, package, picture, index);
    }
}

void fetchVmlPicture(xmlNode* container, CRelationshipsTable* package, FetchedPicture& picture, std::int16_t index) {
    xmlNode* first = xmlFirstElementChild(container);
    if (xmlIsElement(first, "v", "group")) {
        fetchVmlPicture(first, package, picture, index);
        return;
    }
    std::int32_t counter = 0;
    xmlNode* lastShape = nullptr;
    if (readIndexedBinData(container, picture, index, counter, &lastShape)) return;
    if (lastShape != nullptr && counter == index &&
        readIndexedBinData(lastShape, picture, index, counter, nullptr))
        return;
    xmlNode* imageData = xmlFindElement(container->children, "v", "imagedata", 1);
    if (imageData == nullptr) return;
    bool present = false;
    const std::string id = attributeText(imageData, "id", &present);
    if (!present || !readRelationshipPart(package, id, picture)) return;
    detect(picture);
}

void fetchBlipPicture(xmlNode* blip, CRelationshipsTable* package, FetchedPicture& picture) {
    bool present = false;
    const std::string id = attributeText(blip, "embed", &present);
    if (!present || !readRelationshipPart(package, id, picture)) return;
    detect(picture);
}

void fetchDrawingPicture(xmlNode* element, CRelationshipsTable* package, FetchedPicture& picture, std::int16_t) {
    if (element == nullptr) return;
    xmlNode* pic = xmlFindElement(element->children, "pic", "pic", 1);
    if (pic == nullptr) return;
    for (xmlNode* fill = pic->children; fill != nullptr; fill = fill->next) {
        if (!xmlIsElement(fill, "pic", "blipFill")) continue;
        for (xmlNode* blip = fill->children; blip != nullptr; blip = blip->next) {
            if (xmlIsElement(blip, "a", "blip")) fetchBlipPicture(blip, package, picture);
        }
    }
}

std::int16_t diagramLayoutReadable(xmlNode* graphicData, CRelationshipsTable* package) {
    if (graphicData == nullptr || package == nullptr) return 0;
    xmlNode* first = xmlFirstElementChild(graphicData);
    if (!xmlIsElement(first, "a", "relIds")) return 0;
    bool present = false;
    const std::string id = attributeText(first, "lo", &present);
    if (!present) return 0;
    std::int16_t mode = 0;
    const char* target = nullptr;
    xmlDoc* layout = nullptr;
    xmlNode* root = nullptr;
    const std::int16_t parsed = package->parseTargetPart(id.c_str(), &mode, &target, &layout, &root);
    if (layout != nullptr) xmlFreeDoc(layout);
    return parsed == 1 ? 1 : 0;
}
