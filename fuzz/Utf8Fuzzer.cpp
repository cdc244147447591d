// The UTF-8 / UTF-16 codec. The input is read twice: as UTF-8 bytes to decode and as UTF-16LE units to
// encode. Besides the sanitizers' checks, the codec's promises are checked, and a broken one traps:
//   - UTF-16 -> UTF-8 -> UTF-16 gives back every unit, lone surrogates and U+0000 included, through the
//     whole-text functions and through the chunk functions;
//   - the chunk decoder leaves only a cut-off sequence unconsumed, and the whole-text decoder gives the
//     same units plus one U+FFFD for it;
//   - decoding never makes a control unit (1 to 31) out of anything but that very byte;
//   - the Latin-1 decoder gives one byte per character, '?' for a character above 255.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/encoding/Utf8Codec.h"

namespace {

void check(bool promise) {
    if (!promise) __builtin_trap();
}

bool isControl(std::uint32_t unit) {
    return unit >= 1 && unit <= 31;
}

std::u16string unitsOf(const std::uint8_t* data, std::size_t size) {
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    return units;
}

std::u16string unitsOf(const std::vector<std::uint8_t>& bytes, std::int32_t count) {
    return unitsOf(bytes.data(), static_cast<std::size_t>(count));
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

void checkWholeTextRoundTrip(const std::u16string& units) {
    check(utf8ToUtf16String(utf16ToUtf8String(units)) == units);
}

// The chunk encoder stops only before a high surrogate at the very end; what it wrote decodes back.
void checkChunkRoundTrip(const std::u16string& units) {
    const auto length = static_cast<std::int32_t>(units.size());
    std::vector<std::uint8_t> utf8(static_cast<std::size_t>(utf8CapacityForUnits(length)));
    std::int32_t written = static_cast<std::int32_t>(utf8.size());
    std::int32_t read = length * 2;
    check(utf16ToUtf8(utf8.data(), &written, utf16Bytes(units.data()), &read) == written);
    const bool lastHeldBack = read == length * 2 - 2 && isHighSurrogate(units.back());
    check(read == length * 2 || lastHeldBack);
    check(written + 5 < static_cast<std::int32_t>(utf8.size()) || length == 0);

    std::vector<std::uint8_t> back(static_cast<std::size_t>(length) * 2 + 2);
    std::int32_t backSize = static_cast<std::int32_t>(back.size());
    std::int32_t consumed = written;
    utf8ToUtf16(back.data(), &backSize, utf8.data(), &consumed);
    check(consumed == written);
    check(unitsOf(back, backSize) == units.substr(0, static_cast<std::size_t>(read / 2)));
}

void checkDecoding(std::string_view bytes) {
    const std::u16string whole = utf8ToUtf16String(bytes);

    const auto length = static_cast<std::int32_t>(bytes.size());
    std::vector<std::uint8_t> chunk(bytes.size() * 2 + 2);
    std::int32_t chunkSize = static_cast<std::int32_t>(chunk.size());
    std::int32_t read = length;
    utf8ToUtf16(chunk.data(), &chunkSize, reinterpret_cast<const std::uint8_t*>(bytes.data()), &read);
    const std::u16string chunkUnits = unitsOf(chunk, chunkSize);
    check(length - read < 4);
    check(read == length ? whole == chunkUnits : whole == chunkUnits + u'\xFFFD');

    std::size_t controlBytes = 0;
    for (const char byte : bytes) controlBytes += isControl(static_cast<std::uint8_t>(byte)) ? 1 : 0;
    std::size_t controlUnits = 0;
    for (const char16_t unit : whole) controlUnits += isControl(unit) ? 1 : 0;
    check(controlUnits == controlBytes);

    // Latin-1: one byte per character, the character itself or '?'. Whether two surrogate units were one
    // character or two is not told by the units, so the characters up to 255 are compared, in order.
    std::vector<std::uint8_t> latin1(bytes.size() + 1);
    std::int32_t latin1Size = static_cast<std::int32_t>(latin1.size());
    std::int32_t latin1Read = length;
    utf8ToLatin1(latin1.data(), &latin1Size, reinterpret_cast<const std::uint8_t*>(bytes.data()), &latin1Read);
    check(latin1Read == read);
    check(static_cast<std::size_t>(latin1Size) <= chunkUnits.size());
    std::u16string narrowUnits;
    for (const char16_t unit : chunkUnits) {
        if (unit <= 0xFF && unit != u'?') narrowUnits.push_back(unit);
    }
    std::u16string narrowBytes;
    for (std::int32_t i = 0; i < latin1Size; ++i) {
        if (latin1[static_cast<std::size_t>(i)] != '?') narrowBytes.push_back(latin1[static_cast<std::size_t>(i)]);
    }
    check(narrowUnits == narrowBytes);

    // What decoding gives is program text, and program text survives the round trip.
    checkWholeTextRoundTrip(whole);
}

// Output buffers of every small size, each exactly as large as told: a chunk function never writes past
// the size it is given.
void checkSmallOutputs(const std::uint8_t* data, std::size_t size) {
    const auto length = static_cast<std::int32_t>(size);
    using Converter = std::int32_t (*)(std::uint8_t*, std::int32_t*, const std::uint8_t*, std::int32_t*);
    for (const Converter convert : {utf8ToUtf16, utf8ToLatin1, utf16ToUtf8}) {
        for (std::int32_t capacity = 0; capacity < 12; ++capacity) {
            const std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[static_cast<std::size_t>(capacity)]);
            std::int32_t written = capacity;
            std::int32_t read = length;
            convert(out.get(), &written, data, &read);
            check(written <= capacity && read <= length);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1 << 16) return 0;
    checkDecoding(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::u16string units = unitsOf(data, size);
    checkWholeTextRoundTrip(units);
    checkChunkRoundTrip(units);
    checkSmallOutputs(data, size);
    return 0;
}
