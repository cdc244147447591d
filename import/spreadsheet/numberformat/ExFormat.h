#pragma once
// The number-format engine: turns the numeric value of a spreadsheet cell into the text the cell shows,
// by a number-format code such as "#,##0.00_);[Red](#,##0.00)", "0.00E+00", "# ?/?" or "d-mmm-yy", or by
// one of the built-in formats 0 to 49 (FormatStrings.h).
//
//   ExFormat format(0, u"#,##0.00");
//   FormattedCell cell = format.formatCellValue(1234.5);   // cell.text == u"1,234.50"
//
// The decimal point, thousands separator, date separator and time separator are always '.', ',', '/'
// and ':' (no locale is consulted). A code the engine cannot parse, or a value its section cannot show
// (text too long, a date outside 0001 to 9999, a value that is not a number), never fails: that one cell
// is written in the General format instead, and fellBack says so.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "import/spreadsheet/numberformat/FormatSection.h"
#include "import/spreadsheet/numberformat/FormatSectionInfo.h"
#include "import/spreadsheet/numberformat/FormatText.h"

// The column width the spreadsheet importer passes, in 1/256 of a character; any width below 256
// leaves General its full length.
constexpr std::uint16_t kDefaultFormatColumnWidth = 10;

struct FormattedCell {
    std::u16string text;
    std::uint8_t colour = kNoFormatColour;  // 0 Black, 1 White, 2 Red, 3 Green, 4 Blue, 5 Yellow,
                                            // 6 Magenta, 7 Cyan; 255 none
    FormatSectionInfo section;              // the section used (kindFlags kGeneral alone when none)
    bool date1904 = false;                  // the value was read in the 1904 date system
    bool fellBack = false;                  // the code or the value could not be used: General
};

class ExFormat {
public:
    // code null or empty: the built-in format formatId (0 to 49; others are General).
    ExFormat(std::uint16_t formatId, const char16_t* code);
    ExFormat(std::uint16_t formatId, std::u16string_view code);
    virtual ~ExFormat() = default;

    void setFormat(std::uint16_t formatId, std::u16string_view code);

    // allowDate1904: the cell may be read in the 1904 date system when the workbook uses it
    // (setWorkbookDate1904); the spreadsheet importer passes true.
    FormattedCell formatCellValue(double value, std::uint16_t columnWidth = kDefaultFormatColumnWidth,
                                  bool allowDate1904 = true) const;
    // formatCellValue's text alone, written into out (whatever it held goes): a sheet formats its cells
    // one after another into one buffer rather than each into a string of its own.
    std::u16string_view formatCellText(double value, FormatText& out,
                                       std::uint16_t columnWidth = kDefaultFormatColumnWidth,
                                       bool allowDate1904 = true) const;

private:
    // What the code's sections are, read once: a sheet formats thousands of cells with one code.
    struct ReadSections {
        bool counted = false;
        SectionStarts starts{};
        std::array<std::optional<FormatSectionInfo>, 4> parsed;  // by section, once read without a fault
    };
    void format(double value, std::uint16_t columnWidth, bool allowDate1904, FormatText& out,
                FormattedCell& cell) const;
    std::u16string_view chooseSectionFor(std::u16string_view held, double value) const;
    FormatSectionInfo sectionInfo(std::u16string_view held, std::u16string_view section) const;

    std::uint16_t formatId;
    std::u16string code;
    mutable ReadSections sections;
};

// The date system of the workbook being read: false for the 1900 system (serial 1 is 1899-12-31), true
// for the 1904 one (serial 0 is 1904-01-01). Set by the spreadsheet importer from the workbook's
// properties before its cells are formatted.
void setWorkbookDate1904(bool on);
bool workbookDate1904();
