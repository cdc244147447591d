#pragma once
// One picture or drawing of a document as the whole system passes it around: the bytes of a picture in
// the format its type names, or the RTF shape text a drawing was translated into, or both; with a frame
// rectangle, the picture's natural size, crop values, a name and a link. A character record holds the
// picture of a picture anchor (XForm::picData) and releases it through PictureOwnership.h.
//
// The object owns its four heap members (the name and link texts, the picture bytes and the shape text,
// all from the memory layer) and frees them when it is destroyed; copies are deep.
//
// Its storage form, in an element "Picture%06d" of a story that the story writer makes:
//   attributes "fName %r fLink %r fFlag %d fType %d fRect %Q fOriginalRect %Q fCropRect %Q"
//              (a null name or link is stored as the null marker and reads back as null);
//   child "PIC-DATA"  the picture bytes in base64, lines of 80 characters each ended by CR LF, present
//                     only when there are bytes;
//   child "RTF-DATA"  the shape text, coded the same way, present only when there is one.
// Reading an element without "PIC-DATA" or "RTF-DATA" gives a picture without bytes or without shape
// text; it is not a failure (a picture bullet without shape text must not stop a document).
//
// The picture operations (type detection, measuring, conversion, the walk over picture containers)
// belong to the picture code and are added there.
#include <cstdint>

#include "foundation/CBase.h"
#include "model/records/ValueRecords.h"
#include "model/storage/CStream.h"

class CPicture : public CBase {
public:
    // The fresh state: no texts or bytes, flag, type and lengths 0, every rectangle {0, 0, 0, 0}.
    CPicture();
    // Its own copies of the source's texts, bytes and shape text; lacking memory raises CFail 12 in unit
    // "BPicture" (nothing is leaked).
    CPicture(const CPicture& other);
    // From a storage element (readFromStorage; its answer is not looked at).
    explicit CPicture(CStream* element);
    ~CPicture() override;
    CPicture& operator=(const CPicture&) = delete;

    virtual const char* getName() const { return fName; }
    virtual std::int16_t getFlag() const { return fFlag; }
    virtual std::int16_t getType() const { return fType; }
    virtual const LongRect* getRect() const { return &fRect; }
    virtual const LongRect* getOriginalRect() const { return &fOriginalRect; }
    virtual const LongRect* getCropRect() const { return &fCropRect; }
    virtual std::int32_t getPicLength() const { return fPicLength; }
    virtual std::int32_t getRtfLength() const { return fRtfLength; }
    virtual const std::uint8_t* getPicData() const { return fPicData; }
    virtual const std::uint8_t* getRtfData() const { return fRtfData; }

    // Reads the attributes (an absent one leaves its field unchanged) and replaces the bytes and the
    // shape text with those of the two children (an absent or empty child gives none). Answers 0, the
    // code of a failed attribute read, or 12 when memory lacked for a child's bytes (which are then none).
    virtual std::int16_t readFromStorage(CStream* element);
    // Writes the attributes and, when there are bytes or shape text, the two children. Answers 0, or the
    // code of the first failure, which ends the writing.
    virtual std::int16_t writeToStorage(CStream* element);

    char* fName = nullptr;  // may be null
    char* fLink = nullptr;  // may be null
    std::int16_t fFlag = 0;  // 1 when the object carries shape text made from a drawing
    std::int16_t fType = 0;  // picture type code, 0 when unknown
    LongRect fRect{};          // frame in twips
    LongRect fOriginalRect{};  // natural size in twips, {0, 0, height, width}
    LongRect fCropRect{};      // crop fractions in 16.16 fixed point
    std::int32_t fPicLength = 0;
    std::int32_t fRtfLength = 0;
    std::uint8_t* fPicData = nullptr;
    std::uint8_t* fRtfData = nullptr;

private:
    void releaseAll();
};
