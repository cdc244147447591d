#include "foundation/memory/Memory.h"

#include <cstring>

#include "platform/process/Heap.h"

namespace {

constexpr std::int32_t kMinimumBlock = 4;

std::int32_t atLeastMinimum(std::int32_t bytes) {
    return bytes < kMinimumBlock ? kMinimumBlock : bytes;
}

}  // namespace

void* heapAllocRaw(std::int32_t bytes) {
    if (bytes < 0) return nullptr;
    return platform::heapAllocate(static_cast<std::size_t>(bytes));
}

void* heapReAllocRaw(void* block, std::int32_t bytes) {
    if (bytes < 0) return nullptr;
    return platform::heapReallocate(block, static_cast<std::size_t>(bytes));
}

void heapFreeRaw(void* block) {
    platform::heapFree(block);
}

std::int32_t heapSizeRaw(const void* block) {
    return block ? static_cast<std::int32_t>(platform::heapBlockSize(block)) : -1;
}

// A negative size is a size computed wrongly (one that overflowed on its way here); it is refused
// rather than taken for a request for the minimum block.
void* allocMemory(std::int32_t bytes) {
    if (bytes < 0) return nullptr;
    return heapAllocRaw(atLeastMinimum(bytes));
}

void* resizeMemory(void* block, std::int32_t bytes) {
    if (bytes < 0) return nullptr;
    return heapReAllocRaw(block, atLeastMinimum(bytes));
}

std::int32_t memorySize(const void* block) {
    return heapSizeRaw(block);
}

void* duplicateMemory(const void* block) {
    if (!block) return nullptr;
    const std::int32_t size = memorySize(block);
    void* copy = heapAllocRaw(size);
    if (copy) std::memcpy(copy, block, static_cast<std::size_t>(size));
    return copy;
}

char* duplicateCString(const char* text) {
    if (!text) return nullptr;
    const std::size_t length = std::strlen(text);
    if (length >= INT32_MAX) return nullptr;
    auto* copy = static_cast<char*>(allocMemory(static_cast<std::int32_t>(length + 1)));
    if (copy) std::memcpy(copy, text, length + 1);
    return copy;
}

char16_t* duplicateWString(const char16_t* text) {
    if (!text) return nullptr;
    std::size_t length = 0;
    while (text[length] != 0) ++length;
    if (length >= INT32_MAX / 2) return nullptr;
    auto* copy = static_cast<char16_t*>(allocMemory(static_cast<std::int32_t>((length + 1) * 2)));
    if (copy) std::memcpy(copy, text, (length + 1) * 2);
    return copy;
}

bool validateHeap() {
    return true;
}
