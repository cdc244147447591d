#pragma once
// Where WordprocessingML keeps the bytes of a picture, and how the container walk fetches them:
//   w:binData            base64 text (Word 2003 XML, and VML pictures of either format); its "name"
//                        ("wordml://02000001.png") names the picture
//   v:imagedata r:id     a package part named by a relationship of the story's part (VML)
//   a:blip r:embed       the same for DrawingML pictures (w:drawing / pic:pic / pic:blipFill / a:blip)
// Fetched bytes are typed and measured by detectPictureType. Nothing here reports a failure: a missing
// element, attribute or part leaves the fetched picture as it was. Lack of memory raises CFail 12.
//
// The package is the one being imported, with the relationships of the part that holds the container
// loaded; null for a document without a package (Word 2003 XML), where no relationship resolves.
#include <libxml/tree.h>

#include <cstdint>
#include <string>

#include "picture/PictureInfo.h"

class CRelationshipsTable;

// The bytes found for a container, with the name they came under and their type and size.
struct FetchedPicture {
    FetchedPicture();
    FetchedPicture(const FetchedPicture&) = delete;
    FetchedPicture& operator=(const FetchedPicture&) = delete;
    ~FetchedPicture();

    // Takes over a block of the memory layer, releasing the one held before.
    void replaceData(std::uint8_t* block, std::int32_t size);
    // Hands the block over to the caller (who frees it with freeMemory); the picture holds none after.
    std::uint8_t* releaseData();
    bool hasBytes() const { return data != nullptr && length > 0; }

    std::uint8_t* data = nullptr;
    std::int32_t length = 0;
    std::string name;  // the w:binData name or the relationship's target
    PictureInfo info;
};

// Decodes the element's base64 text into the picture. Bytes that came with a "name" are typed and
// measured; bytes without one stay untyped.
void readBinData(xmlNode* binData, FetchedPicture& picture);
// w:pict and w:object: fetchVmlPicture (a w:object without a measured size takes "dxaOrig" and
// "dyaOrig" as width and height); w:drawing: fetchDrawingPicture; anything else: nothing.
void fetchContainerPicture(xmlNode* container, CRelationshipsTable* package, FetchedPicture& picture,
                           std::int16_t index);
// The index-th w:binData child (counted from 0), or one inside the last v:shape child, or, through a
// leading v:group, the group's; failing that the first v:imagedata below whose "id" names a part.
// The first w:binData that matches ends the search.
void fetchVmlPicture(xmlNode* container, CRelationshipsTable* package, FetchedPicture& picture, std::int16_t index);
// The part named by the blip's "embed" relationship.
void fetchBlipPicture(xmlNode* blip, CRelationshipsTable* package, FetchedPicture& picture);
// Each a:blip of each pic:blipFill of the first pic:pic below the element; the last one read wins.
void fetchDrawingPicture(xmlNode* element, CRelationshipsTable* package, FetchedPicture& picture, std::int16_t index);
// 1 when the graphic data's first child is a:relIds whose "lo" relationship names a layout part that
// parses; else 0.
std::int16_t diagramLayoutReadable(xmlNode* graphicData, CRelationshipsTable* package);
