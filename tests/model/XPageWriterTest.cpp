#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/FieldMask.h"
#include "model/AttributeWriteFailure.h"
#include "model/RecordTables.h"
#include "model/XPageReader.h"
#include "model/XPageWriter.h"
#include "platform/AllocationFailure.h"
#include "tests/model/ElementTree.h"
#include "tests/model/RecordFilling.h"
#include "tests/model/RecordWalk.h"
#include "tests/model/WriterTestSupport.h"

namespace {

using elementtree::attribute;
using elementtree::attributeNames;
using elementtree::childNames;
using recordfill::Kind;
using strings = std::vector<std::string>;

XPage freshPage(std::int16_t metric = 0) {
    XPage page;
    initXPage(&page, metric);
    return page;
}

XPage freshPageAllBits(std::int16_t metric = 0) {
    XPage page = freshPage(metric);
    writertest::setAllChangeBits(page.changeBits);
    return page;
}

// Every field away from its starting value: signs, -1, the 16-bit and 32-bit ends, colour channels of
// 65535, separator texts that the storage escapes.
XPage samplePage() {
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

XPage filledPage(Kind kind) {
    XPage page = freshPageAllBits();
    recordfill::fillRecord(kXPageTable, &page, kind);
    return page;
}

class XPageWriterTest : public writertest::WriterTest {
protected:
    const xmlNode* write(const XPage& page, std::int16_t expectedResult = 0, XParamBlock* colours = nullptr) {
        elements.push_back(newElement("Page000"));
        EXPECT_EQ(writeXPage(elements.back().get(), &page, colours == nullptr ? &block : colours), expectedResult);
        return elements.back()->getNode();
    }

    std::vector<std::unique_ptr<CStream>> elements;
};

// ---- round trips through the reader ----

struct RoundTripCase {
    const char* title;
    XPage page;
};

std::vector<RoundTripCase> roundTripCases() {
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
XPage expectedAfterReading(const XPage& previous, const XPage& written) {
    XPage expected = previous;
    writertest::copyStoredFields(kXPageTable, &expected, &written, true);
    if (testMaskBit(written.changeBits, 14) == 1) {
        std::memcpy(expected.columnWidth, written.columnWidth, sizeof expected.columnWidth);
        std::memcpy(expected.columnSpace, written.columnSpace, sizeof expected.columnSpace);
    }
    return expected;
}

TEST_F(XPageWriterTest, EveryWrittenFieldReadsBackEqualAndEveryOtherKeepsItsValue) {
    XPage previous = freshPage();
    recordfill::fillRecord(kXPageTable, &previous, Kind::kDistinct, 5000);
    for (const RoundTripCase& test : roundTripCases()) {
        SCOPED_TRACE(test.title);
        write(test.page);
        XPage read = previous;
        EXPECT_EQ(readXPage(elements.back().get(), &read), 0);
        const XPage expected = expectedAfterReading(previous, test.page);
        EXPECT_EQ(recordwalk::firstDifference(kXPageTable, &read, &expected), "");
    }
}

// ---- what the element holds ----

TEST_F(XPageWriterTest, GoldenElements) {
    elementtree::expectGoldenElement("XPageWriterFresh.xml", write(freshPage()));
    elementtree::expectGoldenElement("XPageWriterFreshAllBits.xml", write(freshPageAllBits(1)));
    elementtree::expectGoldenElement("XPageWriterSample.xml", write(samplePage()));
}

struct MaskCase {
    const char* title;
    std::vector<int> bits;
    const char* changeBits;
    strings attributes;  // after the three head keys
    strings children;
};

std::vector<int> bitRange(int first, int last) {
    std::vector<int> bits;
    for (int bit = first; bit <= last; ++bit) bits.push_back(bit);
    return bits;
}

TEST_F(XPageWriterTest, TheMaskIsStoredAsOneNumberAndEachSetBitAddsItsKeyOrChildInTableOrder) {
    const MaskCase cases[] = {
        {"no bit", {}, "0", {}, {}},
        {"bit 0", {0}, "128", {"XPage_styleTag"}, {}},
        {"bit 9", {9}, "16384", {"XPage_margination"}, {}},
        {"bits 0 to 9", bitRange(0, 9), "49407",
         {"XPage_styleTag", "XPage_pageWidth", "XPage_pageHeight", "XPage_leftMargin", "XPage_topMargin",
          "XPage_rightMargin", "XPage_bottomMargin", "XPage_direction", "XPage_orientation", "XPage_margination"},
         {}},
        {"the column count alone", {10}, "8192", {"XPage_columns"}, {}},
        {"the column list alone", {14}, "512", {}, {"COLUMNS"}},
        {"the endnote format alone", {22}, "131072", {}, {"ENDNOTEFORMAT"}},
        {"a border side without the border type", {26}, "536870912", {"XPage_borderTop"}, {}},
        {"the last reference", {41}, "70368744177664", {"XPage_firstFooterRef"}, {}},
        {"bits 42 to 63", bitRange(42, 63), "18446531867965390848", {}, {}},
    };
    for (const MaskCase& test : cases) {
        SCOPED_TRACE(test.title);
        XPage page = samplePage();
        std::memset(page.changeBits, 0, sizeof page.changeBits);
        for (int bit : test.bits) setMaskBit(page.changeBits, bit);
        const xmlNode* element = write(page);
        strings expected = {"XPage_changeBits", "XPage_uniqueBits", "XPage_position"};
        expected.insert(expected.end(), test.attributes.begin(), test.attributes.end());
        EXPECT_EQ(attributeNames(element), expected);
        EXPECT_EQ(attribute(element, "XPage_changeBits"), test.changeBits);
        EXPECT_EQ(childNames(element), test.children);
    }
}

TEST_F(XPageWriterTest, BitsBeyondTheLastFieldChangeNothing) {
    XPage throughBit41 = samplePage();
    std::memset(throughBit41.changeBits, 0, sizeof throughBit41.changeBits);
    for (int bit = 0; bit <= 41; ++bit) setMaskBit(throughBit41.changeBits, bit);
    strings lines = elementtree::treeLines(write(throughBit41));
    const strings colors = writertest::colourTexts(block);

    resetColours();
    strings allLines = elementtree::treeLines(write(samplePage()));
    ASSERT_EQ(lines[1], "  @XPage_changeBits=212205744160767");
    ASSERT_EQ(allLines[1], "  @XPage_changeBits=18446744073709551615");
    lines.erase(lines.begin() + 1);
    allLines.erase(allLines.begin() + 1);
    EXPECT_EQ(allLines, lines);
    EXPECT_EQ(writertest::colourTexts(block), colors);
}

TEST_F(XPageWriterTest, TheColumnListHoldsAllTwelveSlotsWhateverTheColumnCount) {
    for (const std::int16_t columns : {std::int16_t{0}, std::int16_t{1}, std::int16_t{13}, std::int16_t{32767}}) {
        SCOPED_TRACE(columns);
        XPage page = samplePage();
        page.columns = columns;
        page.notEqualWidthColumns = 0;
        const xmlNode* element = write(page);
        EXPECT_EQ(attribute(element, "XPage_columns"), std::to_string(columns));
        const xmlNode* list = elementtree::child(element, "COLUMNS");
        ASSERT_NE(list, nullptr);
        std::vector<std::pair<std::string, std::string>> expected;
        for (int i = 0; i < kColumnSlots; ++i) {
            char width[32];
            char space[32];
            std::snprintf(width, sizeof width, "XColumn_columnWidth%02d", i);
            std::snprintf(space, sizeof space, "XColumn_columnSpace%02d", i);
            expected.emplace_back(width, std::to_string(page.columnWidth[i]));
            expected.emplace_back(space, std::to_string(page.columnSpace[i]));
        }
        EXPECT_EQ(elementtree::attributes(list), expected);
    }
}

// ---- colours ----

struct ColorCase {
    const char* title;
    std::vector<int> bits;
    void (*change)(XPage&);
    strings colors;
};

TEST_F(XPageWriterTest, TheTintsOfTheWrittenBorderSidesEnterTheTableTopLeftBottomRight) {
    const ColorCase cases[] = {
        {"all four sides", bitRange(25, 29), nullptr, {"r65535g0b0", "r0g65535b0", "r0g0b0", "r0g0b65535"}},
        {"every bit", bitRange(0, 63), nullptr, {"r65535g0b0", "r0g65535b0", "r0g0b0", "r0g0b65535"}},
        {"the automatic colour and a repeated one", bitRange(26, 29),
         [](XPage& page) {
             page.borderTop.borderTint = kAutoColor;
             page.borderRight.borderTint = page.borderLeft.borderTint;
         },
         {"r0g65535b0", "r0g0b0"}},
        {"bottom and right, then top", {28, 29, 26}, [](XPage& page) { page.borderTop.borderTint = {5, 5, 5}; },
         {"r5g5b5", "r0g0b0", "r0g0b65535"}},
        {"the empty border of a fresh record", {27}, [](XPage& page) { page = freshPageAllBits(); }, {"r0g0b0"}},
        {"the border type alone", {25}, nullptr, {}},
        {"everything but the sides", bitRange(0, 25), nullptr, {}},
    };
    for (const ColorCase& test : cases) {
        SCOPED_TRACE(test.title);
        resetColours();
        XPage page = samplePage();
        if (test.change != nullptr) test.change(page);
        std::memset(page.changeBits, 0, sizeof page.changeBits);
        for (int bit : test.bits) setMaskBit(page.changeBits, bit);
        write(page);
        EXPECT_EQ(writertest::colourTexts(block), test.colors);
    }
}

TEST_F(XPageWriterTest, WithoutABlockTheElementIsTheSameAndNoColourIsEntered) {
    const XPage page = samplePage();
    const xmlNode* withBlock = write(page);
    elements.push_back(newElement("Page000"));
    ASSERT_EQ(writeXPage(elements.back().get(), &page, nullptr), 0);
    EXPECT_EQ(elementtree::treeLines(elements.back()->getNode()), elementtree::treeLines(withBlock));
    EXPECT_EQ(block.colors->getCount(), 4);
}

// ---- failures ----

TEST_F(XPageWriterTest, AFailedAttributeAnswersItsCodeKeepsWhatCameBeforeAndEntersNoColour) {
    const XPage page = samplePage();
    const strings complete = elementtree::trail(write(page));
    strings before;
    for (std::size_t k = 1; k <= elementtree::countOf(complete, true); ++k) {
        SCOPED_TRACE("failing attribute " + std::to_string(k));
        resetColours();
        ScopedAttributeWriteFailure failure(static_cast<std::int64_t>(k));
        const strings kept = elementtree::trail(write(page, result::kOutOfMemory));
        ASSERT_EQ(elementtree::countOf(kept, true), k - 1);
        for (const std::string& path : before) EXPECT_NE(std::find(kept.begin(), kept.end(), path), kept.end()) << path;
        for (const std::string& path : kept) EXPECT_NE(std::find(complete.begin(), complete.end(), path), complete.end()) << path;
        EXPECT_EQ(block.colors->getCount(), 0);
        before = kept;
    }
}

TEST_F(XPageWriterTest, AFailureAtABorderKeyKeepsTheKeysAndChildrenBeforeIt) {
    XPage page = samplePage();
    std::memset(page.changeBits, 0, sizeof page.changeBits);
    for (const int bit : {14, 21, 25, 26, 27, 33, 34, 41}) setMaskBit(page.changeBits, bit);
    // The head keys, the 24 column keys, the 8 footnote keys, the border type and the top side.
    ScopedAttributeWriteFailure failure(3 + 24 + 8 + 2 + 1);
    const xmlNode* element = write(page, result::kOutOfMemory);
    EXPECT_EQ(attributeNames(element),
              (strings{"XPage_changeBits", "XPage_uniqueBits", "XPage_position", "XPage_borderType", "XPage_borderTop"}));
    EXPECT_EQ(childNames(element), (strings{"COLUMNS", "FOOTNOTEFORMAT"}));
    EXPECT_EQ(block.colors->getCount(), 0);
}

TEST_F(XPageWriterTest, AnAllocationFailureAnywhereAnswers12AndColoursFollowTheWholeElement) {
    const XPage page = samplePage();
    const strings complete = elementtree::treeLines(write(page));
    const strings allColors = writertest::colourTexts(block);
    bool succeeded = false;
    for (std::int64_t n = 1; n < 200 && !succeeded; ++n) {
        SCOPED_TRACE("failing allocation " + std::to_string(n));
        resetColours();
        elements.push_back(newElement("Page000"));
        std::int16_t result = 0;
        {
            platform::ScopedAllocationFailure failure(n);
            result = writeXPage(elements.back().get(), &page, &block);
        }
        succeeded = result == 0;
        if (succeeded) break;
        EXPECT_EQ(result, result::kOutOfMemory);
        const strings colors = writertest::colourTexts(block);
        ASSERT_LE(colors.size(), allColors.size());
        EXPECT_TRUE(std::equal(colors.begin(), colors.end(), allColors.begin()));
        if (!colors.empty()) {
            EXPECT_EQ(elementtree::treeLines(elements.back()->getNode()), complete);
        }
    }
    EXPECT_TRUE(succeeded);
}

TEST_F(XPageWriterTest, AMissingElementOrRecordIsRefused) {
    const XPage page = samplePage();
    EXPECT_EQ(writeXPage(nullptr, &page, &block), result::kNullObject);
    EXPECT_EQ(writeXPage(newElement("Page000").get(), nullptr, &block), result::kNullObject);
}

}  // namespace
