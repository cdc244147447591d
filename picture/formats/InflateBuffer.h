#pragma once
// zlib inflation of a whole buffer in one call.
#include <cstdint>

// Inflates the source as one zlib stream into the destination; answers the bytes written, or -1 when
// the stream is corrupt, does not end, or does not fit the destination.
std::int32_t inflateBuffer(const std::uint8_t* source, std::uint8_t* destination, std::int32_t sourceLength,
                           std::int32_t destinationSize);
