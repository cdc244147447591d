#include "picture/containers/PictureFromContainer.h"

#include <new>

#include "foundation/CFail.h"
#include "model/CPicture.h"
#include "model/records/PictureOwnership.h"
#include "picture/containers/PictureContainerWalk.h"

namespace {

constexpr const char* kUnit = "BPicture";

}  // namespace

CPicture* newPictureFromContainer(xmlNode* container, CRelationshipsTable* package) {
    CPicture* picture = new (std::nothrow) CPicture();
    throwIfNull(picture, __LINE__, kUnit);
    try {
        translatePictureContainer(*picture, container, package);
    } catch (...) {
        disposePicture(picture);
        throw;
    }
    return picture;
}
