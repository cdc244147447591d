#pragma once
#include <cstdint>

// The picture type a file name suggests: containing "gif" 6, else "jpg" or "jpeg" 7, else "png" 9, else
// 0. The tests are case-sensitive and made in that order ("gifts.png" is a GIF).
std::int16_t typeFromName(const char* name);
