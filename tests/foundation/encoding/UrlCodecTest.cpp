#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/encoding/UrlCodec.h"
#include "platform/process/AllocationFailure.h"

namespace {

using Bytes = std::string;

struct EncodeCase {
    Bytes input;
    std::int16_t mask;
    Bytes expected;
};

// Encodes and checks that the length it reports is the length of the text it answers.
Bytes encode(const Bytes& input, std::int16_t mask, const char** answer = nullptr) {
    std::int32_t length = static_cast<std::int32_t>(input.size());
    const char* text = urlEncode(input.data(), &length, mask);
    if (answer) *answer = text;
    EXPECT_NE(text, nullptr);
    if (!text) return {};
    return Bytes(text, static_cast<std::size_t>(length));
}

TEST(UrlCodec, EncodesWhatTheMaskDoesNotAccept) {
    const EncodeCase cases[] = {
        {"a\"b", 8, "a%22b"},
        {"a b", 4, "a+b"},
        {"a b", 1, "a+b"},
        {"a b%", 16, "%61 %62%"},
        {Bytes("a\0\xE9\x7F", 4), 8, "a%00%E9%7F"},
        {"\x01\x1F\n", 8, "%01%1F%0A"},
        {"a+b/c", 1, "a%2Bb%2Fc"},
        {"a+b/c", 4, "a+b/c"},
        {"x y", 0, "%78+%79"},
        {"caf\xC3\xA9", 8, "caf%C3%A9"},
    };
    for (const auto& c : cases) EXPECT_EQ(encode(c.input, c.mask), c.expected) << c.input << " mask " << c.mask;
}

TEST(UrlCodec, AnswersTheInputItselfWhenEveryByteIsAccepted) {
    for (const Bytes& input : {Bytes("a b"), Bytes("Path/to-file_1.@+!#,:=\\|"), Bytes()}) {
        const char* answer = nullptr;
        EXPECT_EQ(encode(input, 8, &answer), input);
        EXPECT_EQ(answer, input.data());
    }
}

// Under the storage's mask exactly these printable characters are escaped.
TEST(UrlCodec, StorageMaskEscapesExactlyItsCharacters) {
    const Bytes escaped = "\"$%&'()*;<>?[]^`{}~";
    for (int byte = 0; byte < 256; ++byte) {
        const bool printable = byte >= 32 && byte < 127;
        const bool accepted = printable && escaped.find(static_cast<char>(byte)) == Bytes::npos;
        EXPECT_EQ(urlAccepts(static_cast<std::uint8_t>(byte), kStorageUrlMask), accepted) << byte;
    }
}

// The encoded text has no size limit: long story texts survive the storage whole.
TEST(UrlCodec, LongTextsEncodeWhole) {
    for (std::size_t count : {3413u, 3414u, 100000u}) {
        const Bytes input(count, '"');
        const Bytes encoded = encode(input, 8);
        EXPECT_EQ(encoded.size(), 3 * count) << count;
        EXPECT_EQ(encoded.substr(encoded.size() - 3), "%22");
    }
}

// The answer lives in a shared buffer; encoding it once more must not write over what is being read.
TEST(UrlCodec, EncodesItsOwnEarlierAnswerAgain) {
    std::int32_t length = 3;
    const char* once = urlEncode("a\"b", &length, 8);
    ASSERT_STREQ(once, "a%22b");
    const char* twice = urlEncode(once, &length, 8);
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(Bytes(twice, static_cast<std::size_t>(length)), "a%2522b");
    EXPECT_STREQ(urlEncodeString(urlEncodeString(twice, 8), 8), "a%25252522b");
}

TEST(UrlCodec, RefusesUnusableArgumentsLeavingTheLengthAlone) {
    std::int32_t length = -1;
    EXPECT_EQ(urlEncode("a\"", &length, 8), nullptr);
    EXPECT_EQ(length, -1);
    length = 2;
    EXPECT_EQ(urlEncode(nullptr, &length, 8), nullptr);
    EXPECT_EQ(length, 2);
    EXPECT_EQ(urlEncode("a\"", nullptr, 8), nullptr);
    EXPECT_EQ(urlEncodeString(nullptr, 8), nullptr);
}

TEST(UrlCodec, LackOfMemoryGivesNullAndKeepsTheLength) {
    const Bytes input(1 << 20, '"');  // more than any earlier call has grown the buffer to
    std::int32_t length = static_cast<std::int32_t>(input.size());
    platform::ScopedAllocationFailure failNext(1);
    EXPECT_EQ(urlEncode(input.data(), &length, 8), nullptr);
    EXPECT_EQ(length, static_cast<std::int32_t>(input.size()));
}

TEST(UrlCodec, EncodeStringStopsAtTheTerminator) {
    EXPECT_STREQ(urlEncodeString("a<b>", 8), "a%3Cb%3E");
    const char* plain = "plain";
    EXPECT_EQ(urlEncodeString(plain, 8), plain);
}

struct DecodeCase {
    const char* input;
    Bytes expected;
};

TEST(UrlCodec, DecodesInPlaceAndAnswersTheLength) {
    const DecodeCase cases[] = {
        {"%41%42", "AB"},
        {"%4", "\x40"},
        {"a+b", "a+b"},
        {"%00x%00", Bytes("\0x\0", 3)},
        {"%e9%C3", "\xE9\xC3"},
        {"%zz!", Bytes("\0!", 2)},  // characters that are no digits count 0
        {"%G1", "\x01"},
        {"ab%", "ab"},  // a '%' at the very end gives nothing
        {"%", ""},
        {"", ""},
        {"100%25", "100%"},
    };
    for (const auto& c : cases) {
        std::vector<char> text(c.input, c.input + std::char_traits<char>::length(c.input) + 1);
        const std::int32_t length = urlDecode(text.data());
        EXPECT_EQ(Bytes(text.data(), static_cast<std::size_t>(length)), c.expected) << c.input;
        EXPECT_EQ(text[static_cast<std::size_t>(length)], '\0') << c.input;
    }
    EXPECT_EQ(urlDecode(nullptr), 0);
}

// Every mask that escapes '%' gives back every byte, NUL included; '+' is not turned back into a blank, so a
// mask that rejects the blank gives '+' for it.
TEST(UrlCodec, EveryByteSurvivesARoundTrip) {
    Bytes everyByte;
    for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
    for (std::int16_t mask : {0, 1, 4, 8}) {
        Bytes encoded = encode(everyByte, mask);
        const std::int32_t length = urlDecode(encoded.data());
        Bytes expected = everyByte;
        if (!urlAccepts(' ', mask)) expected[' '] = '+';
        EXPECT_EQ(Bytes(encoded.data(), static_cast<std::size_t>(length)), expected) << "mask " << mask;
    }
}

TEST(UrlCodec, HexDigitValues) {
    const struct {
        char c;
        std::int16_t value;
    } cases[] = {{'0', 0}, {'9', 9}, {'A', 10}, {'F', 15}, {'a', 10}, {'f', 15}, {'G', 0}, {'g', 0}, {' ', 0}, {'\0', 0}};
    for (const auto& c : cases) EXPECT_EQ(hexDigitValue(c.c), c.value) << c.c;
}

}  // namespace
