// The text request of the spreadsheet importer: one queued cell (or run of a rich-text cell) per request,
// shown as its format shows it, with its separator, and its font as the run's character format.
#include <algorithm>

#include "foundation/CFail.h"
#include "foundation/language/UIStrings.h"
#include "import/spreadsheet/CXLMLImporter.h"
#include "import/spreadsheet/numberformat/ExFormat.h"
#include "import/spreadsheet/sheets/CellNumber.h"
#include "import/spreadsheet/styles/CStyle.h"
#include "model/params/ParamBlockHost.h"
#include "model/params/XParamBlock.h"
#include "package/xml/XmlNodeHelpers.h"

namespace {

constexpr const char* kUnit = "BL_XLML(imp)";
constexpr std::uint16_t kFalseText = 20100;
constexpr std::uint16_t kTrueText = 20101;
// Cells of one format join into runs of about this many units.
constexpr std::int32_t kJoinedRunUnits = 4096;

}  // namespace

void CXLMLImporter::readText() {
    if (queue.isEmpty()) nextCellPosition();
    CQueue* entry = queue.front();
    if (!entry) {
        block->textLength = 0;
        answerYes();
        return;
    }
    FormatText shown;
    answerRun(*entry, cellText(*entry, shown));
    // The run's font stays with the run while the cells after it are compared with it; the entry's slot
    // may take one of those cells.
    const std::unique_ptr<CFont> runFont = std::move(entry->runFont);
    const CFont& font = runFont ? *runFont : entry->style->font;
    queue.dropFirst();
    appendAlikeCells(font, shown);
    answerYes();
}

// The cells that follow with the same character format join the run: the story would merge them all the
// same, and each request costs the engine more than a cell costs us (a sheet of 800,000 cells took
// several times as long one cell per request).
void CXLMLImporter::appendAlikeCells(const CFont& font, FormatText& shown) {
    while (block->textLength < kJoinedRunUnits) {
        if (queue.isEmpty() && !nextCellPosition()) return;
        const CQueue* next = queue.front();
        if (next == nullptr || !next->getFont().looksLike(font)) return;
        const std::u16string_view text = cellText(*next, shown);
        const std::size_t needed = text.size() + (next->separator != 0 ? 1 : 0);
        if (block->textLength + needed > static_cast<std::size_t>(kTaskTextBufferUnits)) return;
        std::copy(text.begin(), text.end(), block->textBuffer + block->textLength);
        block->textLength += static_cast<std::int32_t>(text.size());
        if (next->separator != 0) block->textBuffer[block->textLength++] = next->separator;
        queue.dropFirst();
    }
}

std::u16string_view CXLMLImporter::cellText(const CQueue& entry, FormatText& shown) const {
    switch (entry.type) {
    case kCellBoolean: {
        // The value is read as a number: anything but 0 is TRUE.
        const bool on = readCellNumber(entry.text) != 0;
        char16_t word[256];
        loadUniText(word, on ? kTrueText : kFalseText);
        shown.clear();
        shown.put(std::u16string_view(word));
        return shown.view();
    }
    case kCellNumber:
        return entry.style->numFmt.formatter().formatCellText(readCellNumber(entry.text), shown);
    default:
        return entry.text;
    }
}

void CXLMLImporter::answerRun(const CQueue& entry, std::u16string_view text) {
    // Setting a record to its defaults walks its field table; a sheet has many cells, so the default
    // run is made once and copied. The paragraph record is set once per sheet (beginSheet): nothing
    // changes it between the cells.
    static const XForm defaultForm = [] {
        XForm form;
        initXForm(&form);
        form.cellStyle = kDefaultCellStyle;
        return form;
    }();
    block->form = defaultForm;
    const CFont& font = entry.getFont();
    block->form.txtFace |= font.faceFlags();
    block->form.txtFore = font.color;
    block->form.txtSize = font.size;

    throwIfNull(block->textBuffer, __LINE__, kUnit);
    // Cell texts come in pieces that leave room for the separator (SheetCells.cpp); a formatted number
    // is never longer.
    const auto length = static_cast<std::int32_t>(std::min<std::size_t>(text.size(), kTaskTextBufferUnits - 1));
    std::copy_n(text.data(), length, block->textBuffer);
    block->textLength = length;
    if (entry.separator != 0) block->textBuffer[block->textLength++] = entry.separator;
}
