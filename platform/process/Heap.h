#pragma once
// The process heap of this build: malloc-backed blocks that remember the size they were asked for,
// so that the foundation's memory layer can answer a block's exact size (callers count records by it).
#include <cstddef>

namespace platform {

// Null when the allocation fails (or an injected failure is due, see AllocationFailure.h).
void* heapAllocate(std::size_t bytes);
// Null block: a fresh allocation. On failure the old block stays valid and unchanged.
void* heapReallocate(void* block, std::size_t bytes);
void heapFree(void* block);
// The size asked for when the block was made or last resized; 0 for null (there is no header to read).
std::size_t heapBlockSize(const void* block);

}  // namespace platform
