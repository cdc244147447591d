// Character-set conversion over any bytes. The first byte picks the charset (from a fixed list that holds
// the Mac tables of our own, the iconv charsets the program names, and names that cannot be opened) and
// the way through: the converter object of a text-encoding code in either direction, or the one-call
// conversion between the charset and UTF-16LE either way. The second byte picks the output capacity, so
// outputs that fill up are tried too. Every output buffer is exactly as large as the converter is told.
#include <cstdint>
#include <memory>

#include "foundation/CFail.h"
#include "foundation/encoding/CUnicode.h"
#include "foundation/encoding/CharsetText.h"

namespace {

void check(bool promise) {
    if (!promise) __builtin_trap();
}

// Text-encoding codes, as the engines hand them to CUnicode: the Mac codes (our own tables serve 4, 5
// and 6; 2 and 25 cannot be opened), Unicode, and the Windows code pages.
constexpr std::int32_t kEncodingCodes[] = {0x0,   0x1,   0x2,   0x3,   0x4,   0x5,   0x6,   0x7,
                                           0x19,  0x1D,  0x7E,  0x416, 0x41D, 0x420, 0x421, 0x422,
                                           0x423, 0x500, 0x501, 0x502, 0x503, 0x504, 0x505, 0x506,
                                           0x507, 0x9999};
constexpr std::size_t kEncodingCount = sizeof kEncodingCodes / sizeof kEncodingCodes[0];

// Charset names as the program spells them, for the one-call conversion.
constexpr const char* kCharsetNames[] = {
    "MacRoman",     "MacGreek",     "MacArabic",    "MacHebrew",    "MacCyrillic",  "MacCentralEurope",
    "SHIFT-JIS",    "Big5",         "GBK",          "JOHAB",        "UTF-8",        "WINDOWS-874",
    "WINDOWS-1250", "WINDOWS-1251", "WINDOWS-1252", "WINDOWS-1253", "WINDOWS-1254", "WINDOWS-1255",
    "WINDOWS-1256", "WINDOWS-1257", "MacChineseSimp", "no-such-charset"};
constexpr std::size_t kCharsetCount = sizeof kCharsetNames / sizeof kCharsetNames[0];

enum class Way { kFromCodeToUtf16, kFromUtf16ToCode, kFromCharsetToUtf16, kFromUtf16ToCharset };

// From the capacity byte: 0 to 31 bytes, or room for the whole text in any charset.
std::int32_t capacityFor(std::uint8_t choice, std::size_t inputBytes) {
    if (choice < 0x80) return choice & 0x1F;
    return static_cast<std::int32_t>(inputBytes * 4 + 8);
}

std::int32_t convertThrough(Way way, std::uint8_t charset, const std::uint8_t* input, std::int32_t inputBytes,
                            std::uint8_t* output, std::int32_t capacity) {
    switch (way) {
        case Way::kFromCodeToUtf16:
        case Way::kFromUtf16ToCode: {
            const std::int16_t direction = way == Way::kFromCodeToUtf16 ? CUnicode::kToUtf16 : CUnicode::kFromUtf16;
            CUnicode converter(kEncodingCodes[charset % kEncodingCount], direction);
            // Single characters too: the first few units or bytes of the input.
            for (std::int32_t i = 0; i < inputBytes && i < 16; ++i) converter.convertChar(input[i]);
            return converter.convert(input, inputBytes, output, capacity);
        }
        case Way::kFromCharsetToUtf16:
            return convertCharset("UTF-16LE", kCharsetNames[charset % kCharsetCount], input, inputBytes, output,
                                  capacity);
        case Way::kFromUtf16ToCharset:
            return convertCharset(kCharsetNames[charset % kCharsetCount], "UTF-16LE", input, inputBytes, output,
                                  capacity);
    }
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || size > 1 << 16) return 0;
    const auto way = static_cast<Way>(data[0] >> 6);
    const std::uint8_t charset = data[0] & 0x3F;
    const std::uint8_t* input = data + 2;
    const auto inputBytes = static_cast<std::int32_t>(size - 2);
    const std::int32_t capacity = capacityFor(data[1], size - 2);
    const std::unique_ptr<std::uint8_t[]> output(new std::uint8_t[static_cast<std::size_t>(capacity)]);
    try {
        const std::int32_t written = convertThrough(way, charset, input, inputBytes, output.get(), capacity);
        check(written >= 0 && written <= capacity);
    } catch (const CFail&) {
        // Lack of memory while opening a converter.
    }
    return 0;
}
