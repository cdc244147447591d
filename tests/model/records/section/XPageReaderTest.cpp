#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/CFail.h"
#include "model/records/ChangeMask.h"
#include "model/records/RecordTables.h"
#include "model/records/section/XPageReader.h"
#include "tests/model/records/RecordWalk.h"
#include "tests/model/storage/StorageTestSupport.h"

namespace {

class XPageReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        initXPage(&previous, 1);
        for (int i = 0; i < kColumnSlots; ++i) {
            previous.columnWidth[i] = static_cast<std::int16_t>(100 + i);
            previous.columnSpace[i] = static_cast<std::int16_t>(200 + i);
        }
        previous.footnote.startAt = 9;
        std::strcpy(previous.footnote.separator, "previous");
        previous.lineNumber.countBy = 4;
    }

    XPage readRun(const char* name) {
        CStream element(runs.root(), name, 0);
        XPage page = previous;
        EXPECT_EQ(readXPage(&element, &page), 0) << name;
        return page;
    }

    void expectEqual(const XPage& actual, const XPage& expected) {
        EXPECT_TRUE(equalXPage(actual, expected)) << recordwalk::firstDifference(kXPageTable, &actual, &expected);
    }

    storagetest::FileStorage runs = storagetest::fixture("xpage-runs.xml");
    XPage previous;
};

TEST_F(XPageReaderTest, AHeadOnlyRunIsThePreviousRunWithANewHead) {
    XPage expected = previous;
    setChangeMaskNumber(expected.changeBits, 4);
    expected.uniqueBits = -2;
    expected.position = 0;
    expectEqual(readRun("HeadOnly"), expected);
}

TEST_F(XPageReaderTest, EveryChildIsReadAndAllTwelveColumnPairs) {
    XPage expected = previous;
    std::memset(expected.changeBits, 0xFF, sizeof expected.changeBits);
    expected.uniqueBits = 3;
    expected.position = 50;
    expected.columns = 2;
    expected.pageWidth = -1;
    expected.borderTop = {-1, -2, {3, 4, 5}, -6};
    expected.evenHeaderRef = -1;
    expected.firstFooterRef = 7;
    for (int i = 0; i < kColumnSlots; ++i) {
        expected.columnWidth[i] = static_cast<std::int16_t>((1000 + i) * (i % 2 == 1 ? -1 : 1));
        expected.columnSpace[i] = static_cast<std::int16_t>(-10 * i);
    }
    expected.lineNumber.hasLineNumber = 1;
    expected.lineNumber.countBy = 5;
    expected.lineNumber.fromText = -1;
    expected.pageNumber.format = 3;
    expected.pageNumber.startAt = -3;
    expected.footnote.format = 2;
    std::strcpy(expected.footnote.separator, "\xE2\x80\x94\xE2\x80\x94");
    expected.endnote.startAt = -4;
    std::strcpy(expected.endnote.separatorContinuous, "cont");
    expectEqual(readRun("Full"), expected);
}

TEST_F(XPageReaderTest, MissingKeysAndChildrenKeepTheirValues) {
    XPage columnZero = previous;
    setChangeMaskNumber(columnZero.changeBits, 1);
    columnZero.uniqueBits = 0;
    columnZero.position = 60;
    columnZero.columnWidth[0] = 500;
    columnZero.columnSpace[0] = -20;
    expectEqual(readRun("ColumnZeroOnly"), columnZero);

    XPage endnoteOnly = previous;
    setChangeMaskNumber(endnoteOnly.changeBits, 1);
    endnoteOnly.uniqueBits = 0;
    endnoteOnly.position = 70;
    endnoteOnly.endnote.hasNotes = 0;
    std::strcpy(endnoteOnly.endnote.separator, "end");
    expectEqual(readRun("EndnoteOnly"), endnoteOnly);
}

TEST_F(XPageReaderTest, AForeignSeparatorIsCutToItsFieldOnACharacterBoundary) {
    const XPage page = readRun("LongSeparator");
    std::string expected = "ab";
    for (int i = 0; i < 126; ++i) expected += "\xC3\xA9";
    EXPECT_EQ(std::string(page.footnote.separator), expected);
    EXPECT_STREQ(page.footnote.separatorContinuous, previous.footnote.separatorContinuous);
}

TEST_F(XPageReaderTest, AFailureOfTheOwnKeysIsTheResultAndNothingIsRead) {
    CStream nothing(nullptr, nullptr, 0);
    XPage page = previous;
    EXPECT_EQ(readXPage(&nothing, &page), result::kOutOfMemory);
    EXPECT_TRUE(equalXPage(page, previous));
}

}  // namespace
