#pragma once
// User-interface strings by their string-table id, from the resource module in force
// (ResourceModule.h). An id the module does not hold gives the empty text.
//
// As the system's string loading, a string is kept to 254 characters: loadText keeps at most 254 bytes
// of UTF-8 (8-bit texts are UTF-8 on this build), loadUniText at most 254 UTF-16 units, each cut on a
// character boundary and followed by a 0. Three forms each:
//   loadText(nullptr, id)                the 8-bit default buffer (DefaultTextBuffers.h)
//   loadText(array, id)                  the caller's array, cut to its size
//   loadTextInto(buffer, capacity, id)   any buffer of that capacity; null: the default buffer
#include <cstddef>
#include <cstdint>

// The system's string-loading limit: a buffer size of 255, so 254 characters and the 0.
constexpr std::int32_t kLoadStringSize = 255;

char* loadTextInto(char* buffer, std::int32_t capacity, std::uint16_t id);
inline char* loadText(std::nullptr_t, std::uint16_t id) {
    return loadTextInto(nullptr, 0, id);
}
template <std::size_t N>
char* loadText(char (&buffer)[N], std::uint16_t id) {
    return loadTextInto(buffer, static_cast<std::int32_t>(N), id);
}

// With the wide-call flag (WideApiFlag.h) at 1 the string is loaded as UTF-16; otherwise it is loaded
// as 8-bit text and decoded from UTF-8, as the 8-bit system calls carry UTF-8 on this build.
char16_t* loadUniTextInto(char16_t* buffer, std::int32_t capacity, std::uint16_t id);
inline char16_t* loadUniText(std::nullptr_t, std::uint16_t id) {
    return loadUniTextInto(nullptr, 0, id);
}
template <std::size_t N>
char16_t* loadUniText(char16_t (&buffer)[N], std::uint16_t id) {
    return loadUniTextInto(buffer, static_cast<std::int32_t>(N), id);
}
