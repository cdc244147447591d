#pragma once
// One chunk of a writer's output: up to 256 characters, 8-bit bytes for the plain-text and CSV writers
// (CBuffer) or UTF-16 units for the Unicode writer (CUnicodeBuffer). Writers fill a chunk, start the
// next when it is full, and write the chunks out in order.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "foundation/CBase.h"

template <typename Unit>
class OutputChunk : public CBase {
public:
    static constexpr std::int16_t kCapacity = 256;

    bool isFull() const { return length == kCapacity; }
    // The caller checks isFull first.
    void append(Unit unit) { data[length++] = unit; }
    // Appends as many of the units as there is room for; answers how many.
    std::size_t appendSome(const Unit* units, std::size_t count) {
        const std::size_t taken = std::min(count, static_cast<std::size_t>(kCapacity - length));
        std::copy_n(units, taken, data + length);
        length = static_cast<std::int16_t>(length + taken);
        return taken;
    }

    std::int16_t getLength() const { return length; }
    const Unit* getData() const { return data; }

private:
    std::int16_t length = 0;
    Unit data[kCapacity];
};

using CBuffer = OutputChunk<std::uint8_t>;
using CUnicodeBuffer = OutputChunk<char16_t>;
