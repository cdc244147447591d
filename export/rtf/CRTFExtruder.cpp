#include "export/rtf/CRTFExtruder.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "export/rtf/CRTFFile.h"
#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "model/params/XParamBlock.h"
#include "model/story/StoryKinds.h"

namespace {

constexpr const char* kUnit = "BL_RTF(exp)";

constexpr std::int16_t kArabic = 1025;
constexpr std::int16_t kHebrew = 1037;
constexpr std::int32_t kBookmarkStart = 28;
constexpr std::int32_t kBookmarkEnd = 29;
constexpr std::int16_t kCommentSelector = 5;
constexpr std::int16_t kFootnoteSelector = 7;
// The special character that carries a comment's author and date.
constexpr std::int32_t kCommentInformation = 84;
constexpr std::int16_t kEndnoteSelector = 8;

constexpr char16_t kLeftToRightEmbedding = 0x202A;
constexpr char16_t kRightToLeftEmbedding = 0x202B;
constexpr char16_t kPopDirectionalFormatting = 0x202C;
constexpr char16_t kLeftToRightOverride = 0x202D;
constexpr char16_t kRightToLeftOverride = 0x202E;

bool isOnly(const CRTFBuffer& run, char16_t code) {
    return run.count() == 1 && run.text()[0] == code;
}

bool endsTableRow(const CRTFBuffer& run) {
    return isOnly(run, storycode::kCellEnd) && run.rule().lastCellOfRow == 1;
}

bool endsParagraphOrMore(char16_t unit) {
    return unit == storycode::kPageBreak || unit == storycode::kSectionBreak || unit == storycode::kParagraphEnd ||
           unit == storycode::kCellEnd;
}

// The form a unit takes in right-to-left text: the Hebrew presentation forms of shin and vav become
// their plain letters. Brackets stay as typed: RTF keeps text in logical order, and its readers mirror
// brackets themselves when they lay right-to-left text out.
char16_t plainHebrewLetter(char16_t unit) {
    switch (unit) {
        case 0xFB2A:
        case 0xFB2B: return 0x05E9;
        case 0xFB35:
        case 0xFB4B: return 0x05D5;
        default: return unit;
    }
}

std::int32_t bookmarkNameLength(const char16_t* name, std::int32_t limit) {
    std::int32_t length = 0;
    while (length < limit && name[length] != 0) ++length;
    return length;
}

}  // namespace

CRTFExtruder::CRTFExtruder(CRTFFile* emitter, std::int16_t storySelector) : emitter(emitter), selector(storySelector) {}

CRTFExtruder::~CRTFExtruder() = default;

void CRTFExtruder::takeRun(const XParamBlock& block) {
    copyXForm(&form, &block.form);
    takeParagraph(block.rule);
    if (sectionPending == 1) copyXPage(&page, &block.page);
    if (block.textBuffer == nullptr || block.textLength <= 0) return;
    cutText(block.textBuffer, block.textLength);
}

void CRTFExtruder::takeParagraph(const XRule& rule) {
    // The runs of one paragraph carry the same record: it is kept once and shared by their buffered runs.
    // Records that differ only in their padding are kept twice, which costs memory, never output.
    if (paragraph != nullptr && std::memcmp(paragraph.get(), &rule, sizeof rule) == 0) return;
    raisingOutOfMemory(__LINE__, kUnit, [&] { paragraph = std::make_shared<const XRule>(rule); });
}

bool CRTFExtruder::isNumberChar(char16_t unit) {
    return unit == u'%' || unit == u'+' || unit == u'-' || unit == u'/' || (unit >= u'0' && unit <= u'9');
}

std::int16_t CRTFExtruder::numberDirection(char16_t unit, char16_t next, std::int16_t previous,
                                           std::int16_t rightToLeft) {
    if (unit == storycode::kParagraphEnd || rightToLeft == 0) return 0;
    if (isNumberChar(unit)) return 1;
    // A separator belongs to the number run when a digit follows it.
    if (previous != 0 && (unit == u',' || unit == u'.' || unit == u':')) return isNumberChar(next) ? 1 : 0;
    return 0;
}

bool CRTFExtruder::takeEmbeddingControl(char16_t unit) {
    switch (unit) {
        case kLeftToRightEmbedding:
        case kLeftToRightOverride:
            directions.push(rtlEmbedding);
            rtlEmbedding = 0;
            return true;
        case kRightToLeftEmbedding:
        case kRightToLeftOverride:
            directions.push(rtlEmbedding);
            rtlEmbedding = 1;
            return true;
        case kPopDirectionalFormatting: rtlEmbedding = directions.pop(); return true;
        default: return false;
    }
}

void CRTFExtruder::cutText(const char16_t* units, std::int32_t count) {
    const std::int16_t language = selectLanguageByHint(form);
    const std::int16_t rightToLeft = (language == kArabic || language == kHebrew) ? 1 : 0;
    bool startsRun = true;
    for (std::int32_t i = 0; i < count; ++i) {
        char16_t unit = units[i];
        const char16_t next = i + 1 < count ? units[i + 1] : 0;
        if (unit == storycode::kTableStart || unit == storycode::kTableEnd) continue;
        if (rightToLeft == 1) {
            if (takeEmbeddingControl(unit)) continue;
        } else {
            rtlEmbedding = 0;
        }
        const std::int16_t unitDirection =
            rtlEmbedding == 1 ? numberDirection(unit, next, lastDirection, rightToLeft) : std::int16_t{0};
        const bool forced = endsParagraphOrMore(unit);
        if (rightToLeft == 1) unit = plainHebrewLetter(unit);
        if (forced || startsRun || unitDirection != lastDirection || runs.empty()) {
            startBuffer(unitDirection);
            lastDirection = unitDirection;
            startsRun = false;
        }
        appendUnit(unit);
    }
}

void CRTFExtruder::startBuffer(std::int16_t direction) {
    auto* run = new (std::nothrow) CRTFBuffer(direction, form, paragraph);
    throwIfNull(run, __LINE__, kUnit);
    std::unique_ptr<CRTFBuffer> owned(run);
    raisingOutOfMemory(__LINE__, kUnit, [&] { runs.push_back(std::move(owned)); });
}

void CRTFExtruder::appendUnit(char16_t unit) {
    if (runs.back()->isFull()) startBuffer(runs.back()->direction());
    runs.back()->append(unit);
}

void CRTFExtruder::replay(bool release) {
    // A story replayed whole starts with a paragraph of its own each time. The main story is replayed
    // run by run: its paragraph goes on from one replay to the next and states its properties once.
    const bool wholeStory = selector != kMainStorySelector;
    if (wholeStory) paragraphPending = 1;
    const std::size_t count = runs.size();
    // The closing paragraph belongs to stories replayed whole, never to a main-story run.
    std::size_t rowEnd = 0;
    for (std::size_t i = 0; i < count; ++i) {
        announceRow(i, rowEnd);
        replayRun(*runs[i], wholeStory && i + 1 == count);
    }
    if (release) releaseRuns();
}

void CRTFExtruder::announceRow(std::size_t index, std::size_t& rowEnd) {
    // The first cell run after the last row end starts a row.
    if (index < rowEnd || runs[index]->rule().cellOfRow != 1) return;
    std::size_t end = index;
    while (end < runs.size() && !endsTableRow(*runs[end])) ++end;
    // A row whose end is not buffered states its definition at its end, when that comes.
    if (end < runs.size()) emitter->beginTableRow(runs[end]->rule().rows);
    rowEnd = end + 1;
}

void CRTFExtruder::replayRun(CRTFBuffer& run, bool lastOfWholeStory) {
    copyXForm(&form, &run.form());
    const XRule& rule = run.rule();
    if (selector != kMainStorySelector && storyGroupOpen == 0) {
        if (const CRTFBuffer* information = commentInformation()) emitter->writeCommentIdentity(information->form());
        storyGroupOpen = emitter->openNoteGroup(selector);
    }
    if (sectionPending == 1) {
        emitter->writeSectionProps(page, sectionKind);
        sectionPending = 0;
        sectionKind = 0;
    }
    // Inside a field's instruction every word is the instruction's: the paragraph that starts there
    // states its properties once the instruction is over.
    if (paragraphPending == 1 && !insideFieldInstruction()) {
        emitter->writeParagraphProps(rule, 0);
        paragraphPending = 0;
    }
    // A table's rows are written outside any run group: a group around them would hold the rows'
    // paragraphs and the text after the table.
    const bool table = isOnly(run, storycode::kTable);
    if (!table) emitter->beginCharacterRun(form, 0);
    writeRunContent(run);
    if (!table) emitter->endCharacterRun(fields);
    // A story that ends inside a paragraph gets its paragraph end; notes end without one.
    if (lastOfWholeStory && paragraphPending != 1 && selector != kFootnoteSelector && selector != kEndnoteSelector) {
        emitter->writeControlCode(storycode::kParagraphEnd, form, rule, fields);
        paragraphPending = 1;
    }
    if (paragraphPending == 1) emitter->endParagraph();
    if (sectionPending == 1) emitter->endSection();
}

const CRTFBuffer* CRTFExtruder::commentInformation() const {
    if (selector != kCommentSelector) return nullptr;
    for (const auto& run : runs) {
        if (run->count() == 1 && run->text()[0] == storycode::kSpecialCharacter &&
            (run->form().txtData & 0xFFFF) == kCommentInformation)
            return run.get();
    }
    return nullptr;
}

void CRTFExtruder::writeRunContent(CRTFBuffer& run) {
    const std::int32_t kind = run.form().txtData;
    if (kind == kBookmarkStart) {
        emitter->writeBookmark(run.text(), run.count(), static_cast<std::int16_t>(kBookmarkStart));
        const std::int32_t length = std::min<std::int32_t>(run.count(), kBookmarkNameUnits - 1);
        std::copy_n(run.text(), length, bookmarkName);
        bookmarkName[length] = 0;
        return;
    }
    if (kind == kBookmarkEnd) {
        emitter->writeBookmark(bookmarkName, bookmarkNameLength(bookmarkName, kBookmarkNameUnits),
                               static_cast<std::int16_t>(kBookmarkEnd));
        bookmarkName[0] = 0;
        return;
    }
    if (run.count() == 1) {
        const char16_t code = run.text()[0];
        if (endsParagraphOrMore(code)) paragraphPending = 1;
        if (code == storycode::kSectionBreak) {
            sectionPending = 1;
            sectionKind = static_cast<std::int16_t>(kind & 0xFFFF);
        }
        if (emitter->writeControlCode(code, form, run.rule(), fields) == 1) writeBuffer(run);
        // A table ends with its last row: the text after it states its paragraph again.
        if (code == storycode::kTable) paragraphPending = 1;
        return;
    }
    if (kind == storycode::kFieldStart) {
        emitter->writeFieldRun(form, run.text(), run.count());
        return;
    }
    writeBuffer(run);
}

void CRTFExtruder::writeBuffer(const CRTFBuffer& run) {
    const std::int16_t n = run.count();
    if (run.direction() != 1) {
        emitter->writeText(run.text(), n, run.form().txtCode);
        return;
    }
    // A number run inside right-to-left text is written last unit first; the stored run stays as it is,
    // so every replay writes the same.
    char16_t reversed[CRTFBuffer::kCapacity];
    std::reverse_copy(run.text(), run.text() + n, reversed);
    emitter->writeText(reversed, n, run.form().txtCode);
}

bool CRTFExtruder::insideFieldInstruction() const {
    return fields.fieldDepth > fields.resultDepth;
}

void CRTFExtruder::closeStoryGroup() {
    if (storyGroupOpen != 1) return;
    storyGroupOpen = 0;
    emitter->closeNoteGroup();
}

void CRTFExtruder::releaseRuns() {
    runs.clear();
    form.picData = nullptr;
}
