#pragma once
// What follows the number of a list level, as the RTF list table counts it: 0 a tab, 1 a blank, 2
// nothing. A level record may carry either that code or the character itself (9 a tab, 32 a blank);
// both read the same here, and any other value is nothing.
#include <cstdint>

constexpr std::int16_t kRTFFollowTab = 0;
constexpr std::int16_t kRTFFollowSpace = 1;
constexpr std::int16_t kRTFFollowNothing = 2;

std::int16_t rtfLevelFollow(std::int16_t levelFollow);
