#pragma once
// Turns one UTF-16 unit of story text into the bytes that stand for it in the RTF body: the character
// itself, a named control word, a hexadecimal byte escape in the run's character set, or a Unicode
// escape ("\u" and the unit's value) followed by its fallback in that character set.
//
// A Unicode escape is followed by as many fallback bytes as the last "\uc" word announced; the caller
// keeps that number (the fallback state, 1 at the start of each text write, as the document's header
// line declares) and escapeUnit writes a new "\uc" word whenever an escape needs another count.
// The two halves of a surrogate pair are two units, each escaped on its own.
#include <array>
#include <cstdint>

#include "foundation/encoding/CUnicode.h"

class CRTFUnicode : public CUnicode {
public:
    // Room every caller gives escapeUnit; one unit never needs more.
    static constexpr std::int16_t kRoom = 256;

    // A converter from UTF-16 into the character set of the run's text-encoding code (its txtCode).
    explicit CRTFUnicode(std::int32_t textEncoding);

    // "\'" and two lowercase hexadecimal digits when room is above 4 (answers 4), else the byte itself
    // (answers 1). The output ends with a 0 byte.
    static std::int16_t hexByte(std::uint8_t byte, char* out, std::int16_t room);
    // With a non-zero count, first "\uc" and the count as four digits; then "\u" and the unit's value as
    // an unsigned decimal number. Answers the bytes written, or 0 (nothing written) when they do not fit
    // with the ending 0 byte.
    static std::int16_t unicodeEscape(char16_t unit, char* out, std::int16_t room, std::int16_t count);

    // The bytes for one unit, ending with a 0 byte; answers their number (0 when nothing was written).
    std::int16_t escapeUnit(char16_t unit, char* out, std::int16_t room, std::int16_t& fallbackState);

private:
    // The full escaping of one unit, through the character set converter.
    std::int16_t escapeConverted(char16_t unit, char* out, std::int16_t room, std::int16_t& fallbackState);

    // What each unit below 0x80 becomes, learnt from the converter at its first use: the single byte it
    // stands for as itself (1 to 255), kNotPlain when it needs more than its byte, 0 not yet known. Almost
    // all story text is such units, and the character sets we write convert them without any state, so
    // asking the converter once per unit is enough.
    static constexpr std::int16_t kNotPlain = -1;
    std::array<std::int16_t, 0x80> plainBytes{};
};
