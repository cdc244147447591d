// The field tables of the section record and its sub-records. One note-format table serves both the
// footnotes and the endnotes: their elements differ, their keys do not.
#include <cstddef>

#include "model/records/RecordTableBuilder.h"
#include "model/records/RecordTables.h"
#include "model/records/section/XPage.h"

namespace {

constexpr FieldSpec kXFootnoteFields[] = {
    VDK_ATTRIBUTE(XFootnote, hasNotes, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFootnote, format, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFootnote, restartType, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFootnote, startAt, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFootnote, docPlacement, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFootnote, pagePlacement, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XFootnote, separator, 's', kAlways, 0),
    VDK_ATTRIBUTE(XFootnote, separatorContinuous, 's', kAlways, 0),
};

constexpr FieldSpec kXLineNumberFields[] = {
    VDK_ATTRIBUTE(XLineNumber, hasLineNumber, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XLineNumber, countBy, 'd', kAlways, 1),
    VDK_ATTRIBUTE(XLineNumber, startAt, 'd', kAlways, 1),
    VDK_ATTRIBUTE(XLineNumber, fromText, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XLineNumber, restartType, 'd', kAlways, 0),
};

constexpr FieldSpec kXPageNumberFields[] = {
    VDK_ATTRIBUTE(XPageNumber, hasPageNumber, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XPageNumber, format, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XPageNumber, hasChapterNumber, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XPageNumber, headingLevel, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XPageNumber, separator, 'd', kAlways, 0),
    VDK_ATTRIBUTE(XPageNumber, restartType, 'd', kAlways, 1),
    VDK_ATTRIBUTE(XPageNumber, startAt, 'd', kAlways, 1),
};

constexpr FieldSpec kXPageFields[] = {
    VDK_ATTRIBUTE(XPage, changeBits, 'v', kAlways, 0),
    VDK_ATTRIBUTE(XPage, uniqueBits, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XPage, position, 'l', kAlways, 0),
    VDK_ATTRIBUTE(XPage, styleTag, 'l', 0, 0),
    // The page size and the text width depend on the metric flag: initXPage sets them.
    VDK_ATTRIBUTE(XPage, pageWidth, 'd', 1, 0),
    VDK_ATTRIBUTE(XPage, pageHeight, 'd', 2, 0),
    VDK_ATTRIBUTE(XPage, leftMargin, 'd', 3, 1800),
    VDK_ATTRIBUTE(XPage, topMargin, 'd', 4, 1440),
    VDK_ATTRIBUTE(XPage, rightMargin, 'd', 5, 1800),
    VDK_ATTRIBUTE(XPage, bottomMargin, 'd', 6, 1440),
    VDK_ATTRIBUTE(XPage, direction, 'd', 7, 0),
    VDK_ATTRIBUTE(XPage, orientation, 'd', 8, 0),
    VDK_ATTRIBUTE(XPage, margination, 'd', 9, 0),
    VDK_ATTRIBUTE(XPage, columns, 'd', 10, 1),
    VDK_ATTRIBUTE(XPage, spaceBetweenColumns, 'd', 11, 0),
    VDK_ATTRIBUTE(XPage, lineBetweenColumns, 'd', 12, 0),
    VDK_ATTRIBUTE(XPage, notEqualWidthColumns, 'd', 13, 0),
    // Hand-written: all twelve width and space pairs, whatever `columns` says, one key pair per slot.
    VDK_HAND_WRITTEN_PAIR(XPage, columnWidth, columnSpace, 14, "COLUMNS",
                          "XColumn_columnWidth%02d %%d XColumn_columnSpace%02d %%d", 'd'),
    VDK_ATTRIBUTE(XPage, gutter, 'd', 15, 0),
    VDK_ATTRIBUTE(XPage, rtlGutter, 'd', 16, 0),
    VDK_ATTRIBUTE(XPage, headers, 'd', 17, 0),
    VDK_ATTRIBUTE(XPage, headerEdge, 'd', 18, 720),
    VDK_ATTRIBUTE(XPage, footerEdge, 'd', 19, 720),
    VDK_ATTRIBUTE(XPage, textFlow, 'd', 20, 0),
    VDK_CHILD(XPage, footnote, "FOOTNOTEFORMAT", 21, kXFootnoteTable, &kDefaultFootnote),
    VDK_CHILD(XPage, endnote, "ENDNOTEFORMAT", 22, kXFootnoteTable, &kDefaultEndnote),
    VDK_CHILD(XPage, lineNumber, "LINENUMBER", 23, kXLineNumberTable, 0),
    VDK_CHILD(XPage, pageNumber, "PAGENUMBER", 24, kXPageNumberTable, 0),
    VDK_ATTRIBUTE(XPage, borderType, 'd', 25, 0),
    VDK_ATTRIBUTE(XPage, borderTop, 'B', 26, &kDefaultBorder),
    VDK_ATTRIBUTE(XPage, borderLeft, 'B', 27, &kDefaultBorder),
    VDK_ATTRIBUTE(XPage, borderBottom, 'B', 28, &kDefaultBorder),
    VDK_ATTRIBUTE(XPage, borderRight, 'B', 29, &kDefaultBorder),
    VDK_ATTRIBUTE(XPage, borderArt, 'd', 30, 0),
    VDK_ATTRIBUTE(XPage, borderMarginMeasurement, 'd', 31, 0),
    VDK_ATTRIBUTE(XPage, borderOptions, 'd', 32, 0),
    VDK_ATTRIBUTE(XPage, textVerticalAlignment, 'd', 33, 0),
    VDK_ATTRIBUTE(XPage, mirrorMargins, 'd', 34, 0),
    VDK_ATTRIBUTE(XPage, titlePage, 'd', 35, 0),
    VDK_ATTRIBUTE(XPage, evenHeaderRef, 'l', 36, 0),
    VDK_ATTRIBUTE(XPage, defaultHeaderRef, 'l', 37, 0),
    VDK_ATTRIBUTE(XPage, firstHeaderRef, 'l', 38, 0),
    VDK_ATTRIBUTE(XPage, evenFooterRef, 'l', 39, 0),
    VDK_ATTRIBUTE(XPage, defaultFooterRef, 'l', 40, 0),
    VDK_ATTRIBUTE(XPage, firstFooterRef, 'l', 41, 0),
};

}  // namespace

VDK_RECORD_TABLE(XFootnote);
VDK_RECORD_TABLE(XLineNumber);
VDK_RECORD_TABLE(XPageNumber);
VDK_RECORD_TABLE(XPage, 42);
