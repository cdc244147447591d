#pragma once
// A small byte buffer that the base64 codec reads from and writes into. A writer owns a heap block that
// grows as bytes are put and always keeps one free byte after the data; a reader walks a caller's block.
#include <cstdint>

class ByteBuffer {
public:
    static constexpr std::int32_t kGrowth = 16384;

    // A writer: a new block of 16384 bytes, nothing written. Lack of memory raises CFail 12.
    ByteBuffer();
    // A reader over the caller's block of length bytes (negative counts as 0); the block stays the caller's.
    ByteBuffer(const std::uint8_t* block, std::int32_t length);
    ~ByteBuffer();
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;

    // Whether every byte has been read (or, for a writer, whether it is full).
    bool atEnd() const { return length >= capacity; }
    // The next byte (0 to 255), or 0 without advancing at the end.
    std::uint8_t getByte();
    // Appends a byte, growing the block when no byte would be left free after it. Lack of memory (or a
    // block that would pass 2 GB) raises CFail 12; the data written so far stays. A reader, or a writer
    // whose block was handed over, raises CFail 22.
    void putByte(std::uint8_t byte);
    // Hands a writer's block over to the caller (freed with freeMemory), with a 0 byte after the data;
    // the buffer is left empty.
    std::uint8_t* releaseData();

    std::uint8_t* data;      // a writer's own block, or the caller's block while reading
    std::int32_t capacity;   // the block's size while writing; the data's length while reading
    std::int32_t length;     // bytes written so far; bytes read so far

private:
    bool ownsData;
};
