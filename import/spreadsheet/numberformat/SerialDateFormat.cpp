// Writing a date or time section: runs of d, m, y, h and s, AM/PM, elapsed hours and fractions of a
// second.
#include <charconv>

#include "import/spreadsheet/numberformat/FormatSection.h"
#include "import/spreadsheet/numberformat/FormatStrings.h"
#include "import/spreadsheet/numberformat/FormatWriters.h"

using namespace formatkind;

namespace {
constexpr std::size_t kAbbreviationLength = 3;

void putNumber(FormatText& out, std::int64_t number, std::size_t width) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    const std::size_t length = static_cast<std::size_t>(end - digits);
    for (std::size_t pad = length; pad < width; ++pad) out.put(u'0');
    out.putAscii({digits, length});
}

// Whether an 'm' run of a section that holds both dates and times means minutes: seconds follow
// before any day or year.
bool hasSecondsContext(std::u16string_view section, std::size_t from) {
    bool seconds = false;
    for (std::size_t k = from; k < section.size(); ++k) {
        const char16_t c = section[k];
        if (c == u'"') {
            k = skipQuoted(section, k) - 1;
        } else if (c == u'.' && k + 1 < section.size() && section[k + 1] == u'0') {
            seconds = true;
        } else if (c == u'[') {
            if (section.substr(k, 3) == u"[h]") return true;
            k = findClosingBracket(section, k);
        } else if (c == u's') {
            return true;
        } else if (c == u'd' || c == u'y' || c == u';') {
            return false;
        }
    }
    return seconds;
}

class DateLayout {
public:
    DateLayout(const DateTimeFields& fields, std::u16string_view section, FormatSectionInfo& info, FormatText& out)
        : fields(fields), section(section), info(info), out(out) {}

    void run() {
        for (i = 0; i < section.size() && section[i] != u';'; ++i) writeCharacter(section[i]);
    }

private:
    const DateTimeFields& fields;
    std::u16string_view section;
    FormatSectionInfo& info;
    FormatText& out;
    bool afterHour = false;
    std::size_t i = 0;

    std::size_t runLength(char16_t letter) const {
        std::size_t length = 1;
        while (i + length < section.size() && section[i + length] == letter) ++length;
        return length;
    }

    void writeCharacter(char16_t c) {
        switch (c) {
        case u'd': writeDay(); break;
        case u'm': writeMonthOrMinutes(); break;
        case u'y': writeYear(); break;
        case u'h': writeHour(); break;
        case u's': writeSecond(); break;
        case u'.': out.put(c); if (i + 1 < section.size() && section[i + 1] == u'0') writeSubsecond(); break;
        case u'A': case u'a': writeAmPm(c); break;
        case u'[': writeBracket(); break;
        // Separators and signs read as themselves: "yyyy-mm-dd", "(ddd)".
        case u' ': case u',': case u'/': case u':': case u'-': case u'(': case u')': case u'+': case u'$':
            out.put(c);
            break;
        case u'"': i = writeQuoted(section, i, out); break;
        case u'\\': if (i + 1 < section.size()) out.put(section[++i]); break;
        case u'_': ++i; break;
        case u'#': case u'%': case u'E': case u'e': case u'G': failFormatCode(__LINE__);
        default: break;
        }
    }

    void writeDay() {
        const std::size_t length = runLength(u'd');
        i += length - 1;
        afterHour = false;
        if (length <= 2) {
            putNumber(out, fields.day, length);
            info.kindFlags |= kWroteDay;
        } else if (length <= 4) {
            const std::u16string_view name = dayName(fields.weekday);
            out.put(length == 3 ? name.substr(0, kAbbreviationLength) : name);
            info.kindFlags |= length == 3 ? kWroteDayAbbrev : kWroteDayName;
        } else {
            failFormatCode(__LINE__);
        }
    }

    bool runMeansMinutes(std::size_t after) const {
        if (!info.has(kDate)) return true;
        if (!info.has(kTime)) return false;
        return afterHour || hasSecondsContext(section, after);
    }

    void writeMonthOrMinutes() {
        const std::size_t length = runLength(u'm');
        i += length - 1;
        if (length <= 2 && runMeansMinutes(i + 1)) {
            putNumber(out, fields.minute, length);
            info.kindFlags |= kWroteMinute;
        } else if (length <= 2) {
            putNumber(out, fields.month, length);
            info.kindFlags |= kWroteMonth;
        } else if (length <= 5) {
            const std::u16string_view name = monthName(fields.month);
            if (length == 3) out.put(name.substr(0, kAbbreviationLength));
            else if (length == 4) out.put(name);
            else out.put(name.substr(0, 1));
            info.kindFlags |= length == 3 ? kWroteMonthAbbrev : length == 4 ? kWroteMonthName : kLiteral;
        } else {
            failFormatCode(__LINE__);
        }
        afterHour = false;
    }

    void writeYear() {
        const std::size_t length = runLength(u'y');
        i += length - 1;
        afterHour = false;
        if (length == 2) {
            putNumber(out, fields.year % 100, 2);
            info.kindFlags |= kWroteYear2;
        } else if (length == 4) {
            putNumber(out, fields.year, 4);
            info.kindFlags |= kWroteYear4;
        } else {
            failFormatCode(__LINE__);
        }
    }

    void writeHour() {
        const std::size_t length = runLength(u'h');
        i += length - 1;
        if (length > 2) failFormatCode(__LINE__);
        int hour = fields.hour;
        if (info.has(kAmPm)) {
            hour %= 12;
            if (hour == 0) hour = 12;
        }
        putNumber(out, hour, length);
        info.kindFlags |= kWroteHour;
        afterHour = true;
    }

    void writeSecond() {
        const std::size_t length = runLength(u's');
        i += length - 1;
        if (length > 2) failFormatCode(__LINE__);
        putNumber(out, fields.second, length);
        info.kindFlags |= kWroteSecond;
        afterHour = true;
    }

    void writeSubsecond() {
        ++i;
        const std::size_t length = runLength(u'0');
        i += length - 1;
        // The fields were rounded to the section's own count of decimals.
        if (length != info.fractionDigits || length > 3) failFormatCode(__LINE__);
        putNumber(out, fields.subsecond, length);
    }

    void writeAmPm(char16_t a) {
        const bool lower = a == u'a';
        const std::u16string_view rest = section.substr(i + 1);
        if (!rest.empty() && (rest[0] == u'M' || rest[0] == u'm')) {
            if (rest.substr(0, 4) != (lower ? u"m/pm" : u"M/PM")) failFormatCode(__LINE__);
            out.put(fields.afternoon ? (lower ? u"pm" : u"PM") : (lower ? u"am" : u"AM"));
            i += 4;
        } else if (!rest.empty() && rest[0] == u'/') {
            if (rest.size() < 2 || (rest[1] != u'P' && rest[1] != u'p')) failFormatCode(__LINE__);
            out.put(fields.afternoon ? (lower ? u'p' : u'P') : (lower ? u'a' : u'A'));
            i += 2;
        }
        afterHour = false;
    }

    void writeBracket() {
        const std::size_t close = findClosingBracket(section, i);
        if (section.substr(i, close - i + 1) == u"[h]") {
            putNumber(out, fields.elapsedHours, 1);
            afterHour = true;
        }
        i = close;
    }
};
}  // namespace

void formatDateTime(const DateTimeFields& fields, std::u16string_view section, FormatSectionInfo& info,
                    FormatText& out) {
    DateLayout(fields, section, info, out).run();
}
