// The text request of CWordMLImporter: the story's walk becomes runs. Each answer is one run (units
// that share one character, paragraph and section record), or the end of the story (length 0).
//
// A request delivers one of: a pending row end (one unit 16 carrying the row); a section break
// (unit 8) before the item that opens the new section, which is then delivered again; one item's run
// (its special character, field instruction or text, then 16 at a cell end or 13 at a paragraph end);
// or the next piece of a run longer than kDeliveryUnits, whose records are handed out again with it.
#include <algorithm>

#include "engine/translators/TranslatorRequest.h"
#include "foundation/text/TextBoundary.h"
#include "foundation/CFail.h"
#include "foundation/encoding/Utf8Codec.h"
#include "import/wordml/CWordMLImporter.h"
#include "import/wordml/WordMLParsing.h"
#include "model/story/StoryKinds.h"
#include "model/params/XParamBlock.h"
#include "package/xml/XmlElementSearch.h"

namespace {

constexpr const char* kUnit = "BL_WordML(imp)";
constexpr std::int16_t kSectionBreakAnswer = 8;
constexpr std::int16_t kArabic = 1025;
constexpr std::int16_t kHebrew = 1037;
constexpr char16_t kRightToLeftOverride = 0x202E;
constexpr char16_t kPopDirectionalFormatting = 0x202C;
constexpr std::int16_t kAsciiHint = 1;
constexpr std::int16_t kEastAsianHint = 4;

bool allAscii(const std::u16string& units) {
    return std::all_of(units.begin(), units.end(), [](char16_t unit) { return unit < 0x80; });
}

// Units 0x20 to 0xBF are written inside a right-to-left override; brackets trade places in Hebrew.
bool isEmbeddedClass(char16_t unit) {
    return unit >= 0x20 && unit <= 0xBF;
}

char16_t mirroredBracket(char16_t unit) {
    switch (unit) {
    case u'(': return u')';
    case u')': return u'(';
    case u'<': return u'>';
    case u'>': return u'<';
    case u'[': return u']';
    case u']': return u'[';
    case u'{': return u'}';
    case u'}': return u'{';
    default: return unit;
    }
}

// Copies the units with direction marks; answers the units written.
std::int32_t copyRightToLeft(const char16_t* units, std::size_t count, bool hebrew, char16_t* target) {
    std::int32_t written = 0;
    bool embedded = false;
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t unit = units[i];
        if (unit == 0) continue;
        const bool unitEmbedded = isEmbeddedClass(unit);
        if (unitEmbedded != embedded) target[written++] = unitEmbedded ? kRightToLeftOverride : kPopDirectionalFormatting;
        embedded = unitEmbedded;
        target[written++] = hebrew ? mirroredBracket(unit) : unit;
    }
    return written;
}

}  // namespace

void CWordMLImporter::readText() {
    block->textLength = 0;
    if (pendingOffset < pending.size()) {
        deliverPiece();
        return;
    }
    runUnits.clear();
    if (commentInformationDue != nullptr) {
        deliverCommentInformation();
        beginDelivery();
        return;
    }
    if (pendingEndMark != 0) {
        runUnits.push_back(pendingEndMark);
        pendingEndMark = 0;
        block->form.txtData = 0;
        beginDelivery();
        return;
    }
    if (rowEndPending) {
        rowEndPending = false;
        if (tableRows != nullptr) tableRows->storeRowDefinition(&block->rule);
        if (tableIndentPlacesEdge) {
            WidthSpec& indent = block->rule.rows.tblInd;
            indent.w = (indent.type == kWidthTwips ? indent.w : 0) + firstCellLeftMargin(block->rule.rows);
            indent.type = kWidthTwips;
        }
        block->rule.lastCellOfRow = 1;
        runUnits.push_back(storycode::kCellEnd);
        beginDelivery();
        return;
    }
    WalkItem item{};
    while (runUnits.empty()) {
        if (!nextPosition(item)) {
            answerNoText();
            return;
        }
        if (acceptParagraph(item.paragraph) != 1) continue;
        if (produceItem(item)) break;
    }
    beginDelivery();
}

// Sets the records of one item and assembles its units; answers true when the item ends the request
// on its own (a section break).
bool CWordMLImporter::produceItem(const WalkItem& item) {
    const bool sectionChanged = current.section != nullptr && item.section != current.section &&
                                block->storyNumber == storykind::kMain;
    // A field or hyperlink never reaches into the next paragraph.
    if (item.paragraph != current.paragraph) {
        currentSimpleField = nullptr;
        currentHyperlink = nullptr;
    }
    current = item;
    std::int16_t breakCode = 0;
    if (sectionChanged) {
        // The item that opens a section is made afresh, without its table row.
        if (paragraphRecords != nullptr) paragraphRecords->valid = false;
        resetSectionDefaults();
        resetParagraphDefaults();
        xmlNode* section = findSectionNode(item.paragraph);
        breakCode = sectionBreakCode(section);
        applySectionProperties(section);
        applyParagraphProperties(item.paragraph);
    } else {
        setParagraphRecords(item);
    }
    applyRunProperties(item.run);
    noteParagraphHook(item.paragraph);

    if (sectionChanged && breakCode == kSectionBreakAnswer) {
        runUnits.push_back(storycode::kSectionBreak);
        // An empty paragraph that opens the section is used up by the break.
        if (!item.paragraphIsEmpty) replayPosition = true;
        return true;
    }
    if (item.cell != nullptr) block->rule.cellOfRow = 1;
    xmlNode* nextParagraph = paragraphs->peekNextParagraph();
    if (item.paragraphIsEmpty) {
        closeEmptyParagraph(item, nextParagraph);
    } else {
        appendRunItem(item, nextParagraph);
    }
    return false;
}

// The records of the item before its run's properties: the paragraph's, made at its first run.
void CWordMLImporter::setParagraphRecords(const WalkItem& item) {
    ParagraphRecords* kept = paragraphRecords.get();
    if (kept != nullptr && kept->valid && kept->paragraph == item.paragraph && kept->section == item.section &&
        kept->row == item.row && kept->cell == item.cell) {
        // The engine changes the records it is given: every run gets the paragraph's own again.
        copyXPage(&block->page, &kept->page);
        copyXRule(&block->rule, &kept->rule);
        copyXForm(&block->form, &kept->form);
        return;
    }
    resetSectionDefaults();
    resetParagraphDefaults();
    // The table style comes first; the paragraph's and run's own properties override it.
    if (tableRows != nullptr) tableRows->readRow(&block->rule, &block->form, item.row, item.cell);
    applySectionProperties(item.section);
    applyParagraphProperties(item.paragraph);
    if (kept == nullptr) {
        paragraphRecords = std::make_unique<ParagraphRecords>();
        kept = paragraphRecords.get();
    }
    kept->valid = true;
    kept->paragraph = item.paragraph;
    kept->section = item.section;
    kept->row = item.row;
    kept->cell = item.cell;
    copyXPage(&kept->page, &block->page);
    copyXRule(&kept->rule, &block->rule);
    copyXForm(&kept->form, &block->form);
}

void CWordMLImporter::closeEmptyParagraph(const WalkItem& item, xmlNode* nextParagraph) {
    bool lastOfRow = false;
    if (checkCellEnd(item.cell, nextParagraph, &lastOfRow)) {
        runUnits.push_back(storycode::kCellEnd);
        rowEndPending = lastOfRow;
    } else if (xmlFindElement(item.paragraph->children, "w", "sectPr", 1) == nullptr) {
        // A paragraph that only carries section properties gets no mark.
        runUnits.push_back(storycode::kParagraphEnd);
    }
}

void CWordMLImporter::appendRunItem(const WalkItem& item, xmlNode* nextParagraph) {
    // A marker (a bookmark, a comment range) is a run whose record says what it marks.
    bool marker = false;
    if (item.kind != 0) {
        runUnits.push_back(static_cast<char16_t>(item.kind));
        block->form.txtData = item.tag;
    } else if (item.run != nullptr && readParagraphContent(item.run) == 1) {
        const RunContent content = readRunContent(item.run);
        if (content.specialCode != 0) runUnits.push_back(content.specialCode);
        if (content.hasInstruction) appendText(content.instruction);
        if (content.useRunText) {
            // A simple field's result comes whole with the field's first run, and a Word 2003 revision
            // annotation's with the annotation; a run nested in a run is a run of its own.
            xmlNode* field = xmlNextElement(item.run, "w", "fldSimple");
            if (field != nullptr) {
                appendText(visibleRunText(field, true));
            } else {
                appendText(visibleRunText(item.run, !xmlIsElement(item.run, "w", "r")));
            }
        }
    } else {
        marker = !runUnits.empty();
    }
    if (!item.isLastRun) return;
    bool lastOfRow = false;
    char16_t endMark = 0;
    if (checkCellEnd(item.cell, nextParagraph, &lastOfRow)) {
        endMark = storycode::kCellEnd;
        rowEndPending = lastOfRow;
    } else if (item.kind == 0 && block->storyNumber != storykind::kFootnote &&
               block->storyNumber != storykind::kEndnote) {
        endMark = storycode::kParagraphEnd;
    }
    // The mark that ends a paragraph or cell after a marker comes as a run of its own, or the marker's
    // record would swallow it (a cell never closed, a bookmark name ending in a paragraph mark).
    if (marker) {
        pendingEndMark = endMark;
    } else if (endMark != 0) {
        runUnits.push_back(endMark);
    }
}

// Document text never brings a control unit: units 1 to 31 are anchors in story text.
void CWordMLImporter::appendText(const std::string& utf8) {
    if (utf8.empty()) return;
    const std::u16string units = utf8ToUtf16String(utf8);
    runUnits.reserve(runUnits.size() + units.size());
    for (const char16_t unit : units) runUnits.push_back(unit < 0x20 ? u' ' : unit);
}

void CWordMLImporter::beginDelivery() {
    // A right-to-left paragraph trades left and right justification.
    if (block->rule.direction == 1) {
        if (block->rule.justification == 0) {
            block->rule.justification = 2;
        } else if (block->rule.justification == 2) {
            block->rule.justification = 0;
        }
    }
    // An East Asian hint only decides the characters the scripts share: plain ASCII always takes the
    // run's ASCII font, so a run of nothing else goes in under the ASCII hint. Kept, the hint would
    // set the whole run in the East Asian font.
    if (block->form.txtHint == kEastAsianHint && allAscii(runUnits)) block->form.txtHint = kAsciiHint;
    pending.swap(runUnits);
    runUnits.clear();
    pendingOffset = 0;
    // The block holds the run's records already: only the later pieces put them back, and the records
    // (the paragraph's alone is 11 KB) are kept only for a run too long for one piece.
    if (utf16CutPoint(std::u16string_view(pending), kDeliveryUnits) < pending.size()) {
        copyXForm(&pendingForm, &block->form);
        copyXRule(&pendingRule, &block->rule);
        copyXPage(&pendingPage, &block->page);
    }
    deliverUnits();
}

void CWordMLImporter::deliverPiece() {
    // The engine may change the records it stored; every piece of a run carries the run's own.
    copyXForm(&block->form, &pendingForm);
    copyXRule(&block->rule, &pendingRule);
    copyXPage(&block->page, &pendingPage);
    deliverUnits();
}

void CWordMLImporter::deliverUnits() {
    throwIfNull(block->textBuffer, __LINE__, kUnit);
    const std::size_t count = utf16CutPoint(std::u16string_view(pending).substr(pendingOffset), kDeliveryUnits);
    const char16_t* units = pending.data() + pendingOffset;
    const std::int16_t language = selectLanguageByHint(block->form);
    if (language == kArabic || language == kHebrew) {
        block->textLength = copyRightToLeft(units, count, language == kHebrew, block->textBuffer);
    } else {
        std::copy(units, units + count, block->textBuffer);
        block->textLength = static_cast<std::int32_t>(count);
    }
    pendingOffset += count;
    if (pendingOffset >= pending.size()) {
        pending.clear();
        pendingOffset = 0;
    }
    block->selector = request::kAnswerYes;
}
