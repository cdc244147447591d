#pragma once
// The smaller of two values, used to bound a copy by a maximum.
#include <cstdint>

// The smaller of the two; the first when they are equal.
constexpr std::int32_t minValue(std::int32_t first, std::int32_t second) {
    return second < first ? second : first;
}
