#pragma once
// Four-character type and creator codes ('TEXT', '????'): the first character in the top byte.
#include <cstdint>

constexpr std::uint32_t fourCharCode(const char (&text)[5]) {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) << 24) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 8) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[3]));
}

// '????': any file; '****': a folder.
constexpr std::uint32_t kAnyFileCode = fourCharCode("????");
constexpr std::uint32_t kFolderCode = fourCharCode("****");
