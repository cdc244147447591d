#pragma once
// Replacing a picture's bytes and its three rectangles.
#include <cstdint>

#include "model/CPicture.h"
#include "model/records/ValueRecords.h"

// The most bytes a compressed picture may inflate to: ten times its compressed length, and never more
// than this, so a small stream cannot make the program ask for gigabytes.
constexpr std::int32_t kMaxInflatedPictureSize = 256 * 1024 * 1024;

// Stores a copy of the bytes (compressed 1: the bytes inflated as one zlib stream, into at most ten times
// their length) in place of the bytes held before, and the frame, natural-size and crop rectangles.
// Answers false when the compressed bytes did not inflate (corrupt, or larger than the room): the picture
// then has no bytes. Lacking memory raises CFail 12 in unit "BPicture" (the picture then has no bytes).
bool setPicture(CPicture& picture, const std::uint8_t* bytes, std::int32_t length, const LongRect& frame,
                const LongRect& naturalSize, const LongRect& crop, std::int16_t compressed);
