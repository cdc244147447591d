#include "picture/formats/PicStream.h"

#include <gtest/gtest.h>

#include <memory>

#include "foundation/memory/Memory.h"

TEST(PicStream, ReadsUpToTheEnd) {
    const std::uint8_t bytes[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    PicStream stream(bytes, sizeof bytes);
    std::uint8_t buffer[10] = {};
    std::uint64_t read = 0;
    stream.seek(6, 0, nullptr);
    EXPECT_EQ(stream.read(buffer, 10, &read), PicStream::kReadPastEnd);
    EXPECT_EQ(read, 4U);
    EXPECT_EQ(buffer[0], 6);
    EXPECT_EQ(stream.read(buffer, 1, &read), PicStream::kReadPastEnd);
    EXPECT_EQ(read, 0U);
    stream.seek(100, 0, nullptr);
    EXPECT_EQ(stream.read(buffer, 1, &read), PicStream::kReadPastEnd);
    EXPECT_EQ(read, 0U);
}

TEST(PicStream, WritesSeeksAndGrows) {
    std::unique_ptr<PicStream> stream(PicStream::newOutputStream());
    EXPECT_EQ(stream->capacity(), PicStream::kGrowth);
    const std::uint8_t ten[10] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    const std::uint8_t three[3] = {7, 8, 9};
    stream->write(ten, 10, nullptr);
    stream->seek(2, 0, nullptr);
    stream->write(three, 3, nullptr);
    EXPECT_EQ(stream->size(), 10U);
    EXPECT_EQ(stream->data()[1], 1);
    EXPECT_EQ(stream->data()[2], 7);
    EXPECT_EQ(stream->data()[4], 9);
    EXPECT_EQ(stream->data()[5], 1);
    std::uint64_t position = 0;
    stream->seek(-4, 2, &position);
    EXPECT_EQ(position, 6U);
    stream->seek(0, 9, &position);
    EXPECT_EQ(position, 6U);

    // Past the capacity: the block grows to the new end plus the growth room and keeps what it held.
    std::vector<std::uint8_t> large(PicStream::kGrowth, 3);
    stream->seek(0, 2, nullptr);
    ASSERT_EQ(stream->write(large.data(), large.size(), nullptr), 0);
    EXPECT_EQ(stream->capacity(), 10 + PicStream::kGrowth + PicStream::kGrowth);
    EXPECT_EQ(stream->data()[2], 7);
    EXPECT_EQ(stream->data()[10], 3);

    std::uint8_t* block = stream->takeBlock();
    EXPECT_EQ(memorySize(block), static_cast<std::int32_t>(10 + 2 * PicStream::kGrowth));
    freeMemory(block);
}

TEST(PicStream, WritingOverABorrowedBlockCopiesIt) {
    const std::uint8_t bytes[4] = {1, 2, 3, 4};
    PicStream stream(bytes, sizeof bytes);
    stream.seek(0, 2, nullptr);
    const std::uint8_t more = 5;
    stream.write(&more, 1, nullptr);
    EXPECT_EQ(stream.size(), 5U);
    EXPECT_EQ(stream.data()[0], 1);
    EXPECT_EQ(stream.data()[4], 5);
    EXPECT_EQ(bytes[3], 4);
}

TEST(PicStream, SizesBeyondTheMemoryLayerAreRefused) {
    std::unique_ptr<PicStream> stream(PicStream::newOutputStream());
    EXPECT_EQ(stream->setSize(std::uint64_t{1} << 40), PicStream::kNoMemory);
    stream->seek(std::int64_t{1} << 40, 0, nullptr);
    const std::uint8_t byte = 0;
    EXPECT_EQ(stream->write(&byte, 1, nullptr), PicStream::kNoMemory);
    EXPECT_EQ(stream->size(), 0U);
    EXPECT_EQ(stream->setSize(20), 0);
    EXPECT_EQ(stream->size(), 20U);
}
