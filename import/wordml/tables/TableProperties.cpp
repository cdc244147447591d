// Table, row and cell properties (w:tblPr and w:tblPrEx, w:trPr, w:tcPr) read into a row definition.
// Each field read sets its change bit in the row set; a cell's properties set bits only when they go to
// the default cell of a table style (cell index -1). A table's style is applied where w:tblStyle stands,
// so properties after it override the style's; a cell takes its table style's default cells and the
// conditional parts its mask selects before its own properties.
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

#include "foundation/FieldMask.h"
#include "foundation/text/NameCompare.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/properties/PropertyElementReaders.h"
#include "import/wordml/properties/ValueVocabularies.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

// Change bits of the row set (XRows).
namespace rowsbit {
constexpr int kPlacement = 2;
constexpr int kOverlap = 3;
constexpr int kRightToLeft = 4;
constexpr int kBidiVisual = 5;
constexpr int kRowBandSize = 6;
constexpr int kColBandSize = 7;
constexpr int kTableWidth = 8;
constexpr int kJustification = 9;
constexpr int kCellSpacing = 10;
constexpr int kIndent = 11;
constexpr int kTableBorders = 12;  // to 17
constexpr int kShading = 18;
constexpr int kLayout = 19;
constexpr int kCellMargins = 20;  // to 23
constexpr int kLook = 24;
constexpr int kDivId = 25;
constexpr int kGridBefore = 26;
constexpr int kGridAfter = 27;
constexpr int kWidthBefore = 28;
constexpr int kWidthAfter = 29;
constexpr int kCantSplit = 30;
constexpr int kRowHeight = 31;
constexpr int kHeader = 32;
constexpr int kCellWidth = 33;
constexpr int kGridSpan = 34;
constexpr int kHorizontalMerge = 35;
constexpr int kVerticalMerge = 36;
constexpr int kCellBorders = 37;  // to 42
constexpr int kCellShading = 43;
constexpr int kNoWrap = 44;
constexpr int kCellMarginsOfCell = 45;  // to 48
constexpr int kTextFlow = 49;
constexpr int kFitText = 50;
constexpr int kVerticalAlignment = 51;
}  // namespace rowsbit

constexpr std::int16_t kMergeContinue = 1;
constexpr std::int16_t kMergeRestart = 2;

std::optional<std::int16_t> shortValue(const xmlNode* element, const char* name, std::int16_t hexadecimal = 0) {
    std::int16_t present = 0;
    const char* text = xmlGetAttrString(element, nullptr, name, &present);
    if (text == nullptr) return std::nullopt;
    const std::optional<std::int32_t> value = parseCheckedInteger(text, std::numeric_limits<std::int32_t>::max(), hexadecimal);
    if (!value || *value < std::numeric_limits<std::int16_t>::min() || *value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(*value);
}

// An integer "val" into the field, with its bit; nothing when the value is absent or does not fit.
void readShort(const xmlNode* element, std::int16_t& field, XRows* rows, int bit) {
    if (const auto value = shortValue(element, "val")) {
        field = *value;
        setMaskBit(rows->changeBits, bit);
    }
}

// An on/off element: "val" 0, false or off turns it off, no "val" turns it on.
void readToggle(const xmlNode* element, std::int16_t& field, XRows* rows, int bit) {
    field = xmlGetToggle(element);
    setMaskBit(rows->changeBits, bit);
}

void readWidth(const xmlNode* element, WidthSpec& width, XRows* rows, int bit) {
    parseTableWidth(element, &width);
    setMaskBit(rows->changeBits, bit);
}

void readShading(const xmlNode* element, ShadingSpec& shading, XRows* rows, int bit) {
    parseShading(element, &shading, &shading.patternTint, &shading.patternFill);
    setMaskBit(rows->changeBits, bit);
}

// A looked-up "val" into the field; answers whether "val" was there.
bool readLookedUp(const xmlNode* element, std::int32_t (*lookup)(const char*), std::int16_t& field) {
    std::int16_t present = 0;
    const char* value = xmlGetAttrString(element, nullptr, "val", &present);
    if (value == nullptr) return false;
    field = static_cast<std::int16_t>(lookup(value));
    return true;
}

// Six borders: top, left, bottom, right and the two further slots under the names given.
void readBorders(const xmlNode* element, XTblBorders& borders, const char* fifth, const char* sixth, XRows* rows,
                 int firstBit) {
    BorderSpec XTblBorders::*const slots[] = {&XTblBorders::top,    &XTblBorders::left,    &XTblBorders::bottom,
                                              &XTblBorders::right,  &XTblBorders::insideH, &XTblBorders::insideV};
    const char* names[] = {"top", "left", "bottom", "right", fifth, sixth};
    for (const xmlNode* side = element->children; side != nullptr; side = side->next) {
        for (int i = 0; i < 6; ++i) {
            if (!xmlIsElement(side, "w", names[i])) continue;
            parseBorder(side, &(borders.*slots[i]), nullptr);
            setMaskBit(rows->changeBits, firstBit + i);
        }
    }
}

void readMargins(const xmlNode* element, XTblMargins& margins, XRows* rows, int firstBit) {
    WidthSpec XTblMargins::*const slots[] = {&XTblMargins::top, &XTblMargins::left, &XTblMargins::bottom,
                                             &XTblMargins::right};
    const char* names[] = {"top", "left", "bottom", "right"};
    for (const xmlNode* side = element->children; side != nullptr; side = side->next) {
        for (int i = 0; i < 4; ++i) {
            if (!xmlIsElement(side, "w", names[i])) continue;
            parseTableWidth(side, &(margins.*slots[i]));
            setMaskBit(rows->changeBits, firstBit + i);
        }
    }
}

std::int16_t conditionalMask(const xmlNode* element) {
    std::int16_t present = 0;
    const char* value = xmlGetAttrString(element, nullptr, "val", &present);
    return value != nullptr ? static_cast<std::int16_t>(lookupBitString(value)) : 0;
}

void readPlacement(const xmlNode* element, XRows* rows) {
    XTblPlacement& placement = rows->tblpPr;
    placement.floatingTable = 1;
    const struct {
        const char* name;
        std::int32_t XTblPlacement::*field;
    } distances[] = {
        {"leftFromText", &XTblPlacement::leftFromText}, {"rightFromText", &XTblPlacement::rightFromText},
        {"topFromText", &XTblPlacement::topFromText},   {"bottomFromText", &XTblPlacement::bottomFromText},
        {"tblpX", &XTblPlacement::tblpX},               {"tblpY", &XTblPlacement::tblpY},
    };
    for (const auto& distance : distances) {
        std::int16_t present = 0;
        const std::int32_t value = xmlGetAttrInt(element, nullptr, distance.name, &present);
        if (present != 0) placement.*distance.field = value;
    }
    std::int16_t present = 0;
    if (const char* anchor = xmlGetAttrString(element, nullptr, "vertAnchor", &present))
        placement.vertAnchor = static_cast<std::int16_t>(lookupVerticalAnchor(anchor));
    if (const char* anchor = xmlGetFirstAttrString(element, &present, {"horzAnchor", "horizAnchor"}))
        placement.horzAnchor = static_cast<std::int16_t>(lookupHorizontalAnchor(anchor));
    if (const char* align = xmlGetAttrString(element, nullptr, "tblpXSpec", &present))
        placement.tblpXSpec = static_cast<std::int16_t>(lookupHorizontalAlign(align));
    if (const char* align = xmlGetAttrString(element, nullptr, "tblpYSpec", &present))
        placement.tblpYSpec = static_cast<std::int16_t>(lookupVerticalAlign(align));
    setMaskBit(rows->changeBits, rowsbit::kPlacement);
}

// A merge: no "val" or "continue" continues the range before, "restart" starts one.
void readMerge(const xmlNode* element, std::int16_t& field, XRows* rows, int bit) {
    std::int16_t present = 0;
    const char* value = xmlGetAttrString(element, nullptr, "val", &present);
    if (value == nullptr || compareNames(value, "continue") == 0) field = kMergeContinue;
    else if (compareNames(value, "restart") == 0) field = kMergeRestart;
    setMaskBit(rows->changeBits, bit);
}

}  // namespace

std::string CWordMLImporter::readTableProperties(xmlNode* properties, XRule* rule, XForm* form, XRows* rows) {
    std::memset(rows->changeBits, 0, sizeof rows->changeBits);
    std::string styleId;
    for (xmlNode* child = properties->children; child != nullptr; child = child->next) {
        std::int16_t present = 0;
        if (xmlIsElement(child, "w", "tblStyle")) {
            if (const char* id = xmlGetAttrString(child, nullptr, "val", &present)) {
                styleId = id;
                applyTableStyleChain(styleId.c_str(), rule, form, rows, 0);
            }
        } else if (xmlIsElement(child, "w", "tblpPr")) {
            readPlacement(child, rows);
        } else if (xmlIsElement(child, "w", "tblOverlap")) {
            const char* value = xmlGetAttrString(child, nullptr, "val", &present);
            if (value != nullptr && compareNames(value, "never") == 0) rows->tblOverlap = 1;
            setMaskBit(rows->changeBits, rowsbit::kOverlap);
        } else if (xmlIsElement(child, "w", "tblRtl")) {
            readToggle(child, rows->tblRtl, rows, rowsbit::kRightToLeft);
        } else if (xmlIsElement(child, "w", "bidiVisual")) {
            readToggle(child, rows->bidiVisual, rows, rowsbit::kBidiVisual);
        } else if (xmlIsElement(child, "w", "tblStyleRowBandSize")) {
            readShort(child, rows->tblStyleRowBandSize, rows, rowsbit::kRowBandSize);
        } else if (xmlIsElement(child, "w", "tblStyleColBandSize")) {
            readShort(child, rows->tblStyleColBandSize, rows, rowsbit::kColBandSize);
        } else if (xmlIsElement(child, "w", "tblW")) {
            readWidth(child, rows->tblW, rows, rowsbit::kTableWidth);
        } else if (xmlIsElement(child, "w", "jc")) {
            readLookedUp(child, lookupJustification, rows->jc);
            setMaskBit(rows->changeBits, rowsbit::kJustification);
        } else if (xmlIsElement(child, "w", "tblCellSpacing")) {
            readWidth(child, rows->tblCellSpacing, rows, rowsbit::kCellSpacing);
        } else if (xmlIsElement(child, "w", "tblInd")) {
            readWidth(child, rows->tblInd, rows, rowsbit::kIndent);
        } else if (xmlIsElement(child, "w", "tblBorders")) {
            readBorders(child, rows->tblBorders, "insideH", "insideV", rows, rowsbit::kTableBorders);
        } else if (xmlIsElement(child, "w", "shd")) {
            readShading(child, rows->shd, rows, rowsbit::kShading);
        } else if (xmlIsElement(child, "w", "tblCellMar")) {
            readMargins(child, rows->tblCellMar, rows, rowsbit::kCellMargins);
        } else if (xmlIsElement(child, "w", "tblLayout")) {
            if (const char* type = xmlGetAttrString(child, nullptr, "type", &present)) {
                if (compareNames(type, "fixed") == 0) rows->tblLayout = 0;
                if (compareNames(type, "autofit") == 0) rows->tblLayout = 1;
            }
            setMaskBit(rows->changeBits, rowsbit::kLayout);
        } else if (xmlIsElement(child, "w", "tblLook")) {
            if (const auto look = shortValue(child, "val", 1)) {
                rows->tblLook = *look;
                setMaskBit(rows->changeBits, rowsbit::kLook);
            }
        }
    }
    return styleId;
}

std::int16_t CWordMLImporter::readRowProperties(xmlNode* properties, XRows* rows) {
    std::int16_t rowMask = 0;
    for (xmlNode* child = properties->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "cnfStyle")) {
            rowMask = conditionalMask(child);
        } else if (xmlIsElement(child, "w", "wBefore")) {
            readWidth(child, rows->wBefore, rows, rowsbit::kWidthBefore);
        } else if (xmlIsElement(child, "w", "wAfter")) {
            readWidth(child, rows->wAfter, rows, rowsbit::kWidthAfter);
        } else if (xmlIsElement(child, "w", "trHeight")) {
            parseHeightRule(child, &rows->trHeight);
            setMaskBit(rows->changeBits, rowsbit::kRowHeight);
        } else if (xmlIsElement(child, "w", "tblCellSpacing")) {
            readWidth(child, rows->tblCellSpacing, rows, rowsbit::kCellSpacing);
        } else if (xmlIsElement(child, "w", "jc")) {
            if (readLookedUp(child, lookupJustification, rows->jc)) setMaskBit(rows->changeBits, rowsbit::kJustification);
        } else if (xmlIsElement(child, "w", "divId")) {
            readShort(child, rows->divId, rows, rowsbit::kDivId);
        } else if (xmlIsElement(child, "w", "gridBefore")) {
            readShort(child, rows->gridBefore, rows, rowsbit::kGridBefore);
        } else if (xmlIsElement(child, "w", "gridAfter")) {
            readShort(child, rows->gridAfter, rows, rowsbit::kGridAfter);
        } else if (xmlIsElement(child, "w", "cantSplit")) {
            readToggle(child, rows->cantSplit, rows, rowsbit::kCantSplit);
        } else if (xmlIsElement(child, "w", "tblHeader")) {
            readToggle(child, rows->tblHeader, rows, rowsbit::kHeader);
        }
    }
    return rowMask;
}

std::int16_t CWordMLImporter::cellPartMask(xmlNode* properties, std::int32_t rowMask, std::int32_t positionFlags,
                                           std::int16_t look) {
    xmlNode* format = properties != nullptr ? xmlFindElement(properties->children, "w", "cnfStyle", 0) : nullptr;
    const std::int32_t given = (format != nullptr ? conditionalMask(format) : 0) | rowMask;
    if (format != nullptr || given != 0) return static_cast<std::int16_t>(given & 0xFFFF);
    // The look's bits and the position bits of the parts they turn on.
    constexpr struct {
        std::int16_t look;
        std::int32_t position;
        std::int16_t part;
    } kLookedParts[] = {
        {0x20, 0x1, 0x1},  // first row
        {0x40, 0x2, 0x2},  // last row
        {0x80, 0x4, 0x4},  // first column
        {0x100, 0x8, 0x8},  // last column
    };
    std::int16_t mask = 0;
    for (const auto& looked : kLookedParts) {
        if ((look & looked.look) != 0 && (positionFlags & looked.position) != 0) mask |= looked.part;
    }
    return mask;
}

void CWordMLImporter::readCellProperties(const std::string& tableStyleId, std::int32_t rowMask, std::int32_t positionFlags,
                                         xmlNode* properties, XRows* rows, std::int16_t cellIndex) {
    if (cellIndex >= kMaxRowCells) return;
    const bool defaultCell = cellIndex < 0;
    XRow& cell = defaultCell ? rows->defRow : rows->cells[cellIndex];
    if (!defaultCell && !tableStyleId.empty()) {
        const std::int16_t mask = cellPartMask(properties, rowMask, positionFlags, rows->tblLook);
        applyCellStyleChain(tableStyleId.c_str(), rows, cellIndex);
        applyTableStyleParts(tableStyleId.c_str(), mask, rows, cellIndex);
    }
    cell.attributes = static_cast<std::int16_t>(positionFlags);
    if (properties == nullptr) return;
    // Properties of one of the row's cells are stored whole; only a style's default cell marks its fields.
    // The marks of a row's own cell go to a sink that nothing reads, made once: the row set is 10 KB.
    static thread_local XRows unreadMarks{};
    XRows* marks = defaultCell ? rows : &unreadMarks;
    for (xmlNode* child = properties->children; child != nullptr; child = child->next) {
        if (xmlIsElement(child, "w", "tcW")) {
            readWidth(child, cell.tcW, marks, rowsbit::kCellWidth);
        } else if (xmlIsElement(child, "w", "tcBorders")) {
            readBorders(child, cell.tcBorders, "tl2br", "tr2bl", marks, rowsbit::kCellBorders);
        } else if (xmlIsElement(child, "w", "shd")) {
            readShading(child, cell.shd, marks, rowsbit::kCellShading);
        } else if (xmlIsElement(child, "w", "tcMar")) {
            readMargins(child, cell.tcMar, marks, rowsbit::kCellMarginsOfCell);
        } else if (xmlIsElement(child, "w", "gridSpan")) {
            readShort(child, cell.gridSpan, marks, rowsbit::kGridSpan);
        } else if (xmlIsElement(child, "w", "hmerge")) {
            readMerge(child, cell.hmerge, marks, rowsbit::kHorizontalMerge);
        } else if (xmlIsElement(child, "w", "vmerge")) {
            readMerge(child, cell.vmerge, marks, rowsbit::kVerticalMerge);
        } else if (xmlIsElement(child, "w", "noWrap")) {
            readToggle(child, cell.noWrap, marks, rowsbit::kNoWrap);
        } else if (xmlIsElement(child, "w", "textDirection")) {
            readLookedUp(child, lookupTextFlow, cell.textFlow);
            setMaskBit(marks->changeBits, rowsbit::kTextFlow);
        } else if (xmlIsElement(child, "w", "tcFitText")) {
            readToggle(child, cell.tcFitText, marks, rowsbit::kFitText);
        } else if (xmlIsElement(child, "w", "vAlign")) {
            readLookedUp(child, lookupCellVerticalAlignment, cell.vAlign);
            setMaskBit(marks->changeBits, rowsbit::kVerticalAlignment);
        }
    }
}
