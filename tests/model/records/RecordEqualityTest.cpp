#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "foundation/FieldMask.h"
#include "model/records/RecordTables.h"
#include "model/records/XHead.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/records/section/XPage.h"
#include "tests/model/records/RecordWalk.h"

namespace {

struct RecordCase {
    const RecordTable* table;
    void (*init)(void* record);
};

const RecordCase kRecords[] = {
    {&kXFormTable, [](void* r) { initXForm(static_cast<XForm*>(r)); }},
    {&kXRuleTable, [](void* r) { initXRule(static_cast<XRule*>(r)); }},
    {&kXPageTable, [](void* r) { initXPage(static_cast<XPage*>(r), 1); }},
    {&kXHeadTable, [](void* r) { initXHead(static_cast<XHead*>(r)); }},
    {&kXRowTable, [](void* r) { std::memset(r, 0, sizeof(XRow)); }},
    {&kXRowsTable, [](void* r) { initRecord(kXRowsTable, r); }},
};

// Changing any one field makes two records differ in that field alone; for a record with change bits,
// the change marking sets that field's bit alone. (The first byte of a member always belongs to a field,
// whatever the member is.)
TEST(RecordEquality, EachFieldTakesPartInTheComparison) {
    for (const auto& c : kRecords) {
        std::vector<unsigned char> a(c.table->size);
        c.init(a.data());
        EXPECT_TRUE(equalRecords(*c.table, a.data(), a.data())) << c.table->name;
        for (const FieldSpec& field : c.table->fields) {
            std::vector<unsigned char> b = a;
            b[field.offset] ^= 0x01;
            EXPECT_FALSE(equalRecords(*c.table, a.data(), b.data())) << c.table->name << "." << field.name;
            EXPECT_EQ(recordwalk::firstDifference(*c.table, a.data(), b.data()).rfind(field.name, 0), 0u)
                << c.table->name << "." << field.name;
            if (field.bit == kAlways) continue;
            std::memset(b.data(), 0, 8);  // no change bit yet
            EXPECT_TRUE(markFieldChanges(*c.table, b.data(), a.data())) << field.name;
            for (int bit = 0; bit < 64; ++bit) {
                EXPECT_EQ(testMaskBit(b.data(), bit), bit == field.bit ? 1 : 0) << field.name << " bit " << bit;
            }
        }
    }
}

// Bytes that no field owns never make two records differ.
TEST(RecordEquality, PaddingIsNeverCompared) {
    for (const auto& c : kRecords) {
        std::vector<unsigned char> a(c.table->size);
        c.init(a.data());
        std::vector<unsigned char> b = a;
        for (std::size_t offset : recordwalk::paddingBytes(*c.table)) b[offset] = 0xEE;
        EXPECT_TRUE(equalRecords(*c.table, a.data(), b.data())) << c.table->name;
    }
    // A padding byte deep inside the row set: between a cell's attributes and its width.
    static XRule a;
    initXRule(&a);
    static XRule b;
    b = a;
    auto* cell = reinterpret_cast<unsigned char*>(&b.rows.cells[64]);
    ASSERT_GT(offsetof(XRow, tcW), sizeof(std::int16_t));
    cell[sizeof(std::int16_t)] = 0xEE;
    EXPECT_TRUE(equalXRule(a, b));
    std::uint8_t mask[8] = {};
    std::memcpy(b.changeBits, mask, 8);
    EXPECT_FALSE(markFieldChanges(kXRuleTable, &b, &a));
}

TEST(RecordEquality, TheChangeMarkingOfARunSetsTheBitsOfWhatDiffers) {
    XForm previous;
    initXForm(&previous);
    XForm next = previous;
    next.txtSize = 120;
    EXPECT_TRUE(markFieldChanges(kXFormTable, &next, &previous));
    for (int bit = 0; bit < 64; ++bit) EXPECT_EQ(testMaskBit(&next, bit), bit == 11 ? 1 : 0) << bit;

    // It never clears a bit, and a record that differs nowhere is not changed.
    XForm same = previous;
    setMaskBit(&same, 50);
    EXPECT_FALSE(markFieldChanges(kXFormTable, &same, &previous));
    EXPECT_EQ(testMaskBit(&same, 50), 1);

    // Only the picture's address tells two pictures apart.
    XForm withPicture = previous;
    withPicture.picData = reinterpret_cast<CPicture*>(&same);
    EXPECT_TRUE(markFieldChanges(kXFormTable, &withPicture, &previous));
    EXPECT_EQ(testMaskBit(&withPicture, 24), 1);

    // The head fields carry no bit: a record that differs only in them is not marked.
    XForm moved = previous;
    moved.position = 40;
    moved.uniqueBits = 9;
    EXPECT_FALSE(markFieldChanges(kXFormTable, &moved, &previous));
}

TEST(RecordEquality, TabsAndRowsCompareAsWholeBlocks) {
    static XRule a;
    static XRule b;
    initXRule(&a);
    a.tabs.tabs = 1;
    a.tabs.tab[0] = {0, 0, 720, 0};
    b = a;
    EXPECT_TRUE(equalXRule(a, b));
    b.tabs.tab[64].tabIndent = 1;  // a slot beyond the count
    EXPECT_FALSE(equalXRule(a, b));
    std::memset(b.changeBits, 0, 8);
    markFieldChanges(kXRuleTable, &b, &a);
    EXPECT_EQ(testMaskBit(&b, 44), 1);

    b = a;
    b.rows.cells[64].tcW.w = 1;  // a cell beyond the count
    EXPECT_FALSE(equalXRule(a, b));
    EXPECT_FALSE(equalXRows(a.rows, b.rows));
    EXPECT_FALSE(equalXRow(a.rows.cells[64], b.rows.cells[64]));
    std::memset(b.changeBits, 0, 8);
    markFieldChanges(kXRuleTable, &b, &a);
    EXPECT_EQ(testMaskBit(&b, 45), 1);
    EXPECT_EQ(testMaskBit(&b, 44), 0);
}

TEST(RecordEquality, ARecordFilledFieldByFieldEqualsItsCopy) {
    static XRule rule;
    initXRule(&rule);
    rule.justification = 3;
    rule.indentLeft = 720;
    rule.shading.patternTint = {65535, 0, 0};
    rule.level.ls = 2;
    std::strcpy(rule.level.font, "Symbol");
    rule.rows.rows = 2;
    rule.rows.cells[1].tcMar.left = {kWidthTwips, 108};
    static XRule copy;
    copyXRule(&copy, &rule);
    EXPECT_TRUE(equalXRule(copy, rule));

    XPage page;
    initXPage(&page, 0);
    page.columnWidth[11] = 100;
    XPage other;
    copyXPage(&other, &page);
    EXPECT_TRUE(equalXPage(page, other));
    EXPECT_TRUE(equalColumns(page, other));
    other.columnSpace[0] = 1;
    EXPECT_FALSE(equalColumns(page, other));

    XHead head;
    initXHead(&head);
    XHead headCopy;
    copyXHead(&headCopy, &head);
    EXPECT_TRUE(equalXHead(head, headCopy));
    headCopy.alignTablesRowByRow = 1;
    EXPECT_FALSE(equalXHead(head, headCopy));
}

struct EqualCase {
    const char* name;
    bool equal;
    bool expected;
};

TEST(RecordEquality, ValueAndSubRecordComparisons) {
    XField field{};
    XField otherField = field;
    otherField.fldData[511] = 'x';  // past the text's end, still part of the block
    XffData formField{};
    XffData otherFormField = formField;
    otherFormField.dd_listEntry[11][0] = 'a';
    XLevel level{};
    XLevel otherLevel = level;
    char16_t text[] = u"1.";
    otherLevel.text = text;
    XFrame frame{};
    XFrame otherFrame = frame;
    otherFrame.anchorLock = 1;
    WidthSpec width{kWidthTwips, 5000};
    WidthSpec sameWidth;
    std::memset(&sameWidth, 0xEE, sizeof sameWidth);  // other padding, same members
    sameWidth.type = kWidthTwips;
    sameWidth.w = 5000;
    HeightSpec height{kHeightExact, 300};
    HeightSpec sameHeight;
    std::memset(&sameHeight, 0xEE, sizeof sameHeight);
    sameHeight.h = kHeightExact;
    sameHeight.v = 300;

    const EqualCase cases[] = {
        {"black and 0:0:1", equalRGBColor(kBlack, RGBColor{0, 0, 1}), false},
        {"two whites", equalRGBColor(kWhite, RGBColor{65535, 65535, 65535}), true},
        {"borders of other spaces", equalBorderSpec(kDefaultBorder, BorderSpec{0, 0, kBlack, 1}), false},
        {"default shadings", equalShadingSpec(kDefaultShading, ShadingSpec{0, kWhite, kWhite}), true},
        {"shadings of other fills", equalShadingSpec(kDefaultShading, ShadingSpec{0, kWhite, kBlack}), false},
        {"revisions of other authors", equalRevisionMark(RevisionMark{1, 2, 3, 4}, RevisionMark{1, 2, 0, 4}), false},
        {"rectangles", equalLongRect(LongRect{1, 2, 3, 4}, LongRect{1, 2, 3, 4}), true},
        {"widths with other padding", equalWidthSpec(width, sameWidth), true},
        {"widths of other kinds", equalWidthSpec(width, WidthSpec{kWidthPercent, 5000}), false},
        {"heights with other padding", equalHeightSpec(height, sameHeight), true},
        {"heights of other values", equalHeightSpec(height, HeightSpec{kHeightExact, 301}), false},
        {"field data past its text", equalXField(field, otherField), false},
        {"form fields of another entry", equalXffData(formField, otherFormField), false},
        {"levels of other text pointers", equalXLevel(level, otherLevel), false},
        {"frames", equalXFrame(frame, otherFrame), false},
        {"cell styles", equalCellStyle(kDefaultCellStyle, XCellStyle{0, 0, 1, 2, 0, 0, 0, -1}), true},
        {"a text and a longer one", equalCString("abc", "abcd"), false},
        {"equal texts", equalCString("abc", "abc"), true},
        {"two empty texts", equalCString("", ""), true},
        {"a null and a text", equalCString(nullptr, ""), false},
        {"two nulls", equalCString(nullptr, nullptr), true},
    };
    for (const auto& c : cases) EXPECT_EQ(c.equal, c.expected) << c.name;
}

}  // namespace
