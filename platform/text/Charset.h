#pragma once
// Converters between UTF-16LE and one named charset, over the system's iconv, with our own tables for the Mac
// charsets it lacks. A conversion never gives up on a whole text: a character that cannot be converted
// (invalid in the source, or without a form in the target) is skipped and the rest goes on.
#include <cstddef>
#include <cstdint>

namespace platform {

// Which way a converter works.
enum class CharsetDirection : std::int16_t {
    kToUtf16 = 0,    // from the named charset into UTF-16LE
    kFromUtf16 = 1,  // from UTF-16LE into the named charset
};

enum class CharsetOpenStatus {
    kOpened,
    kUnknownCharset,  // neither iconv nor our tables know the name
    kOutOfMemory,
};

// An open converter; only this layer knows what is inside.
struct CharsetConverter;

struct CharsetConversion {
    std::size_t bytesRead = 0;     // input consumed, skipped characters included
    std::size_t bytesWritten = 0;  // output produced
    std::size_t skipped = 0;       // characters that could not be converted and were left out
};

// Opens a converter for a charset name as the program spells it ("MacRoman", "WINDOWS-1253", "SHIFT-JIS",
// "MacGreek" ...; case is ignored). Null when the name is unknown or memory ran out; status (when given)
// tells which.
CharsetConverter* openCharsetConverter(const char* charsetName, CharsetDirection direction,
                                       CharsetOpenStatus* status = nullptr);

// Converts input into output, as much as fits. Each character that cannot be converted is skipped (one
// byte of 8-bit input, one UTF-16 unit of UTF-16 input) and the conversion goes on after it. It stops early
// only when the next character does not fit in the output, or at an incomplete character at the end of the
// input, which is not consumed. A null converter, input or output converts nothing.
CharsetConversion convertCharsetText(CharsetConverter* converter, const void* input, std::size_t inputBytes,
                                     void* output, std::size_t capacity);

// Closes the converter the variable holds, if any, and nulls the variable.
void closeCharsetConverter(CharsetConverter*& converter);

}  // namespace platform
