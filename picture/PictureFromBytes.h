#pragma once
// Pictures made from picture bytes (the AppleWorks importers) and from a file (a picture shown in a
// window). The caller owns the new object and releases it with disposeObject.
#include <cstdint>

#include "foundation/files/CFile.h"
#include "model/CPicture.h"
#include "model/records/ValueRecords.h"

// An empty name, the given type, a copy of the bytes and the frame. The natural size: for a PICT (type 8)
// its picture frame (top, left, bottom, right, big-endian 16-bit values at bytes 2 to 9) × 20, nothing
// when the data is shorter than the frame; for any other type the measuring of measureThroughGdiPlus
// without conversion. Lacking memory raises CFail 12 in unit "BPicture".
CPicture* newPictureFromBytes(const std::uint8_t* bytes, const LongRect& frame, std::int16_t type,
                              std::int32_t length);

// Reads the whole (open-able) file and measures it as a PNG; the object keeps nothing of it and stays in
// the fresh state. Every failure on the way is absorbed. The file is left open for its owner to close.
// Lacking memory for the object itself raises CFail 12.
CPicture* newPictureFromFile(CFile& file);
