#pragma once
// The built-in number formats 0 to 49 and the month and day names the number-format engine writes, in
// the interface language: loadFormatStrings fills them from the UI strings of the language in force. The
// application calls it at start-up once the language is chosen, and again whenever the language changes.
// Before the first call the tables hold the program's own English texts.
#include <cstdint>
#include <string_view>

constexpr std::uint16_t kBuiltInFormatCount = 50;

void loadFormatStrings();

// The code of a built-in format; empty (General) for ids without a code and for ids of 50 or more.
std::u16string_view builtInFormatCode(std::uint16_t formatId);
// month 1 to 12; empty outside.
std::u16string_view monthName(int month);
// weekday 0 (Sunday) to 6; empty outside.
std::u16string_view dayName(int weekday);
