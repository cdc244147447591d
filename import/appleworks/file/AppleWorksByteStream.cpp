#include "import/appleworks/file/AppleWorksByteStream.h"

#include <cstring>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "import/appleworks/file/AppleWorksFamily.h"

namespace appleworks {

AppleWorksByteStream::AppleWorksByteStream(std::uint8_t* block) : data(block) {
    size = block == nullptr ? 0 : memorySize(block);
}

AppleWorksByteStream::~AppleWorksByteStream() {
    freeMemory(data);
}

void AppleWorksByteStream::seek(std::int32_t offset, std::int16_t mode) {
    std::int64_t target = position;
    if (mode == 0) target = offset;
    else if (mode == 1) target = static_cast<std::int64_t>(position) + offset;
    else if (mode == 2) target = static_cast<std::int64_t>(size) - offset;
    if (target < 0) target = 0;
    if (target > size) target = size;
    position = static_cast<std::int32_t>(target);
}

void AppleWorksByteStream::setSize(std::int32_t n) {
    if (n < 0) n = 0;
    void* resized = resizeMemory(data, n);
    throwIfNull(resized, __LINE__, kUnit);
    data = static_cast<std::uint8_t*>(resized);
    const bool shrank = size > n;
    size = n;
    if (shrank) seek(position, 0);
}

std::int16_t AppleWorksByteStream::write(const void* source, std::int32_t n) {
    if (n <= 0) return 0;
    const std::int64_t end = static_cast<std::int64_t>(position) + n;
    if (end > INT32_MAX) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    if (end > size) setSize(static_cast<std::int32_t>(end));
    std::memcpy(data + position, source, static_cast<std::size_t>(n));
    seek(n, 1);
    return 0;
}

std::int16_t AppleWorksByteStream::read(void* destination, std::int32_t n) {
    if (n <= 0) return 0;
    const std::int32_t available = size - position;
    const std::int32_t taken = n < available ? n : available;
    if (data != nullptr && taken > 0) {
        std::memcpy(destination, data + position, static_cast<std::size_t>(taken));
        position += taken;
    }
    return taken < n ? kBadFile : 0;
}

void AppleWorksByteStream::writeOrFail(const void* source, std::int32_t n) {
    throwIfError(write(source, n), __LINE__, kUnit);
}

void AppleWorksByteStream::readOrFail(void* destination, std::int32_t n) {
    throwIfError(read(destination, n), __LINE__, kUnit);
}

std::uint8_t* AppleWorksByteStream::detachData() {
    std::uint8_t* block = data;
    data = nullptr;
    size = 0;
    position = 0;
    return block;
}

}  // namespace appleworks
