#pragma once
// The number text of a list level in the list table: "%" followed by a digit d stands for the number of
// level d, written as the placeholder byte d - 1; the numbers part lists the 1-based places of the
// placeholders. A unit that RTF could mistake for syntax ('\', '{', '}', ';'), a blank or control unit
// and every unit from 0x80 is written as "\uN ?"; any other unit as itself. A "%" that is not followed
// by a digit 1 to 9 (also one that ends the text) is an ordinary character.
//
// The text is kept whole up to 255 units, the most that its one-byte count in front can say.
#include <cstdint>
#include <string>

struct RTFLevelText {
    std::int32_t count;   // units written, each placeholder one unit
    std::string text;     // the units as RTF
    std::string numbers;  // " \'01\'03" for placeholders at places 1 and 3; empty without any
};

RTFLevelText buildRTFLevelText(const char16_t* units, std::int32_t length);
