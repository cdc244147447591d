#include "foundation/encoding/CUnicode.h"

#include "foundation/CFail.h"
#include "platform/text/Charset.h"

namespace {

constexpr const char* kUnit = "BUnicode";
constexpr const char* kFallbackCharset = "MacRoman";

struct EncodingEntry {
    std::int32_t code;
    const char* charsetName;
};

// Mac text-encoding codes (below 0x100), the Unicode code 126 and the Windows code pages (from 0x400).
// "MacMacChineseTrad" and "MacChineseSimp" are names no charset library knows: their converters stay
// closed and convert nothing.
constexpr EncodingEntry kEncodings[] = {
    {0x0, "MacRoman"},          {0x1, "SHIFT-JIS"},        {0x2, "MacMacChineseTrad"}, {0x3, "MacRoman"},
    {0x4, "MacArabic"},         {0x5, "MacHebrew"},        {0x6, "MacGreek"},          {0x7, "MacCyrillic"},
    {0x19, "MacChineseSimp"},   {0x1D, "MacCentralEurope"}, {0x7E, "UTF-8"},           {0x416, "WINDOWS-1252"},
    {0x41D, "WINDOWS-874"},     {0x420, "SHIFT-JIS"},      {0x421, "GBK"},             {0x422, "JOHAB"},
    {0x423, "Big5"},            {0x500, "WINDOWS-1252"},   {0x501, "WINDOWS-1250"},    {0x502, "WINDOWS-1251"},
    {0x503, "WINDOWS-1253"},    {0x504, "WINDOWS-1254"},   {0x505, "WINDOWS-1255"},    {0x506, "WINDOWS-1256"},
    {0x507, "WINDOWS-1257"},
};

bool isKnownDirection(std::int16_t direction) {
    return direction == CUnicode::kToUtf16 || direction == CUnicode::kFromUtf16;
}

}  // namespace

const char* charsetNameForEncoding(std::int32_t textEncoding) {
    for (const EncodingEntry& entry : kEncodings) {
        if (entry.code == textEncoding) return entry.charsetName;
    }
    return kFallbackCharset;
}

CUnicode::CUnicode(std::int32_t textEncoding, std::int16_t directionWanted)
    : descriptor(nullptr), direction(directionWanted), charsetName(nullptr) {
    if (!isKnownDirection(direction)) return;
    charsetName = charsetNameForEncoding(textEncoding);
    platform::CharsetOpenStatus status = platform::CharsetOpenStatus::kOpened;
    descriptor = platform::openCharsetConverter(charsetName, static_cast<platform::CharsetDirection>(direction), &status);
    if (status == platform::CharsetOpenStatus::kOutOfMemory) throwFail(result::kOutOfMemory, __LINE__, kUnit);
}

CUnicode::~CUnicode() {
    platform::closeCharsetConverter(descriptor);
}

std::int32_t CUnicode::convert(const void* input, std::int32_t inputBytes, void* output, std::int32_t capacity) {
    return convertBytes(input, inputBytes, output, capacity);
}

std::int32_t CUnicode::convertBytes(const void* input, std::int32_t inputBytes, void* output,
                                    std::int32_t capacity) const {
    if (!descriptor || !input || !output || inputBytes < 0 || capacity < 0) return 0;
    const platform::CharsetConversion done = platform::convertCharsetText(
        descriptor, input, static_cast<std::size_t>(inputBytes), output, static_cast<std::size_t>(capacity));
    return static_cast<std::int32_t>(done.bytesWritten);
}

std::int32_t CUnicode::convertChar(std::int32_t character) {
    std::uint8_t converted[8] = {};
    if (direction == kFromUtf16) {
        const std::uint8_t unit[2] = {static_cast<std::uint8_t>(character & 0xFF),
                                      static_cast<std::uint8_t>((character >> 8) & 0xFF)};
        return convertBytes(unit, 2, converted, sizeof converted) >= 1 ? converted[0] : kNoByte;
    }
    const auto byte = static_cast<std::uint8_t>(character & 0xFF);
    if (convertBytes(&byte, 1, converted, sizeof converted) < 2) return kNoUnit;
    return converted[0] | converted[1] << 8;
}
