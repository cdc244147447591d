#include "model/records/PictureOwnership.h"

#include <new>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/CPicture.h"

namespace {
constexpr const char* kUnit = "BPicture";
}

CPicture* clonePicture(const CPicture* source) {
    if (source == nullptr) return nullptr;
    CPicture* copy = new (std::nothrow) CPicture(*source);
    throwIfNull(copy, __LINE__, kUnit);
    return copy;
}

void disposePicture(CPicture*& picture) {
    disposeObject(picture);
}
