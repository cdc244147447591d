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
}

}  // namespace
