#pragma once
// Field masks: the 64 change bits at the head of the formatting records. Bit n lives in byte n / 8
// under 0x80 >> (n % 8), so bit 0 is the top bit of the first byte. A bit number outside 0..63
// stops the conversion quietly (CFail -9999) and leaves the mask unchanged.
#include <cstdint>

constexpr int kFieldMaskBits = 64;

void setMaskBit(void* mask, int n);
void clearMaskBit(void* mask, int n);
// Stops the conversion quietly: the bit number lies outside the mask.
void failMaskBitNumber(int line);

// Inline: the record walks test a bit for every field of every run.
inline int testMaskBit(const void* mask, int n) {
    if (n < 0 || n >= kFieldMaskBits) failMaskBitNumber(__LINE__);
    return (static_cast<const std::uint8_t*>(mask)[n / 8] & (0x80u >> (n % 8))) != 0 ? 1 : 0;
}
