// The cell walk of the spreadsheet importer: each position of the grid from A1 to the sheet's last row
// and column, in row order, gets exactly one queued cell, the part's cell at that position or an empty
// one. The part is read ahead by one cell at most.
#include <algorithm>
#include <cstring>
#include <optional>

#include "foundation/CFail.h"
#include "foundation/encoding/Utf8Codec.h"
#include "foundation/text/NameCompare.h"
#include "import/spreadsheet/CStringsArray.h"
#include "import/spreadsheet/CXLMLImporter.h"
#include "import/spreadsheet/sheets/SheetCellSource.h"
#include "import/spreadsheet/styles/CStyleSheet.h"
#include "model/params/ParamBlockHost.h"
#include "model/story/StoryKinds.h"
#include "package/xml/XmlElementSearch.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

// A cell's text is handed over in pieces that fit the engine's text-run buffer with the separator.
constexpr std::size_t kRunPieceUnits = kTaskTextBufferUnits - 1;

struct TypeName {
    const char* name;
    CellType type;
    bool isString;
};

constexpr TypeName kCellTypes[] = {
    {"n", kCellNumber, false},      {"b", kCellBoolean, false},  {"e", kCellError, false},
    {"s", kCellSharedString, true}, {"str", kCellString, true},  {"inlineStr", kCellInlineString, true},
};

bool before(const CellPosition& a, std::int32_t row, std::int32_t column) {
    return a.row < row || (a.row == row && a.column < column);
}

// In the sheet's story, units 1 to 27 are anchors and the tab and paragraph end shape the grid, so a
// cell's own control characters cannot stand as they are: a line end (CR LF, CR or LF) becomes the
// story's line break, which stays inside its cell; a tab becomes a space; the others are left out.
bool standsInStory(char16_t unit) {
    if (unit == u'\r' || unit == u'\n' || unit == u'\t') return false;
    return !(storycode::isControl(unit) && unit <= storycode::kTableEnd);
}

// Turns the text into its story form where it stands; the story form is never longer.
void makeStoryText(std::u16string& text) {
    // Nearly every cell holds none of them: its text stays as it is.
    if (std::all_of(text.begin(), text.end(), standsInStory)) return;
    std::size_t kept = 0;
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char16_t unit = text[index];
        if (unit == u'\r' || unit == u'\n') {
            if (unit == u'\r' && index + 1 < text.size() && text[index + 1] == u'\n') ++index;
            text[kept++] = storycode::kLineBreak;
        } else if (unit == u'\t') {
            text[kept++] = u' ';
        } else if (standsInStory(unit)) {
            text[kept++] = unit;
        }
    }
    text.resize(kept);
}

// The text as UTF-16 in out, ready for the story. Nearly every value and inline text is printable ASCII,
// which widens unit for unit and needs nothing else; the rest is decoded and made story text.
void textOf(std::string_view content, std::u16string& out) {
    out.resize(content.size());
    // Widened and checked in one pass the compiler can vectorise: the smallest byte says whether any is a
    // control character, their union whether any lies beyond ASCII.
    unsigned char smallest = 0xFF;
    unsigned char allBits = 0;
    for (std::size_t index = 0; index < content.size(); ++index) {
        const auto byte = static_cast<unsigned char>(content[index]);
        smallest = std::min(smallest, byte);
        allBits |= byte;
        out[index] = byte;
    }
    const bool ascii = allBits < 0x80;
    if (ascii && smallest >= 0x20) return;
    if (!ascii) out = utf8ToUtf16String(content);
    makeStoryText(out);
}

// The element's text in out; empty for none.
void textOf(const xmlNode* element, std::u16string& out) {
    out.clear();
    if (element == nullptr) return;
    xmlChar* content = xmlNodeGetContent(element);
    if (content == nullptr) return;
    textOf(std::string_view(reinterpret_cast<const char*>(content)), out);
    xmlFree(content);
}

xmlNode* childNamed(const xmlNode* element, const char* name) {
    return element != nullptr ? xmlFindElement(element->children, nullptr, name, 0) : nullptr;
}

// The cell's "s" as a number, -1 when it has none or not a number.
std::int32_t styleIndex(const SheetCell& cell) {
    if (!cell.style.present) return -1;
    const std::string& value = cell.style.value;
    const std::optional<std::int32_t> index = parseCheckedInteger(
        value.c_str(), static_cast<std::int32_t>(std::min<std::size_t>(value.size(), INT32_MAX)), 0);
    return index ? *index : -1;
}

// The cell's "t", null when it has none or one too long to be a type.
constexpr std::size_t kLongestTypeName = 2048;
const char* typeName(const SheetCell& cell) {
    if (!cell.type.present || cell.type.value.size() > kLongestTypeName) return nullptr;
    return cell.type.value.c_str();
}

}  // namespace

// The part's next cell becomes the pending one; false at the end of the part.
bool CXLMLImporter::fetchCell() {
    if (partEnded) return false;
    if (!pendingCell) pendingCell = std::make_unique<SheetCell>();
    if (sheetReader->next(pendingCell.get())) return true;
    partEnded = true;
    pendingCell.reset();
    if (!sheetReader->error().empty()) failWithReason(result::kNullObject, sheetPart, sheetReader->error());
    return false;
}

bool CXLMLImporter::nextCellPosition() {
    if (column > lastColumn) {
        column = 1;
        ++row;
    }
    if (row > lastRow || lastColumn <= 0) return false;
    // Cells the walk has passed (out of order, or holding nothing beyond the last column) are skipped.
    while ((pendingCell || !partEnded) &&
           (!pendingCell || before(pendingCell->position, row, column)))
        if (!fetchCell()) break;

    const SheetCell* cell = pendingCell && pendingCell->position.row == row && pendingCell->position.column == column
                                ? pendingCell.get()
                                : nullptr;
    const std::int32_t rowStyle = pendingCell && pendingCell->position.row == row ? pendingCell->rowStyle : -1;
    cellStyle = &styleSheet->selectCellStyle(sheetReader->columnStyle(column), rowStyle,
                                             cell != nullptr ? styleIndex(*cell) : -1);
    ++column;
    readCellType(cell);
    return true;
}

char16_t CXLMLImporter::cellSeparator(bool isLast) const {
    if (!isLast) return 0;
    return column > lastColumn ? 13 : 9;
}

void CXLMLImporter::readCellType(const SheetCell* cell) {
    if (cell == nullptr) {
        queueEmptyCell();
        return;
    }
    const char* type = typeName(*cell);
    if (type == nullptr) {
        queueValueCell(*cell, kCellNumber);
        return;
    }
    // Writers spell the type as it stands; the name rule's looser match is the fallback.
    const TypeName* found = nullptr;
    for (const TypeName& known : kCellTypes)
        if (found == nullptr && std::strcmp(type, known.name) == 0) found = &known;
    for (const TypeName& known : kCellTypes)
        if (found == nullptr && compareNames(type, known.name) == 0) found = &known;
    if (found != nullptr) {
        if (found->isString) queueStringCell(*cell, found->type);
        else queueValueCell(*cell, found->type);
        return;
    }
    // A type we do not know (an ISO date "d", say) shows its value as written, and the sheet goes on.
    queueValueCell(*cell, kCellString);
}

void CXLMLImporter::queueText(CellType type, std::u16string& text, char16_t separator, std::unique_ptr<CFont> runFont) {
    // A text longer than one run goes in pieces; only the last carries the separator.
    if (text.size() > kRunPieceUnits) {
        std::size_t start = 0;
        for (; text.size() - start > kRunPieceUnits; start += kRunPieceUnits) {
            CQueue& piece = queue.append(cellStyle, type);
            piece.text.assign(text, start, kRunPieceUnits);
            if (runFont) piece.runFont = std::make_unique<CFont>(*runFont);
        }
        text.erase(0, start);
    }
    // The entry takes the text's storage and leaves its own, so neither is allocated again.
    CQueue& entry = queue.append(cellStyle, type);
    entry.text.swap(text);
    entry.separator = separator;
    entry.runFont = std::move(runFont);
}

void CXLMLImporter::queueEmptyCell() {
    cellUnits.clear();
    queueText(kCellString, cellUnits, cellSeparator(true), nullptr);
}

void CXLMLImporter::queueValueCell(const SheetCell& cell, CellType type) {
    cellUnits.clear();
    if (cell.hasValue) textOf(cell.value, cellUnits);
    // A cell without a value, or with an empty one, is an empty cell.
    if (cellUnits.empty()) {
        queueEmptyCell();
        return;
    }
    queueText(type, cellUnits, cellSeparator(true), nullptr);
}

void CXLMLImporter::queueStringCell(const SheetCell& cell, CellType type) {
    if (type == kCellSharedString) {
        // An empty value names no string: read as a number it would be 0, the first string.
        const xmlNode* string = nullptr;
        if (cell.hasValue && !cell.value.empty()) {
            const std::string& digits = cell.value;
            const auto number = parseCheckedInteger(
                digits.c_str(), static_cast<std::int32_t>(std::min<std::size_t>(digits.size(), INT32_MAX)), 0);
            if (number) string = sharedStrings->stringAt(*number);
        }
        queueSharedString(string);
        return;
    }
    cellUnits.clear();
    if (type == kCellString) {
        // A formula's text; without one (or with an empty one) the cell is empty all the same.
        if (cell.hasValue) textOf(cell.value, cellUnits);
        queueTextRun(type, true, nullptr, cellUnits);
        return;
    }
    if (cell.hasInlineText) {
        textOf(cell.inlineText, cellUnits);
        queueTextRun(type, true, nullptr, cellUnits);
        return;
    }
    if (cell.runs.empty()) {
        queueEmptyCell();
        return;
    }
    for (std::size_t index = 0; index < cell.runs.size(); ++index) {
        const InlineRun& run = cell.runs[index];
        textOf(run.text, cellUnits);
        queueTextRun(type, index + 1 == cell.runs.size(), run.properties.get(), cellUnits);
    }
}

// A shared-string item: its text, or its rich-text runs.
void CXLMLImporter::queueSharedString(const xmlNode* string) {
    if (string == nullptr || string->children == nullptr) {
        queueEmptyCell();
        return;
    }
    if (const xmlNode* text = childNamed(string, "t")) {
        textOf(text, cellUnits);
        queueTextRun(kCellSharedString, true, nullptr, cellUnits);
        return;
    }
    const xmlNode* lastRun = nullptr;
    for (const xmlNode* child = string->children; child != nullptr; child = child->next)
        if (xmlIsElement(child, nullptr, "r")) lastRun = child;
    if (lastRun == nullptr) {
        queueEmptyCell();
        return;
    }
    for (const xmlNode* child = string->children; child != nullptr; child = child->next) {
        if (!xmlIsElement(child, nullptr, "r")) continue;
        textOf(childNamed(child, "t"), cellUnits);
        queueTextRun(kCellSharedString, child == lastRun, childNamed(child, "rPr"), cellUnits);
    }
}

void CXLMLImporter::queueTextRun(CellType type, bool isLast, const xmlNode* properties, std::u16string& text) {
    std::unique_ptr<CFont> runFont;
    if (properties != nullptr) {
        runFont = std::make_unique<CFont>(cellStyle->font);
        runFont->read(properties);
    }
    // A run without text gives nothing but its place (and the cell's separator when it is the last).
    queueText(type, text, cellSeparator(isLast), std::move(runFont));
}
