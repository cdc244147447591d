#include "model/CPicture.h"

#include <cstring>

#include "foundation/CFail.h"
#include "foundation/encoding/Base64Codec.h"
#include "foundation/memory/Memory.h"
#include "model/records/RecordKeys.h"

namespace {

constexpr const char* kUnit = "BPicture";
constexpr const char* kAttributes =
    "fName %r fLink %r fFlag %d fType %d fRect %Q fOriginalRect %Q fCropRect %Q";
constexpr const char* kPictureBytesElement = "PIC-DATA";
constexpr const char* kShapeTextElement = "RTF-DATA";

// A copy of length bytes, or null for no bytes; lacking memory raises CFail 12.
std::uint8_t* copyBytes(const std::uint8_t* bytes, std::int32_t length) {
    if (bytes == nullptr || length <= 0) return nullptr;
    auto* copy = static_cast<std::uint8_t*>(allocMemory(length));
    throwIfNull(copy, __LINE__, kUnit);
    std::memcpy(copy, bytes, static_cast<std::size_t>(length));
    return copy;
}

char* copyText(const char* text) {
    if (text == nullptr) return nullptr;
    char* copy = duplicateCString(text);
    throwIfNull(copy, __LINE__, kUnit);
    return copy;
}

// The decoded base64 text of the child element; no bytes when the child is absent or empty. Answers 0,
// or 12 when memory lacked for the text or the bytes (the picture then has none), so that a reader never
// passes a picture it could not read whole as one without bytes.
std::int16_t readEncodedChild(CStream* element, const char* name, std::uint8_t*& data, std::int32_t& length) {
    freeMemory(data);
    length = 0;
    if (element->getNode() == nullptr || CStream::findChild(element->getNode()->children, name, nullptr, nullptr, 0) == nullptr)
        return result::kSuccess;
    char* text = nullptr;
    const std::int16_t code = failureCode([&] {
        CStream child(element, name, 0);
        std::int32_t textLength = 0;
        child.getText(&text, &textLength);
        if (text == nullptr) return;
        std::uint8_t* bytes = nullptr;
        std::int32_t count = 0;
        base64Decode(text, textLength, &bytes, &count);
        if (count > 0) {
            data = bytes;
            length = count;
        } else {
            freeMemory(bytes);
        }
    });
    freeMemory(text);
    return code;
}

// The bytes in base64 as the text of a new child element.
void writeEncodedChild(CStream* element, const char* name, const std::uint8_t* data, std::int32_t length) {
    char* text = nullptr;
    std::int32_t textLength = 0;
    base64Encode(data, length, &text, &textLength);
    const std::int16_t code = failureCode([&] {
        CStream child(element, name, 1);
        child.addText(text, textLength);
    });
    freeMemory(text);
    throwIfError(code, __LINE__, kUnit);
}

}  // namespace

CPicture::CPicture() = default;

CPicture::CPicture(const CPicture& other)
    : CBase(other),
      fFlag(other.fFlag),
      fType(other.fType),
      fRect(other.fRect),
      fOriginalRect(other.fOriginalRect),
      fCropRect(other.fCropRect) {
    try {
        fName = copyText(other.fName);
        fLink = copyText(other.fLink);
        fPicData = copyBytes(other.fPicData, other.fPicLength);
        fPicLength = fPicData != nullptr ? other.fPicLength : 0;
        fRtfData = copyBytes(other.fRtfData, other.fRtfLength);
        fRtfLength = fRtfData != nullptr ? other.fRtfLength : 0;
    } catch (...) {
        releaseAll();
        rethrowFailure();
    }
}

CPicture::CPicture(CStream* element) {
    CPicture::readFromStorage(element);  // from a constructor a virtual call reaches only this class's own
}

CPicture::~CPicture() {
    releaseAll();
}

void CPicture::releaseAll() {
    freeMemory(fName);
    freeMemory(fLink);
    freeMemory(fPicData);
    freeMemory(fRtfData);
    fPicLength = 0;
    fRtfLength = 0;
}

std::int16_t CPicture::readFromStorage(CStream* element) {
    if (element == nullptr) return result::kNullObject;
    const std::int16_t attributes = failureCode([&] {
        element->readValues(nullptr, nullptr, kAttributes, &fName, &fLink, &fFlag, &fType, &fRect, &fOriginalRect,
                            &fCropRect);
    });
    if (attributes != result::kSuccess) return attributes;
    const std::int16_t bytes = readEncodedChild(element, kPictureBytesElement, fPicData, fPicLength);
    const std::int16_t shape = readEncodedChild(element, kShapeTextElement, fRtfData, fRtfLength);
    return bytes != result::kSuccess ? bytes : shape;
}

std::int16_t CPicture::writeToStorage(CStream* element) {
    if (element == nullptr) return result::kNullObject;
    return failureCode([&] {
        element->writeValues(nullptr, 0, kAttributes, fName, fLink, fFlag, fType, fRect, fOriginalRect, fCropRect);
        if (fPicData != nullptr && fPicLength > 0) writeEncodedChild(element, kPictureBytesElement, fPicData, fPicLength);
        if (fRtfData != nullptr && fRtfLength > 0) writeEncodedChild(element, kShapeTextElement, fRtfData, fRtfLength);
    });
}
