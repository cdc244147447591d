#include "import/spreadsheet/sheets/SheetNames.h"

#include <cstring>

#include "foundation/text/NameCompare.h"

namespace {
constexpr const char* kSpreadsheetUris[] = {"http://schemas.openxmlformats.org/spreadsheetml/2006/main",
                                            "http://purl.oclc.org/ooxml/spreadsheetml/main"};
}  // namespace

bool isSheetElement(const char* localName, const char* uri, const char* name) {
    if (localName == nullptr || (name != nullptr && compareNames(localName, name) != 0)) return false;
    if (uri == nullptr) return true;
    for (const char* known : kSpreadsheetUris)
        if (std::strcmp(uri, known) == 0) return true;
    return false;
}

std::string describeXmlError(const xmlError* error) {
    std::string text = error->message != nullptr ? error->message : "not well-formed";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text + " (line " + std::to_string(error->line) + ")";
}
