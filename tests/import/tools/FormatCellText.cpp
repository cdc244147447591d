// Prints the text the number-format engine gives each (format code, value) line of its input, one line
// of output per line of input, for scripts that compare the engine with another program.
//
//   input:  <format code> TAB <value>      (UTF-8; "1904" TAB anything switches to the 1904 date system)
//   output: <text>                         (UTF-8)
#include <cstdlib>
#include <iostream>
#include <string>

#include "foundation/encoding/Utf8Codec.h"
#include "import/spreadsheet/numberformat/ExFormat.h"
#include "import/spreadsheet/numberformat/FormatStrings.h"


int main() {
    loadFormatStrings();
    std::string line;
    while (std::getline(std::cin, line)) {
        const std::size_t tab = line.rfind('\t');
        if (tab == std::string::npos) {
            std::cout << '\n';
            continue;
        }
        const std::string code = line.substr(0, tab);
        if (code == "1904") {
            setWorkbookDate1904(true);
            std::cout << '\n';
            continue;
        }
        const double value = std::strtod(line.c_str() + tab + 1, nullptr);
        const ExFormat format(0, utf8ToUtf16String(code));
        std::cout << utf16ToUtf8String(format.formatCellValue(value).text) << '\n';
    }
    return 0;
}
