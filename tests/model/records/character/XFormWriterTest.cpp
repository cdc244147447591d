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
#include "model/records/character/XFormReader.h"
#include "model/records/character/XFormWriter.h"
#include "model/storage/AttributeWriteFailure.h"
#include "model/storage/StorageValues.h"
#include "platform/process/AllocationFailure.h"
#include "tests/model/records/RecordFilling.h"
#include "tests/model/records/RecordWalk.h"
#include "tests/model/records/WriterTestSupport.h"
#include "tests/model/records/character/XFormSamples.h"
#include "tests/model/storage/ElementTree.h"

namespace {

using elementtree::attribute;
using elementtree::attributeNames;
using elementtree::childNames;
using recordfill::Kind;
using namespace formsample;
using strings = std::vector<std::string>;

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

// ---- failures ----

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

}  // namespace
