#pragma once
// The worksheets of one workbook conversion, in workbook order, each with its relationship id (which
// names its part) and its name. Hidden sheets are converted like the others; their state is kept.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct CSheet {
    // state: "visible" 0, "hidden" 1, "veryHidden" 2 (name rule); absent or another value 0.
    CSheet(std::string id, std::string name, std::string sheetId, const char* state);

    std::string relationshipId;
    std::string name;  // UTF-8 as in the workbook; empty when the sheet has none
    std::string sheetId;
    std::int16_t state = 0;
    // The last row and column that hold a value, found when the sheet was accepted.
    std::int32_t lastColumn = 0;
    std::int32_t lastRow = 0;
    std::string partPath;  // the worksheet part, named in the reasons its failures give
};

class CSheetsArray {
public:
    void addSheet(std::unique_ptr<CSheet> sheet) { sheets.push_back(std::move(sheet)); }
    // Null outside 0 to count - 1.
    const CSheet* sheetAt(std::int64_t index) const;
    std::size_t count() const { return sheets.size(); }

private:
    std::vector<std::unique_ptr<CSheet>> sheets;
};
