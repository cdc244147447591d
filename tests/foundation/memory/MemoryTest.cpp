#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "foundation/memory/Memory.h"
#include "platform/process/AllocationFailure.h"

namespace {

struct SizeCase {
    std::int32_t asked;
    std::int32_t expected;
};

TEST(Memory, BlocksHaveAFourByteMinimumAndExactSizes) {
    const SizeCase cases[] = {{0, 4}, {3, 4}, {4, 4}, {5, 5}, {1000, 1000}, {65537, 65537}};
    for (const auto& c : cases) {
        void* block = allocMemory(c.asked);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(memorySize(block), c.expected) << c.asked;
        freeMemory(block);
        EXPECT_EQ(block, nullptr);
    }
    EXPECT_EQ(memorySize(nullptr), -1);
}

// A negative size is a size computed wrongly, never a request for the minimum block.
TEST(Memory, NegativeSizesAreRefused) {
    EXPECT_EQ(allocMemory(-1), nullptr);
    EXPECT_EQ(allocMemory(INT32_MIN), nullptr);
    EXPECT_EQ(resizeMemory(nullptr, -8), nullptr);
    void* block = allocMemory(6);
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "kept!", 6);
    EXPECT_EQ(resizeMemory(block, INT32_MIN), nullptr);
    EXPECT_EQ(memorySize(block), 6);
    EXPECT_STREQ(static_cast<char*>(block), "kept!");
    freeMemory(block);
}

TEST(Memory, ResizeKeepsContentsAndAppliesTheMinimum) {
    void* block = resizeMemory(nullptr, 10);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(memorySize(block), 10);
    std::memcpy(block, "123456789", 10);
    block = resizeMemory(block, 1);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(memorySize(block), 4);
    EXPECT_EQ(std::memcmp(block, "1234", 4), 0);

    void* kept = block;
    {
        platform::ScopedAllocationFailure failNext(1);
        EXPECT_EQ(resizeMemory(block, 100), nullptr);
    }
    EXPECT_EQ(block, kept);
    EXPECT_EQ(std::memcmp(block, "1234", 4), 0);
    freeMemory(block);
}

TEST(Memory, DuplicatesCopyExactly) {
    EXPECT_EQ(duplicateMemory(nullptr), nullptr);
    EXPECT_EQ(duplicateCString(nullptr), nullptr);
    EXPECT_EQ(duplicateWString(nullptr), nullptr);

    void* source = allocMemory(2);  // a 4-byte block
    std::memcpy(source, "ab\0", 4);
    void* copy = duplicateMemory(source);
    EXPECT_EQ(memorySize(copy), 4);
    EXPECT_EQ(std::memcmp(copy, source, 4), 0);

    char* empty = duplicateCString("");
    EXPECT_EQ(memorySize(empty), 4);
    EXPECT_STREQ(empty, "");
    char* text = duplicateCString("hello");
    EXPECT_EQ(memorySize(text), 6);
    EXPECT_STREQ(text, "hello");

    char16_t* emptyWide = duplicateWString(u"");
    EXPECT_EQ(memorySize(emptyWide), 4);
    EXPECT_EQ(emptyWide[0], 0);
    char16_t* wide = duplicateWString(u"\u00e9t\u00e9");
    EXPECT_EQ(memorySize(wide), 8);
    EXPECT_EQ(std::u16string(wide), u"\u00e9t\u00e9");

    for (void* block : {source, copy, static_cast<void*>(empty), static_cast<void*>(text),
                        static_cast<void*>(emptyWide), static_cast<void*>(wide)}) {
        freeMemory(block);
    }
}

TEST(Memory, LongWideStringsAreCopiedWhole) {
    std::u16string longText(40000, u'x');
    char16_t* copy = duplicateWString(longText.c_str());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(std::u16string(copy), longText);
    freeMemory(copy);
}

TEST(Memory, FreeAndDisposeNullTheVariable) {
    void* block = nullptr;
    freeMemory(block);
    EXPECT_EQ(block, nullptr);
    CBase* object = new CBase;
    disposeObject(object);
    EXPECT_EQ(object, nullptr);
    disposeObject(object);
    EXPECT_EQ(object, nullptr);
}

}  // namespace
