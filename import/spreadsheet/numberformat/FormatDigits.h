#pragma once
// A value printed as digits before the number-format engine lays them into a section: fixed-point or
// exponent form with a given count of decimals, a whole number rounded half away from zero, and the
// General format's own choice of form. Conversions round to nearest as the C library's formatted output
// does; a result that does not fit kDigitTextCapacity raises CFail 7.
#include <cstdint>

#include "import/spreadsheet/numberformat/FormatSectionInfo.h"
#include "import/spreadsheet/numberformat/FormatText.h"

void printFixed(double value, int decimals, DigitText& digits);
void printExponent(double value, int decimals, DigitText& digits);
void printRoundedWhole(double value, DigitText& digits);

// Drops the zeros after the last significant decimal (and a '.' left alone); an exponent stays.
void trimFractionZeros(DigitText& digits);

// The General format for a column of generalWidth characters (65535: no limit): at most 9 decimals,
// the exponent form from 1e11 up and for values of 1e-10 or less.
void formatGeneralDigits(double value, std::uint16_t generalWidth, DigitText& digits);

// Moves the point of exponent-form digits ("1.2345e+04") so that exactly integerDigits digits stand
// before it, changing the exponent to match, and drops the exponent's leading zeros ("123.45e+2").
void normaliseExponent(DigitText& digits, const FormatSectionInfo& section);
