#include "picture/formats/InflateBuffer.h"

#include <zlib.h>

std::int32_t inflateBuffer(const std::uint8_t* source, std::uint8_t* destination, std::int32_t sourceLength,
                           std::int32_t destinationSize) {
    if (source == nullptr || destination == nullptr || sourceLength < 0 || destinationSize < 0) return -1;
    z_stream stream{};
    stream.next_in = const_cast<Bytef*>(source);
    stream.avail_in = static_cast<uInt>(sourceLength);
    stream.next_out = destination;
    stream.avail_out = static_cast<uInt>(destinationSize);
    if (inflateInit(&stream) != Z_OK) return -1;
    const int inflated = inflate(&stream, Z_FINISH);
    const int ended = inflateEnd(&stream);
    if (inflated != Z_STREAM_END || ended != Z_OK) return -1;
    return static_cast<std::int32_t>(stream.total_out);
}
