#include "platform/Heap.h"

#include <cstdlib>
#include <cstring>

#include "platform/AllocationFailure.h"

namespace platform {
namespace {

// The header keeps the requested size and keeps the payload aligned for any scalar type.
struct alignas(std::max_align_t) BlockHeader {
    std::size_t size;
};

BlockHeader* headerOf(const void* block) {
    return const_cast<BlockHeader*>(static_cast<const BlockHeader*>(block) - 1);
}

}  // namespace

void* heapAllocate(std::size_t bytes) {
    if (allocationShouldFail() || bytes > SIZE_MAX - sizeof(BlockHeader)) return nullptr;
    auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + bytes));
    if (!header) return nullptr;
    header->size = bytes;
    return header + 1;
}

void* heapReallocate(void* block, std::size_t bytes) {
    if (!block) return heapAllocate(bytes);
    if (allocationShouldFail() || bytes > SIZE_MAX - sizeof(BlockHeader)) return nullptr;
    auto* header = static_cast<BlockHeader*>(std::realloc(headerOf(block), sizeof(BlockHeader) + bytes));
    if (!header) return nullptr;
    header->size = bytes;
    return header + 1;
}

void heapFree(void* block) {
    if (block) std::free(headerOf(block));
}

std::size_t heapBlockSize(const void* block) {
    return headerOf(block)->size;
}

}  // namespace platform
