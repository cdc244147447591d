#pragma once
// The section record: page size and margins, columns, headers and footers, note and numbering formats
// and page borders of the section that starts at its `position`. Its fields, keys, change bits and
// starting values are in its field table (kXPageTable, XPageFields.cpp). Lengths are in twips.
#include <cstdint>
#include <type_traits>

#include "model/records/ValueRecords.h"

constexpr int kColumnSlots = 12;
constexpr int kSeparatorBytes = 256;

// The format of one kind of note (children "FOOTNOTEFORMAT" and "ENDNOTEFORMAT", both with the keys
// "XFootnote_...").
struct XFootnote {
    std::int16_t hasNotes;
    std::int16_t format;  // numbering format
    std::int16_t restartType;
    std::int16_t startAt;
    std::int16_t docPlacement;
    std::int16_t pagePlacement;
    char separator[kSeparatorBytes];
    char separatorContinuous[kSeparatorBytes];
};

// Line numbering (child "LINENUMBER").
struct XLineNumber {
    std::int16_t hasLineNumber;
    std::int16_t countBy;
    std::int16_t startAt;
    std::int16_t fromText;
    std::int16_t restartType;
};

// Page numbering (child "PAGENUMBER"); its separator is a number.
struct XPageNumber {
    std::int16_t hasPageNumber;
    std::int16_t format;
    std::int16_t hasChapterNumber;
    std::int16_t headingLevel;
    std::int16_t separator;
    std::int16_t restartType;
    std::int16_t startAt;
};

inline constexpr XFootnote kDefaultFootnote{1, 1, 1, 1, 0, 1, "", ""};
inline constexpr XFootnote kDefaultEndnote{1, 5, 1, 1, 0, 1, "", ""};

// The two page sizes; the metric sheet is 11899 wide, not 11906.
constexpr std::int16_t kMetricPageWidth = 11899;
constexpr std::int16_t kMetricPageHeight = 16838;
constexpr std::int16_t kLetterPageWidth = 12240;
constexpr std::int16_t kLetterPageHeight = 15840;

struct XPage {
    std::uint8_t changeBits[8];
    std::int32_t uniqueBits;
    std::int32_t position;  // first UTF-16 unit of the section
    std::int32_t styleTag;
    std::int16_t pageWidth;
    std::int16_t pageHeight;
    std::int16_t leftMargin;
    std::int16_t topMargin;
    std::int16_t rightMargin;
    std::int16_t bottomMargin;
    std::int16_t direction;
    std::int16_t orientation;
    std::int16_t margination;  // width of the text area
    std::int16_t columns;
    std::int16_t spaceBetweenColumns;
    std::int16_t lineBetweenColumns;
    std::int16_t notEqualWidthColumns;
    std::int16_t columnWidth[kColumnSlots];  // width of column i and the space after it; one field
    std::int16_t columnSpace[kColumnSlots];  // with one change bit, stored as pairs in "COLUMNS"
    std::int16_t gutter;
    std::int16_t rtlGutter;
    std::int16_t headers;
    std::int16_t headerEdge;
    std::int16_t footerEdge;
    std::int16_t textFlow;
    XFootnote footnote;
    XFootnote endnote;
    XLineNumber lineNumber;
    XPageNumber pageNumber;
    std::int16_t borderType;
    BorderSpec borderTop;
    BorderSpec borderLeft;
    BorderSpec borderBottom;
    BorderSpec borderRight;
    std::int16_t borderArt;
    std::int16_t borderMarginMeasurement;
    std::int16_t borderOptions;
    std::int16_t textVerticalAlignment;
    std::int16_t mirrorMargins;
    std::int16_t titlePage;
    std::int32_t evenHeaderRef;  // story marks of the header and footer stories
    std::int32_t defaultHeaderRef;
    std::int32_t firstHeaderRef;
    std::int32_t evenFooterRef;
    std::int32_t defaultFooterRef;
    std::int32_t firstFooterRef;
};

static_assert(std::is_trivially_copyable_v<XFootnote> && std::is_trivially_copyable_v<XLineNumber> &&
              std::is_trivially_copyable_v<XPageNumber>);
static_assert(std::is_trivially_copyable_v<XPage>, "records travel between the engines as plain bytes");

// Clears the record and gives it the starting values of its table; the metric flag 1 chooses the metric
// page, any other value the 8.5 x 11 inch page, and the text width follows from the page and margins.
void initXPage(XPage* page, std::int16_t metric);
// A plain copy. Answers dst.
XPage* copyXPage(XPage* dst, const XPage* src);
// Field by field, padding aside.
bool equalXPage(const XPage& a, const XPage& b);
XFootnote* copyXFootnote(XFootnote* dst, const XFootnote* src);
// The twelve column widths and spaces of two pages.
bool equalColumns(const XPage& a, const XPage& b);
