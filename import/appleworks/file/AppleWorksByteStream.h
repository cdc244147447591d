#pragma once
// A growable in-memory byte stream over one block of the memory layer, with which the file reader re-lays
// a block: records are read from a stream over the block as read and written into an empty one, whose
// block then takes the old one's place.
//
// The position always lies within 0 to size, and `data` always holds `size` bytes: a growth that the
// memory layer refuses raises CFail 12 and leaves the stream as it was. A read that runs past the end takes
// what remains and answers -120; readOrFail raises that as CFail -120.
#include <cstdint>

namespace appleworks {

class AppleWorksByteStream {
public:
    AppleWorksByteStream() = default;
    // Takes over a block of the memory layer (null: empty); the stream frees it.
    explicit AppleWorksByteStream(std::uint8_t* block);
    ~AppleWorksByteStream();
    AppleWorksByteStream(const AppleWorksByteStream&) = delete;
    AppleWorksByteStream& operator=(const AppleWorksByteStream&) = delete;

    // Mode 0 from the start, 1 from the position, 2 counted back from the end; any other keeps the
    // position. The result is pulled into 0 to size.
    void seek(std::int32_t offset, std::int16_t mode);
    std::int32_t getPosition() const { return position; }
    // Grows or cuts the block to n bytes (n below 0 counts as 0); grown bytes are not cleared.
    void setSize(std::int32_t n);
    std::int32_t getSize() const { return size; }
    // Grows the stream to the end of the write when needed; answers 0.
    std::int16_t write(const void* source, std::int32_t n);
    // 0, or -120 when fewer than n bytes remain (those are taken).
    std::int16_t read(void* destination, std::int32_t n);
    void writeOrFail(const void* source, std::int32_t n);
    void readOrFail(void* destination, std::int32_t n);
    // Hands the block (freed with freeMemory) to the caller; the stream is left empty.
    std::uint8_t* detachData();

private:
    std::uint8_t* data = nullptr;
    std::int32_t size = 0;
    std::int32_t position = 0;
};

}  // namespace appleworks
