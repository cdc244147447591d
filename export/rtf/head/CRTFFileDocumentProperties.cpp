// The document properties of the head: the document's settings and compatibility words, the page of the
// first section, the footnote and endnote properties, and then the first section itself. Also the page
// background, which the importer kept as ready-made RTF.
#include <cstring>

#include "export/rtf/CRTFFile.h"
#include "foundation/text/TextCompare.h"
#include "model/params/XParamBlock.h"
#include "model/records/XHead.h"
#include "model/records/section/XPage.h"

namespace {

// A compatibility word written while its setting has the value given (or, with `unless`, any other).
struct CompatibilityWord {
    std::int16_t XHead::*setting;
    std::int16_t value;
    bool unless;
    const char* word;
};

// In the order they are written.
constexpr CompatibilityWord kCompatibilityWords[] = {
    {&XHead::alignTablesRowByRow, 0, false, "alntblind"},
    {&XHead::useWord2002TableStyleRules, 1, true, "newtblstyruls"},
    {&XHead::doNotShadeFormData, 1, true, "formshade"},
    {&XHead::applyBreakingRules, 1, false, "ApplyBrkRules"},
};

constexpr CompatibilityWord kLayoutWords[] = {
    {&XHead::footnoteLayoutLikeWW8, 0, false, "ftnlytwnine"},
    {&XHead::shapeLayoutLikeWW8, 0, false, "splytwnine"},
    {&XHead::spaceForUL, 0, false, "nospaceforul"},
    {&XHead::backslashToYen, 0, false, "noxlattoyen"},
    {&XHead::ulTrailSpace, 0, false, "noultrlspc"},
    {&XHead::balanceSBDB, 0, false, "dntblnsbdb"},
    {&XHead::doNotUseHTMLParaAuSP, 0, false, "htmautsp"},
    {&XHead::useWord97LineBreakRules, 0, false, "lnbrkrule"},
    {&XHead::layoutTableRowsApart, 0, false, "lyttblrtgr"},
    {&XHead::forgetLastTabAlignment, 0, false, "useltbaln"},
    {&XHead::adjustLineHeightInTable, 0, false, "nolnhtadjtbl"},
    {&XHead::allowSpaceOfSameStyleInTable, 0, false, "lytcalctblwd"},
};

template <std::size_t N>
void writeWords(CRTFFile& emitter, const XHead& head, const CompatibilityWord (&words)[N]) {
    for (const CompatibilityWord& w : words) {
        if ((head.*w.setting == w.value) != w.unless) emitter.writeFormat("\\%s", w.word);
    }
}

const char* footnoteNumbering(std::int16_t format) {
    switch (format) {
        case 5: return "ftnnrlc";
        case 6: return "ftnnruc";
        case 7: return "ftnnalc";
        case 8: return "ftnnauc";
        case 14: return "ftnnchi";
        default: return "ftnnar";
    }
}

const char* endnoteNumbering(std::int16_t format) {
    switch (format) {
        case 1: return "aftnnar";
        case 6: return "aftnnruc";
        case 7: return "aftnnalc";
        case 8: return "aftnnauc";
        case 14: return "aftnnchi";
        default: return "aftnnrlc";
    }
}

const char* footnoteRestart(std::int16_t restartType) {
    switch (restartType) {
        case 2: return "ftnrestart";
        case 3: return "ftnrstpg";
        default: return "ftnrstcont";
    }
}

const char* footnotePosition(std::int16_t pagePlacement) {
    switch (pagePlacement) {
        case 0: return "ftntj";
        case 1: return "ftnbj";
        default: return "endnotes";
    }
}

}  // namespace

void CRTFFile::writeBackground() {
    if (block->backgroundLength <= 0 || block->backgroundText == nullptr) return;
    // The text ends at its terminator, and never after the length the block gives for it.
    const std::size_t length = strnlen(block->backgroundText, static_cast<std::size_t>(block->backgroundLength));
    writeBytes(block->backgroundText, static_cast<std::int32_t>(length));
}

void CRTFFile::writeDocumentProperties(const XPage& firstSection, const XHead& head) {
    if (head.defaultTabWidth != 0) writeFormat("\\deftab%d", head.defaultTabWidth);
    if (head.pageStartNumber != 0) writeFormat("\\pgnstart%d", head.pageStartNumber);
    if (head.mirrorMargins != 0) writeFormat("\\margmirror");
    if ((head.borderOptions & 1) != 0) writeFormat("\\pgbrdrsnap");
    if ((head.borderOptions & 4) == 0) writeFormat("\\pgbrdrhead");
    if ((head.borderOptions & 8) == 0) writeFormat("\\pgbrdrfoot");
    writeFormat("\\viewkind%d\\viewscale%d\\viewzk%d", head.viewMode, head.viewScale, head.viewZoom);
    if (head.headers == 2) writeFormat("\\facingp");
    writeWords(*this, head, kCompatibilityWords);
    if (head.characterSpacingControl == 0) writeFormat("\\jexpand");
    if (head.characterSpacingControl == 1) writeFormat("\\jcompress");
    writeWords(*this, head, kLayoutWords);
    char fileType[kHeadTextBytes + 1] = {};
    std::memcpy(fileType, head.originalFileType, sizeof head.originalFileType);
    if (compareText(fileType, "TEXT", 0) == 0) writeFormat("\\fromtext");
    if (firstSection.rtlGutter > 0) writeFormat("\\rtlgutter");
    writeFormat("\\gutter%d", firstSection.gutter);
    writeFormat("\\paperw%d\\paperh%d\\margl%d\\margr%d\\margt%d\\margb%d\\widowctrl", firstSection.pageWidth,
                firstSection.pageHeight, firstSection.leftMargin, firstSection.rightMargin, firstSection.topMargin,
                firstSection.bottomMargin);
    writeNoteProperties(firstSection, 1);
    writeNoteSeparators();
    writeSectionProps(firstSection, 0);
    writeFormat("\r\n");
}

void CRTFFile::writeNoteSeparators() {
    if (footnoteWritten) writeFormat("{\\*\\ftnsep\\chftnsep}{\\*\\ftnsepc\\chftnsepc}");
}

void CRTFFile::writeNoteProperties(const XPage& section, std::int16_t level) {
    const XFootnote& footnotes = section.footnote;
    const XFootnote& endnotes = section.endnote;
    const bool documentLevel = level == 1;
    const char* prefix = documentLevel ? "" : "s";
    const bool hasFootnotes = footnotes.hasNotes == 1;
    const bool hasEndnotes = endnotes.hasNotes == 1;
    if (documentLevel && (hasFootnotes || hasEndnotes)) {
        writeFormat("\\fet%d", hasFootnotes && hasEndnotes ? 2 : hasFootnotes ? 0 : 1);
    }
    if (hasFootnotes) {
        if (documentLevel && (footnotes.docPlacement == 0 || footnotes.docPlacement == 1)) writeFormat("\\endnotes");
        if (documentLevel && footnotes.docPlacement == 2) writeFormat("\\enddoc");
        writeFormat("\\%s%s\\%s%s\\%s%s", prefix, footnoteNumbering(footnotes.format), prefix,
                    footnoteRestart(footnotes.restartType), prefix, footnotePosition(footnotes.pagePlacement));
        if (footnotes.startAt != 1) writeFormat("\\%sftnstart%d", prefix, footnotes.startAt);
    }
    if (hasEndnotes) {
        if (documentLevel) {
            if (endnotes.docPlacement == 0 || endnotes.docPlacement == 2) writeFormat("\\aenddoc");
            if (endnotes.docPlacement == 1) writeFormat("\\aendnotes");
            if (endnotes.pagePlacement == 0) writeFormat("\\aftntj");
            if (endnotes.pagePlacement == 1) writeFormat("\\aftnbj");
        }
        const char* restart = endnotes.restartType == 2 ? "aftnrestart" : "aftnrstcont";
        writeFormat("\\%s%s\\%s%s", prefix, endnoteNumbering(endnotes.format), prefix, restart);
        if (endnotes.startAt != 1) writeFormat("\\%saftnstart%d", prefix, endnotes.startAt);
    }
}
