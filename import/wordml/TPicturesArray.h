#pragma once
// The pictures of the story being imported, keyed by name. Before a story is delivered every picture
// container of it is built into a CPicture and kept here (PictureGathering.cpp); when the text reaches a
// picture container, its picture is found again by the container's name and travels with the anchor.
//
// The table owns its pictures: an anchor only shares one, and the story writes a copy into the storage
// at once, so the picture outlives every use within its story.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/CBase.h"

class CPicture;

class TPicturesArray : public CBase {
public:
    TPicturesArray() = default;
    TPicturesArray(const TPicturesArray&) = delete;
    TPicturesArray& operator=(const TPicturesArray&) = delete;
    ~TPicturesArray() override;

    // 1 when the table takes the picture over; 0, and the caller keeps it, when it has no name or a
    // picture of the same name (ignoring case) is held already: the first picture of a name wins.
    std::int16_t addPicture(CPicture* picture);
    // The first picture whose name equals the key, ignoring case; null for none or a null key.
    CPicture* findPicture(const char* name) const;
    std::size_t count() const { return pictures.size(); }

private:
    std::vector<CPicture*> pictures;
};
