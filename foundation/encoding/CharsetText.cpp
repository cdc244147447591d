#include "foundation/encoding/CharsetText.h"

#include <cstring>
#include <vector>

#include "foundation/text/NameCompare.h"
#include "platform/text/Charset.h"

namespace {

constexpr const char* kUtf16 = "UTF-16LE";

bool isUtf16(const char* name) {
    return compareNames(name, kUtf16) == 0;
}

std::int32_t convertOneWay(const char* charset, platform::CharsetDirection direction, const void* input,
                           std::int32_t inputBytes, void* output, std::int32_t capacity) {
    platform::CharsetConverter* converter = platform::openCharsetConverter(charset, direction);
    if (!converter) return 0;
    const platform::CharsetConversion done = platform::convertCharsetText(
        converter, input, static_cast<std::size_t>(inputBytes), output, static_cast<std::size_t>(capacity));
    platform::closeCharsetConverter(converter);
    return static_cast<std::int32_t>(done.bytesWritten);
}

}  // namespace

std::int32_t convertCharset(const char* targetCharset, const char* sourceCharset, const void* input, std::int32_t inputBytes,
                            void* output, std::int32_t capacity) {
    if (!targetCharset || !sourceCharset || !input || !output || inputBytes <= 0 || capacity <= 0) return 0;
    if (isUtf16(sourceCharset) && isUtf16(targetCharset)) {
        const std::int32_t bytes = (inputBytes < capacity ? inputBytes : capacity) & ~1;
        std::memcpy(output, input, static_cast<std::size_t>(bytes));
        return bytes;
    }
    if (isUtf16(sourceCharset)) {
        return convertOneWay(targetCharset, platform::CharsetDirection::kFromUtf16, input, inputBytes, output, capacity);
    }
    if (isUtf16(targetCharset)) {
        return convertOneWay(sourceCharset, platform::CharsetDirection::kToUtf16, input, inputBytes, output, capacity);
    }
    // Between two 8-bit charsets: through UTF-16.
    std::vector<std::uint8_t> middle(static_cast<std::size_t>(inputBytes) * 4 + 4);
    const std::int32_t units = convertOneWay(sourceCharset, platform::CharsetDirection::kToUtf16, input, inputBytes,
                                             middle.data(), static_cast<std::int32_t>(middle.size()));
    return convertOneWay(targetCharset, platform::CharsetDirection::kFromUtf16, middle.data(), units, output, capacity);
}

void textToUniPascal(PascalWString& dst, const char* text) {
    const std::int32_t length = text ? static_cast<std::int32_t>(std::strlen(text)) : 0;
    const std::int32_t written =
        convertCharset(kUtf16, "WINDOWS-1252", text, length, dst.units + 1, 2 * kPascalCapacity);
    dst.units[0] = static_cast<char16_t>(written / 2);
}

char* uniPascalToText(const PascalWString& src, char* buffer) {
    static char shared[512];
    char* out = buffer ? buffer : shared;
    const std::int32_t written = convertCharset("WINDOWS-1252", kUtf16, src.text(), src.length() * 2, out, 255);
    out[written] = '\0';
    return out;
}
