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

// A field whose starting value is not zero: an integer, or a value record given by its bytes.
struct Default {
    const char* path;
    std::int64_t number;
    const void* value = nullptr;
};

const XCellStyle kCellStyleStart{0, 0, 1, 2, 0, 0, 0, -1};
const ShadingSpec kWhiteShading{0, {65535, 65535, 65535}, {65535, 65535, 65535}};
const RGBColor kWhiteColour{65535, 65535, 65535};

const std::vector<Default> kXFormDefaults = {
    {"styleTag", -1},       {"txtLangVal", 1033},   {"txtLangEa", 1041},   {"txtLangCs", 1037},
    {"txtFontAscii", -99},  {"txtFontHAnsi", -98},  {"txtFontEa", -96},    {"txtFontCs", -97},
    {"txtSize", 100},       {"txtSizeCs", 100},     {"txtRate", 1000},     {"txtBack", 0, &kWhiteColour},
    {"shading", 0, &kWhiteShading}, {"cellStyle", 0, &kCellStyleStart},
};

const std::vector<Default> kXRuleDefaults = {
    {"styleTag", -1},
    {"leading", 240},
    {"leadingUnit", -1},
    {"spaceBeforeUnit", -1},
    {"spaceAfterUnit", -1},
    {"widowControl", 1},
    {"shading", 0, &kWhiteShading},
    {"rows.tblStyleRowBandSize", 1},
    {"rows.tblStyleColBandSize", 1},
    {"rows.shd", 0, &kWhiteShading},
    {"rows.defRow.shd", 0, &kWhiteShading},
};

const std::vector<Default> kXPageDefaults = {
    {"leftMargin", 1800},
    {"topMargin", 1440},
    {"rightMargin", 1800},
    {"bottomMargin", 1440},
    {"columns", 1},
    {"headerEdge", 720},
    {"footerEdge", 720},
    {"footnote.hasNotes", 1},
    {"footnote.format", 1},
    {"footnote.restartType", 1},
    {"footnote.startAt", 1},
    {"footnote.pagePlacement", 1},
    {"endnote.hasNotes", 1},
    {"endnote.format", 5},
    {"endnote.restartType", 1},
    {"endnote.startAt", 1},
    {"endnote.pagePlacement", 1},
    {"lineNumber.countBy", 1},
    {"lineNumber.startAt", 1},
    {"pageNumber.restartType", 1},
    {"pageNumber.startAt", 1},
};

const std::vector<Default> kXHeadDefaults = {{"viewMode", 1}, {"viewScale", 100}};

// The record the defaults describe: zero, with the listed fields set.
void buildExpected(const RecordTable& table, void* record, const std::vector<Default>& defaults) {
    std::memset(record, 0, table.size);
    for (const Default& d : defaults) {
        const recordwalk::Located found = recordwalk::locate(table, record, d.path);
        ASSERT_NE(found.field, nullptr) << d.path;
        if (d.value != nullptr) {
            std::memcpy(found.at, d.value, found.field->size);
        } else {
            // The path's last row knows the member's width.
            setIntegerField(*found.field, found.at - found.field->offset, d.number);
        }
    }
}

// Every field of a fresh record is zero except those listed, which hold their listed values.
void expectDefaults(const RecordTable& table, const void* fresh, const std::vector<Default>& defaults,
                    void (*adjust)(void*) = nullptr) {
    std::vector<unsigned char> expected(table.size);
    buildExpected(table, expected.data(), defaults);
    if (adjust != nullptr) adjust(expected.data());
    EXPECT_EQ(recordwalk::firstDifference(table, expected.data(), fresh), "") << table.name;
    EXPECT_TRUE(equalRecords(table, expected.data(), fresh)) << table.name;
}

TEST(RecordDefaults, AFreshCharacterRecordHoldsItsDefaultsAndNoChangeBit) {
    XForm form;
    std::memset(&form, 0x5A, sizeof form);
    initXForm(&form);
    expectDefaults(kXFormTable, &form, kXFormDefaults);
    EXPECT_EQ(form.picData, nullptr);
    for (int bit = 0; bit < 64; ++bit) EXPECT_EQ(testMaskBit(&form, bit), 0) << bit;
}

TEST(RecordDefaults, AFreshParagraphRecordMarksOnlyWidowControlAsChanged) {
    static XRule rule;  // large: kept off the stack
    std::memset(&rule, 0x5A, sizeof rule);
    initXRule(&rule);
    expectDefaults(kXRuleTable, &rule, kXRuleDefaults, [](void* expected) { setMaskBit(expected, 30); });
    for (int bit = 0; bit < 64; ++bit) EXPECT_EQ(testMaskBit(&rule, bit), bit == 30 ? 1 : 0) << bit;
    EXPECT_EQ(rule.level.text, nullptr);
}

struct PageSizeCase {
    std::int16_t metric;
    std::int16_t width;
    std::int16_t height;
    std::int16_t margination;
};

TEST(RecordDefaults, TheMetricFlagOneChoosesTheMetricPage) {
    const PageSizeCase cases[] = {
        {1, 11899, 16838, 8299}, {0, 12240, 15840, 8640}, {2, 12240, 15840, 8640}, {-1, 12240, 15840, 8640}};
    for (const auto& c : cases) {
        XPage page;
        std::memset(&page, 0x5A, sizeof page);
        initXPage(&page, c.metric);
        std::vector<Default> defaults = kXPageDefaults;
        defaults.push_back({"pageWidth", c.width});
        defaults.push_back({"pageHeight", c.height});
        defaults.push_back({"margination", c.margination});
        expectDefaults(kXPageTable, &page, defaults);
        for (int bit = 0; bit < 64; ++bit) EXPECT_EQ(testMaskBit(&page, bit), 0) << bit;
    }
}

TEST(RecordDefaults, AFreshHeadHasViewModeOneScaleHundredAndEmptyTexts) {
    XHead head;
    std::memset(&head, 0x5A, sizeof head);
    initXHead(&head);
    expectDefaults(kXHeadTable, &head, kXHeadDefaults);
    EXPECT_STREQ(head.originalAuthor, "");
}

}  // namespace
