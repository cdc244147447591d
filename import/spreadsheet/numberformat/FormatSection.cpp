#include "import/spreadsheet/numberformat/FormatSection.h"

#include <cmath>

#include "import/spreadsheet/numberformat/FormatText.h"

using namespace formatkind;

namespace {
constexpr std::array<std::u16string_view, 8> kColourNames = {u"Black", u"White",   u"Red",  u"Green",
                                                              u"Blue",  u"Yellow", u"Magenta", u"Cyan"};

bool isWholePlaceholder(char16_t c) {
    return c == u'#' || c == u'0';
}

bool isDenominatorDigit(char16_t c) {
    return c >= u'1' && c <= u'9';
}

// One more placeholder in a part; a part keeps its count in 8 bits.
void countPlaceholder(std::uint8_t& count) {
    if (count == 255) failFormatCode(__LINE__);
    ++count;
}

// The end of the section that starts at start: its first ';' not hidden by '\' or '_'.
std::size_t sectionEnd(std::u16string_view code, std::size_t start) {
    for (std::size_t i = start; i < code.size(); ++i) {
        if (code[i] == u'\\' || code[i] == u'_') ++i;
        else if (code[i] == u';') return i;
    }
    return code.size();
}

class SectionParser {
public:
    explicit SectionParser(std::u16string_view text) : section(text) {}

    FormatSectionInfo parse() {
        for (i = 0; i < section.size(); ++i) readCharacter(section[i]);
        finish();
        return info;
    }

private:
    enum class Part { integer, fraction, exponent, denominator };

    std::u16string_view section;
    std::size_t i = 0;
    FormatSectionInfo info{0};
    Part part = Part::integer;
    bool pendingMonth = false;  // an 'm' run that may still be a month or minutes
    bool afterHour = false;
    bool sawText = false;
    bool previousWasPlaceholder = false;
    int run = 0;          // the current run of adjacent placeholders in the integer part
    int runBeforeSlash = 0;

    char16_t at(std::size_t position) const { return position < section.size() ? section[position] : 0; }
    void set(std::uint32_t kinds) { info.kindFlags |= kinds; }
    void clear(std::uint32_t kinds) { info.kindFlags &= ~kinds; }
    bool low(std::uint32_t kinds) const { return (info.kindFlags & kinds) != 0; }

    void readCharacter(char16_t c) {
        const bool placeholder = isDigitPlaceholder(c);
        switch (c) {
        case u'@': set(kText | kLiteral); sawText = true; break;
        case u'"': set(kLiteral); i = skipQuoted(section, i) - 1; break;
        case u'$': set(kCurrency); break;
        case u'%': set(kPercent); break;
        case u'(': case u')': set(kParentheses); break;
        case u' ': case u'*': break;
        case u'+': if (!low(kScientific)) set(kLiteral); break;
        case u',': readComma(); break;
        case u'.': readPoint(); break;
        case u'/': readSlash(); break;
        case u'A': case u'P': case u'a': case u'p': set(low(kTime) ? kAmPm : kLiteral); break;
        case u'M': if (!low(kAmPm)) set(kLiteral); break;
        case u'E': case u'e': readExponentMark(); break;
        case u'G': case u'g': readGeneral(); break;
        case u'[': readBracket(); break;
        case u'd': case u'y': set(kDate); afterHour = false; break;
        case u'h': case u's': set(kTime); afterHour = true; break;
        case u'm': readMonthOrMinutes(); break;
        case u'\\': readEscape(); break;
        case u'_': ++i; break;
        default:
            if (placeholder) readPlaceholder();
            else if (isDenominatorDigit(c) && part == Part::denominator) readFixedDenominator();
            else set(kLiteral);
        }
        if (!placeholder) endRun(c);
        previousWasPlaceholder = placeholder;
    }

    void endRun(char16_t c) {
        // Spaces and fill marks end a run without being text.
        if (c != u',') run = 0;
    }

    void readPlaceholder() {
        switch (part) {
        case Part::integer:
            countPlaceholder(info.integerDigits);
            run = previousWasPlaceholder ? run + 1 : 1;
            break;
        case Part::fraction: countPlaceholder(info.fractionDigits); break;
        case Part::exponent: countPlaceholder(info.exponentDigits); break;
        case Part::denominator:
            if (!low(kFixedDenominator) && !isDenominatorDigit(at(i + 1))) countPlaceholder(info.scaleCommas);
            break;
        }
        if ((info.kindFlags & kValueKinds) == 0) set(kInteger);
        pendingMonth = false;
    }

    void readComma() {
        if (i == 0) return;
        if (!isWholePlaceholder(section[i - 1])) return;  // plain text
        if (isWholePlaceholder(at(i + 1))) {
            if (part == Part::integer) set(kThousands);
            return;
        }
        std::size_t commas = 0;
        while (at(i + commas) == u',') ++commas;
        if (commas > static_cast<std::size_t>(255 - info.scaleCommas)) failFormatCode(__LINE__);
        info.scaleCommas = static_cast<std::uint8_t>(info.scaleCommas + commas);
        i += commas - 1;
        // Scaling commas end the digits: a digit after them is a contradiction.
        for (std::size_t k = i + 1; k < section.size(); ++k) {
            if (section[k] == u'\\' || section[k] == u'_') ++k;
            else if (isWholePlaceholder(section[k])) {
                info.scaleCommas = 0;
                failFormatCode(__LINE__);
            }
        }
    }

    void readPoint() {
        part = Part::fraction;
        if (low(kTime)) {
            set(kFractionSeconds);
        } else if (!pendingMonth) {
            if (low(kInteger) || (info.kindFlags & kValueKinds) == 0) {
                clear(kInteger);
                set(kDecimal);
            }
        } else if (at(i + 1) == u'0') {
            set(kTime | kFractionSeconds);
        }
        pendingMonth = false;
    }

    void readSlash() {
        // A date's separator, and the '/' of "AM/PM" or "A/P".
        if (low(kDate | kTime)) return;
        clear(kInteger);
        set(kFraction);
        runBeforeSlash = run;
        part = Part::denominator;
    }

    void readFixedDenominator() {
        const char16_t before = i > 0 ? section[i - 1] : 0;
        if (before == u'-' || before == u'+') failFormatCode(__LINE__);
        std::uint32_t value = 0;
        std::size_t digits = 0;
        while (at(i) >= u'0' && at(i) <= u'9') {
            if (++digits > 5) failFormatCode(__LINE__);
            value = value * 10 + static_cast<std::uint32_t>(at(i) - u'0');
            ++i;
        }
        --i;
        info.fixedDenominator = value;
        set(kFixedDenominator);
    }

    void readExponentMark() {
        const char16_t next = at(i + 1);
        if (next != u'+' && next != u'-' && next != u'0') {
            set(kLiteral);
            return;
        }
        part = Part::exponent;
        clear(kInteger | kDecimal);
        set(kScientific);
    }

    void readGeneral() {
        if (generalKeywordAt(section, i)) {
            set(kGeneral);
            i += kGeneralKeywordLength - 1;
        } else {
            set(kLiteral);
        }
    }

    void readBracket() {
        set(kLiteral);
        const std::size_t close = findClosingBracket(section, i);
        const std::u16string_view inside = section.substr(i + 1, close - i - 1);
        if (inside == u"h") {
            set(kTime | kFractionSeconds);
            afterHour = true;
        } else {
            for (std::size_t colour = 0; colour < kColourNames.size(); ++colour) {
                if (inside == kColourNames[colour]) {
                    info.colour = static_cast<std::uint8_t>(colour);
                    set(kColour);
                }
            }
        }
        i = close;
    }

    void readMonthOrMinutes() {
        std::size_t length = 1;
        while (at(i + length) == u'm') ++length;
        i += length - 1;
        if (length >= 3) set(kDate);
        else if (afterHour) set(kTime);
        else pendingMonth = true;
        afterHour = false;
    }

    void readEscape() {
        const char16_t escaped = at(i + 1);
        if (escaped != u' ' && escaped != u'/' && escaped != u':' && escaped != u',') set(kLiteral);
        ++i;
    }

    void finish() {
        if ((info.kindFlags & kValueKinds) == 0 && !sawText) set(pendingMonth ? kDate : kLiteral);
        if (low(kFraction) && !low(kDate | kTime)) {
            // The last run before the '/' is the numerator's; the placeholders before it the whole part's.
            if (info.integerDigits < runBeforeSlash) failFormatCode(__LINE__);
            info.numeratorDigits = static_cast<std::uint8_t>(runBeforeSlash);
            info.integerDigits = static_cast<std::uint8_t>(info.integerDigits - runBeforeSlash);
        }
    }
};
}  // namespace

std::size_t skipQuoted(std::u16string_view code, std::size_t position) {
    const std::size_t close = code.find(u'"', position + 1);
    return close == std::u16string_view::npos ? code.size() : close + 1;
}

std::size_t writeQuoted(std::u16string_view code, std::size_t position, FormatText& out) {
    const std::size_t end = skipQuoted(code, position);
    const bool closed = end > position + 1 && code[end - 1] == u'"';
    out.put(code.substr(position + 1, (closed ? end - 1 : end) - position - 1));
    return end - 1;
}

std::size_t findClosingBracket(std::u16string_view code, std::size_t position) {
    for (std::size_t k = position + 1; k < code.size(); ++k) {
        if (code[k] == u'\\') ++k;
        else if (code[k] == u']') return k;
    }
    return code.size();
}

int countSections(std::u16string_view code, SectionStarts& starts) {
    starts = {0, 0, 0};
    int separators = 0;
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (code[i] == u'\\' || code[i] == u'_') {
            ++i;
        } else if (code[i] == u';') {
            if (separators == 3) failFormatCode(__LINE__);
            // A code is at most a few hundred units (a cell's code is an attribute); a longer one fails.
            if (i + 1 > 0xFFFF) failFormatCode(__LINE__);
            starts[static_cast<std::size_t>(separators++)] = static_cast<std::uint16_t>(i + 1);
        }
    }
    return separators + 1;
}

std::u16string_view chooseSection(std::u16string_view code, const SectionStarts& starts, double value) {
    std::size_t start = 0;
    if (value < 0) start = starts[0];
    else if (value == 0) start = starts[1];
    // A code "0;" gives an empty negative section: its start is the code's end.
    if (start == 0) return code.substr(0, sectionEnd(code, 0));
    return code.substr(start, sectionEnd(code, start) - start);
}

FormatSectionInfo parseSection(std::u16string_view section) {
    return SectionParser(section).parse();
}
