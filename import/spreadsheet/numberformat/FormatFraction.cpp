// Fraction sections: a whole part, a numerator and a denominator, each filled like a run of digits.
#include <charconv>
#include <cmath>

#include "import/spreadsheet/numberformat/FormatPlacement.h"
#include "import/spreadsheet/numberformat/FormatSection.h"
#include "import/spreadsheet/numberformat/FormatWriters.h"

using namespace formatkind;

namespace {
constexpr double kFractionPrecision = 1e-10;
// Whole parts up to this print exactly; a larger value has no fraction worth showing.
constexpr double kLargestFractionWhole = 1e15;

struct NumberDigits {
    char text[24];
    std::size_t length = 0;
    std::string_view view() const { return {text, length}; }
};

NumberDigits printWhole(double whole) {
    NumberDigits digits;
    const auto result = std::to_chars(digits.text, digits.text + sizeof digits.text,
                                      static_cast<long long>(whole));
    digits.length = static_cast<std::size_t>(result.ptr - digits.text);
    return digits;
}

struct FractionParts {
    double whole = 0;
    Fraction fraction;
    bool wholeShown = false;
    bool fractionShown = false;
};

FractionParts splitFraction(double magnitude, const FormatSectionInfo& info) {
    FractionParts parts;
    double remainder = magnitude;
    if (info.integerDigits != 0) {
        parts.whole = std::trunc(magnitude);
        remainder = magnitude - parts.whole;
    }
    parts.fractionShown = info.integerDigits == 0 || remainder != 0;
    if (parts.fractionShown) {
        if (info.has(kFixedDenominator)) {
            parts.fraction.denominator = info.fixedDenominator;
            parts.fraction.numerator = std::round(remainder * info.fixedDenominator);
        } else if (remainder != 0) {
            parts.fraction = bestFraction(remainder, info.scaleCommas);
        }
        // A fraction that rounds to a whole one belongs to the whole part: 2.99 with "# ?/8" is 3.
        if (info.integerDigits != 0 && parts.fraction.numerator >= parts.fraction.denominator) {
            parts.whole += std::floor(parts.fraction.numerator / parts.fraction.denominator);
            parts.fraction.numerator = std::fmod(parts.fraction.numerator, parts.fraction.denominator);
        }
        if (info.integerDigits != 0 && parts.fraction.numerator == 0) parts.fractionShown = false;
    }
    parts.wholeShown = info.integerDigits != 0 && (parts.whole != 0 || !parts.fractionShown);
    return parts;
}

class FractionLayout {
public:
    FractionLayout(const FractionParts& parts, bool negative, std::u16string_view section,
                   const FormatSectionInfo& info, FormatText& out)
        : parts(parts), section(section), info(info), out(out),
          whole(printWhole(parts.whole)), numerator(printWhole(parts.fraction.numerator)),
          denominator(printWhole(parts.fraction.denominator)) {
        minus.pending = negative;
        fill = PlaceholderFill(whole.view(), info.integerDigits);
    }

    void run() {
        for (i = 0; i < section.size() && section[i] != u';'; ++i) writeCharacter(section[i]);
    }

private:
    enum class Part { whole, numerator, denominator };

    const FractionParts& parts;
    std::u16string_view section;
    const FormatSectionInfo& info;
    FormatText& out;
    NumberDigits whole, numerator, denominator;
    PendingMinus minus;
    PlaceholderFill fill;
    Part part = Part::whole;
    int placeholdersSeen = 0;
    std::size_t i = 0;

    bool partShown() const { return part == Part::whole ? parts.wholeShown : parts.fractionShown; }

    void writeCharacter(char16_t c) {
        switch (c) {
        case u' ':
            // The space between the whole part and a hidden fraction goes with the fraction.
            if ((part == Part::whole && placeholdersSeen < info.integerDigits) || parts.fractionShown) out.put(c);
            break;
        case u'$': case u'%': case u'(': case u')': case u'+': case u'-': out.put(c); break;
        case u'"': i = writeQuoted(section, i, out); break;
        case u'/':
            if (parts.fractionShown) out.put(c);
            part = Part::denominator;
            fill = PlaceholderFill(denominator.view(), info.scaleCommas);
            break;
        case u'[': {
            const std::size_t close = findClosingBracket(section, i);
            if (i + 1 < section.size() && section[i + 1] == u'$') {
                minus.writeInto(out);
                for (std::size_t k = i + 2; k < close && section[k] != u'-'; ++k) out.put(section[k]);
            }
            i = close;
            break;
        }
        case u'\\': if (i + 1 < section.size()) out.put(section[++i]); break;
        case u'_': ++i; break;
        default:
            if (isDigitPlaceholder(c)) writePlaceholder(c);
            else if (c >= u'1' && c <= u'9' && part == Part::denominator) writeWrittenDenominator();
        }
    }

    void writePlaceholder(char16_t c) {
        ++placeholdersSeen;
        if (part == Part::whole && placeholdersSeen == info.integerDigits + 1) {
            part = Part::numerator;
            fill = PlaceholderFill(numerator.view(), info.numeratorDigits);
        }
        if (partShown()) fill.fill(c, out, minus);
    }

    void writeWrittenDenominator() {
        while (i < section.size() && section[i] >= u'0' && section[i] <= u'9') {
            if (parts.fractionShown) out.put(section[i]);
            ++i;
        }
        --i;
    }
};
}  // namespace

Fraction bestFraction(double x, int digits) {
    const double limit = std::pow(10.0, std::min(digits, 9));
    Fraction answer{0, 1};
    double numerator = 1, previousNumerator = 0;
    double denominator = 0, previousDenominator = 1;
    double remaining = x;
    bool stepped = true;
    while (stepped && std::fabs(x - answer.numerator / answer.denominator) / x > kFractionPrecision) {
        stepped = false;
        if (remaining != 0 && std::isfinite(remaining)) {
            const double a = std::floor(remaining);
            const double rest = remaining - a;
            remaining = rest == 0 ? 0 : 1 / rest;
            const double nextNumerator = a * numerator + previousNumerator;
            const double nextDenominator = a * denominator + previousDenominator;
            previousNumerator = numerator;
            previousDenominator = denominator;
            numerator = nextNumerator;
            denominator = nextDenominator;
            stepped = true;
        }
        if (denominator >= limit) break;
        if (denominator > 0) answer = {numerator, denominator};
    }
    return answer;
}

void formatFraction(double value, std::u16string_view section, const FormatSectionInfo& info, FormatText& out) {
    const double magnitude = std::fabs(value);
    if (!(magnitude < kLargestFractionWhole)) failFormatCode(__LINE__);
    const FractionParts parts = splitFraction(magnitude, info);
    FractionLayout(parts, value < 0, section, info, out).run();
}
