#include "import/wordml/TPicturesArray.h"

#include <new>

#include "foundation/text/TextCompare.h"
#include "model/CPicture.h"
#include "model/records/PictureOwnership.h"

TPicturesArray::~TPicturesArray() {
    for (CPicture*& picture : pictures) disposePicture(picture);
}

std::int16_t TPicturesArray::addPicture(CPicture* picture) {
    if (picture == nullptr || picture->getName() == nullptr) return 0;
    if (findPicture(picture->getName()) != nullptr) return 0;
    try {
        pictures.push_back(picture);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

CPicture* TPicturesArray::findPicture(const char* name) const {
    if (name == nullptr) return nullptr;
    for (CPicture* picture : pictures) {
        if (picture->getName() != nullptr && compareText(picture->getName(), name, 0) == 0) return picture;
    }
    return nullptr;
}
