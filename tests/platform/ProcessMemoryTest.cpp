#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/ProcessMemory.h"

namespace {

TEST(ProcessMemory, ThePeakGrowsWithMemoryTouched) {
    const std::uint64_t before = platform::peakResidentBytes();
    EXPECT_GT(before, 0u);
    constexpr std::size_t kBytes = 64u << 20;
    auto block = std::make_unique<char[]>(kBytes);
    std::memset(block.get(), 1, kBytes);
    EXPECT_GE(platform::peakResidentBytes(), kBytes);
    EXPECT_EQ(block[kBytes - 1], 1);
    const std::uint64_t peak = platform::peakResidentBytes();
    block.reset();
    // Started over, the peak is what the process holds now: no more than before, give or take what
    // freeing touched (a sanitizer keeps freed memory and its own records of it).
    if (platform::resetPeakResident()) {
        EXPECT_GT(platform::peakResidentBytes(), 0u);
        EXPECT_LE(platform::peakResidentBytes(), peak + (std::uint64_t{8} << 20));
    }
}

}  // namespace
