#include "foundation/encoding/ByteBuffer.h"

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"

namespace {
constexpr const char* kUnit = "BCodec";
}  // namespace

ByteBuffer::ByteBuffer() : data(nullptr), capacity(kGrowth), length(0), ownsData(true) {
    data = static_cast<std::uint8_t*>(allocMemory(capacity));
    throwIfNull(data, __LINE__, kUnit);
}

ByteBuffer::ByteBuffer(const std::uint8_t* block, std::int32_t blockLength)
    : data(const_cast<std::uint8_t*>(block)),  // a reader never writes through it
      capacity(block && blockLength > 0 ? blockLength : 0),
      length(0),
      ownsData(false) {}

ByteBuffer::~ByteBuffer() {
    if (ownsData) freeMemory(data);
}

std::uint8_t ByteBuffer::getByte() {
    if (atEnd()) return 0;
    return data[length++];
}

void ByteBuffer::putByte(std::uint8_t byte) {
    // A reader's block, or a block already handed over, is not ours to grow.
    if (!ownsData) throwFail(result::kNullObject, __LINE__, kUnit);
    if (length + 1 >= capacity) {
        // Doubling keeps large pictures linear to encode; the block grows by at least 16384 bytes.
        const std::int64_t grown = static_cast<std::int64_t>(capacity) + (capacity > kGrowth ? capacity : kGrowth);
        if (grown > INT32_MAX) throwFail(result::kOutOfMemory, __LINE__, kUnit);
        void* block = resizeMemory(data, static_cast<std::int32_t>(grown));
        throwIfNull(block, __LINE__, kUnit);
        data = static_cast<std::uint8_t*>(block);
        capacity = static_cast<std::int32_t>(grown);
    }
    data[length++] = byte;
}

std::uint8_t* ByteBuffer::releaseData() {
    if (!ownsData) return nullptr;
    data[length] = 0;  // the writer always keeps this byte free
    std::uint8_t* block = data;
    data = nullptr;
    capacity = 0;
    length = 0;
    ownsData = false;
    return block;
}
