#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/CFail.h"
#include "model/records/ChangeMask.h"
#include "model/records/RecordTables.h"
#include "model/records/character/XFormReader.h"
#include "tests/model/records/RecordWalk.h"
#include "tests/model/storage/StorageTestSupport.h"

namespace {

class XFormReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        initXForm(&previous);
        previous.txtRate = 555;
        previous.field.dirty = 1;
        std::strcpy(previous.field.fldData, "old code");
        std::strcpy(previous.ffData.dd_listEntry[0], "previous 0");
        std::strcpy(previous.ffData.dd_listEntry[2], "previous 2");
        previous.cellStyle.value1 = 9;
    }

    // The run element read on top of a copy of the previous run.
    XForm readRun(const char* name) {
        CStream element(runs.root(), name, 0);
        XForm form = previous;
        EXPECT_EQ(readXForm(&element, &form), 0) << name;
        return form;
    }

    void expectEqual(const XForm& actual, const XForm& expected) {
        EXPECT_TRUE(equalXForm(actual, expected)) << recordwalk::firstDifference(kXFormTable, &actual, &expected);
    }

    storagetest::FileStorage runs = storagetest::fixture("xform-runs.xml");
    XForm previous;
};

TEST_F(XFormReaderTest, AHeadOnlyRunIsThePreviousRunWithANewHead) {
    XForm expected = previous;
    setChangeMaskNumber(expected.changeBits, 128);
    expected.uniqueBits = -7;
    expected.position = 42;
    expectEqual(readRun("HeadOnly"), expected);
}

TEST_F(XFormReaderTest, EveryKeyAndChildFillsItsFieldAndAMissingEntryKeepsItsValue) {
    XForm expected = previous;
    std::memset(expected.changeBits, 0xFF, sizeof expected.changeBits);
    expected.uniqueBits = 3;
    expected.position = 100;
    expected.styleTag = -1;
    expected.txtCode = -5;
    expected.txtLangVal = 1031;
    expected.txtFontEa = 5;
    expected.txtSize = -24;
    expected.txtFace = 3000000000u;
    expected.txtFore = {65535, 0, 32768};
    expected.picRect = {-1, -2, -3, -4};
    expected.border = {-4, -1, {1, 2, 3}, -5};
    expected.shading = {-2, {1, 2, 3}, {4, 5, 6}};
    expected.revision = {-9, -1, -2, -1234567};
    expected.fieldType = 5;
    expected.field.dirty = 1;
    expected.field.locked = -1;
    std::strcpy(expected.field.fldData, "FORMDROPDOWN \\* MERGEFORMAT");
    expected.ffData.calcOnExit = 1;
    std::strcpy(expected.ffData.ti_defaultText, "d\xC3\xA9" "faut");
    expected.ffData.dd_listEntryNum = 3;
    expected.ffData.dd_defaultIndex = -1;
    std::strcpy(expected.ffData.name, "Choice");
    std::strcpy(expected.ffData.dd_listEntry[0], "One");
    std::strcpy(expected.ffData.dd_listEntry[1], "Two");
    expectEqual(readRun("Full"), expected);
}

TEST_F(XFormReaderTest, FormFieldDataWithoutFieldDataKeepsThePreviousFieldData) {
    XForm expected = previous;
    setChangeMaskNumber(expected.changeBits, 1);
    expected.uniqueBits = 0;
    expected.position = 7;
    expected.ffData.enabled = 1;
    expected.ffData.dd_listEntryNum = 0;
    expectEqual(readRun("FormFieldOnly"), expected);
}

// The entry count is a field like any other: it reads back as stored, and an element without it keeps
// the previous run's. Only the entries looked up are bounded by the record's twelve.
TEST_F(XFormReaderTest, TheEntryCountReadsAsStoredAndOnlyTheEntriesLookedUpAreBounded) {
    const struct {
        const char* run;
        std::int16_t previousCount;
        std::int16_t count;
        const char* firstEntry;
    } cases[] = {
        {"NegativeEntryCount", 2, -1, "previous 0"},  // nothing looked up
        {"NoEntryCount", 1, 1, "First"},              // the previous run's count stays
        {"NoEntryCount", 15, 15, "First"},            // beyond the array: stays as it was
        {"Oversized", 0, 40, "Ex\xC3\xA9"},
    };
    for (const auto& c : cases) {
        previous.ffData.dd_listEntryNum = c.previousCount;
        const XForm form = readRun(c.run);
        EXPECT_EQ(form.ffData.dd_listEntryNum, c.count) << c.run;
        EXPECT_EQ(std::string(form.ffData.dd_listEntry[0]).substr(0, std::strlen(c.firstEntry)), c.firstEntry) << c.run;
    }
}

TEST_F(XFormReaderTest, ForeignCountsAndTextsStayWithinTheRecord) {
    const XForm form = readRun("Oversized");
    EXPECT_EQ(form.ffData.dd_listEntryNum, 40);  // as stored; only twelve entries are read
    std::string entry = "Ex";
    for (int i = 0; i < 14; ++i) entry += "\xC3\xA9";
    for (int i = 0; i < kDropDownEntries; ++i) EXPECT_EQ(std::string(form.ffData.dd_listEntry[i]), entry) << i;
    std::string code;
    for (int i = 0; i < 170; ++i) code += "x\xC3\xA9";
    EXPECT_EQ(std::string(form.field.fldData), code + "x");
    EXPECT_STREQ(form.ffData.ti_maxLength, "123");
    EXPECT_EQ(std::strlen(form.ffData.name), 62u);
}

TEST_F(XFormReaderTest, AFailureOfTheOwnKeysIsTheResultAndNothingIsRead) {
    CStream nothing(nullptr, nullptr, 0);
    XForm form = previous;
    EXPECT_EQ(readXForm(&nothing, &form), result::kOutOfMemory);
    EXPECT_EQ(readXForm(nullptr, &form), result::kNullObject);
    EXPECT_TRUE(equalXForm(form, previous));
}

}  // namespace
