#pragma once
// Section records for the writer tests: fresh ones, a sample with every field away from its start, filled
// ones, the round-trip cases and what a reader must find after reading a written record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/FieldMask.h"
#include "model/records/RecordTables.h"
#include "model/records/section/XPage.h"
#include "tests/model/records/RecordFilling.h"
#include "tests/model/records/WriterTestSupport.h"

namespace pagesample {

using recordfill::Kind;

inline XPage freshPage(std::int16_t metric = 0) {
    XPage page;
    initXPage(&page, metric);
    return page;
}

inline XPage freshPageAllBits(std::int16_t metric = 0) {
    XPage page = freshPage(metric);
    writertest::setAllChangeBits(page.changeBits);
    return page;
}

// Every field away from its starting value: signs, -1, the 16-bit and 32-bit ends, colour channels of
// 65535, separator texts that the storage escapes.
inline XPage samplePage() {
    XPage page = freshPageAllBits(1);
    page.uniqueBits = 11;
    page.position = 250;
    page.styleTag = -1;
    page.pageHeight = -32768;
    page.leftMargin = 1700;
    page.topMargin = -1;
    page.rightMargin = 32767;
    page.bottomMargin = 0;
    page.direction = 1;
    page.orientation = 1;
    page.margination = 8299;
    page.columns = 3;
    page.spaceBetweenColumns = 720;
    page.lineBetweenColumns = 1;
    page.notEqualWidthColumns = 1;
    for (int i = 0; i < kColumnSlots; ++i) {
        page.columnWidth[i] = static_cast<std::int16_t>(100 * i - 300);
        page.columnSpace[i] = static_cast<std::int16_t>(-i);
    }
    page.gutter = -1;
    page.rtlGutter = 1;
    page.headers = 2;
    page.footerEdge = 360;
    page.textFlow = 4;
    page.footnote = {1, 2, 3, 4, 5, 6, "sep 100%", "cont \"\xC3\xA9\""};
    page.endnote = {0, 5, 1, -1, 0, 1, "", " "};
    page.lineNumber = {1, 5, 1, 360, 2};
    page.pageNumber = {1, 4, 1, 2, -1, 0, 7};
    page.borderType = 1;
    page.borderTop = {-1, 1, {65535, 0, 0}, 24};
    page.borderLeft = {12, 2, {0, 65535, 0}, 0};
    page.borderBottom = {0, 0, {0, 0, 0}, 0};
    page.borderRight = {8, 3, {0, 0, 65535}, 4};
    page.borderArt = 5;
    page.borderMarginMeasurement = 1;
    page.borderOptions = 2;
    page.textVerticalAlignment = 3;
    page.mirrorMargins = 1;
    page.titlePage = 1;
    page.evenHeaderRef = -1;
    page.defaultHeaderRef = INT32_MAX;
    page.firstHeaderRef = 0;
    page.evenFooterRef = 1;
    page.defaultFooterRef = INT32_MIN;
    page.firstFooterRef = 42;
    return page;
}

inline XPage filledPage(Kind kind) {
    XPage page = freshPageAllBits();
    recordfill::fillRecord(kXPageTable, &page, kind);
    return page;
}

struct RoundTripCase {
    const char* title;
    XPage page;
};

inline std::vector<RoundTripCase> roundTripCases() {
    XPage everyOtherBit = samplePage();
    std::memset(everyOtherBit.changeBits, 0x55, sizeof everyOtherBit.changeBits);  // bits 1, 3, 5 ...
    XPage columnsOnly = samplePage();
    std::memset(columnsOnly.changeBits, 0, sizeof columnsOnly.changeBits);
    setMaskBit(columnsOnly.changeBits, 14);
    return {
        {"a fresh record without change bits", freshPage()},
        {"a fresh letter page with all bits", freshPageAllBits()},
        {"a fresh metric page with all bits", freshPageAllBits(1)},
        {"the sample record", samplePage()},
        {"every other bit", everyOtherBit},
        {"the columns alone", columnsOnly},
        {"every member its own value", filledPage(Kind::kDistinct)},
        {"negative members", filledPage(Kind::kNegative)},
        {"-32768, 32767, -1, the 32-bit ends, channels of 0 and 65535, full separators that need escaping",
         filledPage(Kind::kExtremes)},
    };
}

// The record a reader finds when it reads the element on top of `previous`.
inline XPage expectedAfterReading(const XPage& previous, const XPage& written) {
    XPage expected = previous;
    writertest::copyStoredFields(kXPageTable, &expected, &written, true);
    if (testMaskBit(written.changeBits, 14) == 1) {
        std::memcpy(expected.columnWidth, written.columnWidth, sizeof expected.columnWidth);
        std::memcpy(expected.columnSpace, written.columnSpace, sizeof expected.columnSpace);
    }
    return expected;
}

}  // namespace pagesample
