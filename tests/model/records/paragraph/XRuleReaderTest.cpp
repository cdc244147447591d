#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/records/ChangeMask.h"
#include "model/records/RecordTables.h"
#include "model/records/paragraph/XRuleReader.h"
#include "tests/model/records/RecordWalk.h"
#include "tests/model/storage/StorageTestSupport.h"

namespace {

char16_t gPreviousLevelText[] = u"prev";

class XRuleReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        initXRule(&previous);
        previous.frame.height = 77;
        previous.level.text = gPreviousLevelText;
        previous.level.textLength = 4;
        previous.tabs.tabs = 5;
        for (int i = 0; i < 5; ++i) previous.tabs.tab[i] = {9, 9, static_cast<std::int16_t>(i), 9};
        previous.rows.grid.columnRightPos[0] = 111;
        previous.rows.tblpPr.tblpX = 222;
        previous.rows.cells[0].gridSpan = 42;
    }

    // The run read on top of a copy of the previous run; a level text the reader made is handed over.
    XRule readRun(const char* name) {
        CStream element(runs.root(), name, 0);
        XRule rule = previous;
        EXPECT_EQ(readXRule(&element, &rule), 0) << name;
        return rule;
    }

    void expectEqual(const XRule& actual, const XRule& expected) {
        EXPECT_TRUE(equalXRule(actual, expected)) << recordwalk::firstDifference(kXRuleTable, &actual, &expected);
    }

    static void releaseLevelText(XRule& rule) {
        if (rule.level.text != gPreviousLevelText) freeMemory(rule.level.text);
    }

    storagetest::FileStorage runs = storagetest::fixture("xrule-runs.xml");
    XRule previous;
};

TEST_F(XRuleReaderTest, AHeadOnlyRunKeepsTabsFrameLevelTextAndRowSet) {
    XRule expected = previous;
    setChangeMaskNumber(expected.changeBits, 2);
    expected.uniqueBits = -1;
    expected.position = 9;
    expectEqual(readRun("HeadOnly"), expected);
}

TEST_F(XRuleReaderTest, EveryChildIsReadAndMissingStopsAndCellsKeepTheirValues) {
    XRule rule = readRun("Full");
    ASSERT_NE(rule.level.text, nullptr);
    EXPECT_EQ(std::u16string(rule.level.text, rule.level.textLength), (std::u16string{u'\u2022', u'\t', u'x', 0, u'y'}));

    XRule expected = previous;
    std::memset(expected.changeBits, 0xFF, sizeof expected.changeBits);
    expected.uniqueBits = 2;
    expected.position = 10;
    expected.styleTag = -1;
    expected.indentLeft = -720;
    expected.indentFirstCh = -100;
    expected.leading = -240;
    expected.shading = {-1, {1, 2, 3}, {65535, 0, 9}};
    expected.borderTop = {-4, -1, {0, 0, 0}, -2};
    expected.frameType = 1;
    expected.frame.width = -1440;
    expected.frame.dropcapLines = 3;
    expected.frame.anchorLock = 1;
    expected.level.ls = -3;
    expected.level.ilvl = 2;
    expected.level.wTabBefore = -360;
    std::strcpy(expected.level.font, "Symbol Pi");
    expected.level.text = rule.level.text;
    expected.level.textLength = 5;
    expected.tabs.tabs = 3;
    expected.tabs.tab[0] = {1, 2, -720, 0};  // stop 001 is missing: 001 and 002 keep their values
    XRows& rows = expected.rows;
    setChangeMaskNumber(rows.changeBits, 5);
    rows.uniqueBits = -1;
    rows.styleTag = 4;
    rows.tblW = {3, -5000};
    rows.tblInd = {3, -108};
    rows.trHeight = {-1, -400};
    rows.shd = {-5, {0, 0, 0}, {0, 0, 0}};
    rows.rows = 2;
    rows.grid.numOfColumns = 3;
    rows.grid.columnRightPos[0] = 1000;
    rows.grid.columnRightPos[1] = -2000;
    rows.grid.columnRightPos[2] = 3000;
    rows.tblpPr.floatingTable = 1;
    rows.tblpPr.leftFromText = -180;
    rows.tblpPr.tblpY = -99999;
    rows.tblBorders.left = {4, 1, {0, 0, 0}, 0};
    rows.tblBorders.insideV = {-2, -3, {1, 1, 1}, -1};
    rows.tblCellMar.top = {3, -10};
    rows.tblCellMar.right = {3, 108};
    rows.defRow.gridSpan = 1;
    rows.defRow.vAlign = 1;
    rows.cells[1].gridSpan = 2;  // cell 000 is missing and keeps its value
    rows.cells[1].tcW = {3, -2880};
    rows.cells[1].tcBorders.bottom = {8, 1, {65535, 0, 0}, 0};
    expectEqual(rule, expected);
    releaseLevelText(rule);
}

TEST_F(XRuleReaderTest, ALevelWithoutTextSetsAnEmptyLevelText) {
    XRule rule = readRun("LevelWithoutText");
    EXPECT_EQ(rule.level.text, nullptr);
    EXPECT_EQ(rule.level.textLength, 0u);
    EXPECT_EQ(rule.level.ilvl, 4);
}

TEST_F(XRuleReaderTest, ARowSetWithoutGridStillReadsPlacementAndCells) {
    const XRule rule = readRun("RowSetWithoutGrid");
    XRows expected = previous.rows;
    expected.rows = 1;
    expected.tblpPr.tblpX = -5;
    expected.cells[0].vmerge = -1;
    EXPECT_TRUE(equalXRows(rule.rows, expected)) << recordwalk::firstDifference(kXRowsTable, &rule.rows, &expected);

    const XRule zero = readRun("ZeroColumns");
    EXPECT_EQ(zero.rows.grid.numOfColumns, 0);
    EXPECT_EQ(zero.rows.grid.columnRightPos[0], 111);
}

TEST_F(XRuleReaderTest, CountsAboveTheCapacitiesAreClampedInTheRecord) {
    XRule rule = readRun("Oversized");
    EXPECT_EQ(rule.tabs.tabs, kMaxTabs);
    EXPECT_EQ(rule.tabs.tab[kMaxTabs - 1].tabIndent, (kMaxTabs - 1) * 10);
    EXPECT_EQ(rule.rows.grid.numOfColumns, kMaxGridColumns);
    EXPECT_EQ(rule.rows.grid.columnRightPos[kMaxGridColumns - 1], kMaxGridColumns);
    EXPECT_EQ(rule.rows.rows, kMaxRowCells);
    EXPECT_EQ(rule.rows.cells[kMaxRowCells - 1].gridSpan, kMaxRowCells);
    EXPECT_EQ(std::string(rule.level.font), std::string(kLevelFontBytes - 1, 'F'));
    // What lies after the stops is untouched.
    EXPECT_EQ(std::memcmp(rule.rows.changeBits, previous.rows.changeBits, 8), 0);
}

TEST_F(XRuleReaderTest, AFailureOfTheOwnKeysIsTheResultAndNothingIsRead) {
    CStream nothing(nullptr, nullptr, 0);
    XRule rule = previous;
    EXPECT_EQ(readXRule(&nothing, &rule), result::kOutOfMemory);
    EXPECT_TRUE(equalXRule(rule, previous));
}

}  // namespace
