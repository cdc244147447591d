#pragma once
// Filling one run of digit placeholders ('0', '#', '?') with printed digits: the first placeholder of
// the run takes every digit the others have no room for; a placeholder without a digit writes '0' for
// '0', a space for '?' and nothing for '#'. A pending minus goes before the first digit written.
#include <cstddef>
#include <string_view>

#include "import/spreadsheet/numberformat/FormatText.h"

struct PendingMinus {
    bool pending = false;
    void writeInto(FormatText& out) {
        if (pending) out.put(u'-');
        pending = false;
    }
};

class PlaceholderFill {
public:
    PlaceholderFill() = default;
    // digits may hold separators (',') among the digits; they are written along with them.
    PlaceholderFill(std::string_view digits, int placeholders);

    void fill(char16_t placeholder, FormatText& out, PendingMinus& minus);
    // Writes the digits no placeholder took (a code with fewer placeholders than a value has digits).
    void flush(FormatText& out, PendingMinus& minus);
    int digitsLeft() const { return remaining; }
    int placeholdersLeft() const { return placeholders; }

private:
    void copyDigits(int count, FormatText& out);

    std::string_view digits;
    std::size_t position = 0;
    int remaining = 0;
    int placeholders = 0;
};

// Inserts ',' before every group of three digits of the whole part of printed digits
// (from "1234567.5" to "1,234,567.5"); a sign stays in front.
void insertThousands(DigitText& digits);
