#pragma once
// A converter between UTF-16LE and the charset of a Mac or Windows text-encoding code, for one conversion
// job (an importer's document, an exporter's output, a story chunk). Characters that cannot be converted
// are left out one by one; the rest of the text always comes through.
#include <cstdint>

#include "foundation/CBase.h"

namespace platform {
struct CharsetConverter;
}

// The charset name of a text-encoding code ("MacRoman" for a code without one of its own).
const char* charsetNameForEncoding(std::int32_t textEncoding);

class CUnicode : public CBase {
public:
    static constexpr std::int16_t kToUtf16 = 0;    // from the code's charset into UTF-16LE
    static constexpr std::int16_t kFromUtf16 = 1;  // from UTF-16LE into the code's charset

    // What convertChar answers when the character has no conversion.
    static constexpr std::int32_t kNoUnit = 0xFFFD;  // towards UTF-16: the replacement character
    static constexpr std::int32_t kNoByte = '?';     // from UTF-16

    // Opens the converter for the code's charset in the given direction. A charset that cannot be opened
    // (the codes 2 and 25, or any direction other than the two above) leaves a converter that converts
    // nothing. Lack of memory raises CFail 12.
    CUnicode(std::int32_t textEncoding, std::int16_t direction);
    ~CUnicode() override;
    CUnicode(const CUnicode&) = delete;
    CUnicode& operator=(const CUnicode&) = delete;

    // Direction 0: the low 8 bits as one byte of the charset, answered as the first UTF-16 unit it gives.
    // Direction 1: the low 16 bits as one UTF-16 unit, answered as the first byte (0 to 255) it gives.
    // kNoUnit or kNoByte when the conversion gives nothing.
    virtual std::int32_t convertChar(std::int32_t character);

    // Converts inputBytes bytes into output (capacity bytes) and answers the bytes written. Characters that
    // cannot be converted are skipped; when the output is too small, what fits is written. 0 when the
    // converter is not open or an argument is unusable.
    virtual std::int32_t convert(const void* input, std::int32_t inputBytes, void* output, std::int32_t capacity);

    bool isOpen() const { return descriptor != nullptr; }
    std::int16_t getDirection() const { return direction; }
    // The charset chosen for the code; null for a direction other than the two above.
    const char* getCharsetName() const { return charsetName; }

protected:
    platform::CharsetConverter* descriptor;  // null when none could be opened
    std::int16_t direction;
    const char* charsetName;

private:
    // Both operations convert through here, so that a derived class's convert does not change convertChar.
    std::int32_t convertBytes(const void* input, std::int32_t inputBytes, void* output, std::int32_t capacity) const;
};
