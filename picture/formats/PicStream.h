#pragma once
// A growable stream over a block of memory: the input of the picture decoders (over the caller's bytes,
// borrowed) and the sink of the PNG encoder (an output stream whose block passes to whoever takes it).
// Reads, writes, seeks and size changes answer the codes the picture code expects: 0 done, 38 a read
// that met the end, 8 a block that could not grow.
#include <cstdint>

class PicStream {
public:
    static constexpr std::uint64_t kGrowth = 0x18000;  // room added whenever the block grows
    static constexpr std::int16_t kReadPastEnd = 38;
    static constexpr std::int16_t kNoMemory = 8;

    // Over the caller's block, which the stream neither frees nor grows as long as nothing is written.
    PicStream(const std::uint8_t* data, std::uint64_t size);
    // Empty, with a block of kGrowth bytes from the memory layer; lacking memory raises CFail 12.
    static PicStream* newOutputStream();
    ~PicStream();
    PicStream(const PicStream&) = delete;
    PicStream& operator=(const PicStream&) = delete;

    // Copies min(count, size - position) bytes; 38 when fewer than count were there.
    std::int16_t read(void* buffer, std::uint64_t count, std::uint64_t* bytesRead);
    // Grows the block to the new end plus kGrowth when needed (8 when it cannot: nothing written).
    std::int16_t write(const void* buffer, std::uint64_t count, std::uint64_t* bytesWritten);
    // origin 0 from the start, 1 from the position, 2 from the end; any other origin leaves the position.
    std::int16_t seek(std::int64_t offset, int origin, std::uint64_t* newPosition);
    std::int16_t setSize(std::uint64_t newSize);

    std::uint64_t size() const { return fSize; }
    std::uint64_t position() const { return fPosition; }
    std::uint64_t capacity() const { return fCapacity; }
    const std::uint8_t* data() const { return fData; }
    // Hands the block (of the memory layer) to the caller, who frees it; the stream is then empty. A
    // stream over a borrowed block answers null.
    std::uint8_t* takeBlock();

private:
    PicStream() = default;
    bool ensureCapacity(std::uint64_t needed);

    std::uint64_t fSize = 0;
    std::uint64_t fPosition = 0;
    std::uint64_t fCapacity = 0;  // 0 while the block is the caller's
    std::uint8_t* fData = nullptr;
    const std::uint8_t* fBorrowed = nullptr;
};
