#include "foundation/encoding/Utf8Codec.h"

namespace {

constexpr char32_t kReplacement = utf8codec::kReplacementCharacter;

struct Decoded {
    char32_t value;
    std::int32_t length;  // bytes consumed; 0 when the sequence is cut off by the end of the input
};

bool isContinuation(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes one character at input[0..available). Well-formed sequences and the 3-byte forms of
// surrogates (which the program writes for lone surrogates) give their value; everything else
// gives U+FFFD after consuming the bytes that belong to the broken sequence.
Decoded decodeOne(const std::uint8_t* input, std::int32_t available) {
    const std::uint8_t lead = input[0];
    if (lead < 0x80) return {lead, 1};
    std::int32_t needed = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        needed = 2;
        value = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        needed = 3;
        value = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        needed = 4;
        value = lead & 0x07;
        minimum = 0x10000;
    } else {
        return {kReplacement, 1};  // a stray continuation byte, an overlong lead or a byte never used
    }
    for (std::int32_t i = 1; i < needed; ++i) {
        if (i >= available) return {0, 0};
        if (!isContinuation(input[i])) return {kReplacement, i};  // the byte that broke it starts the next character
        value = (value << 6) | (input[i] & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF) return {kReplacement, needed};
    return {value, needed};
}

void writeUnit(std::uint8_t* output, std::int32_t at, char16_t unit) {
    output[at] = static_cast<std::uint8_t>(unit & 0xFF);
    output[at + 1] = static_cast<std::uint8_t>(unit >> 8);
}

template <typename WriteCharacter>
std::int32_t decodeUtf8(std::uint8_t* output, std::int32_t* outputSize, const std::uint8_t* input, std::int32_t* inputSize,
                        WriteCharacter write) {
    if (!output || !outputSize || !inputSize) return utf8codec::kBadArguments;
    if (!input || *inputSize <= 0 || *outputSize <= 0) {
        *outputSize = 0;
        *inputSize = 0;
        return 0;
    }
    const std::int32_t capacity = *outputSize;
    const std::int32_t length = *inputSize;
    std::int32_t read = 0;
    std::int32_t written = 0;
    while (read < length) {
        const Decoded decoded = decodeOne(input + read, length - read);
        if (decoded.length == 0) break;
        const std::int32_t bytes = write(output, written, capacity, decoded.value);
        if (bytes == 0) break;  // no room left
        written += bytes;
        read += decoded.length;
    }
    *outputSize = written;
    *inputSize = read;
    return written;
}

// Writes the UTF-8 form of value (a lone surrogate in its 3-byte form); answers the bytes written.
std::int32_t encodeCodePoint(char32_t value, std::uint8_t* out) {
    if (value < 0x80) {
        out[0] = static_cast<std::uint8_t>(value);
        return 1;
    }
    if (value < 0x800) {
        out[0] = static_cast<std::uint8_t>(0xC0 | (value >> 6));
        out[1] = static_cast<std::uint8_t>(0x80 | (value & 0x3F));
        return 2;
    }
    if (value < 0x10000) {
        out[0] = static_cast<std::uint8_t>(0xE0 | (value >> 12));
        out[1] = static_cast<std::uint8_t>(0x80 | ((value >> 6) & 0x3F));
        out[2] = static_cast<std::uint8_t>(0x80 | (value & 0x3F));
        return 3;
    }
    out[0] = static_cast<std::uint8_t>(0xF0 | (value >> 18));
    out[1] = static_cast<std::uint8_t>(0x80 | ((value >> 12) & 0x3F));
    out[2] = static_cast<std::uint8_t>(0x80 | ((value >> 6) & 0x3F));
    out[3] = static_cast<std::uint8_t>(0x80 | (value & 0x3F));
    return 4;
}

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::string utf16ToUtf8String(std::u16string_view text) {
    std::string out;
    appendUtf16AsUtf8(out, text);
    return out;
}

void appendUtf16AsUtf8(std::string& out, std::u16string_view text) {
    // No unit gives more than three bytes (a pair gives four for its two units): the room is made once
    // and the bytes written in place.
    const std::size_t start = out.size();
    out.resize(start + text.size() * 3);
    auto* const first = reinterpret_cast<std::uint8_t*>(out.data() + start);
    std::uint8_t* at = first;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t value = text[i];
        // Most text is ASCII: a byte of its own, without the general encoder.
        if (value < 0x80) {
            *at++ = static_cast<std::uint8_t>(value);
            continue;
        }
        if (isHighSurrogate(value) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            value = 0x10000 + (((value & 0x3FF) << 10) | (text[i + 1] & 0x3FF));
            ++i;
        }
        at += encodeCodePoint(value, at);
    }
    out.resize(start + static_cast<std::size_t>(at - first));
}

std::u16string utf8ToUtf16String(std::string_view text) {
    // Every unit takes at least a byte of the text (two units take four): the room is made once.
    std::u16string out(text.size(), u'\0');
    char16_t* at = out.data();
    const auto* input = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    std::int32_t read = 0;
    while (read < length) {
        if (input[read] < 0x80) {
            *at++ = static_cast<char16_t>(input[read++]);
            continue;
        }
        Decoded decoded = decodeOne(input + read, length - read);
        if (decoded.length == 0) decoded = {kReplacement, length - read};  // cut off by the end of the text
        if (decoded.value < 0x10000) {
            *at++ = static_cast<char16_t>(decoded.value);
        } else {
            const char32_t offset = decoded.value - 0x10000;
            *at++ = static_cast<char16_t>(0xD800 | (offset >> 10));
            *at++ = static_cast<char16_t>(0xDC00 | (offset & 0x3FF));
        }
        read += decoded.length;
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
    return out;
}

std::int32_t utf8ToLatin1(std::uint8_t* output, std::int32_t* outputSize, const std::uint8_t* input,
                          std::int32_t* inputSize) {
    return decodeUtf8(output, outputSize, input, inputSize,
                      [](std::uint8_t* out, std::int32_t at, std::int32_t capacity, char32_t value) -> std::int32_t {
                          if (at + 1 > capacity) return 0;
                          out[at] = value > 0xFF ? '?' : static_cast<std::uint8_t>(value);
                          return 1;
                      });
}

std::int32_t utf8ToUtf16(std::uint8_t* output, std::int32_t* outputSize, const std::uint8_t* input,
                         std::int32_t* inputSize) {
    if (outputSize) *outputSize &= ~1;
    return decodeUtf8(output, outputSize, input, inputSize,
                      [](std::uint8_t* out, std::int32_t at, std::int32_t capacity, char32_t value) -> std::int32_t {
                          if (value < 0x10000) {
                              if (at + 2 > capacity) return 0;
                              writeUnit(out, at, static_cast<char16_t>(value));
                              return 2;
                          }
                          if (at + 4 > capacity) return 0;
                          const char32_t offset = value - 0x10000;
                          writeUnit(out, at, static_cast<char16_t>(0xD800 | (offset >> 10)));
                          writeUnit(out, at + 2, static_cast<char16_t>(0xDC00 | (offset & 0x3FF)));
                          return 4;
                      });
}

std::int32_t utf16ToUtf8(std::uint8_t* output, std::int32_t* outputSize, const std::uint8_t* input,
                         std::int32_t* inputSize) {
    if (!output || !outputSize || !inputSize) return utf8codec::kBadArguments;
    const std::int32_t capacity = *outputSize;
    const std::int32_t length = input ? (*inputSize & ~1) : 0;
    std::int32_t read = 0;
    std::int32_t written = 0;
    while (read < length && written + 5 < capacity) {
        char32_t value = static_cast<char32_t>(input[read] | (input[read + 1] << 8));
        std::int32_t consumed = 2;
        if (isHighSurrogate(value)) {
            if (read + 2 >= length) break;  // the low half may come with the next chunk
            const char32_t low = static_cast<char32_t>(input[read + 2] | (input[read + 3] << 8));
            if (isLowSurrogate(low)) {
                value = 0x10000 + (((value & 0x3FF) << 10) | (low & 0x3FF));
                consumed = 4;
            }
            // Otherwise the high surrogate stands alone and is written as its own 3-byte form.
        }
        written += encodeCodePoint(value, output + written);
        read += consumed;
    }
    *outputSize = written;
    *inputSize = read;
    return written;
}
