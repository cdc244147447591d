#include "picture/formats/PicStream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "picture/PictureUnit.h"

namespace {

// The memory layer counts in signed 32 bits.
constexpr std::uint64_t kLargestBlock = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());

}  // namespace

PicStream::PicStream(const std::uint8_t* data, std::uint64_t size) : fSize(size), fBorrowed(data) {}

PicStream* PicStream::newOutputStream() {
    auto* stream = new (std::nothrow) PicStream();
    throwIfNull(stream, __LINE__, kPictureUnit);
    stream->fData = static_cast<std::uint8_t*>(allocMemory(static_cast<std::int32_t>(kGrowth)));
    if (stream->fData == nullptr) {
        delete stream;
        throwFail(result::kOutOfMemory, __LINE__, kPictureUnit);
    }
    stream->fCapacity = kGrowth;
    return stream;
}

PicStream::~PicStream() { freeMemory(fData); }

std::int16_t PicStream::read(void* buffer, std::uint64_t count, std::uint64_t* bytesRead) {
    const std::uint64_t available = fPosition < fSize ? fSize - fPosition : 0;
    const std::uint64_t copied = std::min(count, available);
    const std::uint8_t* source = fData != nullptr ? fData : fBorrowed;
    if (copied > 0) std::memcpy(buffer, source + fPosition, copied);
    fPosition += copied;
    if (bytesRead != nullptr) *bytesRead = copied;
    return copied == count ? 0 : kReadPastEnd;
}

// A block of the memory layer large enough for `needed` bytes plus the growth room. A borrowed block is
// copied into the first block of our own.
bool PicStream::ensureCapacity(std::uint64_t needed) {
    if (needed <= fCapacity) return true;
    if (needed > kLargestBlock - kGrowth) return false;
    const std::uint64_t grown = needed + kGrowth;
    void* block = resizeMemory(fData, static_cast<std::int32_t>(grown));
    if (block == nullptr) return false;
    fData = static_cast<std::uint8_t*>(block);
    if (fCapacity == 0 && fBorrowed != nullptr && fSize > 0)
        std::memcpy(fData, fBorrowed, std::min(fSize, needed));
    fBorrowed = nullptr;
    fCapacity = grown;
    return true;
}

std::int16_t PicStream::write(const void* buffer, std::uint64_t count, std::uint64_t* bytesWritten) {
    if (fPosition > kLargestBlock || count > kLargestBlock - fPosition) return kNoMemory;
    const std::uint64_t end = fPosition + count;
    if (!ensureCapacity(std::max(end, fSize))) return kNoMemory;
    if (fPosition > fSize) std::memset(fData + fSize, 0, fPosition - fSize);  // a gap left by a seek
    if (count > 0) std::memcpy(fData + fPosition, buffer, count);
    fPosition = end;
    fSize = std::max(fSize, end);
    if (bytesWritten != nullptr) *bytesWritten = count;
    return 0;
}

std::int16_t PicStream::seek(std::int64_t offset, int origin, std::uint64_t* newPosition) {
    if (origin == 0) fPosition = static_cast<std::uint64_t>(offset);
    else if (origin == 1) fPosition += static_cast<std::uint64_t>(offset);
    else if (origin == 2) fPosition = fSize + static_cast<std::uint64_t>(offset);
    if (newPosition != nullptr) *newPosition = fPosition;
    return 0;
}

std::int16_t PicStream::setSize(std::uint64_t newSize) {
    if (newSize > fCapacity && !ensureCapacity(newSize)) return kNoMemory;
    if (newSize > fSize && fData != nullptr) std::memset(fData + fSize, 0, newSize - fSize);
    fSize = newSize;
    return 0;
}

std::uint8_t* PicStream::takeBlock() {
    std::uint8_t* block = fData;
    fData = nullptr;
    fSize = 0;
    fPosition = 0;
    fCapacity = 0;
    return block;
}
