#include "model/storage/BumpPool.h"

#include <cstdint>
#include <new>

namespace {

// Blocks of this size serve the pieces; a larger piece gets a block of its own.
constexpr std::size_t kBlockBytes = 64 * 1024;

}  // namespace

void* BumpPool::take(std::size_t bytes, std::size_t alignment) {
    const std::size_t misalignment = reinterpret_cast<std::uintptr_t>(free) & (alignment - 1);
    const std::size_t padding = misalignment == 0 ? 0 : alignment - misalignment;
    if (free == nullptr || padding + bytes > room) {
        const std::size_t size = bytes > kBlockBytes ? bytes : kBlockBytes;
        // new[] gives storage aligned for any fundamental type; the bytes are left uninitialised.
        blocks.push_back(std::unique_ptr<std::byte[]>(new std::byte[size]));
        free = blocks.back().get();
        room = size;
    } else {
        free += padding;
        room -= padding;
    }
    void* piece = free;
    free += bytes;
    room -= bytes;
    return piece;
}

bool BumpPool::growLast(const void* piece, std::size_t bytes, std::size_t wanted) {
    if (wanted < bytes || static_cast<const std::byte*>(piece) + bytes != free || wanted - bytes > room) return false;
    free += wanted - bytes;
    room -= wanted - bytes;
    return true;
}
