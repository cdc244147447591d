// What the character and the section writer share, tried on both: the round trip through the reader,
// the golden elements, one key per set change bit, the block's part, and failures of attributes and
// allocations. Each writer's own behaviour (drop-down entries, column lists, colour order) is tested
// in its own file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/FieldMask.h"
#include "model/records/RecordTables.h"
#include "model/records/character/XFormReader.h"
#include "model/records/character/XFormWriter.h"
#include "model/records/section/XPageReader.h"
#include "model/records/section/XPageWriter.h"
#include "model/storage/AttributeWriteFailure.h"
#include "platform/process/AllocationFailure.h"
#include "tests/model/records/RecordWalk.h"
#include "tests/model/records/WriterTestSupport.h"
#include "tests/model/records/character/XFormSamples.h"
#include "tests/model/records/section/XPageSamples.h"
#include "tests/model/storage/ElementTree.h"

namespace {

using strings = std::vector<std::string>;

template <typename Record>
struct GoldenCase {
    const char* file;
    Record record;
};

struct MaskCase {
    const char* title;
    std::vector<int> bits;
    const char* changeBits;
    strings attributes;  // after the three head keys
    strings children;
};

std::vector<int> bitRange(int first, int last) {
    std::vector<int> bits;
    for (int bit = first; bit <= last; ++bit) bits.push_back(bit);
    return bits;
}

// ---- the writers, each with its records and expectations ----

struct CharacterWriter {
    using Record = XForm;
    static constexpr const char* kElement = "Form000";
    static constexpr const char* kKeyPrefix = "XForm_";
    static constexpr std::int32_t kSampleColours = 6;
    static const RecordTable& table() { return kXFormTable; }
    static std::int16_t write(CStream* element, const XForm* form, XParamBlock* block) {
        return writeXForm(element, form, block);
    }
    static std::int16_t read(CStream* element, XForm* form) { return readXForm(element, form); }
    static XForm sample() { return formsample::sampleForm(); }
    static XForm previous() {
        XForm form = formsample::freshForm();
        recordfill::fillRecord(kXFormTable, &form, recordfill::Kind::kDistinct, 5000);
        form.ffData.dd_listEntryNum = 7;
        return form;
    }
    static std::vector<formsample::RoundTripCase> roundTrips() { return formsample::roundTripCases(); }
    static const XForm& recordOf(const formsample::RoundTripCase& test) { return test.form; }
    static XForm expectedAfterReading(const XForm& previous, const XForm& written) {
        return formsample::expectedAfterReading(previous, written);
    }
    static std::vector<GoldenCase<XForm>> goldens() {
        return {{"XFormWriterFresh.xml", formsample::freshForm()},
                {"XFormWriterFreshAllBits.xml", formsample::freshFormAllBits()},
                {"XFormWriterSample.xml", formsample::sampleForm()}};
    }
    static std::vector<MaskCase> maskCases() {
        const strings firstFifteen = {"XForm_styleTag",  "XForm_txtCode",      "XForm_txtLangVal",   "XForm_txtLangEa",
                                      "XForm_txtLangCs", "XForm_txtHint",      "XForm_txtFontAscii", "XForm_txtFontHAnsi",
                                      "XForm_txtFontEa", "XForm_txtFontCs",    "XForm_txtBidi",      "XForm_txtSize",
                                      "XForm_txtSizeCs", "XForm_txtFace",      "XForm_txtFaceCs"};
        return {
            {"no bit", {}, "0", {}, {}},
            {"bit 0", {0}, "128", {"XForm_styleTag"}, {}},
            {"bit 7", {7}, "1", {"XForm_txtFontHAnsi"}, {}},
            {"bit 8", {8}, "32768", {"XForm_txtFontEa"}, {}},
            {"bits 0 to 14", bitRange(0, 14), "65279", firstFifteen, {}},
            {"bit 24, the picture", {24}, "2147483648", {}, {}},
            {"bits 39 to 63", bitRange(39, 63), "18446742978492891136", {}, {}},
            {"bit 35 and a drop-down without bit 37", {35}, "68719476736", {"XForm_fieldType"}, {}},
        };
    }
};

struct SectionWriter {
    using Record = XPage;
    static constexpr const char* kElement = "Page000";
    static constexpr const char* kKeyPrefix = "XPage_";
    static constexpr std::int32_t kSampleColours = 4;
    static const RecordTable& table() { return kXPageTable; }
    static std::int16_t write(CStream* element, const XPage* page, XParamBlock* block) {
        return writeXPage(element, page, block);
    }
    static std::int16_t read(CStream* element, XPage* page) { return readXPage(element, page); }
    static XPage sample() { return pagesample::samplePage(); }
    static XPage previous() {
        XPage page = pagesample::freshPage();
        recordfill::fillRecord(kXPageTable, &page, recordfill::Kind::kDistinct, 5000);
        return page;
    }
    static std::vector<pagesample::RoundTripCase> roundTrips() { return pagesample::roundTripCases(); }
    static const XPage& recordOf(const pagesample::RoundTripCase& test) { return test.page; }
    static XPage expectedAfterReading(const XPage& previous, const XPage& written) {
        return pagesample::expectedAfterReading(previous, written);
    }
    static std::vector<GoldenCase<XPage>> goldens() {
        return {{"XPageWriterFresh.xml", pagesample::freshPage()},
                {"XPageWriterFreshAllBits.xml", pagesample::freshPageAllBits(1)},
                {"XPageWriterSample.xml", pagesample::samplePage()}};
    }
    static std::vector<MaskCase> maskCases() {
        return {
            {"no bit", {}, "0", {}, {}},
            {"bit 0", {0}, "128", {"XPage_styleTag"}, {}},
            {"bit 9", {9}, "16384", {"XPage_margination"}, {}},
            {"bits 0 to 9", bitRange(0, 9), "49407",
             {"XPage_styleTag", "XPage_pageWidth", "XPage_pageHeight", "XPage_leftMargin", "XPage_topMargin",
              "XPage_rightMargin", "XPage_bottomMargin", "XPage_direction", "XPage_orientation", "XPage_margination"},
             {}},
            {"the column count alone", {10}, "8192", {"XPage_columns"}, {}},
            {"the column list alone", {14}, "512", {}, {"COLUMNS"}},
            {"the endnote format alone", {22}, "131072", {}, {"ENDNOTEFORMAT"}},
            {"a border side without the border type", {26}, "536870912", {"XPage_borderTop"}, {}},
            {"the last reference", {41}, "70368744177664", {"XPage_firstFooterRef"}, {}},
            {"bits 42 to 63", bitRange(42, 63), "18446531867965390848", {}, {}},
        };
    }
};

template <typename Writer>
class RunRecordWriterTest : public writertest::WriterTest {
protected:
    using Record = typename Writer::Record;

    // Writes the record into a new run element with the test's block and answers the element.
    const xmlNode* write(const Record& record, std::int16_t expectedResult = 0) {
        elements.push_back(newElement(Writer::kElement));
        EXPECT_EQ(Writer::write(elements.back().get(), &record, &block), expectedResult);
        return elements.back()->getNode();
    }

    std::vector<std::unique_ptr<CStream>> elements;
};

using Writers = ::testing::Types<CharacterWriter, SectionWriter>;
TYPED_TEST_SUITE(RunRecordWriterTest, Writers);

// ---- round trips through the reader ----

TYPED_TEST(RunRecordWriterTest, EveryWrittenFieldReadsBackEqualAndEveryOtherKeepsItsValue) {
    using Record = typename TypeParam::Record;
    const Record previous = TypeParam::previous();
    for (const auto& test : TypeParam::roundTrips()) {
        SCOPED_TRACE(test.title);
        const Record& written = TypeParam::recordOf(test);
        this->write(written);
        Record read = previous;
        EXPECT_EQ(TypeParam::read(this->elements.back().get(), &read), 0);
        const Record expected = TypeParam::expectedAfterReading(previous, written);
        EXPECT_EQ(recordwalk::firstDifference(TypeParam::table(), &read, &expected), "");
    }
}

// ---- what the element holds ----

TYPED_TEST(RunRecordWriterTest, GoldenElements) {
    for (const auto& golden : TypeParam::goldens())
        elementtree::expectGoldenElement(golden.file, this->write(golden.record));
}

TYPED_TEST(RunRecordWriterTest, TheMaskIsStoredAsOneNumberAndEachSetBitAddsItsKeyOrChildInTableOrder) {
    const std::string prefix = TypeParam::kKeyPrefix;
    for (const MaskCase& test : TypeParam::maskCases()) {
        SCOPED_TRACE(test.title);
        auto record = TypeParam::sample();
        std::memset(record.changeBits, 0, sizeof record.changeBits);
        for (int bit : test.bits) setMaskBit(record.changeBits, bit);
        const xmlNode* element = this->write(record);
        strings expected = {prefix + "changeBits", prefix + "uniqueBits", prefix + "position"};
        expected.insert(expected.end(), test.attributes.begin(), test.attributes.end());
        EXPECT_EQ(elementtree::attributeNames(element), expected);
        EXPECT_EQ(elementtree::attribute(element, (prefix + "changeBits").c_str()), test.changeBits);
        EXPECT_EQ(elementtree::childNames(element), test.children);
    }
}

TYPED_TEST(RunRecordWriterTest, WithoutABlockTheElementIsTheSameAndNoColourIsEntered) {
    const auto record = TypeParam::sample();
    const xmlNode* withBlock = this->write(record);
    this->elements.push_back(this->newElement(TypeParam::kElement));
    ASSERT_EQ(TypeParam::write(this->elements.back().get(), &record, nullptr), 0);
    EXPECT_EQ(elementtree::treeLines(this->elements.back()->getNode()), elementtree::treeLines(withBlock));
    EXPECT_EQ(this->block.colors->getCount(), TypeParam::kSampleColours);
}

// ---- failures ----

TYPED_TEST(RunRecordWriterTest, AFailedAttributeAnswersItsCodeKeepsWhatCameBeforeAndEntersNoColour) {
    const auto record = TypeParam::sample();
    const strings complete = elementtree::trail(this->write(record));
    strings before;
    for (std::size_t k = 1; k <= elementtree::countOf(complete, true); ++k) {
        SCOPED_TRACE("failing attribute " + std::to_string(k));
        this->resetColours();
        ScopedAttributeWriteFailure failure(static_cast<std::int64_t>(k));
        const strings kept = elementtree::trail(this->write(record, result::kOutOfMemory));
        // One more attribute than at the previous step, the earlier ones unchanged, none that the whole
        // record lacks.
        ASSERT_EQ(elementtree::countOf(kept, true), k - 1);
        for (const std::string& path : before) EXPECT_NE(std::find(kept.begin(), kept.end(), path), kept.end()) << path;
        for (const std::string& path : kept) EXPECT_NE(std::find(complete.begin(), complete.end(), path), complete.end()) << path;
        EXPECT_EQ(this->block.colors->getCount(), 0);
        before = kept;
    }
}

TYPED_TEST(RunRecordWriterTest, AnAllocationFailureAnywhereAnswers12AndColoursFollowTheWholeElement) {
    const auto record = TypeParam::sample();
    const strings complete = elementtree::treeLines(this->write(record));
    const strings allColors = writertest::colourTexts(this->block);
    bool succeeded = false;
    for (std::int64_t n = 1; n < 200 && !succeeded; ++n) {
        SCOPED_TRACE("failing allocation " + std::to_string(n));
        this->resetColours();
        this->elements.push_back(this->newElement(TypeParam::kElement));
        std::int16_t result = 0;
        {
            platform::ScopedAllocationFailure failure(n);
            result = TypeParam::write(this->elements.back().get(), &record, &this->block);
        }
        succeeded = result == 0;
        if (succeeded) break;
        EXPECT_EQ(result, result::kOutOfMemory);
        const strings colors = writertest::colourTexts(this->block);
        ASSERT_LE(colors.size(), allColors.size());
        EXPECT_TRUE(std::equal(colors.begin(), colors.end(), allColors.begin()));
        if (!colors.empty()) {
            EXPECT_EQ(elementtree::treeLines(this->elements.back()->getNode()), complete);
        }
    }
    EXPECT_TRUE(succeeded);
}

TYPED_TEST(RunRecordWriterTest, AMissingElementOrRecordIsRefused) {
    const auto record = TypeParam::sample();
    EXPECT_EQ(TypeParam::write(nullptr, &record, &this->block), result::kNullObject);
    EXPECT_EQ(TypeParam::write(this->newElement(TypeParam::kElement).get(), nullptr, &this->block), result::kNullObject);
}

}  // namespace
