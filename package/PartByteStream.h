#pragma once
// A part's bytes handed out piece by piece, for readers that go through a large part once and need not
// hold it whole. A failure to read (a damaged zip member, data that does not match its checksum) raises
// CFail with the code reading the part whole would answer; it may come only at the end, where the zip
// library checks the data.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class PartByteStream {
public:
    virtual ~PartByteStream() = default;
    // Copies the next bytes into the room given; the number copied, 0 only at the end of the part.
    virtual std::int32_t read(char* into, std::int32_t room) = 0;
};

// Bytes already in memory, handed out at most pieceSize at a time: a small part, an unpacked package's
// file, or a test that places the piece boundaries where it wants them.
class MemoryByteStream : public PartByteStream {
public:
    // The bytes stay the caller's and must outlive the stream.
    MemoryByteStream(const char* bytes, std::int32_t size, std::int32_t pieceSize = INT32_MAX);
    // The stream owns a block released with freeMemory.
    static std::unique_ptr<MemoryByteStream> owning(void* block, std::int32_t size);
    ~MemoryByteStream() override;

    std::int32_t read(char* into, std::int32_t room) override;

private:
    const char* bytes;
    std::int32_t size;
    std::int32_t pieceSize;
    std::int32_t offset = 0;
    void* owned = nullptr;
};

// Opens the part from its start each time it is called; raises CFail when it cannot, never answers null.
using PartStreamOpener = std::function<std::unique_ptr<PartByteStream>()>;

// The rest of the stream in one piece: for a reader that must have the part whole after all.
std::string readWholeStream(PartByteStream& stream);
