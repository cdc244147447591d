#include "platform/text/Charset.h"

#include <iconv.h>

#include <cerrno>
#include <new>

#include "platform/text/CharsetNames.h"
#include "platform/text/MacCharsetTable.h"

namespace platform {

// Exactly one of descriptor and table serves a converter.
struct CharsetConverter {
    CharsetDirection direction;
    iconv_t descriptor;            // kNoDescriptor when a table serves
    const MacCharsetTable* table;  // null when iconv serves
};

namespace {

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);
constexpr const char* kUtf16 = "UTF-16LE";

// Where the input and the output of one conversion stand.
struct Cursor {
    const std::uint8_t* in;
    std::size_t inLeft;
    std::uint8_t* out;
    std::size_t outLeft;
};

// Why a stretch of conversion ended.
enum class StepEnd {
    kInputDone,
    kOutputFull,  // the next character does not fit
    kIncomplete,  // the input ends inside a character
    kInvalid,     // the next character cannot be converted; the cursor stands on it
};

StepEnd iconvStep(iconv_t descriptor, Cursor& cursor) {
    // iconv's interface takes char** for the input although it never writes through it.
    char* in = const_cast<char*>(reinterpret_cast<const char*>(cursor.in));
    char* out = reinterpret_cast<char*>(cursor.out);
    const std::size_t result = iconv(descriptor, &in, &cursor.inLeft, &out, &cursor.outLeft);
    cursor.in = reinterpret_cast<const std::uint8_t*>(in);
    cursor.out = reinterpret_cast<std::uint8_t*>(out);
    if (result != static_cast<std::size_t>(-1)) return StepEnd::kInputDone;
    if (errno == E2BIG) return StepEnd::kOutputFull;
    if (errno == EINVAL) return StepEnd::kIncomplete;
    return StepEnd::kInvalid;
}

StepEnd tableDecodeStep(const MacCharsetTable& table, Cursor& cursor) {
    while (cursor.inLeft > 0) {
        if (cursor.outLeft < 2) return StepEnd::kOutputFull;
        const char16_t unit = decodeMacByte(table, *cursor.in);
        cursor.out[0] = static_cast<std::uint8_t>(unit & 0xFF);
        cursor.out[1] = static_cast<std::uint8_t>(unit >> 8);
        cursor.out += 2;
        cursor.outLeft -= 2;
        ++cursor.in;
        --cursor.inLeft;
    }
    return StepEnd::kInputDone;
}

StepEnd tableEncodeStep(const MacCharsetTable& table, Cursor& cursor) {
    while (cursor.inLeft > 0) {
        if (cursor.inLeft < 2) return StepEnd::kIncomplete;
        const auto unit = static_cast<char16_t>(cursor.in[0] | cursor.in[1] << 8);
        std::uint8_t byte = 0;
        if (!encodeMacUnit(table, unit, &byte)) return StepEnd::kInvalid;
        if (cursor.outLeft < 1) return StepEnd::kOutputFull;
        *cursor.out++ = byte;
        --cursor.outLeft;
        cursor.in += 2;
        cursor.inLeft -= 2;
    }
    return StepEnd::kInputDone;
}

StepEnd convertStep(const CharsetConverter& converter, Cursor& cursor) {
    if (!converter.table) return iconvStep(converter.descriptor, cursor);
    if (converter.direction == CharsetDirection::kToUtf16) return tableDecodeStep(*converter.table, cursor);
    return tableEncodeStep(*converter.table, cursor);
}

// How far to step over a character that cannot be converted: one UTF-16 unit, or one byte of 8-bit text
// (for a multi-byte charset the following bytes are tried again as the start of the next character).
std::size_t skipWidth(const CharsetConverter& converter) {
    return converter.direction == CharsetDirection::kFromUtf16 ? 2 : 1;
}

}  // namespace

CharsetConverter* openCharsetConverter(const char* charsetName, CharsetDirection direction,
                                       CharsetOpenStatus* status) {
    CharsetOpenStatus ignored;
    CharsetOpenStatus& answer = status ? *status : ignored;
    answer = CharsetOpenStatus::kUnknownCharset;
    const bool knownDirection = direction == CharsetDirection::kToUtf16 || direction == CharsetDirection::kFromUtf16;
    if (!charsetName || !knownDirection) return nullptr;

    auto* converter = new (std::nothrow) CharsetConverter{direction, kNoDescriptor, nullptr};
    if (!converter) {
        answer = CharsetOpenStatus::kOutOfMemory;
        return nullptr;
    }
    converter->table = findMacCharsetTable(charsetName);
    if (!converter->table) {
        const char* systemName = systemCharsetName(charsetName);
        converter->descriptor = direction == CharsetDirection::kToUtf16 ? iconv_open(kUtf16, systemName)
                                                                       : iconv_open(systemName, kUtf16);
        if (converter->descriptor == kNoDescriptor) {
            answer = errno == ENOMEM ? CharsetOpenStatus::kOutOfMemory : CharsetOpenStatus::kUnknownCharset;
            delete converter;
            return nullptr;
        }
    }
    answer = CharsetOpenStatus::kOpened;
    return converter;
}

CharsetConversion convertCharsetText(CharsetConverter* converter, const void* input, std::size_t inputBytes,
                                     void* output, std::size_t capacity) {
    CharsetConversion result;
    if (!converter || !input || !output) return result;

    Cursor cursor{static_cast<const std::uint8_t*>(input), inputBytes, static_cast<std::uint8_t*>(output), capacity};
    if (!converter->table) iconv(converter->descriptor, nullptr, nullptr, nullptr, nullptr);  // initial state

    const std::size_t skip = skipWidth(*converter);
    StepEnd end = StepEnd::kInputDone;
    while (cursor.inLeft > 0) {
        end = convertStep(*converter, cursor);
        if (end != StepEnd::kInvalid) break;
        if (cursor.inLeft < skip) break;
        cursor.in += skip;
        cursor.inLeft -= skip;
        ++result.skipped;
        end = StepEnd::kInputDone;
    }
    // A charset with shift states ends in its initial state; a stateless one writes nothing here.
    if (!converter->table && end == StepEnd::kInputDone) {
        char* out = reinterpret_cast<char*>(cursor.out);
        iconv(converter->descriptor, nullptr, nullptr, &out, &cursor.outLeft);
        cursor.out = reinterpret_cast<std::uint8_t*>(out);
    }

    result.bytesRead = inputBytes - cursor.inLeft;
    result.bytesWritten = capacity - cursor.outLeft;
    return result;
}

void closeCharsetConverter(CharsetConverter*& converter) {
    if (!converter) return;
    if (converter->descriptor != kNoDescriptor) iconv_close(converter->descriptor);
    delete converter;
    converter = nullptr;
}

}  // namespace platform
