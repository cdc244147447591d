#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "foundation/CFail.h"
#include "model/CPicture.h"
#include "model/records/PictureOwnership.h"
#include "model/records/RecordTables.h"
#include "model/records/XHead.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/records/section/XPage.h"
#include "platform/process/AllocationFailure.h"
#include "tests/model/records/RecordWalk.h"

namespace {

struct CopyCase {
    const RecordTable* table;
    void (*copy)(void* dst, const void* src);
};

// Each copy takes over every field: the source and the destination start with different bytes
// everywhere, and after the copy the table finds no field that differs. The picture pointer is taken as
// it is (shared), never followed.
TEST(RecordCopies, APlainCopyTakesOverEveryField) {
    const CopyCase cases[] = {
        {&kXFormTable, [](void* d, const void* s) { copyXForm(static_cast<XForm*>(d), static_cast<const XForm*>(s)); }},
        {&kXRuleTable, [](void* d, const void* s) { copyXRule(static_cast<XRule*>(d), static_cast<const XRule*>(s)); }},
        {&kXPageTable, [](void* d, const void* s) { copyXPage(static_cast<XPage*>(d), static_cast<const XPage*>(s)); }},
        {&kXHeadTable, [](void* d, const void* s) { copyXHead(static_cast<XHead*>(d), static_cast<const XHead*>(s)); }},
        {&kXFieldTable,
         [](void* d, const void* s) { copyXField(static_cast<XField*>(d), static_cast<const XField*>(s)); }},
        {&kXFrameTable,
         [](void* d, const void* s) { copyXFrame(static_cast<XFrame*>(d), static_cast<const XFrame*>(s)); }},
        {&kXFootnoteTable,
         [](void* d, const void* s) { copyXFootnote(static_cast<XFootnote*>(d), static_cast<const XFootnote*>(s)); }},
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> source(c.table->size);
        std::vector<unsigned char> destination(c.table->size);
        recordwalk::fillPattern(source.data(), source.size(), 1);
        recordwalk::fillPattern(destination.data(), destination.size(), 2);
        for (const FieldSpec& field : c.table->fields)
            EXPECT_FALSE(equalField(field, source.data(), destination.data())) << c.table->name << "." << field.name;
        c.copy(destination.data(), source.data());
        EXPECT_EQ(recordwalk::firstDifference(*c.table, source.data(), destination.data()), "") << c.table->name;
    }
}

struct ValueCopyCase {
    const char* name;
    std::size_t size;
    void (*copy)(void* dst, const void* src);
};

TEST(RecordCopies, ValueRecordCopiesTakeOverEveryByteOfTheirMembers) {
    const ValueCopyCase cases[] = {
        {"RGBColor", sizeof(RGBColor),
         [](void* d, const void* s) { copyRGBColor(static_cast<RGBColor*>(d), static_cast<const RGBColor*>(s)); }},
        {"BorderSpec", sizeof(BorderSpec),
         [](void* d, const void* s) { copyBorderSpec(static_cast<BorderSpec*>(d), static_cast<const BorderSpec*>(s)); }},
        {"ShadingSpec", sizeof(ShadingSpec),
         [](void* d, const void* s) {
             copyShadingSpec(static_cast<ShadingSpec*>(d), static_cast<const ShadingSpec*>(s));
         }},
        {"RevisionMark", sizeof(RevisionMark),
         [](void* d, const void* s) {
             copyRevisionMark(static_cast<RevisionMark*>(d), static_cast<const RevisionMark*>(s));
         }},
        {"LongRect", sizeof(LongRect),
         [](void* d, const void* s) { copyLongRect(static_cast<LongRect*>(d), static_cast<const LongRect*>(s)); }},
        {"ShortRect", sizeof(ShortRect),
         [](void* d, const void* s) { copyShortRect(static_cast<ShortRect*>(d), static_cast<const ShortRect*>(s)); }},
        {"ShortPoint", sizeof(ShortPoint),
         [](void* d, const void* s) {
             copyShortPoint(static_cast<ShortPoint*>(d), static_cast<const ShortPoint*>(s));
         }},
        {"XCellStyle", sizeof(XCellStyle),
         [](void* d, const void* s) { copyCellStyle(static_cast<XCellStyle*>(d), static_cast<const XCellStyle*>(s)); }},
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> source(c.size);
        std::vector<unsigned char> destination(c.size);
        recordwalk::fillPattern(source.data(), c.size, 1);
        c.copy(destination.data(), source.data());
        EXPECT_EQ(source, destination) << c.name;
    }
    const WidthSpec width{kWidthTwips, -5000};
    WidthSpec widthCopy{};
    EXPECT_EQ(copyWidthSpec(&widthCopy, &width), &widthCopy);
    EXPECT_TRUE(equalWidthSpec(widthCopy, width));
    const HeightSpec height{kHeightAtLeast, 300};
    HeightSpec heightCopy{};
    copyHeightSpec(&heightCopy, &height);
    EXPECT_TRUE(equalHeightSpec(heightCopy, height));
}

// A record that owns a picture, released at the end of each test.
class PictureOwner : public ::testing::Test {
protected:
    void SetUp() override {
        initXForm(&owner);
        owner.picData = new CPicture();
        owner.picData->fType = 7;
        owner.picData->fRect = {1, 2, 3, 4};
    }
    void TearDown() override { disposeXForm(&owner); }

    XForm owner;
};

TEST_F(PictureOwner, APlainCopySharesThePictureAndReleasesNothing) {
    {
        XForm copy;
        copyXForm(&copy, &owner);
        EXPECT_EQ(copy.picData, owner.picData);
        EXPECT_EQ(copyXForm(&copy, &owner), &copy);
    }  // the copy's end of life releases nothing: the owner still holds a live picture
    EXPECT_EQ(owner.picData->fType, 7);
}

struct DeepCopyCase {
    const char* name;
    bool withPicture;
    bool failAllocation;
    bool expectPicture;
};

TEST_F(PictureOwner, ADeepCopyOwnsAPictureOfItsOwn) {
    const DeepCopyCase cases[] = {
        {"with a picture", true, false, true},
        {"without a picture", false, false, false},
        {"memory lacking for the clone", true, true, false},
    };
    for (const auto& c : cases) {
        XForm source;
        copyXForm(&source, &owner);
        if (!c.withPicture) source.picData = nullptr;
        XForm copy;
        {
            platform::ScopedAllocationFailure failure(c.failAllocation ? 1 : 0);
            EXPECT_EQ(copyXFormDeep(&copy, &source), &copy) << c.name;
        }
        source.picData = nullptr;  // the source shared the owner's picture
        EXPECT_EQ(copy.picData != nullptr, c.expectPicture) << c.name;
        if (copy.picData != nullptr) {
            EXPECT_NE(copy.picData, owner.picData) << c.name;
            EXPECT_EQ(copy.picData->fType, 7);
            EXPECT_TRUE(equalLongRect(copy.picData->fRect, owner.picData->fRect));
        }
        // Everything but the picture is the source's.
        XForm expected = owner;
        expected.picData = copy.picData;
        EXPECT_TRUE(equalXForm(copy, expected)) << c.name;
        disposeXForm(&copy);
        EXPECT_EQ(copy.picData, nullptr);
    }
}

TEST_F(PictureOwner, ADeepCopyOntoItselfKeepsItsPicture) {
    CPicture* const picture = owner.picData;
    copyXFormDeep(&owner, &owner);
    EXPECT_EQ(owner.picData, picture);
}

TEST_F(PictureOwner, DisposingTwiceReleasesOnce) {
    XForm second;
    copyXFormDeep(&second, &owner);
    disposeXForm(&second);
    disposeXForm(&second);
    EXPECT_EQ(second.picData, nullptr);
    disposeXForm(nullptr);
}

TEST(PictureOwnership, CloningCopiesAndFailsWithBPictureWhenMemoryIsLacking) {
    EXPECT_EQ(clonePicture(nullptr), nullptr);
    CPicture source;
    source.fType = 3;
    CPicture* clone = clonePicture(&source);
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->fType, 3);
    disposePicture(clone);
    EXPECT_EQ(clone, nullptr);
    disposePicture(clone);

    platform::ScopedAllocationFailure failure(1);
    try {
        clonePicture(&source);
        ADD_FAILURE() << "the clone was made without memory";
    } catch (const CFail& fail) {
        EXPECT_EQ(fail.error, 12);
        EXPECT_STREQ(fail.fileName, "BPicture");
    }
}

}  // namespace
