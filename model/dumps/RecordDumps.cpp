#include "model/dumps/RecordDumps.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "foundation/FieldMask.h"
#include "model/BoundedCount.h"
#include "model/dumps/MeasureKeywords.h"
#include "model/dumps/ValueText.h"
#include "model/records/ChangeMask.h"
#include "model/records/RecordTables.h"

namespace {

constexpr const char* kIndent = "    ";
constexpr const char* kIndent2 = "        ";
constexpr const char* kIndent3 = "            ";

// The dumps spell four frame fields with capitals that their member names lack.
struct LabelSpelling {
    const char* member;
    const char* label;
};
constexpr LabelSpelling kLabelSpellings[] = {
    {"txtdistanceFromMainText", "txtDistanceFromMainText"},
    {"txthorizDistanceFromFrame", "txtHorizDistanceFromFrame"},
    {"txtvertDistanceFromFrame", "txtVertDistanceFromFrame"},
    {"txtoverlay", "txtOverlay"},
};

const char* labelOf(const FieldSpec& field) {
    for (const LabelSpelling& spelling : kLabelSpellings)
        if (std::strcmp(field.name, spelling.member) == 0) return spelling.label;
    return field.name;
}

// Length of a fixed-size text member: up to its terminator, or its whole size when it has none.
template <std::size_t N>
int textLength(const char (&text)[N]) {
    return static_cast<int>(strnlen(text, N));
}

// An integer member as "%d" shows it (an unsigned 32-bit member is read as signed).
int integerValue(const FieldSpec& field, const void* record) {
    return static_cast<std::int32_t>(integerField(field, record));
}

void printHeader(CFile& file, const char* kind, std::int32_t position, const std::uint8_t (&mask)[8]) {
    file.printLine("%s @ %03d (0x%016llX)", kind, position, static_cast<unsigned long long>(changeMaskNumber(mask)));
}

void printBorder(CFile& file, const char* indent, const char* label, const BorderSpec& border) {
    file.printLine("%s%s=borderSize %d, borderType %d, borderTint %s, borderSpace %d", indent, label, border.borderSize,
                   border.borderType, formatRGBColor(border.borderTint), border.borderSpace);
}

void printShading(CFile& file, const char* indent, const char* label, const ShadingSpec& shading) {
    // The colour formatter has one buffer: the tint is copied aside before the fill is made.
    char tint[32];
    std::snprintf(tint, sizeof tint, "%s", formatRGBColor(shading.patternTint));
    file.printLine("%s%s=patternType %d, patternTint %s, patternFill %s", indent, label, shading.patternType, tint,
                   formatRGBColor(shading.patternFill));
}

// Six border lines in the order top, left, bottom, right, insideH, insideV.
void printBorders(CFile& file, const char* indent, const XTblBorders& borders) {
    printBorder(file, indent, "top", borders.top);
    printBorder(file, indent, "left", borders.left);
    printBorder(file, indent, "bottom", borders.bottom);
    printBorder(file, indent, "right", borders.right);
    printBorder(file, indent, "insideH", borders.insideH);
    printBorder(file, indent, "insideV", borders.insideV);
}

void printMargins(CFile& file, const char* indent, const XTblMargins& margins) {
    file.printLine("%stop=%s", indent, formatWidthSpec(margins.top));
    file.printLine("%sleft=%s", indent, formatWidthSpec(margins.left));
    file.printLine("%sbottom=%s", indent, formatWidthSpec(margins.bottom));
    file.printLine("%sright=%s", indent, formatWidthSpec(margins.right));
}

// One "label=value" line per integer or text member of a sub-record, in its table's order; the member
// named `except` is left out.
void printFields(CFile& file, const char* indent, const RecordTable& table, const void* record,
                 const char* except = nullptr) {
    for (const FieldSpec& field : table.fields) {
        if (except != nullptr && std::strcmp(field.name, except) == 0) continue;
        if (field.letter == 'd' || field.letter == 'l' || field.letter == 'u') {
            file.printLine("%s%s=%d", indent, labelOf(field), integerValue(field, record));
        } else if (field.letter == 's' && field.itemCount == 1) {
            const auto* text = static_cast<const char*>(fieldAddress(field, record));
            file.printLine("%s%s=%.*s", indent, labelOf(field), static_cast<int>(strnlen(text, field.size)), text);
        }
    }
}

// The lines of one record with change bits: a field is shown only when its bit is set.
class RecordLines {
public:
    RecordLines(CFile& file, const RecordTable& table, const void* record)
        : file(file), table(table), record(record) {}

    // The change mask is the record's first member.
    bool has(int bit) const { return testMaskBit(record, bit) == 1; }

    // "name=%d" of the field that carries the bit, for each bit from first to last that is set.
    void plain(int first, int last) const {
        for (int bit = first; bit <= last; ++bit) plain(bit);
    }
    void plain(int bit) const {
        if (!has(bit)) return;
        for (const FieldSpec& field : table.fields) {
            if (field.bit != bit) continue;
            file.printLine("%s=%d", labelOf(field), integerValue(field, record));
            return;
        }
    }

private:
    CFile& file;
    const RecordTable& table;
    const void* record;
};

void printCell(CFile& file, int index, const XRow& cell) {
    file.printLine("%s%02d=", kIndent, index);
    file.printLine("%stcW=%s", kIndent2, formatWidthSpec(cell.tcW));
    file.printLine("%sgridSpan=%d", kIndent2, cell.gridSpan);
    file.printLine("%shmerge=%d", kIndent2, cell.hmerge);
    file.printLine("%svmerge=%d", kIndent2, cell.vmerge);
    file.printLine("%stcBorders=", kIndent2);
    printBorders(file, kIndent3, cell.tcBorders);
    printShading(file, kIndent2, "shd", cell.shd);
    file.printLine("%snoWrap=%d", kIndent2, cell.noWrap);
    file.printLine("%stcMar=", kIndent2);
    printMargins(file, kIndent3, cell.tcMar);
    file.printLine("%stextFlow=%d", kIndent2, cell.textFlow);
    file.printLine("%stcFitText=%d", kIndent2, cell.tcFitText);
    file.printLine("%svAlign=%d", kIndent2, cell.vAlign);
}

// The whole row set; its uniqueBits, its default cell and the cells' attributes are not shown.
void printRows(CFile& file, const XRows& rows) {
    file.printLine("rows=");
    file.printLine("%schangeBits=%lld", kIndent, static_cast<long long>(changeMaskNumber(rows.changeBits)));
    file.printLine("%sstyleTag=%d", kIndent, rows.styleTag);
    file.printLine("%stblpPr=", kIndent);
    printFields(file, kIndent2, kXTblPlacementTable, &rows.tblpPr, "floatingTable");
    file.printLine("%stblOverlap=%d", kIndent, rows.tblOverlap);
    file.printLine("%stblRtl=%d", kIndent, rows.tblRtl);
    file.printLine("%sbidiVisual=%d", kIndent, rows.bidiVisual);
    file.printLine("%stblStyleRowBandSize=%d", kIndent, rows.tblStyleRowBandSize);
    file.printLine("%stblStyleColBandSize=%d", kIndent, rows.tblStyleColBandSize);
    file.printLine("%stblW=%s", kIndent, formatWidthSpec(rows.tblW));
    file.printLine("%sjc=%d", kIndent, rows.jc);
    file.printLine("%stblCellSpacing=%s", kIndent, formatWidthSpec(rows.tblCellSpacing));
    file.printLine("%stblInd=%s", kIndent, formatWidthSpec(rows.tblInd));
    file.printLine("%stblBorders=", kIndent);
    printBorders(file, kIndent2, rows.tblBorders);
    printShading(file, kIndent, "shd", rows.shd);
    file.printLine("%stblLayout=%d", kIndent, rows.tblLayout);
    file.printLine("%stblCellMar=", kIndent);
    printMargins(file, kIndent2, rows.tblCellMar);
    file.printLine("%stblLook=%d", kIndent, rows.tblLook);
    file.printLine("%sdivId=%d", kIndent, rows.divId);
    file.printLine("%sgridBefore=%d", kIndent, rows.gridBefore);
    file.printLine("%sgridAfter=%d", kIndent, rows.gridAfter);
    file.printLine("%swBefore=%s", kIndent, formatWidthSpec(rows.wBefore));
    file.printLine("%swAfter=%s", kIndent, formatWidthSpec(rows.wAfter));
    file.printLine("%scantSplit=%d", kIndent, rows.cantSplit);
    file.printLine("%strHeight=%s", kIndent, formatHeightSpec(rows.trHeight));
    file.printLine("%stblHeader=%d", kIndent, rows.tblHeader);
    file.printLine("%srows=%d", kIndent, rows.rows);
    const int cells = boundedCount<int>(rows.rows, kMaxRowCells);
    for (int i = 0; i < cells; ++i) printCell(file, i, rows.cells[i]);
    const int columns = boundedCount<int>(rows.grid.numOfColumns, kMaxGridColumns);
    for (int i = 0; i < columns; ++i) {
        file.printLine("%s%02d=", kIndent, i);
        file.printLine("%s=%d", kIndent, rows.grid.columnRightPos[i]);
    }
}

void printTabs(CFile& file, const XTabs& tabs) {
    file.printLine("tabs=");
    file.printLine("%stabs=%d", kIndent, tabs.tabs);
    const int stops = boundedCount<int>(tabs.tabs, kMaxTabs);
    for (int i = 0; i < stops; ++i) {
        file.printLine("%s%02d=", kIndent, i);
        printFields(file, kIndent2, kXTabTable, &tabs.tab[i]);
    }
}

}  // namespace

void dumpXForm(const XForm& form, CFile& file) {
    printHeader(file, "Form", form.position, form.changeBits);
    const RecordLines lines(file, kXFormTable, &form);
    lines.plain(0);
    lines.plain(2, 9);
    lines.plain(11, 16);
    if (lines.has(17)) file.printLine("txtFore=%s", formatRGBColor(form.txtFore));
    if (lines.has(18)) file.printLine("txtBack=%s", formatRGBColor(form.txtBack));
    lines.plain(19);
    lines.plain(21, 22);
    if (lines.has(23)) {
        const LongRect& rect = form.picRect;
        file.printLine("picRect=%d:%d:%d:%d", rect.top, rect.left, rect.bottom, rect.right);
    }
    // The picture reference as a number, 0 for none; a pointer is 64 bits wide on this system.
    if (lines.has(24)) {
        file.printLine("picData=%llu", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(form.picData)));
    }
    lines.plain(25);
    lines.plain(27);
    if (lines.has(28)) printShading(file, "", "shading", form.shading);
    if (lines.has(26)) printBorder(file, "", "border", form.border);
    lines.plain(29, 31);
    if (lines.has(32)) file.printLine("underlineColor=%s", formatRGBColor(form.underlineColor));
    lines.plain(33);
    if (lines.has(34)) {
        const RevisionMark& revision = form.revision;
        file.printLine("revision=id %d, type %d, author %d, date %d", revision.id, revision.type, revision.author,
                       revision.date);
    }
    lines.plain(35);
    if (lines.has(36)) {
        const XField& field = form.field;
        file.printLine("field=dirty %d, locked %d, fldData %.*s", field.dirty, field.locked, textLength(field.fldData),
                       field.fldData);
    }
    if (lines.has(37)) {
        const XffData& data = form.ffData;
        file.printLine("ffData=calcOnExit %d, enabled %d, name %.*s", data.calcOnExit, data.enabled,
                       textLength(data.name), data.name);
    }
}

void dumpXRule(const XRule& rule, CFile& file) {
    printHeader(file, "Rule", rule.position, rule.changeBits);
    const RecordLines lines(file, kXRuleTable, &rule);
    lines.plain(0, 34);
    if (lines.has(35)) printShading(file, "", "shading", rule.shading);
    if (lines.has(36)) printBorder(file, "", "borderTop", rule.borderTop);
    if (lines.has(37)) printBorder(file, "", "borderLeft", rule.borderLeft);
    if (lines.has(38)) printBorder(file, "", "borderBottom", rule.borderBottom);
    if (lines.has(39)) printBorder(file, "", "borderRight", rule.borderRight);
    if (lines.has(40)) printBorder(file, "", "borderBetween", rule.borderBetween);
    lines.plain(41);
    if (lines.has(42)) {
        file.printLine("frame=");
        printFields(file, kIndent, kXFrameTable, &rule.frame);
    }
    // Bit 43, the list level, has no lines.
    if (lines.has(44)) printTabs(file, rule.tabs);
    if (lines.has(45)) printRows(file, rule.rows);
}

void dumpXPage(const XPage& page, CFile& file) {
    printHeader(file, "Page", page.position, page.changeBits);
    const RecordLines lines(file, kXPageTable, &page);
    lines.plain(0, 13);
    if (lines.has(14)) file.printLine("columnsDesc=%s", formatColumns(page));
    lines.plain(15, 20);
    if (lines.has(21)) {
        file.printLine("footnote=");
        printFields(file, kIndent, kXFootnoteTable, &page.footnote);
    }
    if (lines.has(22)) {
        file.printLine("endnote=");
        printFields(file, kIndent, kXFootnoteTable, &page.endnote);
    }
    if (lines.has(23)) {
        file.printLine("lineNumber=");
        printFields(file, kIndent, kXLineNumberTable, &page.lineNumber);
    }
    if (lines.has(24)) {
        file.printLine("pageNumber=");
        printFields(file, kIndent, kXPageNumberTable, &page.pageNumber);
    }
    lines.plain(25);
    if (lines.has(26)) printBorder(file, "", "borderTop", page.borderTop);
    if (lines.has(27)) printBorder(file, "", "borderLeft", page.borderLeft);
    if (lines.has(28)) printBorder(file, "", "borderBottom", page.borderBottom);
    if (lines.has(29)) printBorder(file, "", "borderRight", page.borderRight);
    lines.plain(30, 35);
    // Bits 36 to 41, the header and footer references, have no lines.
}
