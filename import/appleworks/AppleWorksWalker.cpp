#include "import/appleworks/AppleWorksWalker.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/translators/TranslatorRequest.h"
#include "foundation/CFail.h"
#include "foundation/CRandom.h"
#include "foundation/memory/Memory.h"
#include "import/appleworks/AppleWorksText.h"
#include "import/appleworks/StyleResolution.h"
#include "import/appleworks/TableCellFormat.h"
#include "import/appleworks/file/AppleWorksFileReader.h"
#include "import/appleworks/file/PageRecords.h"
#include "model/params/XParamBlock.h"

namespace appleworks {

namespace {

constexpr std::int32_t kPointsToTwips = 20;
constexpr std::int32_t kStoryIdLow = 0x7fff;
constexpr std::int32_t kStoryIdHigh = 0x7fffffff;
constexpr std::int32_t kMaxRulerTabs = 20;
constexpr RGBColor kWhiteColor{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kBlackColor{0, 0, 0};

// Units of the story text.
constexpr char16_t kParagraphEnd = 13;
constexpr char16_t kColumnBreak = 6;
constexpr char16_t kLineBreak = 5;
constexpr char16_t kPageBreak = 7;
constexpr char16_t kSectionBreak = 8;
constexpr char16_t kSpecialCharacter = 25;
constexpr char16_t kEndOfCell = 16;
constexpr char16_t kTableAnchor = 10;
constexpr char16_t kPictureAnchor = 1;
constexpr char16_t kFootnoteReference = 23;
constexpr char16_t kEndnoteReference = 24;
constexpr char16_t kFootnoteMark = 2;
constexpr char16_t kEndnoteMark = 3;

constexpr std::uint16_t kNoteEntryType = 0;
constexpr std::uint16_t kAnchorEntryType = 1;
constexpr std::int32_t kEntryZone = 6;  // i32: the zone a note or anchor entry names

// Bytes of the file's text that are not characters.
constexpr std::uint8_t kByteColumnBreak = 1;
constexpr std::uint8_t kByteNoteReference = 2;
constexpr std::uint8_t kByteAnchor = 3;
constexpr std::uint8_t kByteDate = 4;
constexpr std::uint8_t kByteTime = 5;
constexpr std::uint8_t kBytePageNumber = 6;
constexpr std::uint8_t kByteNoteNumber = 7;
constexpr std::uint8_t kByteLineBreak = 10;
constexpr std::uint8_t kBytePageBreak = 11;
constexpr std::uint8_t kByteSectionBreak = 12;

// Section entries of the main text zone.
constexpr std::int32_t kSectionHeaderRefs = 62;  // two zone numbers, then two footer zone numbers at 70
constexpr std::int32_t kSectionFooterRefs = 70;
constexpr std::int32_t kSectionTitlePage = 57;
constexpr std::int32_t kSectionColumns = 12;
constexpr std::int32_t kSectionColumnWidths = 14;  // nine i16, then nine spaces at 34
constexpr std::int32_t kSectionColumnSpaces = 34;
constexpr std::int32_t kSectionColumnCount = 9;
constexpr std::int32_t kSectionBreakType = 53;
constexpr std::int32_t kSectionFirstPage = 54;
constexpr std::int32_t kSectionRestart = 56;

// The section-break kinds of the story text for the break-type byte 0 to 3 of the section it starts.
constexpr std::int32_t kSectionBreakKinds[4] = {4, 2, 5, 6};

// Rulers: the paragraph label (list style) and its level.
constexpr std::int32_t kRulerLabel = 10;

// Drawing objects.
constexpr std::int32_t kObjectType = 0;
constexpr std::int32_t kObjectBounds = 4;  // i32 top, left, bottom, right, in points
constexpr std::int32_t kObjectPicture = 30;
constexpr std::int32_t kObjectPictureFormat = 38;
constexpr std::uint8_t kPictureObject = 8;
constexpr std::uint8_t kQuickTimeObject = 18;

// Version 6 keeps a pointer to the object's text after each object record.
std::int32_t objectStride(const AppleWorksFamily& family) {
    return zone::kObjectSize + (family.objectsCarryText ? 4 : 0);
}

// Whether an object record holds a picture: a picture object of either family, or the picture object of
// version 6, whose bytes the reader has typed.
bool isPictureObject(const BlockView& objects, std::int32_t at) {
    const std::uint8_t type = objects.u8(at + kObjectType);
    return (type == kPictureObject || type == kQuickTimeObject) && objects.u8(at + kObjectPictureFormat) != 0;
}

// Mac text encodings whose characters may take two bytes.
bool isDoubleByteEncoding(std::int32_t encoding) {
    return encoding == 1 || encoding == 2 || encoding == 3 || encoding == 25;
}

bool isLeadByte(std::int32_t encoding, std::uint8_t byte) {
    if (byte < 0x81 || byte == 0xA0 || byte > 0xFC) return false;
    // Japanese keeps single-byte katakana between the lead bytes.
    return !(encoding == 1 && byte >= 0xA1 && byte <= 0xDF);
}

// The end of bytes [0, length) moved past the second byte of a character that the end would split, when
// that byte is there (available bytes from 0).
std::int32_t wholeCharacterEnd(std::int32_t encoding, const std::uint8_t* bytes, std::int32_t length,
                               std::int32_t available) {
    if (!isDoubleByteEncoding(encoding)) return length;
    std::int32_t i = 0;
    while (i < length) i += isLeadByte(encoding, bytes[i]) ? 2 : 1;
    return std::min(i, available);
}

std::int16_t faceFreeTwips(std::int32_t points) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(points * kPointsToTwips, INT16_MIN, INT16_MAX));
}

std::int16_t roundedSixteenths(std::int32_t value) {
    const std::int32_t tenfold = value * 10;
    return static_cast<std::int16_t>(tenfold >= 0 ? (tenfold + 8) / 16 : -((-tenfold + 8) / 16));
}

}  // namespace

AppleWorksWalker::AppleWorksWalker(const AppleWorksFamily& fileFamily, XParamBlock* paramBlock)
    : family(fileFamily), block(paramBlock), document_(fileFamily, paramBlock) {}

void AppleWorksWalker::openDocument(CFile& file) {
    document_.loadAppleWorksDocument(file);
    afterLoad();
}

void AppleWorksWalker::openBytes(const std::uint8_t* bytes, std::int32_t length) {
    document_.loadFromBytes(bytes, length);
    afterLoad();
}

void AppleWorksWalker::afterLoad() {
    lists.reset(new (std::nothrow) DefaultLists(block));
    throwIfNull(lists.get(), __LINE__, kUnit);
    notesAsFootnotes = document_.record().u8(family.recordEndnotesOffset) == 0;
    writePageSetup();
    collectHeadersFooters();
    collectTables();
    collectPageFrames();
    applySection(0);
    const std::uint16_t main = mainTextZone();
    if (main != 0) {
        const std::int32_t length = document_.zoneAt(main).i32(zone::kTextLength);
        if (length >= 0 && length < INT32_MAX) block->expectedLength = length + 1;
    }
}

void AppleWorksWalker::writePageSetup() {
    const AppleWorksRect page = document_.recordRect(record::kPageRect);
    const AppleWorksRect margins = document_.recordRect(record::kMargins);
    XPage& setup = block->page;
    setup.uniqueBits = 0;
    // A record without a page size keeps the block's default page.
    if (page.right > page.left && page.bottom > page.top) {
        setup.pageWidth = faceFreeTwips(page.right - page.left);
        setup.pageHeight = faceFreeTwips(page.bottom - page.top);
    }
    setup.topMargin = faceFreeTwips(margins.top);
    setup.leftMargin = faceFreeTwips(margins.left);
    setup.bottomMargin = faceFreeTwips(margins.bottom);
    setup.rightMargin = faceFreeTwips(margins.right);
    setup.orientation = setup.pageHeight < setup.pageWidth ? 1 : 0;
    setup.margination = static_cast<std::int16_t>(setup.pageWidth - setup.leftMargin - setup.rightMargin);
    setup.gutter = 10;
    const std::int16_t columns = document_.record().i16(family.recordColumnsOffset);
    if (columns >= 1 && columns <= kSectionColumnCount) setup.columns = columns;
    setup.footnote = kDefaultFootnote;
    setup.endnote = kDefaultEndnote;
    // A negative first number can only come from a damaged record: the notes keep counting from 1.
    const std::int16_t firstNote = document_.record().i16(family.recordFirstNoteOffset);
    if (firstNote != 1 && firstNote >= 0) {
        setup.footnote.startAt = firstNote;
        setup.endnote.startAt = firstNote;
    }
}

// The main text is the first text zone of the file: in every sample the document's own text stands in
// zone 1, and header, footer and note texts, when there are any, in text zones after it.
std::uint16_t AppleWorksWalker::mainTextZone() const {
    for (std::uint16_t z = 1; z <= document_.zoneCount() && z != 0; ++z) {
        if (document_.zoneKind(z) == zonekind::kText) return z;
    }
    return 0;
}

// The section entries of the main text and their count; the empty view without them.
BlockView AppleWorksWalker::sectionList(std::int32_t& count) const {
    count = 0;
    const std::uint16_t main = mainTextZone();
    if (main == 0) return {};
    const BlockView sections = document_.block(document_.zoneAt(main).slot(zone::kSections));
    if (sections.empty()) return {};
    count = sections.entriesThatFit(sections.u16(0), zone::kListEntriesStart, zone::kSectionEntrySize);
    return sections;
}

// The section in force at a position of the main text: the last whose start is not after it; -1 when
// there are none or the position lies before the first.
std::int32_t AppleWorksWalker::sectionAt(std::int32_t position) const {
    std::int32_t count = 0;
    const BlockView sections = sectionList(count);
    for (std::int32_t s = count - 1; s >= 0; --s) {
        if (sections.i32(zone::kListEntriesStart + s * zone::kSectionEntrySize) <= position) return s;
    }
    return -1;
}

void AppleWorksWalker::collectHeadersFooters() {
    std::int32_t count = 0;
    const BlockView sections = sectionList(count);
    for (std::int32_t s = 0; s < count; ++s) {
        const std::int32_t at = zone::kListEntriesStart + s * zone::kSectionEntrySize;
        SectionStories& stories = sectionStories.emplace_back(SectionStories{});
        std::int16_t kind = sections.u8(at + kSectionTitlePage) != 0 ? 0 : -1;
        for (const std::int32_t refs : {kSectionHeaderRefs, kSectionFooterRefs}) {
            const std::uint32_t first = sections.u32(at + refs);
            const std::uint32_t second = sections.u32(at + refs + 4);
            for (int which = 0; which < 2; ++which) {
                const std::uint32_t ref = which == 0 ? first : second;
                if (ref == 0 || (which == 1 && ref == first) || ref > 0xFFFF) continue;
                if (document_.zoneKind(static_cast<std::uint16_t>(ref)) != zonekind::kText) continue;
                if (kind < 0) kind = static_cast<std::int16_t>(which + 1);
                const HeaderFooter entry{static_cast<std::uint16_t>(ref), kind, randomInRange(kStoryIdLow, kStoryIdHigh)};
                (refs == kSectionHeaderRefs ? headers : footers).push_back(entry);
                (refs == kSectionHeaderRefs ? stories.header : stories.footer)[which] = entry.storyId;
            }
        }
    }
}

// The section's page settings go with the main text from its start on: columns, page numbering, the
// title page and its header and footer stories.
void AppleWorksWalker::applySection(std::int32_t section) {
    std::int32_t count = 0;
    const BlockView sections = sectionList(count);
    if (section < 0 || section >= count) return;
    const std::int32_t at = zone::kListEntriesStart + section * zone::kSectionEntrySize;
    XPage& page = block->page;
    page.uniqueBits = sections.i32(at);
    const std::int16_t columns = sections.i16(at + kSectionColumns);
    if (columns >= 1 && columns <= kSectionColumnCount) page.columns = columns;
    page.notEqualWidthColumns = 1;
    for (std::int32_t c = 0; c < kSectionColumnCount; ++c) {
        page.columnWidth[c] = faceFreeTwips(sections.i16(at + kSectionColumnWidths + 2 * c));
        page.columnSpace[c] = faceFreeTwips(sections.i16(at + kSectionColumnSpaces + 2 * c));
    }
    const std::int16_t firstPage = sections.i16(at + kSectionFirstPage);
    // A section that starts its pages at another number than 1 restarts the numbering, whatever its
    // restart byte says.
    const bool restart = firstPage != 1 || sections.u8(at + kSectionRestart) == 1;
    page.pageNumber.hasPageNumber = 1;
    page.pageNumber.restartType = restart ? 2 : 1;
    page.pageNumber.startAt = firstPage;
    page.titlePage = sections.u8(at + kSectionTitlePage);
    const SectionStories& stories = sectionStories[static_cast<std::size_t>(section)];
    page.defaultHeaderRef = stories.header[0];
    page.evenHeaderRef = stories.header[1];
    page.firstHeaderRef = 0;
    page.defaultFooterRef = stories.footer[0];
    page.evenFooterRef = stories.footer[1];
    page.firstFooterRef = 0;
}

void AppleWorksWalker::collectTables() {
    if (!family.hasTableRecords) return;
    for (std::uint16_t z = 1; z <= document_.zoneCount() && z != 0; ++z) {
        if (document_.zoneKind(z) == zonekind::kTable) tables.push_back({z, randomInRange(kStoryIdLow, kStoryIdHigh)});
    }
}

// The document's root drawing layer holds what is anchored to a page; its objects are placed on the pages
// laid end to end, so an object's page is its top over the page height.
void AppleWorksWalker::collectPageFrames() {
    const std::uint16_t main = mainTextZone();
    const std::uint16_t drawing = document_.record().u16(record::kDrawingZone);
    if (main == 0 || document_.zoneKind(drawing) != zonekind::kDrawing) return;
    const BlockView mainData = document_.zoneAt(main);
    if (pageRecordCount(mainData) == 0) return;
    const AppleWorksRect page = document_.recordRect(record::kPageRect);
    const std::int32_t pageHeight = page.bottom - page.top;
    const BlockView objects = document_.zoneAt(drawing);
    const std::int32_t stride = objectStride(family);
    const std::int32_t count = objects.entriesThatFit(objects.u16(zone::kObjectCount), zone::kObjectsStart, stride);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t at = zone::kObjectsStart + i * stride;
        if (!isPictureObject(objects, at)) continue;
        const BlockHandle picture = objects.slot(at + kObjectPicture);
        if (document_.block(picture).empty()) continue;
        const auto bound = [&](std::int32_t k) {
            return std::clamp<std::int32_t>(objects.i32(at + kObjectBounds + 4 * k), -0x10000, 0x10000);
        };
        const std::int32_t top = bound(0);
        const std::int32_t index = pageHeight > 0 && top > 0 ? top / pageHeight : 0;
        const std::int32_t shift = index * pageHeight;
        const PageFrame frame{picture, objects.u8(at + kObjectPictureFormat), pageStartPosition(mainData, index),
                              {(top - shift) * kPointsToTwips, bound(1) * kPointsToTwips,
                               (bound(2) - shift) * kPointsToTwips, bound(3) * kPointsToTwips}};
        // The text meets the frames page by page: a frame listed after one of a later page must not
        // wait for that page. Frames of one page keep the layer's order.
        const auto place = std::upper_bound(pageFrames.begin(), pageFrames.end(), frame.anchor,
                                            [](std::int32_t anchor, const PageFrame& other) { return anchor < other.anchor; });
        pageFrames.insert(place, frame);
    }
}

bool AppleWorksWalker::nextFrame() {
    if (frameCursor >= pageFrames.size()) return false;
    ++frameCursor;
    return true;
}

// The next note entry of the main text after the entry given, with the zone that holds the note's
// text; 0 when none is left.
std::int32_t AppleWorksWalker::findNoteZone(std::int32_t after, std::int32_t& entry) const {
    const std::uint16_t main = mainTextZone();
    if (main == 0) return 0;
    const BlockView zoneData = document_.zoneAt(main);
    const BlockView entries = document_.block(zoneData.slot(zone::kVariables));
    const std::int32_t count = entries.entriesThatFit(zoneData.u16(zone::kVariableCount), 0, family.variableEntrySize);
    for (std::int32_t i = std::max(after + 1, 0); i < count; ++i) {
        const std::int32_t at = i * family.variableEntrySize;
        if (entries.u16(at + 4) != kNoteEntryType) continue;
        entry = i;
        const std::uint32_t named = entries.u32(at + kEntryZone);
        if (named > 0 && named <= 0xFFFF && document_.zoneKind(static_cast<std::uint16_t>(named)) == zonekind::kText)
            return static_cast<std::int32_t>(named);
    }
    return 0;
}

bool AppleWorksWalker::beginNoteStory(bool footnotes) {
    if (footnotes != notesAsFootnotes) return false;
    // A note entry whose zone is missing is passed over: the next note keeps its own text.
    std::int32_t entry = noteCursor;
    const std::int32_t noteZone = findNoteZone(noteCursor, entry);
    noteCursor = entry;
    if (noteZone == 0) return false;
    beginStory(static_cast<std::uint16_t>(noteZone), false);
    return true;
}

// Starts reading a zone's text from its first block, with the formats at their defaults: a story and
// each table cell begin this way.
void AppleWorksWalker::startZoneText(std::uint16_t zoneNumber) {
    zone = zoneNumber;
    blockIndex = 0;
    blockStart = 0;
    blockBytes.clear();
    blockInUse = false;
    textPosition = 0;
    textEnd = 0;
    paraCursor = -1;
    charCursor = -1;
    previousRuler = -2;
    lastWasParagraphEnd = false;
    newContext = true;
    inList = false;
    previousLabel = -1;
    listOverride = 0;
    cellNeeded = false;
    resetFormats();
}

void AppleWorksWalker::beginStory(std::uint16_t zoneNumber, bool pendingEnd) {
    startZoneText(zoneNumber);
    pendingParagraphEnd = pendingEnd;
    queue.clear();
    table.reset();
    inTable = false;
}

bool AppleWorksWalker::beginMainStory() {
    const std::uint16_t main = mainTextZone();
    if (main == 0) return false;
    beginStory(main, true);
    return true;
}

bool AppleWorksWalker::beginHeaderFooterStory(bool header) {
    std::vector<HeaderFooter>& list = header ? headers : footers;
    std::size_t& cursor = header ? headerCursor : footerCursor;
    if (cursor >= list.size()) return false;
    const HeaderFooter entry = list[cursor++];
    beginStory(entry.zone, true);
    block->storyType = entry.kind;
    block->storyMark = entry.storyId;
    return true;
}

bool AppleWorksWalker::beginTableStory() {
    while (tableCursor < tables.size()) {
        const TableEntry entry = tables[tableCursor++];
        beginStory(0, false);
        if (!beginTable(entry.zone)) continue;
        block->storyType = 0;
        block->storyMark = entry.storyId;
        return true;
    }
    return false;
}

void AppleWorksWalker::resetFormats() {
    initXForm(&block->form);
    block->form.txtSize = 100;
    block->form.txtRate = 1000;
    block->form.txtBack = kWhiteColor;
    // The starting paragraph record keeps single line spacing; only the units are set.
    const XRows rows = block->rule.rows;
    initXRule(&block->rule);
    block->rule.leadingUnit = -1;
    block->rule.spaceBeforeUnit = -1;
    block->rule.spaceAfterUnit = -1;
    if (inTable) block->rule.rows = rows;
}

// Loads the next text block of the zone when the current one is used up; false when there is none.
bool AppleWorksWalker::nextTextBlock() {
    if (zone == 0) return false;
    if (blockInUse) return true;
    const BlockView zoneData = document_.zoneAt(zone);
    const TextBlockEntry entry = document_.textBlockAt(zoneData, blockIndex);
    if (entry.text == kNoBlock) return false;
    ++blockIndex;
    const BlockView data = document_.block(entry.text);
    // The text never reaches past the block that holds it, whatever the entry claims.
    std::int32_t length = std::clamp<std::int32_t>(entry.length, 0, data.size());
    if (length > 0 && data.u8(length - 1) == 0) --length;
    const std::uint8_t* bytes = data.bytes(0, length);
    blockBytes.assign(bytes, bytes + length);
    blockStart = entry.start;
    textPosition = entry.start;
    textEnd = entry.start + length;
    blockInUse = length > 0;
    return true;
}

std::int32_t AppleWorksWalker::runEnd(const BlockView& runs, std::int32_t count, std::int32_t entrySize,
                                      std::int32_t& cursor) const {
    if (count <= 0) return textEnd;
    if (cursor < 0) cursor = 0;
    while (cursor + 1 < count && textPosition >= runs.i32((cursor + 1) * entrySize)) ++cursor;
    return cursor + 1 < count ? runs.i32((cursor + 1) * entrySize) : textEnd;
}

void AppleWorksWalker::applyParagraphRun(std::int16_t rulerIndex) {
    if (rulerIndex == previousRuler && !newContext) return;
    previousRuler = rulerIndex;
    std::uint8_t bytes[kRulerRecordSize] = {};
    resolveAppleWorksStyle(document_, rulerIndex, StyleRecordKind::kRuler108, bytes);
    const BlockView ruler(bytes, kRulerRecordSize, kNoBlock);
    XRule& rule = block->rule;
    const std::uint16_t spacing = ruler.u16(14);
    rule.justification = static_cast<std::int16_t>(spacing >> 14);
    const std::int32_t unit = spacing & 7;
    const std::int32_t value = (spacing >> 3) & 0x7FF;
    if (unit <= 1) {
        rule.leading = static_cast<std::int16_t>(value * 120 + 240);
        rule.leadingUnit = -1;
    } else {
        rule.leading = static_cast<std::int16_t>(std::min(value * 240, 32767));
        rule.leadingUnit = 1;
    }
    const auto space = [&](std::int32_t at, std::int16_t& amount, std::int16_t& amountUnit) {
        const std::int32_t v = ruler.u8(at);
        const std::int8_t u = static_cast<std::int8_t>(ruler.u8(at + 1));
        if (u == 0 || u == 1) {
            amount = roundedSixteenths(v);
            amountUnit = -1;
        } else {
            amount = static_cast<std::int16_t>(std::min(v * 240, 32767));
            amountUnit = 1;
        }
    };
    space(22, rule.spaceBefore, rule.spaceBeforeUnit);
    space(24, rule.spaceAfter, rule.spaceAfterUnit);
    rule.indentFirst = ruler.i16(16) * kPointsToTwips;
    rule.indentLeft = ruler.i16(18) * kPointsToTwips;
    rule.indentRight = ruler.i16(20) * kPointsToTwips;
    if (rule.indentFirst + rule.indentLeft < 0) {
        if (rule.indentFirst < 0) rule.indentFirst = 0;
        if (rule.indentLeft < 0) rule.indentLeft = 0;
    }
    static constexpr std::int16_t kTabJust[4] = {0, 1, 2, 4};
    static constexpr std::int16_t kTabLead[4] = {0, '.', '-', '_'};
    const std::int32_t tabs = std::clamp<std::int32_t>(ruler.i16(26), 0, kMaxRulerTabs);
    rule.tabs.tabs = static_cast<std::int16_t>(tabs);
    for (std::int32_t t = 0; t < tabs; ++t) {
        const std::int32_t at = 28 + 4 * t;
        const std::uint8_t code = ruler.u8(at + 2);
        XTab& tab = rule.tabs.tab[t];
        tab.tabIndent = faceFreeTwips(ruler.i16(at));
        tab.decAlign = ruler.u8(at + 3);
        tab.tabJust = kTabJust[code & 3];
        const std::int32_t lead = code >> 2;
        tab.tabLead = lead < 4 ? kTabLead[lead] : 0;
    }
    applyListLabel(ruler);
    newContext = false;
}

// A labelled ruler puts its paragraphs in the list of its label: the same override while the label
// stays, a new one (numbering afresh) when the label changes or a new context begins. A label the lists
// do not know gives no list.
void AppleWorksWalker::applyListLabel(const BlockView& ruler) {
    XRule& rule = block->rule;
    std::memset(&rule.level, 0, sizeof rule.level);
    rule.forceNumbering = 0;
    const std::int16_t label = ruler.u8(kRulerLabel);
    if (label == 0) {
        inList = false;
        previousLabel = 0;
        return;
    }
    if (newContext || label != previousLabel) listOverride = lists->addListOverride(label);
    previousLabel = label;
    inList = listOverride != 0;
    if (!inList) return;
    rule.forceNumbering = 1;
    rule.level.ls = listOverride;
    rule.level.ilvl = 0;
    savedLevel = rule.level;
}

// Every chunk of a listed paragraph carries its level record; an empty paragraph leaves the list, and
// the paragraph after it starts a new context.
void AppleWorksWalker::keepListLevel(bool emptyParagraph) {
    if (!inList) return;
    if (emptyParagraph) {
        if (block->rule.level.ls != 0) newContext = true;
        std::memset(&block->rule.level, 0, sizeof block->rule.level);
        block->rule.forceNumbering = 0;
        return;
    }
    block->rule.level = savedLevel;
    block->rule.forceNumbering = 1;
    newContext = false;
}

void AppleWorksWalker::applyCharacterRun(const BlockView& runs, std::int32_t index, XForm& form) const {
    const std::int32_t at = index * family.charRunEntrySize;
    const AWFontMapEntry* font = document_.fontMapEntry(runs.i16(at + 4) + 1);
    if (font != nullptr) {
        form.txtFontHAnsi = font->docFontId;
        form.txtHint = 2;
    }
    form.txtFace = convertFaceMask(family, runs.u16(at + 6));
    const std::int32_t size = runs.u8(at + 8);
    if (size > 0) form.txtSize = static_cast<std::int16_t>(size * 10);
    RGBColor color{};
    form.txtFore = document_.colorAt(runs.u8(at + 9), color) ? color : kBlackColor;
    form.txtBack = kWhiteColor;
}

void AppleWorksWalker::appendUnit(const XForm& form, char16_t unit) {
    if (queue.empty() || queue.back().units.size() >= static_cast<std::size_t>(kRunUnits) ||
        !equalXForm(queue.back().form, form) || !equalXRule(queue.back().rule, block->rule)) {
        QueuedRun run;
        copyXForm(&run.form, &form);
        copyXRule(&run.rule, &block->rule);
        if (inTable) run.cellFlags = 1;
        queue.push_back(std::move(run));
        queue.back().units.reserve(kRunUnits);
    }
    queue.back().units.push_back(unit);
    lastWasParagraphEnd = unit == kParagraphEnd;
}

void AppleWorksWalker::queueUnits(const XForm& form, const std::vector<char16_t>& units) {
    for (const char16_t unit : units) appendUnit(form, unit);
}

// Converts the text from the text position up to the next paragraph end, run change or anchor.
void AppleWorksWalker::readNextChunk() {
    const bool mainText = !inTable && zone == mainTextZone();
    if (mainText) applySection(sectionAt(textPosition));
    const BlockView zoneData = document_.zoneAt(zone);
    const BlockView paraRuns = document_.block(zoneData.slot(zone::kParaRuns));
    const BlockView charRuns = document_.block(zoneData.slot(zone::kCharRuns));
    const std::int32_t paraCount =
        paraRuns.entriesThatFit(zoneData.u16(zone::kParaRunCount), 0, zone::kParaRunEntrySize);
    const std::int32_t charCount = charRuns.entriesThatFit(zoneData.u16(zone::kCharRunCount), 0, family.charRunEntrySize);

    const std::int32_t paraEnd = runEnd(paraRuns, paraCount, zone::kParaRunEntrySize, paraCursor);
    const std::int32_t charEnd = runEnd(charRuns, charCount, family.charRunEntrySize, charCursor);
    if (paraCount > 0) applyParagraphRun(paraRuns.i16(paraCursor * zone::kParaRunEntrySize + 4));
    XForm form;
    copyXForm(&form, &block->form);
    if (charCount > 0) applyCharacterRun(charRuns, charCursor, form);
    copyXForm(&block->form, &form);
    if (mainText && emitDueFrame(form)) return;

    const std::int32_t offset = textPosition - blockStart;
    const std::int32_t available = static_cast<std::int32_t>(blockBytes.size()) - offset;
    if (offset < 0 || available <= 0) {
        blockInUse = false;
        return;
    }
    std::int32_t limit = std::min({paraEnd, charEnd, textEnd}) - textPosition;
    // Runs that do not move forward (damaged tables) give way to the block's own end.
    if (limit <= 0 || limit > available) limit = available;
    const std::uint8_t* bytes = blockBytes.data() + offset;

    std::int32_t length = 0;
    std::int32_t consumed = 0;
    while (length < limit) {
        const std::uint8_t byte = bytes[length];
        if (byte == kParagraphEnd) {
            ++length;
            break;
        }
        if (byte < 32 && byte != 9) {
            if (length == 0) consumed = 1;
            break;
        }
        ++length;
    }
    keepListLevel(length == 1 && bytes[0] == kParagraphEnd);
    const AWFontMapEntry* font =
        charCount > 0 ? document_.fontMapEntry(charRuns.i16(charCursor * family.charRunEntrySize + 4) + 1) : nullptr;
    const std::int32_t encoding = font != nullptr ? font->textEncoding : 0;
    if (length > 0) {
        length = wholeCharacterEnd(encoding, bytes, length, available);
        queueUnits(form, textToUnicode(encoding, bytes, length));
        consumed = length;
    } else if (consumed == 1) {
        emitSpecialByte(bytes[0], form, zoneData);
    }
    textPosition += std::max(consumed, 1);
    if (textPosition >= textEnd || textPosition - blockStart >= static_cast<std::int32_t>(blockBytes.size()))
        blockInUse = false;
}

// A byte of the text that stands for something else than a character.
void AppleWorksWalker::emitSpecialByte(std::uint8_t byte, const XForm& form, const BlockView& zoneData) {
    const auto paragraphFirst = [&] {
        if (!lastWasParagraphEnd) appendUnit(form, kParagraphEnd);
    };
    XForm special;
    copyXForm(&special, &form);
    switch (byte) {
    case kByteColumnBreak: paragraphFirst(); appendUnit(form, kColumnBreak); break;
    case kByteLineBreak: appendUnit(form, kLineBreak); break;
    case kBytePageBreak: paragraphFirst(); appendUnit(form, kPageBreak); break;
    case kByteSectionBreak: {
        paragraphFirst();
        newContext = true;
        std::int32_t count = 0;
        const BlockView sections = sectionList(count);
        const std::int32_t next = sectionAt(textPosition + 1);
        if (next >= 0) {
            const std::uint8_t breakType =
                sections.u8(zone::kListEntriesStart + next * zone::kSectionEntrySize + kSectionBreakType);
            if (breakType < 4) special.txtData = kSectionBreakKinds[breakType];
        }
        appendUnit(special, kSectionBreak);
        break;
    }
    case kByteDate: special.txtData = 6; appendUnit(special, kSpecialCharacter); break;
    case kByteTime: special.txtData = 7; appendUnit(special, kSpecialCharacter); break;
    case kBytePageNumber: special.txtData = 2; appendUnit(special, kSpecialCharacter); break;
    case kByteNoteReference: appendUnit(form, notesAsFootnotes ? kFootnoteReference : kEndnoteReference); break;
    case kByteNoteNumber: appendUnit(form, notesAsFootnotes ? kFootnoteMark : kEndnoteMark); break;
    case kByteAnchor: {
        if (emitInlinePicture(form, zoneData)) break;
        const std::int32_t storyId = findTableStory(anchoredZone(zoneData, textPosition));
        if (storyId != 0) {
            special.txtData = storyId;
            appendUnit(special, kTableAnchor);
        }
        break;
    }
    default: break;
    }
}

// The next page-anchored picture, in place of text, once the main text reaches the first position of
// its page. A picture that cannot be made is passed over.
bool AppleWorksWalker::emitDueFrame(const XForm& form) {
    if (framesEmitted >= pageFrames.size() || textPosition < pageFrames[framesEmitted].anchor) return false;
    const PageFrame& frame = pageFrames[framesEmitted++];
    return emitPicture(form, document_.block(frame.picture), frame.type, frame.frame);
}

// A picture standing in the text: the anchor entry at the position names a drawing zone whose first
// object is a picture; the picture keeps the size of that object.
bool AppleWorksWalker::emitInlinePicture(const XForm& form, const BlockView& zoneData) {
    const std::uint16_t drawing = anchoredZone(zoneData, textPosition);
    if (document_.zoneKind(drawing) != zonekind::kDrawing) return false;
    const BlockView objects = document_.zoneAt(drawing);
    const std::int32_t stride = objectStride(family);
    if (objects.entriesThatFit(objects.u16(zone::kObjectCount), zone::kObjectsStart, stride) == 0) return false;
    const std::int32_t at = zone::kObjectsStart;
    if (!isPictureObject(objects, at)) return false;
    const auto bound = [&](std::int32_t k) {
        return std::clamp<std::int32_t>(objects.i32(at + kObjectBounds + 4 * k), -0x10000, 0x10000);
    };
    const LongRect frame{0, 0, (bound(2) - bound(0)) * kPointsToTwips, (bound(3) - bound(1)) * kPointsToTwips};
    return emitPicture(form, document_.block(objects.slot(at + kObjectPicture)), objects.u8(at + kObjectPictureFormat),
                       frame);
}

// The picture anchor with its own copy of the picture's bytes; false, and nothing emitted, when there
// are no bytes or no known picture format.
bool AppleWorksWalker::emitPicture(const XForm& form, const BlockView& data, std::int16_t type, const LongRect& frame) {
    if (data.empty() || type == 0) return false;
    std::unique_ptr<CPicture> picture(new (std::nothrow) CPicture());
    throwIfNull(picture.get(), __LINE__, kUnit);
    picture->fPicData = static_cast<std::uint8_t*>(allocMemory(data.size()));
    throwIfNull(picture->fPicData, __LINE__, kUnit);
    std::memcpy(picture->fPicData, data.bytes(0, data.size()), static_cast<std::size_t>(data.size()));
    picture->fPicLength = data.size();
    picture->fType = type;
    picture->fRect = frame;
    // The picture's natural size is the size it was given on the page.
    picture->fOriginalRect = {0, 0, frame.bottom - frame.top, frame.right - frame.left};
    XForm anchored;
    copyXForm(&anchored, &form);
    anchored.picRect = frame;
    anchored.picData = picture.get();
    pictures.push_back(std::move(picture));
    appendUnit(anchored, kPictureAnchor);
    return true;
}

void AppleWorksWalker::deliverRun() {
    block->textEncoding = kUtf16TextEncoding;
    if (!queue.empty()) {
        QueuedRun& run = queue.front();
        copyXForm(&block->form, &run.form);
        block->form.txtLangVal = 1280;
        copyXRule(&block->rule, &run.rule);
        block->rule.cellOfRow = static_cast<std::int16_t>(run.cellFlags & 1);
        block->rule.lastCellOfRow = static_cast<std::int16_t>((run.cellFlags >> 1) & 1);
        const std::int32_t count = static_cast<std::int32_t>(std::min<std::size_t>(run.units.size(), kRunUnits));
        std::copy_n(run.units.begin(), count, block->textBuffer);
        block->textLength = count;
        block->selector = request::kAnswerYes;
        queue.pop_front();
        return;
    }
    if (pendingParagraphEnd) {
        if (lastWasParagraphEnd) resetFormats();
        block->rule.cellOfRow = 0;
        block->rule.lastCellOfRow = 0;
        pendingParagraphEnd = false;
        block->textBuffer[0] = kParagraphEnd;
        block->textLength = 1;
        block->selector = request::kAnswerYes;
        return;
    }
    block->selector = request::kAnswerYes;
    block->textLength = 0;
}

void AppleWorksWalker::readTextRun() {
    for (;;) {
        if (!queue.empty()) break;
        if (inTable && cellNeeded) {
            playNextCell();
            if (!inTable) break;
            continue;
        }
        if (!nextTextBlock()) {
            if (!inTable) break;
            // The cell's text is done: its end-of-cell unit follows.
            cellNeeded = true;
            endCell(cellIndex == 0 || table == nullptr || rowIndex == 0 ||
                    cellIndex > table->rows()[rowIndex - 1].cells.size());
            continue;
        }
        if (!blockInUse) continue;
        while (queue.empty() && blockInUse) readNextChunk();
    }
    deliverRun();
}

bool AppleWorksWalker::beginTable(std::uint16_t tableZone) {
    if (document_.zoneKind(tableZone) != zonekind::kTable) return false;
    const BlockView data = document_.zoneAt(tableZone);
    const BlockView cells = document_.block(data.slot(tablezone::kCells));
    const BlockView lines = document_.block(data.slot(tablezone::kLines));
    if (cells.empty()) return false;
    table.reset(new (std::nothrow) AppleWorksTable(cells, lines));
    throwIfNull(table.get(), __LINE__, kUnit);
    if (table->rows().empty()) {
        table.reset();
        return false;
    }
    inTable = true;
    cellNeeded = true;
    rowIndex = 0;
    cellIndex = 0;
    return true;
}

// The zone that the anchor entry at a text position names, or 0.
std::uint16_t AppleWorksWalker::anchoredZone(const BlockView& zoneData, std::int32_t position) const {
    const BlockView entries = document_.block(zoneData.slot(zone::kVariables));
    const std::int32_t count = entries.entriesThatFit(zoneData.u16(zone::kVariableCount), 0, family.variableEntrySize);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t at = i * family.variableEntrySize;
        if (entries.i32(at) != position || entries.u16(at + 4) != kAnchorEntryType) continue;
        const std::uint32_t named = entries.u32(at + 6);
        return named <= 0xFFFF ? static_cast<std::uint16_t>(named) : 0;
    }
    return 0;
}

std::int32_t AppleWorksWalker::findTableStory(std::uint16_t tableZone) const {
    for (const TableEntry& entry : tables)
        if (entry.zone == tableZone) return entry.storyId;
    return 0;
}

// Moves to the next cell of the row, or to the next row once the row's end-of-row unit is out. The row
// definition travels in the paragraph record of every run of the row.
void AppleWorksWalker::playNextCell() {
    const std::vector<AppleWorksTableRow>& rows = table->rows();
    const bool rowStart = rowIndex == 0 || cellIndex > rows[rowIndex - 1].cells.size();
    if (rowStart) {
        if (rowIndex >= rows.size()) {
            table.reset();
            inTable = false;
            cellNeeded = false;
            zone = 0;
            return;
        }
        ++rowIndex;
        cellIndex = 0;
        const AppleWorksTableRow& row = rows[rowIndex - 1];
        XRows& def = block->rule.rows;
        std::memset(&def, 0, sizeof def);
        def.styleTag = -1;
        def.defRow = kDefaultCell;
        const std::size_t count = std::min<std::size_t>(row.cells.size(), kMaxRowCells);
        def.grid.numOfColumns = static_cast<std::int16_t>(count);
        def.rows = static_cast<std::int16_t>(count);
        for (std::size_t c = 0; c < count; ++c) {
            const AppleWorksTableCell& cell = row.cells[c];
            def.grid.columnRightPos[c] = faceFreeTwips(cell.right);
            XRow& out = def.cells[c];
            out = kDefaultCell;
            out.tcW.type = 3;
            out.tcW.w = (cell.right - cell.left) * kPointsToTwips;
            if ((cell.flags & kCellSpansRows) != 0) out.vmerge = (cell.flags & kCellFirstPiece) != 0 ? 2 : 1;
            out.tcBorders.top = lineStyleBorder(document_, cell.topBorder);
            out.tcBorders.left = lineStyleBorder(document_, cell.leftBorder);
            out.tcBorders.bottom = lineStyleBorder(document_, cell.bottomBorder);
            out.tcBorders.right = lineStyleBorder(document_, cell.rightBorder);
            out.shd = cellShading(document_, cell.value);
        }
        def.trHeight.v = (row.bottom - row.top) * kPointsToTwips;
    }
    const AppleWorksTableRow& row = rows[rowIndex - 1];
    ++cellIndex;
    const bool rowEnds = cellIndex > row.cells.size() || cellIndex > static_cast<std::size_t>(kMaxRowCells);
    if (rowEnds) cellIndex = row.cells.size() + 1;
    const std::int32_t content = rowEnds ? 0 : row.cells[cellIndex - 1].content;
    const std::uint16_t cellZone =
        content > 0 && content <= 0xFFFF && document_.zoneKind(static_cast<std::uint16_t>(content)) == zonekind::kText
            ? static_cast<std::uint16_t>(content)
            : 0;
    startZoneText(cellZone);
}

// The end-of-cell unit stands in a run of its own, so that its paragraph record carries the cell flags.
void AppleWorksWalker::endCell(bool lastOfRow) {
    XForm form;
    copyXForm(&form, &block->form);
    QueuedRun run;
    copyXForm(&run.form, &form);
    copyXRule(&run.rule, &block->rule);
    run.cellFlags = static_cast<std::int16_t>(lastOfRow ? 3 : 1);
    run.units.push_back(kEndOfCell);
    queue.push_back(std::move(run));
}

}  // namespace appleworks
