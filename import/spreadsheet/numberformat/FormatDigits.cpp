#include "import/spreadsheet/numberformat/FormatDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
constexpr int kMostGeneralDecimals = 9;
constexpr double kGeneralExponentFrom = 1e11;
constexpr double kGeneralSmallest = 1e-10;

// The powers of ten that quickFixed scales by, each a double exactly.
constexpr double kQuickPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
constexpr int kMostQuickDecimals = 9;
// Below 2^40 the scaled value is within 2^-14 of the exact product; a fraction further than 2^-12 from
// one half rounds the same way in both.
constexpr double kQuickScaledLimit = 0x1p40;
constexpr double kQuickTieMargin = 0x1p-12;

// The fixed form for the values cells mostly hold (money, shares, counts), written from a 64-bit whole
// number: the general conversion costs several times as much. False, with digits untouched, where the
// scaled value is too large or too near a tie to be sure of the rounding; the caller then converts.
bool quickFixed(double value, int decimals, DigitText& digits) {
    if (decimals < 0 || decimals > kMostQuickDecimals) return false;
    const double scaled = std::fabs(value) * kQuickPowersOfTen[decimals];
    if (!(scaled < kQuickScaledLimit)) return false;  // NaN included
    const double below = std::floor(scaled);
    const double fraction = scaled - below;
    if (std::fabs(fraction - 0.5) < kQuickTieMargin) return false;
    auto whole = static_cast<std::uint64_t>(below) + (fraction > 0.5 ? 1 : 0);

    char reversed[32];
    int count = 0;
    for (int place = 0; place < decimals; ++place) {
        reversed[count++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    }
    if (decimals > 0) reversed[count++] = '.';
    do {
        reversed[count++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (std::signbit(value)) reversed[count++] = '-';
    std::reverse_copy(reversed, reversed + count, digits.text);
    digits.length = static_cast<std::size_t>(count);
    return true;
}

void print(double value, std::chars_format form, int decimals, DigitText& digits) {
    const auto result = std::to_chars(digits.text, digits.text + kDigitTextCapacity, value, form,
                                      std::max(decimals, 0));
    if (result.ec != std::errc()) throwFail(result::kNumberTextTooLong, __LINE__, kFormatUnit);
    digits.length = static_cast<std::size_t>(result.ptr - digits.text);
}

int wholeDigitCount(double whole) {
    int count = 1;
    for (double limit = 10; whole >= limit && count < 11; limit *= 10) ++count;
    return count;
}

// The place of the first significant digit of a value below 1: 1 for 0.1 up, 2 for 0.01 up, ... 11.
int firstSignificantPlace(double remainder) {
    int place = 1;
    for (double limit = 0.1; remainder < limit && place < 11; limit /= 10) ++place;
    return place;
}

enum class GeneralForm { whole, fixed, exponent };

struct GeneralChoice {
    GeneralForm form = GeneralForm::fixed;
    int decimals = kMostGeneralDecimals;
    double roundedUp = 0;  // a whole part increased to absorb a remainder of one half or more
};

GeneralChoice chooseGeneralForm(double value, int width) {
    GeneralChoice choice;
    const double magnitude = std::fabs(value);
    const double whole = std::floor(magnitude);
    const double remainder = magnitude - whole;
    if (whole >= kGeneralExponentFrom) {
        choice.form = GeneralForm::exponent;
    } else if (whole == 0 && remainder > 0) {
        const int place = firstSignificantPlace(remainder);
        if (remainder <= kGeneralSmallest || width - 2 < place) choice.form = GeneralForm::exponent;
        else choice.decimals = width - 2;
    } else {
        if (value < 0) --width;
        const int wholeDigits = wholeDigitCount(whole);
        if (remainder == 0) {
            choice.form = GeneralForm::whole;
        } else if (wholeDigits > width) {
            choice.form = GeneralForm::exponent;
        } else if (wholeDigits + 1 > width) {
            choice.form = GeneralForm::whole;
            if (remainder >= 0.5) {
                choice.roundedUp = whole + 1;
                if (choice.roundedUp >= kGeneralExponentFrom) choice.form = GeneralForm::exponent;
            }
        } else {
            choice.decimals = width - wholeDigits - 1;
        }
    }
    if (choice.form == GeneralForm::exponent) choice.decimals = std::max(width - 6, 0);
    choice.decimals = std::min(choice.decimals, kMostGeneralDecimals);
    return choice;
}
}  // namespace

void DigitText::assign(std::string_view source) {
    if (source.size() > kDigitTextCapacity) throwFail(result::kNumberTextTooLong, __LINE__, kFormatUnit);
    std::copy(source.begin(), source.end(), text);
    length = source.size();
}

void printFixed(double value, int decimals, DigitText& digits) {
    if (quickFixed(value, decimals, digits)) return;
    print(value, std::chars_format::fixed, decimals, digits);
}

void printExponent(double value, int decimals, DigitText& digits) {
    print(value, std::chars_format::scientific, decimals, digits);
}

void printRoundedWhole(double value, DigitText& digits) {
    // std::round rounds halves away from zero; the fixed form then prints the whole number exactly.
    printFixed(std::round(value), 0, digits);
    if (digits.view() == "-0") digits.assign("0");
}

void trimFractionZeros(DigitText& digits) {
    const std::string_view text = digits.view();
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos) return;
    std::size_t exponent = findExponentMark(text, point);
    if (exponent == std::string_view::npos) exponent = text.size();
    std::size_t keep = exponent;
    while (keep > point + 1 && text[keep - 1] == '0') --keep;
    if (keep == point + 1) keep = point;
    std::copy(digits.text + exponent, digits.text + digits.length, digits.text + keep);
    digits.length -= exponent - keep;
}

void formatGeneralDigits(double value, std::uint16_t generalWidth, DigitText& digits) {
    const GeneralChoice choice = chooseGeneralForm(value, generalWidth);
    switch (choice.form) {
    case GeneralForm::whole:
        if (choice.roundedUp != 0) printFixed(std::copysign(choice.roundedUp, value), 0, digits);
        else printFixed(value, 0, digits);
        break;
    case GeneralForm::fixed: printFixed(value, choice.decimals, digits); break;
    case GeneralForm::exponent: printExponent(value, choice.decimals, digits); break;
    }
    trimFractionZeros(digits);
    if (digits.view() == "-0") digits.assign("0");
}

void normaliseExponent(DigitText& digits, const FormatSectionInfo& section) {
    std::string_view text = digits.view();
    const std::size_t mark = text.find_last_of("eE");
    if (mark == std::string_view::npos || mark + 1 >= text.size()) failFormatCode(__LINE__);
    if (text[mark + 1] != '+' && text[mark + 1] != '-') failFormatCode(__LINE__);
    const bool negative = text[0] == '-';
    const std::size_t firstDigit = negative ? 1 : 0;
    std::size_t point = text.find('.');
    if (point > mark) point = std::string_view::npos;
    const long before = static_cast<long>((point == std::string_view::npos ? mark : point) - firstDigit);
    const long shift = static_cast<long>(section.integerDigits) - before;
    long exponent = std::strtol(std::string(text.substr(mark + 1)).c_str(), nullptr, 10);

    // The mantissa's digits without the point, and where the point goes among them.
    std::string mantissa;
    for (std::size_t k = firstDigit; k < mark; ++k)
        if (text[k] != '.') mantissa += text[k];
    long pointAt = before;
    if (shift != 0) {
        if (point == std::string_view::npos) failFormatCode(__LINE__);
        pointAt += shift;
        exponent -= shift;
    }
    // Moving the point past the printed digits fills with zeros; moving it before them gives ".0…".
    while (pointAt > static_cast<long>(mantissa.size())) mantissa += '0';
    std::string rebuilt = negative ? "-" : "";
    if (pointAt < 0) {
        rebuilt += '.';
        rebuilt.append(static_cast<std::size_t>(-pointAt), '0');
        rebuilt += mantissa;
    } else {
        rebuilt += mantissa.substr(0, static_cast<std::size_t>(pointAt));
        if (point != std::string_view::npos || pointAt < static_cast<long>(mantissa.size())) {
            rebuilt += '.';
            rebuilt += mantissa.substr(static_cast<std::size_t>(pointAt));
        }
    }
    rebuilt += text[mark];
    rebuilt += exponent < 0 ? '-' : '+';
    rebuilt += std::to_string(std::labs(exponent));
    digits.assign(rebuilt);
}
