#include "import/spreadsheet/ExFormat.h"

#include <charconv>

#include "import/spreadsheet/FormatStrings.h"

namespace {
bool gWorkbookDate1904 = false;
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
}

FormattedCell ExFormat::formatCellValue(double value, std::uint16_t, bool) const {
    FormattedCell cell;
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    cell.text.assign(digits, end);
    return cell;
}
