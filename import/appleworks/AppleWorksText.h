#pragma once
// Text and shading of an AppleWorks document as the walkers need them: bytes of a font's text encoding to
// UTF-16, symbol-font bytes to the private-use units 0xF000 + byte, and the coverage of a fill pattern.
#include <cstdint>
#include <vector>

namespace appleworks {

// The UTF-16 units of bytes in a Mac text encoding (kSymbolTextEncoding: 0xF000 + byte). Characters the
// encoding cannot give are left out. Lack of memory raises CFail 12.
std::vector<char16_t> textToUnicode(std::int32_t textEncoding, const std::uint8_t* bytes, std::int32_t length);
std::vector<char16_t> symbolBytesToUnicode(const std::uint8_t* bytes, std::int32_t length);
// The coverage of an 8 x 8 fill pattern in tenths of a percent, in steps of 25 (0 to 1000).
std::int32_t patternDensity(const std::uint8_t (&pattern)[8]);

}  // namespace appleworks
