#include "foundation/encoding/UrlCodec.h"

#include <array>
#include <cstring>

#include "foundation/memory/Memory.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr int kFirstClassed = 32;
constexpr int kClassedCount = 96;  // 32 to 127; 127 belongs to no class
constexpr std::int32_t kFirstBufferSize = 10240;

constexpr bool isLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

constexpr bool isOneOf(char c, const char* set) {
    for (; *set; ++set) {
        if (*set == c) return true;
    }
    return false;
}

constexpr std::array<std::uint8_t, kClassedCount> buildClassTable() {
    std::array<std::uint8_t, kClassedCount> table{};
    for (int byte = kFirstClassed; byte < 127; ++byte) {
        const char c = static_cast<char>(byte);
        const bool alnum = isLetterOrDigit(c);
        std::uint8_t bits = 0;
        if (alnum || isOneOf(c, "*-.@_")) bits |= 1 | 2;
        if (alnum || isOneOf(c, "*+-./@_")) bits |= 4;
        if (alnum || isOneOf(c, " !#+,-./:=@\\_|")) bits |= 8;
        if (isOneOf(c, " %\\|")) bits |= 16;
        table[static_cast<std::size_t>(byte - kFirstClassed)] = bits;
    }
    return table;
}

constexpr auto kClasses = buildClassTable();

// The encoder's shared output: grown on demand, kept for the next call.
char* encodedText = nullptr;
std::int32_t encodedCapacity = 0;

// Whether the bytes lie in the shared output (an earlier result, being encoded again).
bool isInsideEncoded(const char* bytes) {
    const auto address = reinterpret_cast<std::uintptr_t>(bytes);
    const auto start = reinterpret_cast<std::uintptr_t>(encodedText);
    return encodedText && address >= start && address < start + static_cast<std::uintptr_t>(encodedCapacity);
}

std::int32_t grownCapacity(std::int64_t bytes) {
    std::int64_t capacity = encodedCapacity < kFirstBufferSize ? kFirstBufferSize : encodedCapacity;
    while (capacity < bytes) capacity *= 2;
    return capacity > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(capacity);
}

void writeEncoded(char* out, const std::uint8_t* input, std::int32_t count, std::int16_t mask) {
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint8_t byte = input[i];
        if (urlAccepts(byte, mask)) {
            *out++ = static_cast<char>(byte);
        } else if (byte == ' ') {
            *out++ = '+';
        } else {
            *out++ = '%';
            *out++ = kHexDigits[byte >> 4];
            *out++ = kHexDigits[byte & 0x0F];
        }
    }
    *out = '\0';
}

}  // namespace

std::int16_t hexDigitValue(char character) {
    if (character >= '0' && character <= '9') return static_cast<std::int16_t>(character - '0');
    if (character >= 'A' && character <= 'F') return static_cast<std::int16_t>(character - 'A' + 10);
    if (character >= 'a' && character <= 'f') return static_cast<std::int16_t>(character - 'a' + 10);
    return 0;
}

bool urlAccepts(std::uint8_t byte, std::int16_t mask) {
    if (byte < kFirstClassed || byte >= kFirstClassed + kClassedCount) return false;
    return (kClasses[byte - kFirstClassed] & mask) != 0;
}

const char* urlEncode(const char* bytes, std::int32_t* length, std::int16_t mask) {
    if (!length || *length < 0 || (!bytes && *length > 0)) return nullptr;
    const auto* input = reinterpret_cast<const std::uint8_t*>(bytes);
    const std::int32_t count = *length;

    std::int64_t rejected = 0;
    std::int64_t escaped = 0;  // rejected bytes other than blanks, which take two more bytes each
    for (std::int32_t i = 0; i < count; ++i) {
        if (urlAccepts(input[i], mask)) continue;
        ++rejected;
        if (input[i] != ' ') ++escaped;
    }
    if (rejected == 0) return bytes;

    const std::int64_t encodedLength = count + 2 * escaped;
    if (encodedLength >= INT32_MAX) return nullptr;

    // Input taken from the shared output must stay readable while the new text is written, so it gets a
    // new block; otherwise the shared output grows when it must.
    const bool aliased = isInsideEncoded(bytes);
    if (aliased || encodedLength + 1 > encodedCapacity) {
        const std::int32_t capacity = grownCapacity(encodedLength + 1);
        void* block = aliased ? allocMemory(capacity) : resizeMemory(encodedText, capacity);
        if (!block) return nullptr;
        writeEncoded(static_cast<char*>(block), input, count, mask);
        if (aliased) freeMemory(encodedText);
        encodedText = static_cast<char*>(block);
        encodedCapacity = capacity;
    } else {
        writeEncoded(encodedText, input, count, mask);
    }
    *length = static_cast<std::int32_t>(encodedLength);
    return encodedText;
}

const char* urlEncodeString(const char* text, std::int16_t mask) {
    if (!text) return nullptr;
    const std::size_t size = std::strlen(text);
    if (size >= INT32_MAX) return nullptr;
    auto length = static_cast<std::int32_t>(size);
    return urlEncode(text, &length, mask);
}

std::int32_t urlDecode(char* text) {
    if (!text) return 0;
    const char* read = text;
    char* write = text;
    while (*read != '\0') {
        if (*read != '%') {
            *write++ = *read++;
            continue;
        }
        ++read;                   // the '%' itself
        if (*read == '\0') break;  // nothing follows it
        int value = hexDigitValue(*read++) * 16;
        if (*read != '\0') value += hexDigitValue(*read++);
        *write++ = static_cast<char>(value);
    }
    *write = '\0';
    const std::ptrdiff_t decoded = write - text;
    return decoded > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(decoded);
}
