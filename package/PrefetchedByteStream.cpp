#include "package/PrefetchedByteStream.h"

#include <algorithm>
#include <cstring>
#include <system_error>

PrefetchedByteStream::PrefetchedByteStream(std::unique_ptr<PartByteStream> source) : source(std::move(source)) {
    // Left uncleared: the producer fills each block before the reader sees it.
    for (Block& block : blocks) block.bytes.reset(new char[kBlockBytes]);
    try {
        producer = std::thread(&PrefetchedByteStream::produce, this);
    } catch (const std::system_error&) {
        // No thread to be had: read() reads the source itself.
    }
}

PrefetchedByteStream::~PrefetchedByteStream() {
    if (!producer.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    producer.join();
}

// Fills the block from the source: a short block only at the source's end.
void PrefetchedByteStream::fill(Block& block) {
    block.size = 0;
    while (block.size < kBlockBytes) {
        const std::int32_t read = source->read(block.bytes.get() + block.size, kBlockBytes - block.size);
        if (read <= 0) break;
        block.size += read;
    }
}

void PrefetchedByteStream::produce() {
    for (;;) {
        int slot = 0;
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [this] { return stopping || filledCount < kBlocks; });
            if (stopping) return;
            // The reader only ever takes filled blocks from head on, so this one is the producer's alone.
            slot = (head + filledCount) % kBlocks;
        }
        std::exception_ptr failed;
        try {
            fill(blocks[slot]);
        } catch (...) {
            failed = std::current_exception();
        }
        const bool ended = failed != nullptr || blocks[slot].size < kBlockBytes;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (blocks[slot].size > 0) ++filledCount;
            failure = failed;
            sourceEnded = ended;
        }
        changed.notify_all();
        if (ended) return;
    }
}

std::int32_t PrefetchedByteStream::read(char* into, std::int32_t room) {
    if (room <= 0) return 0;
    if (!producer.joinable()) return source->read(into, room);
    int slot = 0;
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [this] { return filledCount > 0 || sourceEnded; });
        if (filledCount == 0) {
            if (failure != nullptr) std::rethrow_exception(failure);
            return 0;
        }
        slot = head;
    }
    // A filled block is the reader's until it hands it back.
    const Block& block = blocks[slot];
    const std::int32_t count = std::min(room, block.size - headOffset);
    std::memcpy(into, block.bytes.get() + headOffset, static_cast<std::size_t>(count));
    headOffset += count;
    if (headOffset == block.size) {
        headOffset = 0;
        {
            std::lock_guard<std::mutex> lock(mutex);
            head = (head + 1) % kBlocks;
            --filledCount;
        }
        changed.notify_all();
    }
    return count;
}
