// A section's properties in the body: "\sectd" and the break kind, the page set-up and columns, line
// and page numbering, notes, page borders, then the section's headers and footers and the fixed
// numbering levels of the section.
#include <algorithm>

#include "export/rtf/CRTFFile.h"
#include "export/rtf/RTFStoryPlacer.h"
#include "model/records/section/XPage.h"

namespace {

// A spacing of 720 twips is the reader's default and is not written.
constexpr std::int16_t kDefaultColumnSpacing = 720;

const char* breakWord(std::int16_t breakKind) {
    switch (breakKind) {
        case 1:
        case 2: return "\\sbkpage";
        case 3: return "\\sbkcol";
        case 4: return "\\sbknone";
        case 5: return "\\sbkodd";
        case 6: return "\\sbkeven";
        default: return "";
    }
}

const char* lineRestartWord(std::int16_t restartType) {
    switch (restartType) {
        case 1: return "\\linecont";
        case 2: return "\\linerestart";
        case 3: return "\\lineppage";
        default: return "";
    }
}

const char* pageNumberFormatWord(std::int16_t format) {
    switch (format) {
        case 1: return "\\pgndec";
        case 5: return "\\pgnlcrm";
        case 6: return "\\pgnucrm";
        case 7: return "\\pgnlcltr";
        case 8: return "\\pgnucltr";
        default: return "";
    }
}

const char* chapterSeparatorWord(std::int16_t separator) {
    switch (separator) {
        case 1: return "\\pgnhnsh";
        case 2: return "\\pgnhnsp";
        case 3: return "\\pgnhnsc";
        case 4: return "\\pgnhnsm";
        case 5: return "\\pgnhnsn";
        default: return "";
    }
}

const char* verticalAlignmentWord(std::int16_t alignment) {
    switch (alignment) {
        case 1: return "\\vertal";
        case 2: return "\\vertalc";
        case 3: return "\\vertalj";
        default: return "";
    }
}

// The numbering levels every section declares for readers of the older paragraph numbering.
constexpr const char* kSectionNumberingLevels =
    "{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}"
    "{\\*\\pnseclvl2\\pnucltr\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}"
    "{\\*\\pnseclvl3\\pndec\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}"
    "{\\*\\pnseclvl4\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxta )}}"
    "{\\*\\pnseclvl5\\pndec\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}"
    "{\\*\\pnseclvl6\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}"
    "{\\*\\pnseclvl7\\pnlcrm\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}"
    "{\\*\\pnseclvl8\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}"
    "{\\*\\pnseclvl9\\pnlcrm\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}";

void writeColumns(CRTFFile& emitter, const XPage& page) {
    if (page.columns <= 1) return;
    if (page.spaceBetweenColumns != 0 && page.spaceBetweenColumns != kDefaultColumnSpacing) {
        emitter.writeFormat("\\colsx%d", page.spaceBetweenColumns);
    }
    if (page.lineBetweenColumns != 0) emitter.writeFormat("\\linebetcol");
    if (page.notEqualWidthColumns != 1) return;
    const int described = std::min<int>(page.columns, kColumnSlots);
    for (int i = 0; i < described; ++i) {
        if (page.columnWidth[i] == 0) continue;
        emitter.writeFormat("\\colno%d\\colw%d", i + 1, page.columnWidth[i]);
        if (page.columnSpace[i] != 0) emitter.writeFormat("\\colsr%d", page.columnSpace[i]);
    }
}

void writeNumbering(CRTFFile& emitter, const XPage& page) {
    const XLineNumber& lines = page.lineNumber;
    if (lines.hasLineNumber != 0) {
        emitter.writeFormat("\\linemod%d\\linestarts%d", lines.countBy, lines.startAt);
        if (lines.fromText != 0) emitter.writeFormat("\\linex%d", lines.fromText);
        emitter.writeFormat("%s", lineRestartWord(lines.restartType));
    }
    const XPageNumber& pages = page.pageNumber;
    if (pages.hasPageNumber != 0) {
        if (pages.restartType == 1) {
            emitter.writeFormat("\\pgncont");
        } else {
            emitter.writeFormat("\\pgnrestart\\pgnstarts%d", pages.startAt);
        }
        emitter.writeFormat("%s", pageNumberFormatWord(pages.format));
    }
    if (pages.hasChapterNumber != 0) {
        emitter.writeFormat("\\pgnhn%d%s", pages.headingLevel, chapterSeparatorWord(pages.separator));
    }
}

void writePageBorders(CRTFFile& emitter, const XPage& page) {
    if (page.borderType == 0) return;
    struct PageBorder {
        std::int16_t bit;
        const char* word;
        const BorderSpec& border;
    };
    const PageBorder borders[] = {{0x1, "\\pgbrdrt", page.borderTop},
                                  {0x8, "\\pgbrdrl", page.borderLeft},
                                  {0x2, "\\pgbrdrb", page.borderBottom},
                                  {0x4, "\\pgbrdrr", page.borderRight}};
    for (const PageBorder& b : borders) {
        if ((page.borderType & b.bit) == 0) continue;
        emitter.writeFormat("%s", b.word);
        if (page.borderArt != 0) {
            emitter.writeArtBorder(b.border, page.borderArt);
        } else {
            emitter.writeBorder(b.border);
        }
    }
    const int options = ((page.borderOptions & 0x2) != 0 ? 8 : 0) + ((page.borderOptions & 0x80) != 0 ? 32 : 0);
    if (options > 0) emitter.writeFormat("\\pgbrdropt%d", options);
}

}  // namespace

void CRTFFile::writeSectionProps(const XPage& page, std::int16_t sectionKind) {
    writeFormat("\\sectd%s", breakWord(sectionKind));
    writeFormat("\\endnhere\\sectdefaultcl\\headery%d\\footery%d", page.headerEdge, page.footerEdge);
    if (page.direction == 1) writeFormat("\\rtlsect");
    if (page.orientation == 1) writeFormat("\\lndscpsxn");
    writeFormat("\\guttersxn%d\\cols%d", page.gutter, page.columns);
    writeColumns(*this, page);
    writeFormat("\\stextflow%d\\pgwsxn%d\\pghsxn%d\\marglsxn%d\\margrsxn%d\\margtsxn%d\\margbsxn%d", page.textFlow,
                page.pageWidth, page.pageHeight, page.leftMargin, page.rightMargin, page.topMargin, page.bottomMargin);
    writeNumbering(*this, page);
    writeNoteProperties(page, 0);
    writePageBorders(*this, page);
    writeFormat("%s", verticalAlignmentWord(page.textVerticalAlignment));
    if (page.mirrorMargins != 0) writeFormat("\\margmirsxn");
    if (page.titlePage != 0) writeFormat("\\titlepg");
    const std::int16_t facing = placer->needsFacingHeaders(page);
    placer->writeHeaders(page, facing);
    placer->writeFooters(page, facing);
    writeFormat("%s", kSectionNumberingLevels);
}

void CRTFFile::endSection() {}
