#include "platform/process/Heap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/process/AllocationFailure.h"

namespace platform {
namespace {

// The header keeps the requested size and keeps the payload aligned for any scalar type.
struct alignas(std::max_align_t) BlockHeader {
    std::size_t size;
};

BlockHeader* headerOf(const void* block) {
    return const_cast<BlockHeader*>(static_cast<const BlockHeader*>(block) - 1);
}

// The program builds and frees storage documents and run arrays of hundreds of megabytes, one file after
// another. Memory it frees stays with the process for the next file instead of going back to the system
// and being faulted in again page by page, which can cost more than building the document. Blocks from
// 32 MB on (the most the C library allows) are mapped on their own, with huge pages (below), and
// returned when freed.
//
// No fast bins either: freeing a storage document frees about a million small blocks, and with fast bins
// every free that coalesces into a large free area sweeps all of them again (the C library's
// consolidation), which made the disposal of a large document cost a tenth of its whole conversion. The
// per-thread cache still serves the small blocks that are freed and made again at once.
constexpr int kOwnMappingBytes = 32 << 20;
constexpr int kKeptFreeBytes = 512 << 20;
[[maybe_unused]] const bool heapPolicySet = [] {
    mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
    mallopt(M_TRIM_THRESHOLD, kKeptFreeBytes);
    mallopt(M_MXFAST, 0);
    return true;
}();

// From this size on a block is worth backing with huge pages: a loaded story's run arrays reach
// hundreds of megabytes, and touching them page by page costs far more than filling them.
constexpr std::size_t kHugePageBlockBytes = std::size_t{8} << 20;

// Advises huge pages for the whole pages inside a large block; a system that has none ignores it.
void adviseHugePages(void* start, std::size_t bytes) {
    if (bytes < kHugePageBlockBytes) return;
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pageSize <= 0) return;
    const auto page = static_cast<std::uintptr_t>(pageSize);
    const auto first = (reinterpret_cast<std::uintptr_t>(start) + page - 1) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(start) + bytes) & ~(page - 1);
    if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

}  // namespace

void* heapAllocate(std::size_t bytes) {
    if (allocationShouldFail() || bytes > SIZE_MAX - sizeof(BlockHeader)) return nullptr;
    auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + bytes));
    if (!header) return nullptr;
    header->size = bytes;
    adviseHugePages(header, sizeof(BlockHeader) + bytes);
    return header + 1;
}

void* heapReallocate(void* block, std::size_t bytes) {
    if (!block) return heapAllocate(bytes);
    if (allocationShouldFail() || bytes > SIZE_MAX - sizeof(BlockHeader)) return nullptr;
    auto* header = static_cast<BlockHeader*>(std::realloc(headerOf(block), sizeof(BlockHeader) + bytes));
    if (!header) return nullptr;
    header->size = bytes;
    adviseHugePages(header, sizeof(BlockHeader) + bytes);
    return header + 1;
}

void heapFree(void* block) {
    if (block) std::free(headerOf(block));
}

std::size_t heapBlockSize(const void* block) {
    return block ? headerOf(block)->size : 0;
}

}  // namespace platform
