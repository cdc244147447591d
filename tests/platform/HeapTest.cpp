#include <gtest/gtest.h>

#include <cstring>
#include <new>

#include "platform/process/AllocationFailure.h"
#include "platform/process/Heap.h"

namespace {

TEST(Heap, RemembersTheSizeAskedForThroughResizes) {
    void* block = platform::heapAllocate(13);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(platform::heapBlockSize(block), 13u);
    std::memset(block, 0x5A, 13);
    block = platform::heapReallocate(block, 1000);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(platform::heapBlockSize(block), 1000u);
    EXPECT_EQ(static_cast<unsigned char*>(block)[12], 0x5A);
    platform::heapFree(block);
    EXPECT_EQ(platform::heapBlockSize(nullptr), 0u);
}

TEST(Heap, FailedResizeKeepsTheOldBlock) {
    void* block = platform::heapAllocate(8);
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "abcdefg", 8);
    {
        platform::ScopedAllocationFailure failNext(1);
        EXPECT_EQ(platform::heapReallocate(block, 64), nullptr);
    }
    EXPECT_STREQ(static_cast<char*>(block), "abcdefg");
    EXPECT_EQ(platform::heapBlockSize(block), 8u);
    platform::heapFree(block);
}

TEST(AllocationFailure, FailsExactlyTheNthAllocationOfHeapAndNothrowNew) {
    platform::failNthAllocation(3);
    void* first = platform::heapAllocate(4);
    int* second = new (std::nothrow) int(7);
    int* third = new (std::nothrow) int(8);
    void* fourth = platform::heapAllocate(4);
    platform::disarmAllocationFailure();
    EXPECT_NE(first, nullptr);
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(third, nullptr);
    EXPECT_NE(fourth, nullptr);
    platform::heapFree(first);
    platform::heapFree(fourth);
    delete second;
}

TEST(AllocationFailure, EveryModeCountsUntilDisarmed) {
    platform::failEveryAllocation();
    EXPECT_EQ(platform::heapAllocate(1), nullptr);
    EXPECT_EQ(new (std::nothrow) char[4], nullptr);
    EXPECT_EQ(platform::allocationsCountedSinceArmed(), 2);
    platform::disarmAllocationFailure();
    void* block = platform::heapAllocate(1);
    EXPECT_NE(block, nullptr);
    platform::heapFree(block);
}

// Armed to count them, the switch fails the throwing operator new as well, with std::bad_alloc; armed
// without, it leaves those allocations alone and uncounted. Each result is kept through a volatile
// pointer: an unused new/delete pair may be removed by the optimiser, and then nothing would be counted.
TEST(AllocationFailure, ThrowingNewTakesPartUnlessIgnored) {
    int* volatile kept = nullptr;
    {
        platform::ScopedAllocationFailure failing(1);
        EXPECT_THROW(kept = new int(1), std::bad_alloc);
        EXPECT_EQ(kept, nullptr);
    }
    {
        platform::ScopedAllocationFailure failing(1, platform::ThrowingNew::kIgnored);
        kept = new int(2);
        EXPECT_NE(kept, nullptr);
        EXPECT_EQ(platform::allocationsCountedSinceArmed(), 0);
        EXPECT_EQ(new (std::nothrow) char[4], nullptr);
    }
    delete kept;
}

}  // namespace
