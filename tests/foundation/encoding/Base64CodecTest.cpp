#include <gtest/gtest.h>

#include <string>

#include "foundation/CFail.h"
#include "foundation/encoding/Base64Codec.h"
#include "foundation/encoding/ByteBuffer.h"
#include "foundation/memory/Memory.h"
#include "platform/process/AllocationFailure.h"

namespace {

using Bytes = std::string;

Bytes encode(const Bytes& input) {
    char* text = nullptr;
    std::int32_t length = -1;
    base64Encode(input.data(), static_cast<std::int32_t>(input.size()), &text, &length);
    EXPECT_NE(text, nullptr);
    if (!text) return {};
    EXPECT_EQ(text[length], '\0');  // a terminator after the text, not counted
    Bytes result(text, static_cast<std::size_t>(length));
    freeMemory(text);
    return result;
}

Bytes decode(const Bytes& input) {
    std::uint8_t* bytes = nullptr;
    std::int32_t length = -1;
    base64Decode(input.data(), static_cast<std::int32_t>(input.size()), &bytes, &length);
    EXPECT_NE(bytes, nullptr);
    if (!bytes) return {};
    EXPECT_EQ(bytes[length], 0);
    Bytes result(reinterpret_cast<char*>(bytes), static_cast<std::size_t>(length));
    freeMemory(bytes);
    return result;
}

Bytes pattern(std::size_t count) {
    Bytes bytes;
    for (std::size_t i = 0; i < count; ++i) bytes += static_cast<char>((i * 37 + 11) & 0xFF);
    return bytes;
}

struct Case {
    Bytes input;
    Bytes expected;
};

TEST(Base64Codec, EncodesInLinesOfEightyCharactersEachEndedByCrLf) {
    const Case cases[] = {
        {"abc", "YWJj\r\n"},
        {"a", "YQ==\r\n"},
        {"ab", "YWI=\r\n"},
        {"", ""},
        {Bytes("\0\xFF\xFE", 3), "AP/+\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(encode(c.input), c.expected) << c.input;

    const struct {
        std::size_t bytes;
        std::size_t lines;
        std::size_t lastLine;  // characters on the last line
    } sizes[] = {{60, 1, 80}, {61, 2, 4}, {120, 2, 80}, {121, 3, 4}, {1000, 17, 56}};
    for (const auto& s : sizes) {
        const Bytes text = encode(pattern(s.bytes));
        std::size_t lines = 0;
        std::size_t start = 0;
        std::size_t lineLength = 0;
        for (std::size_t end = text.find("\r\n"); end != Bytes::npos; end = text.find("\r\n", start)) {
            lineLength = end - start;
            if (end + 2 < text.size()) {
                EXPECT_EQ(lineLength, 80u) << s.bytes;
            }
            ++lines;
            start = end + 2;
        }
        EXPECT_EQ(start, text.size()) << s.bytes;
        EXPECT_EQ(lines, s.lines) << s.bytes;
        EXPECT_EQ(lineLength, s.lastLine) << s.bytes;
    }
}

TEST(Base64Codec, DecodingPassesOverEverythingOutsideTheAlphabet) {
    const Case cases[] = {
        {"YWJj", "abc"},
        {"YQ==", "a"},
        {"YQ", "a"},
        {"YWI", "ab"},
        {"Y W J j", "abc"},
        {"YWJj\r\nYQ==\r\n", "abca"},
        {Bytes("YW\0Jj\xFF", 6), "abc"},
        {"Y", ""},  // a lone last character gives nothing
        {"YWJjY", "abc"},
        {"", ""},
        {"!!!! ==== \r\n", ""},
        {"YQ==YQ==", "a\x06\x10"},  // padding inside the text is passed over like any other stranger
    };
    for (const auto& c : cases) EXPECT_EQ(decode(c.input), c.expected) << c.input;
}

TEST(Base64Codec, RoundTripsAnyBytes) {
    for (std::size_t count : {0u, 1u, 2u, 3u, 59u, 60u, 61u, 255u, 16383u, 16384u, 100000u}) {
        const Bytes bytes = pattern(count);
        EXPECT_EQ(decode(encode(bytes)), bytes) << count;
    }
}

TEST(Base64Codec, NoBytesGiveAnEmptyText) {
    char* text = nullptr;
    std::int32_t length = -1;
    base64Encode(nullptr, 10, &text, &length);
    EXPECT_EQ(length, 0);
    freeMemory(text);
    base64Encode("abc", -3, &text, &length);
    EXPECT_EQ(length, 0);
    freeMemory(text);

    std::uint8_t* bytes = nullptr;
    base64Decode(nullptr, 4, &bytes, &length);
    EXPECT_EQ(length, 0);
    freeMemory(bytes);
}

TEST(Base64Codec, NullOutPointersDoNothing) {
    char* text = nullptr;
    std::int32_t length = 7;
    base64Encode("abc", 3, nullptr, &length);
    base64Encode("abc", 3, &text, nullptr);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(length, 7);
    std::uint8_t* bytes = nullptr;
    base64Decode("YWJj", 4, nullptr, &length);
    base64Decode("YWJj", 4, &bytes, nullptr);
    EXPECT_EQ(bytes, nullptr);
    EXPECT_EQ(length, 7);
}

// Each allocation the codec makes, failed in turn, raises CFail 12 and leaks nothing (the sanitizer build
// checks the leaks).
TEST(Base64Codec, LackOfMemoryRaisesTwelveAndHandsNothingOver) {
    const Bytes bytes = pattern(40000);  // the output block grows twice
    for (std::int64_t n = 1;; ++n) {
        char* text = nullptr;
        std::int32_t length = -1;
        platform::failNthAllocation(n);
        try {
            base64Encode(bytes.data(), static_cast<std::int32_t>(bytes.size()), &text, &length);
        } catch (const CFail& failure) {
            platform::disarmAllocationFailure();
            EXPECT_EQ(failure.error, 12);
            EXPECT_STREQ(failure.fileName, "BCodec");
            EXPECT_EQ(text, nullptr);
            EXPECT_EQ(length, -1);
            continue;
        }
        platform::disarmAllocationFailure();
        EXPECT_GE(n, 4);  // the first block and two growths failed in turn
        freeMemory(text);
        break;
    }
}

TEST(ByteBuffer, AWriterAlwaysKeepsAFreeByteAfterItsData) {
    ByteBuffer writer;
    EXPECT_EQ(writer.capacity, ByteBuffer::kGrowth);
    for (int i = 0; i < 3 * ByteBuffer::kGrowth; ++i) {
        writer.putByte(static_cast<std::uint8_t>(i));
        ASSERT_LT(writer.length, writer.capacity) << i;
    }
    EXPECT_EQ(writer.data[ByteBuffer::kGrowth], static_cast<std::uint8_t>(ByteBuffer::kGrowth));
    std::uint8_t* block = writer.releaseData();
    EXPECT_EQ(writer.data, nullptr);
    EXPECT_THROW(writer.putByte(1), CFail);
    freeMemory(block);
}

TEST(ByteBuffer, AReaderWalksTheCallersBlockAndStopsAtItsEnd) {
    const std::uint8_t block[] = {1, 2};
    ByteBuffer reader(block, 2);
    EXPECT_EQ(reader.getByte(), 1);
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.getByte(), 2);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.getByte(), 0);
    EXPECT_EQ(reader.length, 2);
    EXPECT_THROW(reader.putByte(3), CFail);  // never grows the caller's block
    EXPECT_TRUE(ByteBuffer(block, -5).atEnd());
}

}  // namespace
