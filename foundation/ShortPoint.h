#pragma once
#include <cstdint>

// A point of two signed 16-bit coordinates, vertical first.
struct ShortPoint {
    std::int16_t v;
    std::int16_t h;
};

// Copies v, then h, from other; answers this point.
ShortPoint* copyShortPoint(ShortPoint* self, const ShortPoint* other);
