#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/FieldMask.h"
#include "model/records/RecordTables.h"
#include "model/records/section/XPageReader.h"
#include "model/records/section/XPageWriter.h"
#include "model/storage/AttributeWriteFailure.h"
#include "platform/process/AllocationFailure.h"
#include "tests/model/records/RecordFilling.h"
#include "tests/model/records/RecordWalk.h"
#include "tests/model/records/WriterTestSupport.h"
#include "tests/model/records/section/XPageSamples.h"
#include "tests/model/storage/ElementTree.h"

namespace {

using elementtree::attribute;
using elementtree::attributeNames;
using elementtree::childNames;
using recordfill::Kind;
using namespace pagesample;
using strings = std::vector<std::string>;

class XPageWriterTest : public writertest::WriterTest {
protected:
    const xmlNode* write(const XPage& page, std::int16_t expectedResult = 0, XParamBlock* colours = nullptr) {
        elements.push_back(newElement("Page000"));
        EXPECT_EQ(writeXPage(elements.back().get(), &page, colours == nullptr ? &block : colours), expectedResult);
        return elements.back()->getNode();
    }

    std::vector<std::unique_ptr<CStream>> elements;
};

// ---- what the element holds ----

std::vector<int> bitRange(int first, int last) {
    std::vector<int> bits;
    for (int bit = first; bit <= last; ++bit) bits.push_back(bit);
    return bits;
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

// ---- failures ----

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

}  // namespace
