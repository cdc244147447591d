#include "foundation/FieldMask.h"

#include "foundation/CFail.h"

namespace {

constexpr const char* kUnit = "BCommon";

void checkBitNumber(int n, int line) {
    if (n < 0 || n >= kFieldMaskBits) failMaskBitNumber(line);
}

std::uint8_t bitOf(int n) {
    return static_cast<std::uint8_t>(0x80u >> (n % 8));
}

}  // namespace

void setMaskBit(void* mask, int n) {
    checkBitNumber(n, __LINE__);
    static_cast<std::uint8_t*>(mask)[n / 8] |= bitOf(n);
}

void clearMaskBit(void* mask, int n) {
    checkBitNumber(n, __LINE__);
    static_cast<std::uint8_t*>(mask)[n / 8] &= static_cast<std::uint8_t>(~bitOf(n));
}

void failMaskBitNumber(int line) {
    throwIfError(result::kStopQuietly, line, kUnit);
}
