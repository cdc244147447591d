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
#include "model/StorageValues.h"
#include "model/XFormReader.h"
#include "model/XFormWriter.h"
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

XForm freshForm() {
    XForm form;
    initXForm(&form);
    return form;
}

XForm freshFormAllBits() {
    XForm form = freshForm();
    writertest::setAllChangeBits(form.changeBits);
    return form;
}

// Every field away from its starting value, with the values that try the text forms: signs, -1, the
// 16-bit and 32-bit ends, a 20-digit face, channels of 65535, texts with blanks and characters that
// the storage escapes.
XForm sampleForm() {
    XForm form = freshFormAllBits();
    form.uniqueBits = -7;
    form.position = INT32_MAX;
    form.styleTag = -1;
    form.txtCode = INT32_MIN;
    form.txtLangVal = 1031;
    form.txtLangEa = -1;
    form.txtLangCs = -32768;
    form.txtHint = 4;
    form.txtFontAscii = -99;
    form.txtFontHAnsi = 32767;
    form.txtFontEa = 5;
    form.txtFontCs = 0;
    form.txtBidi = 1;
    form.txtSize = -24;
    form.txtSizeCs = 26;
    form.txtFace = 2147483648u;
    form.txtFaceCs = 5;
    form.txtRate = 900;
    form.txtBase = -6;
    form.txtFore = {65535, 0, 32768};
    form.txtBack = {0, 65535, 7};
    form.txtKern = 16;
    form.txtFill = 2;
    form.txtType = -1;
    form.txtData = 65535;
    form.picRect = {10, 20, 110, 220};
    form.borderType = 3;
    form.border = {-1, 2, {65535, 1, 2}, -32768};
    form.shadingType = 1;
    form.shading = {-2, {10, 20, 30}, {40, 50, 60}};
    form.txtSpacing = 20;
    form.underlineEffect = 1;
    form.blinkingEffect = -1;
    form.underlineColor = {70, 80, 90};
    form.noProof = 1;
    form.revision = {-9, -1, 3, -1234567};
    form.fieldType = 5;
    form.field.dirty = 1;
    form.field.locked = -1;
    std::strcpy(form.field.fldData, " FORMDROPDOWN \"choice\" 100% <&> caf\xC3\xA9 ");
    XffData& data = form.ffData;
    data.calcOnExit = 1;
    std::strcpy(data.ti_defaultText, "d\xC3\xA9" "faut");
    std::strcpy(data.ti_format, "Upper case");
    std::strcpy(data.ti_maxLength, "12");
    data.ti_type = 2;
    data.dd_defaultIndex = -1;
    data.dd_listEntryNum = 3;
    std::strcpy(data.dd_listEntry[0], "One");
    std::strcpy(data.dd_listEntry[1], "Two & three");
    std::strcpy(data.dd_listEntry[2], "Vier \xC3\xBC");
    std::strcpy(data.dd_listEntry[3], "not in use");
    data.dd_resultValue = 2;
    data.cb_checked = 1;
    std::strcpy(data.cb_checkBoxSize, "20");
    data.cb_checkBoxSizeAuto = -1;
    data.enabled = 1;
    std::strcpy(data.entryMacro, "Enter");
    std::strcpy(data.exitMacro, "Leave");
    std::strcpy(data.name, "Choice");
    form.cellStyle = {5, 6, 7, 8, 9, 10, 11, 12};
    return form;
}

// Every stored member filled with values of the kind, all bits set, a drop-down field with that many
// entries.
XForm filledForm(Kind kind, std::int16_t entries) {
    XForm form = freshFormAllBits();
    recordfill::fillRecord(kXFormTable, &form, kind);
    form.fieldType = 5;
    form.ffData.dd_listEntryNum = entries;
    return form;
}

class XFormWriterTest : public writertest::WriterTest {
protected:
    // Writes the record into a new run element with the test's block and answers the element.
    const xmlNode* write(const XForm& form, std::int16_t expectedResult = 0, const char* name = "Form000") {
        elements.push_back(newElement(name));
        EXPECT_EQ(writeXForm(elements.back().get(), &form, &block), expectedResult) << name;
        return elements.back()->getNode();
    }

    std::vector<std::unique_ptr<CStream>> elements;
};

// ---- round trips through the reader ----

struct RoundTripCase {
    const char* title;
    XForm form;
};

std::vector<RoundTripCase> roundTripCases() {
    XForm everyOtherBit = sampleForm();
    std::memset(everyOtherBit.changeBits, 0xAA, sizeof everyOtherBit.changeBits);  // bits 0, 2, 4 ...; 36 and 38
    XForm notADropDown = sampleForm();
    notADropDown.fieldType = 4;
    XForm entriesWithoutFieldType = sampleForm();
    clearMaskBit(entriesWithoutFieldType.changeBits, 35);
    return {
        {"a fresh record without change bits", freshForm()},
        {"a fresh record with all bits", freshFormAllBits()},
        {"the sample record", sampleForm()},
        {"every other bit", everyOtherBit},
        {"a form field that is not a drop-down", notADropDown},
        {"a drop-down whose field type is not stored", entriesWithoutFieldType},
        {"every member its own value, all twelve entries", filledForm(Kind::kDistinct, kDropDownEntries)},
        {"negative members, one entry", filledForm(Kind::kNegative, 1)},
        {"-32768, 32767, -1, the 32-bit ends, channels of 0 and 65535, 511 bytes of field code that need escaping",
         filledForm(Kind::kExtremes, kDropDownEntries)},
    };
}

// The record a reader finds when it reads the element on top of `previous`: every field whose key or
// child was written, the drop-down entries the writer stored beside "FFDATA"; everything else, the cell
// style and the picture among them, as `previous` held it.
XForm expectedAfterReading(const XForm& previous, const XForm& written) {
    XForm expected = previous;
    writertest::copyStoredFields(kXFormTable, &expected, &written, true);
    if (testMaskBit(written.changeBits, 37) == 1 && written.fieldType == 5) {
        for (int i = 0; i < std::clamp<int>(written.ffData.dd_listEntryNum, 0, kDropDownEntries); ++i)
            std::strcpy(expected.ffData.dd_listEntry[i], written.ffData.dd_listEntry[i]);
    }
    return expected;
}

TEST_F(XFormWriterTest, EveryWrittenFieldReadsBackEqualAndEveryOtherKeepsItsValue) {
    XForm previous = freshForm();
    recordfill::fillRecord(kXFormTable, &previous, Kind::kDistinct, 5000);
    previous.ffData.dd_listEntryNum = 7;  // the reader bounds the count it finds to the twelve entries
    for (const RoundTripCase& test : roundTripCases()) {
        SCOPED_TRACE(test.title);
        write(test.form);
        XForm read = previous;
        EXPECT_EQ(readXForm(elements.back().get(), &read), 0);
        const XForm expected = expectedAfterReading(previous, test.form);
        EXPECT_EQ(recordwalk::firstDifference(kXFormTable, &read, &expected), "");
    }
}

TEST_F(XFormWriterTest, AFullFieldCodeIsStoredWholeInItsEscapedForm) {
    // Characters that the storage escapes, and blanks: the 511 bytes triple in size.
    const std::string pattern = "\"%<&> '\t=x";
    XForm form = freshFormAllBits();
    for (std::size_t i = 0; i + 1 < sizeof form.field.fldData; ++i) form.field.fldData[i] = pattern[i % pattern.size()];
    const xmlNode* field = elementtree::child(write(form), "FIELD");
    ASSERT_NE(field, nullptr);
    const std::string stored = attribute(field, "XField_fldData");
    EXPECT_GT(stored.size(), 1023u);
    EXPECT_EQ(stored.substr(0, 24), "%22%25%3C%26%3E %27%09=x");
}

// ---- what the element holds ----

TEST_F(XFormWriterTest, GoldenElements) {
    elementtree::expectGoldenElement("XFormWriterFresh.xml", write(freshForm()));
    elementtree::expectGoldenElement("XFormWriterFreshAllBits.xml", write(freshFormAllBits()));
    elementtree::expectGoldenElement("XFormWriterSample.xml", write(sampleForm()));
}

struct MaskCase {
    const char* title;
    std::vector<int> bits;
    const char* changeBits;
    strings attributes;  // after the three head keys
};

TEST_F(XFormWriterTest, TheMaskIsStoredAsOneNumberAndEachSetBitAddsItsKeyInTableOrder) {
    const strings firstFifteen = {"XForm_styleTag",    "XForm_txtCode",     "XForm_txtLangVal", "XForm_txtLangEa",
                                  "XForm_txtLangCs",   "XForm_txtHint",     "XForm_txtFontAscii", "XForm_txtFontHAnsi",
                                  "XForm_txtFontEa",   "XForm_txtFontCs",   "XForm_txtBidi",    "XForm_txtSize",
                                  "XForm_txtSizeCs",   "XForm_txtFace",     "XForm_txtFaceCs"};
    std::vector<int> bits0to14(15);
    for (int i = 0; i < 15; ++i) bits0to14[static_cast<std::size_t>(i)] = i;
    std::vector<int> bits39to63;
    for (int i = 39; i < 64; ++i) bits39to63.push_back(i);
    const MaskCase cases[] = {
        {"no bit", {}, "0", {}},
        {"bit 0", {0}, "128", {"XForm_styleTag"}},
        {"bit 7", {7}, "1", {"XForm_txtFontHAnsi"}},
        {"bit 8", {8}, "32768", {"XForm_txtFontEa"}},
        {"bits 0 to 14", bits0to14, "65279", firstFifteen},
        {"bit 24, the picture", {24}, "2147483648", {}},
        {"bits 39 to 63", bits39to63, "18446742978492891136", {}},
        {"bit 35 and a drop-down without bit 37", {35}, "68719476736", {"XForm_fieldType"}},
    };
    for (const MaskCase& test : cases) {
        SCOPED_TRACE(test.title);
        XForm form = sampleForm();
        std::memset(form.changeBits, 0, sizeof form.changeBits);
        for (int bit : test.bits) setMaskBit(form.changeBits, bit);
        const xmlNode* element = write(form);
        strings expected = {"XForm_changeBits", "XForm_uniqueBits", "XForm_position"};
        expected.insert(expected.end(), test.attributes.begin(), test.attributes.end());
        EXPECT_EQ(attributeNames(element), expected);
        EXPECT_EQ(attribute(element, "XForm_changeBits"), test.changeBits);
        EXPECT_EQ(childNames(element), strings{});
    }
}

TEST_F(XFormWriterTest, NumbersKeepTheirSignsAndAFaceWithItsTopBitIsWidenedWithItsSign) {
    const xmlNode* element = write(sampleForm());
    EXPECT_EQ(attribute(element, "XForm_changeBits"), "18446744073709551615");
    EXPECT_EQ(attribute(element, "XForm_styleTag"), "-1");
    EXPECT_EQ(attribute(element, "XForm_txtCode"), "-2147483648");
    EXPECT_EQ(attribute(element, "XForm_txtLangCs"), "-32768");
    EXPECT_EQ(attribute(element, "XForm_txtFontAscii"), "-99");
    EXPECT_EQ(attribute(element, "XForm_txtFace"), "18446744071562067968");
    EXPECT_EQ(attribute(element, "XForm_txtFaceCs"), "5");
    EXPECT_EQ(attribute(element, "XForm_txtFore"), "r65535g0b32768");
    EXPECT_EQ(attribute(element, "XForm_border"), "s-1t2r65535g1b2p-32768");
    EXPECT_EQ(attribute(element, "XForm_revision"), "i-9t-1a3d-1234567");
}

struct DropDownCase {
    const char* title;
    bool formFieldBit;
    std::int16_t fieldType;
    std::int16_t entries;
    strings children;
};

TEST_F(XFormWriterTest, DropDownEntriesStandBesideTheFormFieldDataForADropDownField) {
    const strings twelve = {"FFDATA",      "FFDDLIST000", "FFDDLIST001", "FFDDLIST002", "FFDDLIST003",
                            "FFDDLIST004", "FFDDLIST005", "FFDDLIST006", "FFDDLIST007", "FFDDLIST008",
                            "FFDDLIST009", "FFDDLIST010", "FFDDLIST011"};
    const DropDownCase cases[] = {
        {"three entries", true, 5, 3, {"FFDATA", "FFDDLIST000", "FFDDLIST001", "FFDDLIST002"}},
        {"no entry", true, 5, 0, {"FFDATA"}},
        {"a negative count", true, 5, -1, {"FFDATA"}},
        {"a check box", true, 4, 3, {"FFDATA"}},
        {"form-field data unchanged", false, 5, 3, {}},
        {"all twelve", true, 5, 12, twelve},
        {"a count beyond the array", true, 5, 40, twelve},
        {"the largest count", true, 5, 32767, twelve},
    };
    for (const DropDownCase& test : cases) {
        SCOPED_TRACE(test.title);
        XForm form = sampleForm();
        std::memset(form.changeBits, 0, sizeof form.changeBits);
        if (test.formFieldBit) setMaskBit(form.changeBits, 37);
        form.fieldType = test.fieldType;
        form.ffData.dd_listEntryNum = test.entries;
        for (int i = 3; i < kDropDownEntries; ++i) std::snprintf(form.ffData.dd_listEntry[i], kDropDownEntryBytes, "entry %d", i);
        const xmlNode* element = write(form);
        EXPECT_EQ(childNames(element), test.children);
        for (const xmlNode* entry : elementtree::childElements(element)) {
            if (elementtree::text(entry->name) == "FFDATA") continue;
            const int index = std::stoi(elementtree::text(entry->name).substr(8));
            EXPECT_EQ(attributeNames(entry), strings{"XffData_dd_listEntry"});
            EXPECT_EQ(attribute(entry, "XffData_dd_listEntry"), encodeStoredText(form.ffData.dd_listEntry[index]));
        }
        if (test.formFieldBit) {
            EXPECT_EQ(attribute(elementtree::child(element, "FFDATA"), "XffData_dd_listEntryNum"),
                      std::to_string(test.entries));
        }
    }
}

TEST_F(XFormWriterTest, TheCellStyleLeavesOnlyAnEmptyMark) {
    XForm form = sampleForm();
    std::memset(form.changeBits, 0, sizeof form.changeBits);
    setMaskBit(form.changeBits, 38);
    const xmlNode* cellStyle = elementtree::child(write(form), "CELLSTYLE");
    ASSERT_NE(cellStyle, nullptr);
    EXPECT_EQ(elementtree::treeLines(cellStyle), strings{"<CELLSTYLE>"});
}

// ---- colours ----

struct ColorCase {
    const char* title;
    std::vector<int> bits;
    void (*change)(XForm&);
    strings colors;
};

TEST_F(XFormWriterTest, ColoursOfTheWrittenColourKeysEnterTheTableInFieldOrder) {
    const ColorCase cases[] = {
        {"every colour", {17, 18, 26, 28, 32}, nullptr,
         {"r65535g0b32768", "r0g65535b7", "r65535g1b2", "r10g20b30", "r40g50b60", "r70g80b90"}},
        {"the automatic colour and a repeated one", {17, 18, 26, 28, 32},
         [](XForm& form) {
             form.txtFore = kAutoColor;
             form.underlineColor = form.txtBack;
             form.shading.patternFill = form.border.borderTint;
         },
         {"r0g65535b7", "r65535g1b2", "r10g20b30"}},
        {"text colour and border only", {17, 26}, nullptr, {"r65535g0b32768", "r65535g1b2"}},
        {"underline before the others were ever seen", {32, 18}, [](XForm& form) { form.underlineColor = {9, 9, 9}; },
         {"r0g65535b7", "r9g9b9"}},
        {"types and effects alone", {25, 27, 30}, nullptr, {}},
        {"a fresh record's colours", {17, 18, 26, 28, 32}, [](XForm& form) { form = freshFormAllBits(); },
         {"r0g0b0", "r65535g65535b65535"}},
    };
    for (const ColorCase& test : cases) {
        SCOPED_TRACE(test.title);
        resetColours();
        XForm form = sampleForm();
        if (test.change != nullptr) test.change(form);
        std::memset(form.changeBits, 0, sizeof form.changeBits);
        for (int bit : test.bits) setMaskBit(form.changeBits, bit);
        write(form);
        EXPECT_EQ(writertest::colourTexts(block), test.colors);
    }
}

TEST_F(XFormWriterTest, WithoutABlockTheElementIsTheSameAndNoColourIsEntered) {
    const XForm form = sampleForm();
    const xmlNode* withBlock = write(form);
    elements.push_back(newElement("Form000"));
    ASSERT_EQ(writeXForm(elements.back().get(), &form, nullptr), 0);
    EXPECT_EQ(elementtree::treeLines(elements.back()->getNode()), elementtree::treeLines(withBlock));
    EXPECT_EQ(block.colors->getCount(), 6);
}

// ---- failures ----

TEST_F(XFormWriterTest, AFailedAttributeAnswersItsCodeKeepsWhatCameBeforeAndEntersNoColour) {
    const XForm form = sampleForm();
    const strings complete = elementtree::trail(write(form));
    strings before;
    for (std::size_t k = 1; k <= elementtree::countOf(complete, true); ++k) {
        SCOPED_TRACE("failing attribute " + std::to_string(k));
        resetColours();
        ScopedAttributeWriteFailure failure(static_cast<std::int64_t>(k));
        const strings kept = elementtree::trail(write(form, result::kOutOfMemory));
        // One more attribute than at the previous step, the earlier ones unchanged, none that the whole
        // record lacks.
        ASSERT_EQ(elementtree::countOf(kept, true), k - 1);
        for (const std::string& path : before) EXPECT_NE(std::find(kept.begin(), kept.end(), path), kept.end()) << path;
        for (const std::string& path : kept) EXPECT_NE(std::find(complete.begin(), complete.end(), path), complete.end()) << path;
        EXPECT_EQ(block.colors->getCount(), 0);
        before = kept;
    }
}

TEST_F(XFormWriterTest, AFailureInTheThirdEntryKeepsTheChildrenBeforeIt) {
    const XForm form = sampleForm();
    failNthAttributeWrite(1000);
    write(form);
    const std::int64_t writes = attributeWritesCountedSinceArmed();
    disarmAttributeWriteFailure();
    resetColours();

    ScopedAttributeWriteFailure failure(writes);  // the last key: the third entry's
    const xmlNode* element = write(form, result::kOutOfMemory);
    EXPECT_EQ(childNames(element), (strings{"FIELD", "FFDATA", "FFDDLIST000", "FFDDLIST001", "FFDDLIST002"}));
    EXPECT_EQ(attributeNames(elementtree::child(element, "FFDDLIST002")), strings{});
    EXPECT_EQ(block.colors->getCount(), 0);
}

TEST_F(XFormWriterTest, AnAllocationFailureAnywhereAnswers12AndColoursFollowTheWholeElement) {
    const XForm form = sampleForm();
    const strings complete = elementtree::treeLines(write(form));
    const strings allColors = writertest::colourTexts(block);
    bool succeeded = false;
    for (std::int64_t n = 1; n < 200 && !succeeded; ++n) {
        SCOPED_TRACE("failing allocation " + std::to_string(n));
        resetColours();
        elements.push_back(newElement("Form000"));
        std::int16_t result = 0;
        {
            platform::ScopedAllocationFailure failure(n);
            result = writeXForm(elements.back().get(), &form, &block);
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

TEST_F(XFormWriterTest, AMissingElementOrRecordIsRefused) {
    const XForm form = sampleForm();
    EXPECT_EQ(writeXForm(nullptr, &form, &block), result::kNullObject);
    EXPECT_EQ(writeXForm(newElement("Form000").get(), nullptr, &block), result::kNullObject);
}

}  // namespace
