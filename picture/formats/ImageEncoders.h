#pragma once
// The table of image encoders this program has: PNG only (every conversion ends in PNG).
#include <cstdint>

struct ClassId {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};

void copyClassId(ClassId& destination, const ClassId& source);
// The index of the encoder whose MIME type equals mimeType exactly, with its class id copied out; -1 for
// a type no encoder has (the class id is then left alone).
std::int32_t findImageEncoder(const char16_t* mimeType, ClassId& classId);
// The class id of our PNG encoder.
const ClassId& pngEncoderClassId();
