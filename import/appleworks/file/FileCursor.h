#pragma once
// Reading an AppleWorks file front to back: a cursor over the file's bytes with big-endian reads. A read
// or skip that the bytes cannot satisfy (a short read, a length beyond the end of the file) fails the file
// with CFail -120 before anything is copied or allocated, so a claimed length never outgrows the file.
#include <cstdint>

namespace appleworks {

class FileCursor {
public:
    FileCursor(const std::uint8_t* bytes, std::int32_t length) : data(bytes), size(length < 0 ? 0 : length) {}

    std::int32_t position() const { return at; }
    std::int32_t remaining() const { return size - at; }
    // Moves to an absolute offset within the file (the end included).
    void seek(std::int64_t offset);
    // Moves forward by count bytes, or back by a negative count, staying within the file.
    void skip(std::int64_t count);
    std::uint8_t readU8();
    std::uint16_t readU16();
    std::uint32_t readU32();
    // The next count bytes, checked, and moves past them.
    const std::uint8_t* take(std::int64_t count);

private:
    const std::uint8_t* data;
    std::int32_t size;
    std::int32_t at = 0;
};

}  // namespace appleworks
