// The definition of a table row written where the row ends: its row words, its cells' words and right
// edges, the borders a cell takes from its table, and the cell shading.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "model/records/ValueRecords.h"
#include "model/records/cell/XRow.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/story/StoryKinds.h"
#include "tests/export/rtf/RTFEmitterHarness.h"

namespace rtftest {
namespace {

constexpr std::int16_t kTwips = 3;

// A fixed-width row of `cells` cells over a grid of 400-twip columns, borders all left to the table.
XRows gridRow(std::int16_t cells) {
    XRows rows{};
    rows.styleTag = -1;
    rows.grid.numOfColumns = kMaxGridColumns;
    for (int i = 0; i < kMaxGridColumns; ++i) rows.grid.columnRightPos[i] = static_cast<std::int16_t>((i + 1) * 400);
    rows.rows = cells;
    for (XRow& cell : rows.cells) {
        cell = kDefaultCell;
        cell.gridSpan = 1;
        XTblBorders& own = cell.tcBorders;
        for (BorderSpec* b : {&own.top, &own.left, &own.bottom, &own.right}) b->borderType = -1;
    }
    return rows;
}

std::string cellEdges(const std::string& written) {
    std::string edges;
    for (std::size_t at = written.find("\\cellx"); at != std::string::npos; at = written.find("\\cellx", at + 1)) {
        edges += written.substr(at + 6, written.find_first_not_of("-0123456789", at + 6) - at - 6) + " ";
    }
    return edges;
}

TEST(RTFRowDefinitionTest, AFloatingRowWithEveryRowWord) {
    EmitterHarness harness;
    harness.placer.rowIndex = 1;
    harness.placer.rowCount = 3;
    XRows rows = gridRow(1);
    rows.styleTag = 4;
    rows.tblpPr = XTblPlacement{1, 100, 200, 0, 400, 2, 3, 4, -50, 1, 75};
    rows.tblOverlap = 1;
    rows.tblHeader = 1;
    rows.tblLayout = 1;
    rows.cantSplit = 1;
    rows.tblW = WidthSpec{kTwips, 5000};
    rows.bidiVisual = 1;
    rows.jc = 1;
    rows.tblInd = WidthSpec{kTwips, 500};
    rows.trHeight = HeightSpec{kHeightExact, 300};
    rows.tblCellSpacing = WidthSpec{kTwips, 20};
    rows.tblCellMar = XTblMargins{{kTwips, 10}, {kTwips, 100}, {1, 30}, {kTwips, 300}};
    XRow& cell = rows.cells[0];
    cell.hmerge = 2;
    cell.vmerge = 1;
    cell.textFlow = 2;
    cell.vAlign = 3;
    cell.noWrap = 1;
    cell.tcFitText = 1;
    cell.tcMar = XTblMargins{{kTwips, 11}, {kTwips, 22}, {kTwips, 33}, {1, 44}};
    cell.tcW = WidthSpec{kTwips, 1000};
    harness.emitter().writeRowDefinition(rows, 1);
    EXPECT_EQ(harness.taken(),
              "\\trowd\\itap1\\irow1\\tpvpg\\tphcol\\tposyil\\tposy75\\tposxr\\tposnegx50"
              "\\tdfrmtxtLeft100\\tdfrmtxtRight200\\tdfrmtxtBottom400\\tabsnoovrlp1"
              "\\trhdr\\ts3\\trautofit1\\trkeep\\trftsWidth3\\trwWidth5000\\rtlrow\\trqc"
              "\\tblindtype3\\tblind500\\trrh-300"
              "\\trspdl20\\trspdt20\\trspdb20\\trspdr20\\trspdfl3\\trspdft3\\trspdfb3\\trspdfr3"
              "\\trgaph200\\trleft478\\trpaddl0\\trpaddfl3\\trpaddr0\\trpaddfr3\\trpaddt10\\trpaddft3"
              "\\clmgf\\clvmrg\\cltxbtlr\\clvertalb\\clNoWrap\\clFitText"
              "\\clpadl11\\clpadfl3\\clpadb33\\clpadfb3\\clpadt22\\clpadft3\\clpadr300\\clpadfr3"
              "\\clftsWidth3\\clwWidth1000\\cellx878 ");
    EXPECT_EQ(harness.placer.rowIndex, 2) << "the row counter moves on";

    harness.emitter().writeRowDefinition(gridRow(1), 0);
    EXPECT_EQ(harness.taken(),
              "\\trowd\\itap1\\irow2\\lastrow\\trftsWidth0\\trwWidth0\\ltrrow\\trql\\tblindtype0\\tblind0\\trrh0"
              "\\trleft-108\\trpaddl0\\trpaddfl3\\trpaddr0\\trpaddfr3\\cltxlrtb\\clvertalt"
              "\\clpadt108\\clpadft3\\clpadr108\\clpadfr3\\clftsWidth3\\clwWidth400\\cellx292 ");
    EXPECT_EQ(harness.placer.rowIndex, 2) << "without advance the counter stays";
}

TEST(RTFRowDefinitionTest, CellEdgesFollowTheSpansAndStayWithinTheGrid) {
    struct EdgeCase {
        const char* what;
        std::int16_t gridColumns;
        std::int16_t cells;
        std::int16_t spans[3];
        std::int32_t indent;
        const char* edges;  // with a left cell margin of 100
    };
    const EdgeCase cases[] = {
        {"spans 1, 2, 1", 4, 3, {1, 2, 1}, 0, "-100 300 1100 1500 "},
        {"an indent moves the table's edge and every cell edge", 4, 3, {1, 2, 1}, 250, "150 550 1350 1750 "},
        {"so does an indent to the left", 4, 3, {1, 2, 1}, -400, "-500 -100 700 1100 "},
        {"a span past the grid ends at its last column", 4, 3, {1, 9, 1}, 0, "-100 300 1500 1500 "},
        {"a huge span", 65, 2, {32767, 32767, 1}, 0, "-100 25900 25900 "},
        {"a grid that claims too many columns reads its 65", 300, 2, {64, 1, 1}, 0, "-100 25500 25900 "},
    };
    for (const EdgeCase& c : cases) {
        EmitterHarness harness;
        XRows rows = gridRow(c.cells);
        rows.grid.numOfColumns = c.gridColumns;
        rows.tblInd = WidthSpec{kTwips, c.indent};
        rows.tblCellMar.left = WidthSpec{kTwips, 100};
        for (int i = 0; i < c.cells; ++i) rows.cells[i].gridSpan = c.spans[i];
        harness.emitter().writeRowDefinition(rows, 1);
        const std::string written = harness.taken();
        const std::size_t left = written.find("\\trleft") + 7;
        const std::string tableEdge = written.substr(left, written.find('\\', left) - left);
        EXPECT_EQ(tableEdge + " " + cellEdges(written), c.edges) << c.what;
    }

    EmitterHarness harness;
    XRows tooMany = gridRow(kMaxRowCells);
    tooMany.rows = 300;
    harness.emitter().writeRowDefinition(tooMany, 1);
    const std::string edges = cellEdges(harness.taken());
    EXPECT_EQ(std::count(edges.begin(), edges.end(), ' '), kMaxRowCells) << "only the cells a row holds are written";
    EXPECT_EQ(edges.substr(edges.size() - 6), "25892 ");
}

TEST(RTFRowDefinitionTest, BordersLeftToTheTableFollowTheCellsPlaceInItsOwnRows) {
    struct PlaceCase {
        const char* what;
        std::int32_t rowIndex;
        std::int32_t rowCount;
        std::int32_t storyRows;  // rows of the story the table sits in
        const char* expected;
    };
    // Table borders by style: top 1, left 2, bottom 3, right 4, insideH 5, insideV 6.
    const PlaceCase cases[] = {
        {"the first of three rows", 0, 3, 0,
         "\\clbrdrt<border 1>\\clbrdrl<border 2>\\clbrdrb<border 5>\\clbrdrr<border 6>|"
         "\\clbrdrt<border 1>\\clbrdrl<border 6>\\clbrdrb<border 5>\\clbrdrr<border 4>|"},
        {"a middle row", 1, 3, 0,
         "\\clbrdrt<border 5>\\clbrdrl<border 2>\\clbrdrb<border 5>\\clbrdrr<border 6>|"
         "\\clbrdrt<border 5>\\clbrdrl<border 6>\\clbrdrb<border 5>\\clbrdrr<border 4>|"},
        {"the last row of a table in a longer story", 1, 2, 9,
         "\\clbrdrt<border 5>\\clbrdrl<border 2>\\clbrdrb<border 3>\\clbrdrr<border 6>|"
         "\\clbrdrt<border 5>\\clbrdrl<border 6>\\clbrdrb<border 3>\\clbrdrr<border 4>|"},
    };
    for (const PlaceCase& c : cases) {
        EmitterHarness harness;
        harness.placer.rowIndex = c.rowIndex;
        harness.placer.rowCount = c.rowCount;
        harness.block.storyRows = c.storyRows;
        XRows rows = gridRow(2);
        BorderSpec* table[] = {&rows.tblBorders.top,     &rows.tblBorders.left,    &rows.tblBorders.bottom,
                               &rows.tblBorders.right,   &rows.tblBorders.insideH, &rows.tblBorders.insideV};
        for (int i = 0; i < 6; ++i) table[i]->borderType = static_cast<std::int16_t>(i + 1);
        harness.emitter().writeRowDefinition(rows, 1);
        std::string borders;
        const std::string written = harness.taken();
        std::size_t at = 0;
        while ((at = written.find("\\clbrdr", at)) != std::string::npos) {
            const std::size_t end = written.find('>', at) + 1;
            borders += written.substr(at, end - at);
            if (written.compare(end, 9, "\\cltxlrtb") == 0) borders += "|";
            at = end;
        }
        EXPECT_EQ(borders, c.expected) << c.what;
        EXPECT_EQ(written.find("\\lastrow") != std::string::npos, c.rowIndex + 1 == c.rowCount) << c.what;
    }
}

TEST(RTFRowDefinitionTest, OwnBordersDiagonalsAndTableBordersWithoutAStyle) {
    EmitterHarness harness;
    XRows rows = gridRow(1);
    rows.tblBorders.top.borderType = -1;  // left to a table that has none either
    XRow& cell = rows.cells[0];
    cell.tcBorders.left.borderType = 9;
    cell.tcBorders.bottom.borderType = 0;
    cell.tcBorders.insideH.borderType = 11;
    cell.tcBorders.insideV.borderType = 12;
    harness.emitter().writeRowDefinition(rows, 1);
    const std::string written = harness.taken();
    EXPECT_NE(written.find("\\trpaddfr3\\clbrdrt<border -1>\\clbrdrl<border 9>\\cldglu<border 11>\\cldgll<border 12>"
                           "\\cltxlrtb"),
              std::string::npos)
        << written;
}

TEST(RTFRowDefinitionTest, ANestedRowOpensItsPropertiesGroup) {
    EmitterHarness harness;
    harness.placer.depth = 2;
    harness.emitter().writeRowDefinition(gridRow(1), 1);
    EXPECT_EQ(harness.taken().rfind("{\\*\\nesttableprops\\trowd\\itap2\\irow0\\lastrow", 0), 0u);
}

TEST(RTFRowDefinitionTest, CellShadingByPatternAndColours) {
    const RGBColor grey{30000, 30000, 30000};
    struct ShadingCase {
        ShadingSpec shading;
        const char* expected;
    };
    const ShadingCase cases[] = {
        {kDefaultShading, ""},
        {{0, grey, grey}, "\\clcbpat2"},
        {{2, kBlack, kWhite}, "\\clcfpat1\\clbgdkhor"},
        {{13, kAutoColor, kBlack}, "\\clcbpat1\\clbgdcross"},
        {{1, kBlack, grey}, "\\clcbpat2\\clcfpat1\\clshdng0"},
        {{25, kBlack, kAutoColor}, "\\clcfpat1\\clshdng50"},
    };
    for (const ShadingCase& c : cases) {
        EmitterHarness harness;
        harness.emitter().writeCellShading(c.shading);
        EXPECT_EQ(harness.taken(), c.expected) << c.shading.patternType;
    }
}

}  // namespace
}  // namespace rtftest

namespace rtftest {
namespace {

TEST(RTFCellMarkTest, CellsAndRowEndsAtEachDepth) {
    struct MarkCase {
        const char* what;
        std::int16_t depth;
        bool announced;  // the row started with beginTableRow
        std::int16_t cellOfRow;
        std::int16_t lastCellOfRow;
        std::int16_t answer;
        const char* expected;  // each row definition shown as "<row>"
    };
    const MarkCase cases[] = {
        {"a cell", 1, false, 1, 0, 5, "\\cell"},
        {"a row end defines a row not defined at its start", 1, false, 1, 1, 4, "<row>\\row"},
        {"a row defined at its start is not defined again", 1, true, 1, 1, 4, "<row>\\row"},
        {"a nested cell", 2, false, 1, 0, 9, "\\nestcell"},
        {"a nested row is defined at its end only", 2, true, 1, 1, 9, "<row>\\nestrow}"},
        {"a mark outside a table is text", 1, false, 0, 0, 1, ""},
    };
    for (const MarkCase& c : cases) {
        EmitterHarness harness;
        harness.placer.depth = c.depth;
        XRule rule{};
        rule.cellOfRow = c.cellOfRow;
        rule.lastCellOfRow = c.lastCellOfRow;
        rule.rows = gridRow(1);
        XForm form{};
        RTFFieldState fields{};
        if (c.announced) harness.emitter().beginTableRow(rule.rows);
        EXPECT_EQ(harness.placer.rowIndex, 0) << c.what << ": a row's start leaves the counter";
        EXPECT_EQ(harness.emitter().writeControlCode(storycode::kCellEnd, form, rule, fields), c.answer) << c.what;
        std::string written = harness.taken();
        for (std::size_t definition = written.find("\\trowd"); definition != std::string::npos;
             definition = written.find("\\trowd")) {
            const std::size_t end = written.find(' ', written.find("\\cellx", definition)) + 1;
            written.replace(definition, end - definition, "<row>");
        }
        const std::string nestedGroup = "{\\*\\nesttableprops";
        if (written.rfind(nestedGroup, 0) == 0) written.erase(0, nestedGroup.size());
        EXPECT_EQ(written, c.expected) << c.what;
        EXPECT_EQ(harness.placer.rowIndex, c.lastCellOfRow) << c.what << ": the row counter moves at a row's end";
    }
}

}  // namespace
}  // namespace rtftest
