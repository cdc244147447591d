// The number-format engine. The first 8 bytes are the value (any bit pattern: NaN, infinities, -0,
// subnormals), the next byte picks the 1904 date system and a built-in id, the rest is the format code
// as UTF-8. Besides the sanitizers' checks, the engine's promises are checked and a broken one traps:
// it answers for every code and value, with at most 256 units of text, and a cell that fell back shows
// exactly the General text of its value. The quick ways are held to the general ones: a cell formatted
// into a used buffer shows its own text, the fixed digits are the C library's (the byte's low four bits
// give the decimals), and the code's text read as a cell's value is read as parseDouble reads it.
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "foundation/encoding/Utf8Codec.h"
#include "import/spreadsheet/numberformat/ExFormat.h"
#include "import/spreadsheet/numberformat/FormatDigits.h"
#include "import/spreadsheet/sheets/CellNumber.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

void check(bool promise) {
    if (!promise) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9 || size > 4096) return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    const std::uint8_t options = data[8];
    const std::u16string code =
        utf8ToUtf16String(std::string_view(reinterpret_cast<const char*>(data + 9), size - 9));

    setWorkbookDate1904((options & 0x80) != 0);
    const ExFormat format(static_cast<std::uint16_t>(options & 0x3F), code);
    const FormattedCell cell = format.formatCellValue(value);
    check(cell.text.size() <= 256);
    if (cell.fellBack) check(cell.text == ExFormat(0, u"").formatCellValue(value).text);

    FormatText used;
    used.put(code.substr(0, 200));
    check(format.formatCellText(value, used) == cell.text);

    const int decimals = options & 0x0F;
    char library[kDigitTextCapacity];
    const auto printed = std::to_chars(library, library + sizeof library, value, std::chars_format::fixed, decimals);
    if (printed.ec == std::errc()) {
        DigitText digits;
        printFixed(value, decimals, digits);
        check(digits.view() == std::string_view(library, static_cast<std::size_t>(printed.ptr - library)));
    }

    std::string ascii;
    for (char16_t unit : code) ascii.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    const double read = readCellNumber(code);
    const double general = parseDouble(ascii.c_str());
    check(std::memcmp(&read, &general, sizeof read) == 0);
    setWorkbookDate1904(false);
    return 0;
}
