#include "import/spreadsheet/numberformat/ExFormat.h"

#include <algorithm>
#include <cmath>

#include "import/spreadsheet/numberformat/FormatDigits.h"
#include "import/spreadsheet/numberformat/FormatSection.h"
#include "import/spreadsheet/numberformat/FormatStrings.h"
#include "import/spreadsheet/numberformat/FormatWriters.h"

using namespace formatkind;

namespace {
bool gWorkbookDate1904 = false;

constexpr int kTextSectionDecimals = 10;
constexpr int kMostSubsecondDigits = 3;
// What a cell shows for a value that is not a number (NaN or an infinity).
constexpr std::u16string_view kNotANumberText = u"#NUM!";

// General's width: a column's characters less one, as an unsigned 16-bit count, so a width below one
// character leaves no limit.
std::uint16_t generalWidth(std::uint16_t columnWidth) {
    return static_cast<std::uint16_t>(columnWidth / 256 - 1);
}

void writeGeneral(double value, std::uint16_t width, FormatText& out) {
    DigitText digits;
    formatGeneralDigits(value, width, digits);
    out.putAscii(digits.view());
}

void writeDateTime(double value, bool date1904, std::u16string_view section, FormatSectionInfo& info,
                   FormatText& out) {
    int subsecondDigits = 0;
    if (info.has(kTime) && info.has(kFractionSeconds)) subsecondDigits = std::min<int>(info.fractionDigits, kMostSubsecondDigits);
    DateTimeFields fields;
    if (!serialToDateTime(value, date1904, subsecondDigits, fields)) failFormatCode(__LINE__);
    formatDateTime(fields, section, info, out);
}

void writeValue(double value, std::uint16_t width, bool date1904, std::u16string_view section,
                FormatSectionInfo& info, FormatText& out) {
    DigitText digits;
    if (info.has(kText)) {
        printFixed(value, kTextSectionDecimals, digits);
        out.putAscii(digits.view());
    } else if (info.has(kGeneral)) {
        formatGeneralDigits(value, width, digits);
        FormatText general;
        general.putAscii(digits.view());
        applyLiteralText(general.view(), section, out);
    } else if (info.has(kDate | kTime)) {
        writeDateTime(value, date1904, section, info, out);
    } else if (info.has(kScientific)) {
        printExponent(value, info.integerDigits + info.fractionDigits - 1, digits);
        normaliseExponent(digits, info);
        applyNumberFormat(value, digits, section, info, out);
    } else if (info.has(kDecimal)) {
        printFixed(value, info.fractionDigits, digits);
        applyNumberFormat(value, digits, section, info, out);
    } else if (info.has(kFraction)) {
        formatFraction(value, section, info, out);
    } else if (info.has(kInteger)) {
        printRoundedWhole(value, digits);
        applyNumberFormat(value, digits, section, info, out);
    } else {
        applyLiteralText(u"", section, out);
    }
}
}  // namespace

void setWorkbookDate1904(bool on) {
    gWorkbookDate1904 = on;
}

bool workbookDate1904() {
    return gWorkbookDate1904;
}

ExFormat::ExFormat(std::uint16_t id, const char16_t* text)
    : ExFormat(id, text != nullptr ? std::u16string_view(text) : std::u16string_view()) {}

ExFormat::ExFormat(std::uint16_t id, std::u16string_view text) : formatId(id), code(text) {}

void ExFormat::setFormat(std::uint16_t id, std::u16string_view text) {
    formatId = id;
    code = text;
    sections = ReadSections{};
}

// A code that cannot be counted fails every time it is asked, as it would uncached.
std::u16string_view ExFormat::chooseSectionFor(std::u16string_view held, double value) const {
    if (!sections.counted) {
        countSections(held, sections.starts);
        sections.counted = true;
    }
    return chooseSection(held, sections.starts, value);
}

// A section that cannot be read is read (and fails) again each time.
FormatSectionInfo ExFormat::sectionInfo(std::u16string_view held, std::u16string_view section) const {
    const auto offset = static_cast<std::size_t>(section.data() - held.data());
    std::size_t number = 0;
    while (number < sections.starts.size() && sections.starts[number] != 0 && sections.starts[number] <= offset) ++number;
    std::optional<FormatSectionInfo>& parsed = sections.parsed[number];
    if (!parsed) parsed = parseSection(section);
    return *parsed;
}

FormattedCell ExFormat::formatCellValue(double value, std::uint16_t columnWidth, bool allowDate1904) const {
    FormattedCell cell;
    FormatText out;
    format(value, columnWidth, allowDate1904, out, cell);
    cell.text.assign(out.view());
    return cell;
}

std::u16string_view ExFormat::formatCellText(double value, FormatText& out, std::uint16_t columnWidth,
                                             bool allowDate1904) const {
    FormattedCell cell;
    format(value, columnWidth, allowDate1904, out, cell);
    return out.view();
}

void ExFormat::format(double value, std::uint16_t columnWidth, bool allowDate1904, FormatText& out,
                      FormattedCell& cell) const {
    out.clear();
    const std::uint16_t width = generalWidth(columnWidth);
    if (!std::isfinite(value)) {
        out.put(kNotANumberText);
        return;
    }
    if (value == 0) value = 0;  // -0 is written as 0
    const std::u16string_view held = code.empty() ? builtInFormatCode(formatId) : std::u16string_view(code);
    try {
        if (held.empty()) {
            writeGeneral(value, width, out);
        } else {
            const std::u16string_view section = chooseSectionFor(held, value);
            // The negative section writes its own signs.
            double shown = value < 0 && sections.starts[0] != 0 ? -value : value;
            FormatSectionInfo info = sectionInfo(held, section);
            if (info.has(kParentheses) && !(value < 0)) {
                info.kindFlags = (info.kindFlags & ~kParentheses) | kLiteral;
            }
            if (!info.has(kText | kFraction)) {
                for (int comma = 0; comma < info.scaleCommas; ++comma) shown /= 1000;
            }
            if (!info.has(kText) && info.has(kPercent)) {
                if (info.has(kTime) && !info.has(kDate)) failFormatCode(__LINE__);
                shown *= 100;
            }
            if (!std::isfinite(shown)) failFormatCode(__LINE__);
            cell.date1904 = allowDate1904 && gWorkbookDate1904 && info.has(kDate | kTime);
            writeValue(shown, width, cell.date1904, section, info, out);
            cell.colour = info.has(kText) ? kNoFormatColour : info.colour;
            cell.section = info;
        }
    } catch (const CFail&) {
        // This cell's code, or this value under it, cannot be written: the cell shows General.
        out.clear();
        writeGeneral(value, width, out);
        cell = FormattedCell();
        cell.fellBack = true;
    }
}
