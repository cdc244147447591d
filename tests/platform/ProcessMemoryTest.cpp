#include <gtest/gtest.h>

#include <sys/mman.h>

#include <cstring>

#include "platform/process/ProcessMemory.h"

namespace {

constexpr std::size_t kBlockBytes = 128u << 20;

// A block of memory mapped straight from the system and touched, so it is resident while it lives and
// goes back to the system when it ends (memory from the allocator may stay with the process, and a
// sanitizer keeps freed memory aside).
class TouchedBlock {
public:
    TouchedBlock() {
        void* mapped = ::mmap(nullptr, kBlockBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) return;
        bytes = static_cast<char*>(mapped);
        std::memset(bytes, 1, kBlockBytes);
    }
    ~TouchedBlock() {
        if (bytes) ::munmap(bytes, kBlockBytes);
    }
    TouchedBlock(const TouchedBlock&) = delete;
    TouchedBlock& operator=(const TouchedBlock&) = delete;

    bool mapped() const { return bytes != nullptr; }

private:
    char* bytes = nullptr;
};

TEST(ProcessMemory, ThePeakCoversMemoryTouched) {
    EXPECT_GT(platform::peakResidentBytes(), 0u);
    const TouchedBlock block;
    if (!block.mapped()) GTEST_SKIP() << "the system gives no block of " << kBlockBytes << " bytes";
    EXPECT_GE(platform::peakResidentBytes(), kBlockBytes);
}

TEST(ProcessMemory, AResetPeakStartsFromWhatTheProcessHoldsNow) {
    std::uint64_t peakWithBlock = 0;
    {
        const TouchedBlock block;
        if (!block.mapped()) GTEST_SKIP() << "the system gives no block of " << kBlockBytes << " bytes";
        peakWithBlock = platform::peakResidentBytes();
    }
    if (!platform::resetPeakResident()) GTEST_SKIP() << "the system does not let the peak start over";
    // The block is gone, so the peak started over lies well below the one that held it, whatever the
    // process held besides (compared with the block's own size, not with any fixed amount).
    const std::uint64_t restarted = platform::peakResidentBytes();
    EXPECT_GT(restarted, 0u);
    EXPECT_LT(restarted + kBlockBytes / 2, peakWithBlock);
}

}  // namespace
