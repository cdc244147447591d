// Laying printed digits into a number section: whole part, decimals, exponent, and the literal text
// around them.
#include <cmath>
#include <string>

#include "import/spreadsheet/numberformat/FormatPlacement.h"
#include "import/spreadsheet/numberformat/FormatSection.h"
#include "import/spreadsheet/numberformat/FormatWriters.h"

using namespace formatkind;

namespace {

// The pieces of printed digits: "-1,234.50e+04".
struct DigitParts {
    std::string_view whole;     // without the sign
    std::string_view fraction;  // after the '.'
    bool hasPoint = false;
    std::string_view exponent;  // after the 'e', its sign included
    bool hasExponent = false;
};

DigitParts splitDigits(std::string_view text) {
    DigitParts parts;
    const std::size_t mark = findExponentMark(text);
    if (mark != std::string_view::npos) {
        parts.hasExponent = true;
        parts.exponent = text.substr(mark + 1);
        text = text.substr(0, mark);
    }
    const std::size_t point = text.find('.');
    if (point != std::string_view::npos) {
        parts.hasPoint = true;
        parts.fraction = text.substr(point + 1);
        text = text.substr(0, point);
    }
    parts.whole = text;
    return parts;
}

// How many of the printed decimals the code shows: trailing zeros that fall on '#' are dropped and on
// '?' become spaces, as "#.##" shows 5.5 as "5.5".
std::size_t shownDecimals(std::string_view decimals, std::u16string_view section, std::size_t point) {
    // Each printed decimal has its placeholder; a trailing zero on one that is not '0' is not shown.
    std::size_t placeholders = 0;
    std::size_t keep = 0;
    for (std::size_t k = point + 1; k < section.size() && placeholders < decimals.size(); ++k) {
        const char16_t c = section[k];
        if (c == u'E' || c == u'e' || c == u'.') break;
        if (c == u'"') k = skipQuoted(section, k) - 1;
        else if (c == u'\\' || c == u'_') ++k;
        else if (c == u'[') k = findClosingBracket(section, k);
        else if (isDigitPlaceholder(c) && (decimals[placeholders++] != '0' || c == u'0')) keep = placeholders;
    }
    return keep;
}

class NumberLayout {
public:
    NumberLayout(double value, std::string_view digitText, std::u16string_view section,
                 const FormatSectionInfo& info, FormatText& out)
        : value(value), text(digitText), section(section), info(info), out(out) {}

    void run() {
        if (!text.empty() && text[0] == '-') {
            minus.pending = true;
            text.remove_prefix(1);
        }
        parts = splitDigits(text);
        // A whole part of 0 is no digit: "#.00" shows 0.5 as ".50", "0.00" as "0.50".
        std::string_view whole = parts.whole == "0" ? std::string_view() : parts.whole;
        fill = PlaceholderFill(whole, info.integerDigits);
        for (i = 0; i < section.size() && section[i] != u';'; ++i) writeCharacter(section[i]);
    }

private:
    enum class Part { whole, fraction, exponent };

    double value;
    std::string_view text;
    std::u16string_view section;
    const FormatSectionInfo& info;
    FormatText& out;
    DigitParts parts;
    PendingMinus minus;
    PlaceholderFill fill;
    Part part = Part::whole;
    bool digitsRead = false;
    std::size_t decimalIndex = 0;
    std::size_t decimalsShown = 0;
    std::size_t i = 0;

    void writeCharacter(char16_t c) {
        switch (c) {
        case u' ': case u'$': case u'%': case u'(': case u')': case u'+': case u'-': out.put(c); break;
        case u'"': i = writeQuoted(section, i, out); break;
        case u'#': case u'0': case u'?': writePlaceholder(c); break;
        case u',': writeComma(); break;
        case u'.': writePoint(); break;
        case u'E': case u'e': writeExponent(c); break;
        case u'G': case u'g': writeGeneral(); break;
        case u'[': writeBracket(); break;
        case u'\\': if (i + 1 < section.size()) out.put(section[++i]); break;
        case u'_': ++i; break;
        default: break;  // unquoted letters, fill marks and '@' write nothing
        }
    }

    void writePlaceholder(char16_t c) {
        digitsRead = true;
        if (part == Part::fraction) {
            if (decimalIndex < decimalsShown) {
                minus.writeInto(out);
                out.put(static_cast<char16_t>(parts.fraction[decimalIndex]));
            } else if (c == u'0') {
                out.put(u'0');
            } else if (c == u'?') {
                out.put(u' ');
            }
            ++decimalIndex;
            return;
        }
        if (c == u'?' && value == 0 && part == Part::whole) {
            out.put(u' ');
            fill.fill(u'#', out, minus);  // a placeholder spent without a digit
            return;
        }
        fill.fill(c, out, minus);
    }

    void writeComma() {
        if (part == Part::whole && fill.digitsLeft() < fill.placeholdersLeft() && i > 0 && section[i - 1] != u'#')
            out.put(u',');
    }

    void writePoint() {
        if (part != Part::whole) failFormatCode(__LINE__);
        // Digits no placeholder took stand before the point: ".00" shows 5.5 as "5.50".
        fill.flush(out, minus);
        minus.writeInto(out);
        out.put(u'.');
        part = Part::fraction;
        decimalsShown = shownDecimals(parts.fraction, section, i);
    }

    void writeExponent(char16_t c) {
        if (!parts.hasExponent || info.has(kFraction)) failFormatCode(__LINE__);
        if (part == Part::whole) {
            fill.flush(out, minus);
            minus.writeInto(out);
        }
        out.put(c);
        const char16_t codeSign = i + 1 < section.size() ? section[i + 1] : 0;
        if (codeSign == u'+' || codeSign == u'-') ++i;
        std::string_view exponent = parts.exponent;
        if (!exponent.empty() && (exponent[0] == '-' || exponent[0] == '+')) {
            if (exponent[0] == '-') out.put(u'-');
            else if (codeSign == u'+') out.put(u'+');
            exponent.remove_prefix(1);
        }
        part = Part::exponent;
        fill = PlaceholderFill(exponent, info.exponentDigits);
    }

    void writeGeneral() {
        if (!generalKeywordAt(section, i)) return;
        if (digitsRead) failFormatCode(__LINE__);
        i += kGeneralKeywordLength - 1;
        digitsRead = true;
        minus.writeInto(out);
        out.putAscii(text);
        fill = PlaceholderFill();
    }

    void writeBracket() {
        const std::size_t close = findClosingBracket(section, i);
        if (i + 1 < section.size() && section[i + 1] == u'$') {
            minus.writeInto(out);
            for (std::size_t k = i + 2; k < close && section[k] != u'-'; ++k) out.put(section[k]);
        }
        i = close;
    }
};
}  // namespace

void applyNumberFormat(double value, DigitText& digits, std::u16string_view section,
                       const FormatSectionInfo& info, FormatText& out) {
    if (info.has(kThousands)) insertThousands(digits);
    NumberLayout(value, digits.view(), section, info, out).run();
}

void applyLiteralText(std::u16string_view valueText, std::u16string_view section, FormatText& out) {
    FormatText before;
    FormatText after;
    FormatText* target = &before;
    bool marked = false;
    for (std::size_t i = 0; i < section.size() && section[i] != u';'; ++i) {
        const char16_t c = section[i];
        if (c == u'"') {
            i = writeQuoted(section, i, *target);
        } else if (c == u'(' || c == u')' || c == u' ' || c == u'$' || c == u'-' || c == u'+') {
            target->put(c);
        } else if (c == u'@' || c == u'G' || c == u'g') {
            if (generalKeywordAt(section, i)) i += kGeneralKeywordLength - 1;
            if (!marked) {
                marked = true;
                target = &after;
            }
        } else if (c == u'\\') {
            if (i + 1 < section.size()) target->put(section[++i]);
        } else if (c == u'_') {
            ++i;
        } else if (c == u'[') {
            i = findClosingBracket(section, i);
        }
    }
    if (!marked) {
        out.put(before.view());
        return;
    }
    out.put(before.view());
    out.put(valueText);
    out.put(after.view());
}
