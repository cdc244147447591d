#pragma once
// Memory handed out in pieces from large blocks and freed all at once with the pool, for many small
// things that live exactly as long as their owner (a storage's packed attributes): no allocation and
// no bookkeeping per piece. The last piece handed out can grow where it stands while its block has room.
#include <cstddef>
#include <memory>
#include <vector>

class BumpPool {
public:
    // A piece of `bytes` bytes at a multiple of `alignment` (a power of two, at most that of
    // std::max_align_t). Raises std::bad_alloc when memory is lacking.
    void* take(std::size_t bytes, std::size_t alignment);
    // Grows the piece from `bytes` to `wanted` bytes where it stands: true when it was the last piece
    // taken and its block had the room; otherwise nothing changes.
    bool growLast(const void* piece, std::size_t bytes, std::size_t wanted);

private:
    std::vector<std::unique_ptr<std::byte[]>> blocks;
    std::byte* free = nullptr;  // the first byte not handed out in the newest block
    std::size_t room = 0;       // bytes left after it
};
