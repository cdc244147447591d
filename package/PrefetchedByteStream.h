#pragma once
// A stream read ahead on a thread of its own: while the reader works through one block of the part, the
// next few are inflated. The bytes come in the order of the source, and a failure of the source is
// raised where the source raised it, after the bytes it handed out before. The thread ends with the
// stream (it is never left running). Where no thread can be started, the source is read in place.
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include "package/PartByteStream.h"

class PrefetchedByteStream : public PartByteStream {
public:
    static constexpr std::int32_t kBlockBytes = 256 * 1024;
    // More than a reader takes at once (SheetByteWindow.h refills up to 1 MB), so that inflating never
    // waits on the reader nor the reader on inflating while there is work for both.
    static constexpr int kBlocks = 6;

    explicit PrefetchedByteStream(std::unique_ptr<PartByteStream> source);
    ~PrefetchedByteStream() override;
    PrefetchedByteStream(const PrefetchedByteStream&) = delete;
    PrefetchedByteStream& operator=(const PrefetchedByteStream&) = delete;

    std::int32_t read(char* into, std::int32_t room) override;

private:
    struct Block {
        std::unique_ptr<char[]> bytes;
        std::int32_t size = 0;
    };

    void produce();
    void fill(Block& block);

    std::unique_ptr<PartByteStream> source;
    Block blocks[kBlocks];
    // Guarded by mutex: the ring of filled blocks from head on, and how the source ended.
    std::mutex mutex;
    std::condition_variable changed;
    int head = 0;
    int filledCount = 0;
    bool sourceEnded = false;
    std::exception_ptr failure;
    bool stopping = false;
    // The reader's place in the head block; only the reader touches it.
    std::int32_t headOffset = 0;
    std::thread producer;
};
