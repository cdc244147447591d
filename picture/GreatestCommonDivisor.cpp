#include "picture/GreatestCommonDivisor.h"

std::uint32_t greatestCommonDivisor(std::uint32_t a, std::uint32_t b) {
    if (a == 0 && b == 0) return 1;
    while (b != 0) {
        const std::uint32_t rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}
