#include "model/records/section/XPage.h"

#include "model/records/RecordFields.h"
#include "model/records/RecordTables.h"
#include "model/records/SameBytes.h"

void initXPage(XPage* page, std::int16_t metric) {
    initRecordOnce(kXPageTable, page);
    // The page size depends on the metric flag, and the text width on the page.
    page->pageWidth = metric == 1 ? kMetricPageWidth : kLetterPageWidth;
    page->pageHeight = metric == 1 ? kMetricPageHeight : kLetterPageHeight;
    page->margination = static_cast<std::int16_t>(page->pageWidth - page->leftMargin - page->rightMargin);
}

XPage* copyXPage(XPage* dst, const XPage* src) {
    *dst = *src;
    return dst;
}

bool equalXPage(const XPage& a, const XPage& b) {
    return equalRecords(kXPageTable, &a, &b);
}

XFootnote* copyXFootnote(XFootnote* dst, const XFootnote* src) {
    *dst = *src;
    return dst;
}

bool equalColumns(const XPage& a, const XPage& b) {
    return sameBytes(a.columnWidth, b.columnWidth) && sameBytes(a.columnSpace, b.columnSpace);
}
