#include "model/records/ChangeMask.h"

std::uint64_t changeMaskNumber(const std::uint8_t (&mask)[8]) {
    std::uint64_t number = 0;
    for (int i = 7; i >= 0; --i) number = number << 8 | mask[i];
    return number;
}

void setChangeMaskNumber(std::uint8_t (&mask)[8], std::uint64_t number) {
    for (std::uint8_t& byte : mask) {
        byte = static_cast<std::uint8_t>(number & 0xFF);
        number >>= 8;
    }
}
