#pragma once
// Table styles: for each part of a table (whole table, header row, stripes ...) the differential format
// ("dxf") that applies. The built-in ones come from "tableStyles.xml" beside the program, the
// workbook's own from its style part; built-in ones are found first. Nothing of them reaches a
// converted sheet's text.
//
//   tableStyles                           (the built-in file: each element followed by its dxf)
//     tableStyle name= pivot= table=
//       tableStyleElement type="headerRow"  dxf ...
//   (in xl/styles.xml: tableStyleElement type= dxfId=, the index of a dxf of "dxfs")
#include <libxml/tree.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct CTableStyleElement {
    const xmlNode* dxf;  // lives in the parsed document the style sheet keeps
    std::int16_t type;   // 1 wholeTable ... 28 pageFieldValues
};

class CTableStyle {
public:
    // dxfs: the workbook's "dxfs" element, or null for the built-in file.
    void read(const xmlNode* element, const xmlNode* dxfs);
    // The index-th (0-based) "dxf" child of dxfs; null when there are fewer.
    static const xmlNode* findDxf(const xmlNode* dxfs, std::int32_t index);
    const CTableStyleElement* findByType(std::int16_t type) const;

    std::vector<CTableStyleElement> elements;
    std::string name;
    std::int16_t pivot = 1;
    std::int16_t table = 1;
};

class CTableStylesArray {
public:
    void append(std::unique_ptr<CTableStyle> style) { styles.push_back(std::move(style)); }
    // Names compared ignoring case and '-'; null when none has the name.
    const CTableStyle* findByName(const char* name) const;
    std::size_t count() const { return styles.size(); }

private:
    std::vector<std::unique_ptr<CTableStyle>> styles;
};
