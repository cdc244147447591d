#pragma once
// The 32-bit identifiers that WordprocessingML writes in hexadecimal ("nsid", "tmpl", "tplc"): up to
// eight digits of either case after an optional '-'. Word gives them the whole 32 bits, so "E4B2A4C6"
// is a valid id; it is kept as the same bit pattern in a signed field.
#include <cstdint>
#include <optional>

// No value for a text without digits, with more than eight of them, or with anything after them.
std::optional<std::int32_t> parseHexNumber(const char* text);
