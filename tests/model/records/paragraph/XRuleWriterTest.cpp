#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/FieldMask.h"
#include "foundation/memory/Memory.h"
#include "model/params/ParamBlockTables.h"
#include "model/records/ChangeMask.h"
#include "model/records/RecordTables.h"
#include "model/records/paragraph/XRuleReader.h"
#include "model/records/paragraph/XRuleWriter.h"
#include "model/storage/AttributeWriteFailure.h"
#include "platform/process/AllocationFailure.h"
#include "tests/model/records/RecordFilling.h"
#include "tests/model/records/RecordWalk.h"
#include "tests/model/records/WriterTestSupport.h"
#include "tests/model/storage/ElementTree.h"
#include "tests/model/storage/StorageTestSupport.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using elementtree::attribute;
using elementtree::attributeNames;
using elementtree::child;
using elementtree::childNames;
using elementtree::countOf;
using elementtree::placeOfNth;
using elementtree::startOf;
using recordfill::Kind;
using writertest::colourTexts;

void setBits(XRule& rule, std::initializer_list<int> bits) {
    std::memset(rule.changeBits, 0, sizeof rule.changeBits);
    for (int bit : bits) setMaskBit(rule.changeBits, bit);
}

char16_t gLevelText[] = u"\u2022 a\u00E9";

// A record whose stored members all hold values of the kind, with counts inside the arrays and a level
// text, every change bit set.
XRule filledRule(Kind kind, std::int16_t tabs, std::int16_t columns, std::int16_t cells) {
    XRule rule;
    initXRule(&rule);
    recordfill::fillRecord(kXRuleTable, &rule, kind);
    rule.tabs.tabs = tabs;
    rule.rows.grid.numOfColumns = columns;
    rule.rows.rows = cells;
    setChangeMaskNumber(rule.rows.changeBits, 0x0123456789ABCDEFull);
    rule.level.text = gLevelText;
    rule.level.textLength = 4;
    writertest::setAllChangeBits(rule.changeBits);
    return rule;
}

void appendCellColours(std::vector<RGBColor>& colours, const XRow& cell) {
    const XTblBorders& b = cell.tcBorders;
    for (const BorderSpec* border : {&b.top, &b.left, &b.bottom, &b.right, &b.insideH, &b.insideV})
        colours.push_back(border->borderTint);
    colours.push_back(cell.shd.patternTint);
    colours.push_back(cell.shd.patternFill);
}

// Rule elements in a storage in memory, and a parameter block for the colours.
class XRuleWriterTest : public writertest::WriterTest {
protected:
    // A new run element with the rule written into it.
    xmlNode* written(const XRule& rule, XParamBlock* colours = nullptr, std::int16_t expected = 0) {
        CStream element(storage.rootStream(), "Rule000", 1);
        EXPECT_EQ(writeXRule(&element, &rule, colours), expected);
        return element.getNode();
    }
};

// ---- a table story ----

// The record of the run that ends row `row` (0 or 1) of a table of three cells on a grid of 1440, 1440
// and 2880 twips, indented to the left, with a top border and borders and margins of each cell.
XRule tableRowEnd(int row) {
    XRule rule;
    initXRule(&rule);
    rule.cellOfRow = 1;
    rule.lastCellOfRow = 1;
    XRows& rows = rule.rows;
    rows.grid.numOfColumns = 3;
    rows.grid.columnRightPos[0] = 1440;
    rows.grid.columnRightPos[1] = 2880;
    rows.grid.columnRightPos[2] = 5760;
    rows.tblW = {kWidthTwips, 5760};
    rows.tblInd = {kWidthTwips, -360};
    rows.tblBorders.top = {10, 1, {0, 0, 0}, 0};
    rows.tblCellMar.left = {kWidthTwips, 108};
    rows.tblCellMar.right = {kWidthTwips, 108};
    rows.rows = 3;
    const std::int32_t widths[] = {1440, 1440, 2880};
    for (int i = 0; i < 3; ++i) {
        XRow& cell = rows.cells[i];
        cell = kDefaultCell;
        cell.tcW = {kWidthTwips, widths[i]};
        cell.gridSpan = 1;
        cell.tcBorders.left = {static_cast<std::int16_t>(4 + i), 1, {static_cast<std::uint16_t>(100 * i), 0, 0}, 0};
        cell.tcBorders.bottom = {8, 3, {0, static_cast<std::uint16_t>(200 + row), 0}, 2};
        cell.tcBorders.insideV = {-1, -1, {0, 0, 0}, -1};
        cell.tcMar.top = {kWidthTwips, static_cast<std::int32_t>(20 * i + row)};
        cell.tcMar.right = {kWidthPercent, 250};
        cell.vAlign = static_cast<std::int16_t>(i);
    }
    if (row == 1) {
        rows.trHeight = {kHeightExact, 400};
        rows.cells[1].vmerge = 2;
        rows.cells[2].shd = {1, {0, 0, 65535}, {65535, 65535, 0}};
    }
    return rule;
}

TEST_F(XRuleWriterTest, ATwoRowTableReadsBackCellByCellFromASavedStorage) {
    XRule first = tableRowEnd(0);
    writertest::setAllChangeBits(first.changeBits);  // the first run of a story
    XRule second = tableRowEnd(1);
    std::memset(second.changeBits, 0, sizeof second.changeBits);
    ASSERT_TRUE(markFieldChanges(kXRuleTable, &second, &first));
    ASSERT_EQ(testMaskBit(second.changeBits, 45), 1);

    testsupport::TemporaryFolder folder;
    const std::string path = folder.file("table.xml");
    {
        storagetest::FileStorage story(path, storagemode::kWrite);
        CStream rules(story.root(), "RULE", 1);
        CStream run0(&rules, "Rule000", 1);
        ASSERT_EQ(writeXRule(&run0, &first, &block), 0);
        CStream run1(&rules, "Rule001", 1);
        ASSERT_EQ(writeXRule(&run1, &second, &block), 0);
        EXPECT_EQ(attribute(child(run0.getNode(), "ROWSARRAY"), "XRows_tblInd"), "t3w-360");
        ASSERT_EQ(story.storage->save(), 0);
    }
    storagetest::FileStorage story(path, storagemode::kRead);
    CStream rules(story.root(), "RULE", 0);
    XRule read[2];
    initXRule(&read[0]);
    CStream run0(&rules, "Rule000", 0);
    ASSERT_EQ(readXRule(&run0, &read[0]), 0);
    read[1] = read[0];
    CStream run1(&rules, "Rule001", 0);
    ASSERT_EQ(readXRule(&run1, &read[1]), 0);

    const XRule* writtenRows[] = {&first, &second};
    for (int row = 0; row < 2; ++row) {
        const XRows& want = writtenRows[row]->rows;
        const XRows& have = read[row].rows;
        ASSERT_EQ(have.rows, 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(equalXRow(have.cells[i], want.cells[i]))
                << "row " << row << " cell " << i << ": " << recordwalk::firstDifference(kXRowTable, &have.cells[i], &want.cells[i]);
        EXPECT_TRUE(equalXRows(have, want)) << "row " << row << ": " << recordwalk::firstDifference(kXRowsTable, &have, &want);
        EXPECT_TRUE(equalXRule(read[row], *writtenRows[row]))
            << "row " << row << ": " << recordwalk::firstDifference(kXRuleTable, &read[row], writtenRows[row]);
    }
}

// ---- list texts and tab stops ----

struct ListTextCase {
    const char* title;
    const char16_t* text;  // null: none
    std::uint32_t length;
};

TEST_F(XRuleWriterTest, ListTextsReadBackWithEveryUnitAndAnEmptyOneClearsThePrevious) {
    static const char16_t spaced[] = u"1.\u00A0a b";
    static const char16_t wide[] = u"\u00E9 \u20AC\U0001F600\u4E2D%+&<";
    static const char16_t bullet[] = u"\u2022";
    const ListTextCase cases[] = {
        {"a blank and a no-break space", spaced, 6},
        {"non-ASCII, a surrogate pair and characters that need escaping", wide, 10},
        {"no text after a text", nullptr, 0},
        {"a bullet", bullet, 1},
        {"a text of length 0 after a text", bullet, 0},
    };
    testsupport::TemporaryFolder folder;
    const std::string path = folder.file("levels.xml");
    {
        storagetest::FileStorage story(path, storagemode::kWrite);
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            XRule rule;
            initXRule(&rule);
            setBits(rule, {43});
            rule.level.ls = static_cast<std::int32_t>(i + 1);
            std::strcpy(rule.level.font, "Symbol Pi \xC3\xA9");
            rule.level.text = const_cast<char16_t*>(cases[i].text);
            rule.level.textLength = cases[i].length;
            CStream run(story.root(), ("Rule00" + std::to_string(i)).c_str(), 1);
            ASSERT_EQ(writeXRule(&run, &rule, nullptr), 0) << cases[i].title;
        }
        ASSERT_EQ(story.storage->save(), 0);
    }
    storagetest::FileStorage story(path, storagemode::kRead);
    XRule previous;
    initXRule(&previous);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        XRule rule = previous;  // as a story reads its runs
        CStream run(story.root(), ("Rule00" + std::to_string(i)).c_str(), 0);
        ASSERT_EQ(readXRule(&run, &rule), 0) << cases[i].title;
        EXPECT_EQ(rule.level.ls, static_cast<std::int32_t>(i + 1));
        EXPECT_STREQ(rule.level.font, "Symbol Pi \xC3\xA9");
        if (cases[i].text == nullptr || cases[i].length == 0) {
            EXPECT_EQ(rule.level.text, nullptr) << cases[i].title;
            EXPECT_EQ(rule.level.textLength, 0u) << cases[i].title;
        } else {
            ASSERT_NE(rule.level.text, nullptr) << cases[i].title;
            EXPECT_EQ(std::u16string(rule.level.text, rule.level.textLength), std::u16string(cases[i].text, cases[i].length))
                << cases[i].title;
        }
        if (previous.level.text != nullptr && previous.level.text != rule.level.text) freeMemory(previous.level.text);
        previous = rule;
    }
    freeMemory(previous.level.text);
}

TEST_F(XRuleWriterTest, TabCountsAreBoundedByTheSixtyFiveStops) {
    struct TabCase {
        std::int16_t count;
        std::int16_t stored;
    };
    for (const TabCase tabCase : {TabCase{0, 0}, TabCase{3, 3}, TabCase{65, 65}, TabCase{66, 65}, TabCase{-1, 0}}) {
        XRule rule;
        initXRule(&rule);
        setBits(rule, {44});
        recordfill::fillRecord(kXTabsTable, &rule.tabs, Kind::kNegative);
        rule.tabs.tabs = tabCase.count;
        const xmlNode* element = written(rule);
        const xmlNode* tabs = child(element, "TABSARRAY");
        ASSERT_NE(tabs, nullptr);
        EXPECT_EQ(attribute(tabs, "XTabs_tabs"), std::to_string(tabCase.stored)) << tabCase.count;
        const std::vector<std::string> stops = childNames(tabs);
        ASSERT_EQ(stops.size(), static_cast<std::size_t>(tabCase.stored)) << tabCase.count;
        if (!stops.empty()) {
            EXPECT_EQ(stops.back(), tabCase.stored == 65 ? "tab064" : "tab002");
        }

        XRule read;
        initXRule(&read);
        recordfill::fillRecord(kXTabsTable, &read.tabs, Kind::kDistinct);
        read.tabs.tabs = 5;
        CStream stream(nullptr, nullptr, 0);
        stream.setNode(const_cast<xmlNode*>(element));
        ASSERT_EQ(readXRule(&stream, &read), 0);
        EXPECT_EQ(read.tabs.tabs, tabCase.stored);
        for (int i = 0; i < tabCase.stored; ++i) {
            EXPECT_EQ(std::memcmp(&read.tabs.tab[i], &rule.tabs.tab[i], sizeof(XTab)), 0) << tabCase.count << ", stop " << i;
        }
    }
}

TEST_F(XRuleWriterTest, ColumnAndCellCountsAreBoundedByTheirArrays) {
    struct CountCase {
        std::int16_t columns;
        std::int16_t cells;
        std::int16_t storedColumns;
        std::int16_t storedCells;
        const char* lastCell;
    };
    for (const CountCase countCase : {CountCase{70, 66, 65, 65, "row064"}, CountCase{-1, -3, 0, 0, "DEFROW"},
                                      CountCase{65, 65, 65, 65, "row064"}}) {
        XRule rule = filledRule(Kind::kDistinct, 0, countCase.columns, countCase.cells);
        const xmlNode* rows = child(written(rule), "ROWSARRAY");
        ASSERT_NE(rows, nullptr);
        EXPECT_EQ(attribute(rows, "XRows_rows"), std::to_string(countCase.storedCells));
        const std::vector<std::string> children = childNames(rows);
        EXPECT_EQ(children.size(), 5u + static_cast<std::size_t>(countCase.storedCells));
        EXPECT_EQ(children.back(), countCase.lastCell);
        const xmlNode* grid = child(rows, "TBLGRID");
        EXPECT_EQ(attribute(grid, "XTblGrid_numOfColumns"), std::to_string(countCase.storedColumns));
        EXPECT_EQ(attributeNames(grid).size(), 1u + static_cast<std::size_t>(countCase.storedColumns));
    }
}

// ---- which keys and children for which bits ----

TEST_F(XRuleWriterTest, OnlyTheMarkedFieldsAreStoredInBitOrder) {
    struct BitCase {
        const char* title;
        std::vector<int> bits;
        const char* changeBits;
        std::vector<std::string> optionalKeys;
        std::vector<std::string> children;
    };
    std::vector<int> unused;
    for (int bit = 46; bit < 64; ++bit) unused.push_back(bit);
    const BitCase cases[] = {
        {"no bit", {}, "0", {}, {}},
        {"bit 0", {0}, "128", {"XRule_styleTag"}, {}},
        {"bits 0 to 3", {0, 1, 2, 3}, "240", {"XRule_styleTag", "XRule_language", "XRule_direction", "XRule_justification"}, {}},
        {"bit 8", {8}, "32768", {"XRule_indentRight"}, {}},
        {"bits 46 to 63, which have no field", unused, "18446465897267724288", {}, {}},
        {"the frame type without the frame", {41}, "70368744177664", {"XRule_frameType"}, {}},
        {"the frame without the frame type", {42}, "35184372088832", {}, {"FRAME"}},
        {"a box needs no line record", {24, 38}, "10737418240", {"XRule_borderType", "XRule_borderBottom"}, {}},
        {"tabs before the row set", {45, 44}, "13194139533312", {}, {"TABSARRAY", "ROWSARRAY"}},
    };
    for (const BitCase& bitCase : cases) {
        XRule rule = filledRule(Kind::kDistinct, 2, 2, 1);
        std::memset(rule.changeBits, 0, sizeof rule.changeBits);
        for (int bit : bitCase.bits) setMaskBit(rule.changeBits, bit);
        const xmlNode* element = written(rule, &block);
        std::vector<std::string> keys = {"XRule_changeBits", "XRule_uniqueBits", "XRule_position"};
        keys.insert(keys.end(), bitCase.optionalKeys.begin(), bitCase.optionalKeys.end());
        EXPECT_EQ(attributeNames(element), keys) << bitCase.title;
        EXPECT_EQ(attribute(element, "XRule_changeBits"), bitCase.changeBits) << bitCase.title;
        EXPECT_EQ(childNames(element), bitCase.children) << bitCase.title;
    }
}

TEST_F(XRuleWriterTest, AFreshRecordAndAFullRecordMatchTheirGoldenElements) {
    XRule fresh;
    initXRule(&fresh);
    elementtree::expectGoldenElement("xrule-fresh.xml", written(fresh));
    elementtree::expectGoldenElement("xrule-all-bits.xml", written(filledRule(Kind::kDistinct, 2, 3, 2)));
}

// ---- round trips ----

// What reading the written record on top of `target` must give: every member whose change bit is set
// (and the head) from the written record, every other member as the target held it.
XRule expectedAfterReading(const XRule& rule, const XRule& target) {
    XRule expected = target;
    for (const FieldSpec& row : kXRuleTable.fields) {
        if (row.bit != kAlways && testMaskBit(rule.changeBits, row.bit) != 1) continue;
        std::memcpy(fieldAddress(row, &expected), fieldAddress(row, &rule), row.size);
    }
    if (testMaskBit(rule.changeBits, 43) == 1) {  // a text is read up to its end: the bytes after it stay
        std::memcpy(expected.level.font, target.level.font, sizeof expected.level.font);
        std::strcpy(expected.level.font, rule.level.font);
    }
    return expected;
}

TEST_F(XRuleWriterTest, EveryMarkedFieldReadsBackEqualAndTheOthersKeepTheirValues) {
    struct RoundTrip {
        const char* title;
        XRule rule;
    };
    XRule fresh;
    initXRule(&fresh);
    XRule evenBits = filledRule(Kind::kDistinct, 65, 65, 65);
    std::memset(evenBits.changeBits, 0, sizeof evenBits.changeBits);
    for (int bit = 0; bit < 64; bit += 2) setMaskBit(evenBits.changeBits, bit);
    XRule oddBits = filledRule(Kind::kNegative, 65, 65, 65);
    std::memset(oddBits.changeBits, 0, sizeof oddBits.changeBits);
    for (int bit = 1; bit < 64; bit += 2) setMaskBit(oddBits.changeBits, bit);
    const RoundTrip cases[] = {
        {"a fresh record", fresh},
        {"every member its own value, every bit", filledRule(Kind::kDistinct, 65, 65, 65)},
        {"negative members, every bit", filledRule(Kind::kNegative, 65, 65, 65)},
        {"-32768, 32767, -1, INT32_MIN, INT32_MAX, channels 65535, escaped texts", filledRule(Kind::kExtremes, 65, 65, 65)},
        {"the even bits", evenBits},
        {"the odd bits", oddBits},
    };
    for (const RoundTrip& roundTrip : cases) {
        XRule target = filledRule(Kind::kExtremes, 65, 65, 65);
        target.level.text = nullptr;
        target.level.textLength = 0;
        const XRule& rule = roundTrip.rule;
        XRule expected = expectedAfterReading(rule, target);

        CStream element(storage.rootStream(), "Rule000", 1);
        ASSERT_EQ(writeXRule(&element, &rule, &block), 0) << roundTrip.title;
        XRule read = target;
        ASSERT_EQ(readXRule(&element, &read), 0) << roundTrip.title;

        const bool levelStored = testMaskBit(rule.changeBits, 43) == 1 && rule.level.text != nullptr && rule.level.textLength > 0;
        if (levelStored) {
            ASSERT_NE(read.level.text, nullptr) << roundTrip.title;
            EXPECT_EQ(std::u16string(read.level.text, read.level.textLength), std::u16string(rule.level.text, rule.level.textLength));
            expected.level.text = read.level.text;
        }
        EXPECT_TRUE(equalXRule(read, expected)) << roundTrip.title << ": " << recordwalk::firstDifference(kXRuleTable, &read, &expected);
        if (levelStored) freeMemory(read.level.text);
    }
}

// ---- colours ----

TEST_F(XRuleWriterTest, ColoursComeFromTheCellsThenTheParagraphThenTheTableBorders) {
    const XRule rule = filledRule(Kind::kDistinct, 0, 0, 2);
    std::vector<RGBColor> expected;
    appendCellColours(expected, rule.rows.defRow);
    appendCellColours(expected, rule.rows.cells[0]);
    appendCellColours(expected, rule.rows.cells[1]);
    expected.push_back(rule.shading.patternTint);
    expected.push_back(rule.shading.patternFill);
    for (const BorderSpec* border : {&rule.borderTop, &rule.borderLeft, &rule.borderBottom, &rule.borderRight, &rule.borderBetween})
        expected.push_back(border->borderTint);
    const XTblBorders& table = rule.rows.tblBorders;
    for (const BorderSpec* border : {&table.top, &table.left, &table.bottom, &table.right, &table.insideH, &table.insideV})
        expected.push_back(border->borderTint);
    written(rule, &block);
    EXPECT_EQ(colourTexts(block), colourTexts(expected));  // the row set's shading is not among them
}

TEST_F(XRuleWriterTest, OnlyTheColoursOfStoredFieldsAreOfferedAndNoneWithoutABlock) {
    XRule rule = filledRule(Kind::kDistinct, 0, 0, 1);
    setBits(rule, {37, 45});
    std::vector<RGBColor> expected;
    appendCellColours(expected, rule.rows.defRow);
    appendCellColours(expected, rule.rows.cells[0]);
    expected.push_back(rule.borderLeft.borderTint);
    const XTblBorders& table = rule.rows.tblBorders;
    for (const BorderSpec* border : {&table.top, &table.left, &table.bottom, &table.right, &table.insideH, &table.insideV})
        expected.push_back(border->borderTint);
    const std::vector<std::string> withBlock = elementtree::trail(written(rule, &block));
    EXPECT_EQ(colourTexts(block), colourTexts(expected));

    // Without a block: the same element, and the colours of every field stay out of the table.
    EXPECT_EQ(elementtree::trail(written(rule, nullptr)), withBlock);
    writertest::setAllChangeBits(rule.changeBits);
    written(rule, nullptr);
    EXPECT_EQ(colourTexts(block), colourTexts(expected));
}

// ---- failures ----

TEST_F(XRuleWriterTest, AFailedAttributeEndsTheRecordAndKeepsWhatWasWrittenBefore) {
    const XRule rule = filledRule(Kind::kDistinct, 2, 3, 2);
    const std::vector<std::string> full = elementtree::trail(written(rule));
    const std::size_t attributes = countOf(full, true);
    for (std::size_t k = 1; k <= attributes; ++k) {
        std::vector<std::string> trail;
        {
            ScopedAttributeWriteFailure failure(static_cast<std::int64_t>(k));
            trail = elementtree::trail(written(rule, &block, result::kOutOfMemory));
        }
        ASSERT_EQ(trail, startOf(full, placeOfNth(full, k, true))) << "failure at attribute " << k;
        EXPECT_EQ(findColor(&rule.shading.patternTint, &block), -1) << "failure at attribute " << k;
        EXPECT_EQ(findColor(&rule.rows.tblBorders.top.borderTint, &block), -1) << "failure at attribute " << k;
    }
}

TEST_F(XRuleWriterTest, AnElementThatCannotBeMadeEndsTheRecord) {
    const XRule rule = filledRule(Kind::kDistinct, 2, 3, 2);
    const std::vector<std::string> full = elementtree::trail(written(rule));
    // The run element is the test's own; the writer makes all the others.
    const std::size_t made = countOf(full, false) - 1;
    for (std::size_t k = 1; k <= made; ++k) {
        // The k-th element made: only the storage's own allocations are counted.
        platform::failNthAllocation(static_cast<std::int64_t>(k), platform::ThrowingNew::kIgnored);
        const std::vector<std::string> trail = elementtree::trail(written(rule, nullptr, result::kOutOfMemory));
        platform::disarmAllocationFailure();
        ASSERT_EQ(trail, startOf(full, placeOfNth(full, k + 1, false))) << "failure at element " << k;
    }
}

TEST_F(XRuleWriterTest, ACellThatFailsFailsTheParagraph) {
    const XRule rule = filledRule(Kind::kDistinct, 0, 0, 3);
    const std::vector<std::string> full = elementtree::trail(written(rule));
    const auto firstKeyOfCell1 = std::find_if(full.begin(), full.end(), [](const std::string& entry) {
        return entry.find("/row001@XRow_attributes=") != std::string::npos;
    });
    ASSERT_NE(firstKeyOfCell1, full.end());
    const std::size_t place = static_cast<std::size_t>(firstKeyOfCell1 - full.begin());
    const std::size_t ordinal = countOf(startOf(full, place + 1), true);

    std::vector<std::string> trail;
    {
        ScopedAttributeWriteFailure failure(static_cast<std::int64_t>(ordinal));
        trail = elementtree::trail(written(rule, &block, result::kOutOfMemory));
    }
    EXPECT_EQ(trail, startOf(full, place));  // no later cell
    std::vector<RGBColor> offered;
    appendCellColours(offered, rule.rows.defRow);
    appendCellColours(offered, rule.rows.cells[0]);
    EXPECT_EQ(colourTexts(block), colourTexts(offered));  // neither the paragraph's nor the table's
}

TEST_F(XRuleWriterTest, NullArgumentsAreRefused) {
    XRule rule;
    initXRule(&rule);
    CStream element(storage.rootStream(), "Rule000", 1);
    EXPECT_EQ(writeXRule(nullptr, &rule, nullptr), result::kNullObject);
    EXPECT_EQ(writeXRule(&element, nullptr, nullptr), result::kNullObject);
    EXPECT_TRUE(elementtree::attributes(element.getNode()).empty());
}

}  // namespace
