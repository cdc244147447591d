#include "package/PartByteStream.h"

#include <algorithm>
#include <cstring>

#include "foundation/memory/Memory.h"

MemoryByteStream::MemoryByteStream(const char* bytes, std::int32_t size, std::int32_t pieceSize)
    : bytes(bytes), size(bytes != nullptr && size > 0 ? size : 0), pieceSize(std::max(pieceSize, 1)) {}

std::unique_ptr<MemoryByteStream> MemoryByteStream::owning(void* block, std::int32_t size) {
    auto stream = std::make_unique<MemoryByteStream>(static_cast<const char*>(block), size);
    stream->owned = block;
    return stream;
}

MemoryByteStream::~MemoryByteStream() { freeMemory(owned); }

std::int32_t MemoryByteStream::read(char* into, std::int32_t room) {
    const std::int32_t count = std::min({room, pieceSize, size - offset});
    if (count <= 0) return 0;
    std::memcpy(into, bytes + offset, static_cast<std::size_t>(count));
    offset += count;
    return count;
}

std::string readWholeStream(PartByteStream& stream) {
    constexpr std::int32_t kPiece = 1 << 20;
    std::string whole;
    for (;;) {
        const std::size_t filled = whole.size();
        whole.resize(filled + kPiece);
        const std::int32_t read = stream.read(whole.data() + filled, kPiece);
        whole.resize(filled + static_cast<std::size_t>(std::max(read, 0)));
        if (read <= 0) return whole;
    }
}
