#include "foundation/encoding/ByteOrder.h"

#include <algorithm>
#include <cstring>

namespace {

// Reverses the bytes of one value; works on the object representation, so signed values keep
// their bit pattern.
template <typename T>
void reverseBytes(T* value) {
    if (!value) return;
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, value, sizeof(T));
    std::reverse(bytes, bytes + sizeof(T));
    std::memcpy(value, bytes, sizeof(T));
}

template <typename T>
void reverseEach(T* values, int count) {
    if (!values) return;
    for (int i = 0; i < count; ++i) reverseBytes(values + i);
}

}  // namespace

void swapShort(std::int16_t* value) { reverseBytes(value); }
void swapShort(std::uint16_t* value) { reverseBytes(value); }
void swapShortAlt(std::int16_t* value) { reverseBytes(value); }
void swapShortAlt(std::uint16_t* value) { reverseBytes(value); }
void swapLong(std::int32_t* value) { reverseBytes(value); }
void swapLong(std::uint32_t* value) { reverseBytes(value); }
void swapLongAlt(std::int32_t* value) { reverseBytes(value); }
void swapLongAlt(std::uint32_t* value) { reverseBytes(value); }
void swapShortPair(std::int16_t* values) { reverseEach(values, 2); }
void swapShortPair(std::uint16_t* values) { reverseEach(values, 2); }
void swapShortQuad(std::int16_t* values) { reverseEach(values, 4); }
void swapShortQuad(std::uint16_t* values) { reverseEach(values, 4); }
