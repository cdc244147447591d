#pragma once
// The natural size of JPEG, PNG and metafile pictures into a PictureInfo, read from their headers. Each
// absorbs its failures: a picture that cannot be read keeps the fields set so far, and nothing is
// reported.
#include <cstdint>

#include "picture/PictureInfo.h"

// Width and height in twips: pixels × 20 (72 dots per inch), or with a JFIF density per inch or per
// centimetre pixels × 1440 (or 567) / density, the density 0 leaving pixels × 1440 (or 567). The density
// fields take the JFIF values.
void measureJpeg(const std::uint8_t* data, std::int32_t length, PictureInfo& info);
// Width and height in twips: pixels × 20, scaled by a pHYs chunk (per metre: to its dots per inch; aspect
// ratio only: by the ratio over 72). A pHYs value that would divide by 0 leaves pixels × 20.
void measurePng(const std::uint8_t* data, std::int32_t length, PictureInfo& info);
// By the type already in the record: 11, the placeable header's box in twips (its units per inch, 1440
// when 0 or 1440); 12, the extent of the last SETWINDOWEXT record, in logical units. Records that run
// past the data end the walk.
void measureWmf(const std::uint8_t* data, std::int32_t length, PictureInfo& info);
