#include "import/spreadsheet/sheets/CSheetsArray.h"

#include "foundation/text/NameCompare.h"

CSheet::CSheet(std::string id, std::string name, std::string sheetId, const char* stateText)
    : relationshipId(std::move(id)), name(std::move(name)), sheetId(std::move(sheetId)) {
    if (stateText == nullptr) return;
    if (compareNames(stateText, "hidden") == 0) state = 1;
    else if (compareNames(stateText, "veryHidden") == 0) state = 2;
}

const CSheet* CSheetsArray::sheetAt(std::int64_t index) const {
    if (index < 0 || static_cast<std::uint64_t>(index) >= sheets.size()) return nullptr;
    return sheets[static_cast<std::size_t>(index)].get();
}
