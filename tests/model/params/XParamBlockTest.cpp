#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <string>
#include <utility>

#include "tests/model/params/ParamBlockDoubles.h"
#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/tables/CAuthorArray.h"
#include "model/tables/CColorArray.h"
#include "model/tables/CFontArray.h"
#include "model/CPicture.h"
#include "model/records/PictureOwnership.h"
#include "model/tables/CStyleArray.h"
#include "model/params/ParamBlockTables.h"
#include "model/params/XParamBlock.h"
#include "platform/process/AllocationFailure.h"

namespace {

// A block, disposed at the end of the test whatever state it is in.
struct ScopedBlock {
    ScopedBlock() { std::memset(static_cast<void*>(&block), 0, sizeof block); }
    ~ScopedBlock() { disposeXParamBlock(&block); }
    ScopedBlock(const ScopedBlock&) = delete;
    ScopedBlock& operator=(const ScopedBlock&) = delete;
    XParamBlock block;
};

void expectEmptyTables(const XParamBlock& block) {
    ASSERT_NE(block.theme, nullptr);
    ASSERT_NE(block.authors, nullptr);
    ASSERT_NE(block.colors, nullptr);
    ASSERT_NE(block.fonts, nullptr);
    ASSERT_NE(block.styles, nullptr);
    EXPECT_EQ(block.authors->getCount(), 0);
    EXPECT_EQ(block.colors->getCount(), 0);
    EXPECT_EQ(block.fonts->getCount(), 0);
    EXPECT_EQ(block.styles->getCount(), 0);
}

TEST(XParamBlock, WithoutATaskTheBlockHasNoBuffersAndTheLetterPage) {
    ScopedBlock scoped;
    XParamBlock& block = scoped.block;
    std::memset(static_cast<void*>(&block), 0x5A, sizeof block);  // whatever a previous phase left
    initXParamBlock(nullptr, &block);
    EXPECT_EQ(block.textBuffer, nullptr);
    EXPECT_EQ(block.backgroundText, nullptr);
    EXPECT_EQ(block.textEncoding, 65535);
    EXPECT_EQ(block.page.pageWidth, 12240);
    EXPECT_EQ(block.page.pageHeight, 15840);
    expectEmptyTables(block);
    EXPECT_NE(block.theme, nullptr);  // every block owns a theme for the font table to ask
}

TEST(XParamBlock, WithATaskTheBlockTakesItsPageSizeAndClearedBuffers) {
    TaskDouble task(1);
    ScopedBlock scoped;
    XParamBlock& block = scoped.block;
    initXParamBlock(&task, &block);
    EXPECT_EQ(task.clears, 1);
    EXPECT_EQ(block.textBuffer, task.text.data());
    EXPECT_EQ(block.backgroundText, task.side.data());
    EXPECT_TRUE(std::all_of(task.text.begin(), task.text.end(), [](char16_t unit) { return unit == 0; }));
    EXPECT_TRUE(std::all_of(task.side.begin(), task.side.end(), [](char byte) { return byte == 0; }));
    EXPECT_EQ(block.page.pageWidth, 11899);
    EXPECT_EQ(block.page.pageHeight, 16838);
    expectEmptyTables(block);

    TaskDouble letterTask(2);
    ScopedBlock other;
    initXParamBlock(&letterTask, &other.block);
    EXPECT_EQ(other.block.page.pageWidth, 12240);
}

TEST(XParamBlock, EverythingElseStartsEmptyWithTheDefaultRecords) {
    ScopedBlock scoped;
    XParamBlock& block = scoped.block;
    std::memset(static_cast<void*>(&block), 0x5A, sizeof block);
    initXParamBlock(nullptr, &block);
    EXPECT_EQ(block.selector, 0);
    EXPECT_EQ(block.sheetCount, 0);
    EXPECT_EQ(block.textLength, 0);
    EXPECT_EQ(block.backgroundLength, 0);
    EXPECT_EQ(block.expectedLength, 0);
    EXPECT_EQ(block.listDefCount, 0);
    EXPECT_EQ(block.listOvrCount, 0);
    EXPECT_EQ(block.listPicCount, 0);
    EXPECT_EQ(block.listDefs, nullptr);
    EXPECT_EQ(block.listOvrs, nullptr);
    EXPECT_EQ(block.listPics, nullptr);
    EXPECT_EQ(block.reasonText, nullptr);
    EXPECT_EQ(block.progressWindow, nullptr);
    EXPECT_EQ(block.identifySpec, nullptr);
    EXPECT_EQ(block.mark[0], 0);
    EXPECT_EQ(block.storyName[0], '\0');
    EXPECT_EQ(block.head.viewMode, 1);
    EXPECT_EQ(block.head.viewScale, 100);

    XForm form;
    initXForm(&form);
    XRule rule;
    initXRule(&rule);
    XPage page;
    initXPage(&page, 2);
    XHead head;
    initXHead(&head);
    EXPECT_TRUE(equalXForm(block.form, form));
    EXPECT_TRUE(equalXRule(block.rule, rule));
    EXPECT_TRUE(equalXPage(block.page, page));
    EXPECT_TRUE(equalXHead(block.head, head));
}

// Which owned objects a block holds, in the order the set-up makes them.
std::array<bool, 5> objectsPresent(const XParamBlock& block) {
    return {block.theme != nullptr, block.authors != nullptr, block.colors != nullptr, block.fonts != nullptr,
            block.styles != nullptr};
}

std::size_t objectsMade(const XParamBlock& block) {
    const auto present = objectsPresent(block);
    const auto firstMissing = std::find(present.begin(), present.end(), false);
    EXPECT_TRUE(std::none_of(firstMissing, present.end(), [](bool made) { return made; }))
        << "an object after a failed one was made";
    return static_cast<std::size_t>(firstMissing - present.begin());
}

// Each allocation of the set-up, failed in turn: the failure is 12, the block holds exactly the objects
// made before the failed one, the task's buffers are not linked in, and the disposal releases what there
// is (the sanitizer build checks that nothing leaks and nothing is freed twice).
TEST(XParamBlock, ASetUpThatFailsHalfWayIsDisposedCleanly) {
    std::set<std::pair<std::size_t, std::string>> stops;  // objects made before the failure, unit
    for (std::int64_t n = 1;; ++n) {
        TaskDouble task(1);
        ScopedBlock scoped;
        platform::failNthAllocation(n);
        try {
            initXParamBlock(&task, &scoped.block);
        } catch (const CFail& failure) {
            platform::disarmAllocationFailure();
            EXPECT_EQ(failure.error, 12) << n;
            const std::size_t made = objectsMade(scoped.block);
            EXPECT_LT(made, 5u) << n;
            stops.emplace(made, failure.fileName);
            EXPECT_EQ(scoped.block.textBuffer, nullptr) << n;
            EXPECT_EQ(task.clears, 0) << n;
            disposeXParamBlock(&scoped.block);
            EXPECT_EQ(objectsMade(scoped.block), 0u) << n;
            continue;
        }
        platform::disarmAllocationFailure();
        EXPECT_EQ(objectsMade(scoped.block), 5u);
        EXPECT_EQ(scoped.block.textBuffer, task.text.data());
        break;
    }
    // The object itself could not be made, at each of the five: the theme, then the author, colour, font
    // and style tables (with the colour table, the theme and the author table are in the block).
    for (std::size_t made = 0; made < 5; ++made)
        EXPECT_EQ(stops.count({made, "BEngine"}), 1u) << "no failure of object " << made;
}

// Heap level texts for the levels named, the others null.
void giveLevelTexts(XListLevel (&levels)[kListLevels], int count) {
    for (int i = 0; i < count; ++i) {
        levels[i].levelText = static_cast<char16_t*>(allocMemory(6));
        levels[i].levelTextLength = 3;
    }
}

template <typename Record>
Record* newRecords(std::int32_t count) {
    auto* records = static_cast<Record*>(allocMemory(count * static_cast<std::int32_t>(sizeof(Record))));
    std::memset(static_cast<void*>(records), 0, static_cast<std::size_t>(count) * sizeof(Record));
    return records;
}

// A block set up without a task with two definitions, one override and one picture bullet.
class DisposalTest : public ::testing::Test {
protected:
    void SetUp() override {
        initXParamBlock(nullptr, &block);
        block.listDefs = newRecords<XListDef>(2);
        block.listDefCount = 2;
        block.listOvrs = newRecords<XListOvr>(1);
        block.listOvrCount = 1;
        block.listPics = newRecords<XListPic>(1);
        block.listPicCount = 1;
        block.listPics[0].picture = new CPicture();
        block.reasonText = duplicateWString(u"this is a drawing document");
        addAuthor("Ann", &block);
        addColor(&kBlack, &block);
        addFontByName("Arial", &block);
        XStyle* style = newXStyle();
        style->subStyles[0] = newXStyle();
        style->styleSubCount = 1;
        addStyle(style, &block);
        block.textBuffer = text;
        block.backgroundText = side;
        block.identifySpec = &spec;
    }
    void TearDown() override { disposeXParamBlock(&block); }

    void expectOwnedPointersNull() {
        EXPECT_EQ(objectsMade(block), 0u);
        EXPECT_EQ(block.listDefs, nullptr);
        EXPECT_EQ(block.listOvrs, nullptr);
        EXPECT_EQ(block.listPics, nullptr);
        EXPECT_EQ(block.reasonText, nullptr);
    }

    XParamBlock block;
    char16_t text[4] = {};
    char side[4] = {};
    FileSpec spec{};
};

TEST_F(DisposalTest, EveryLevelTextPictureAndArrayIsReleasedOnce) {
    for (XListDef* definition : {&block.listDefs[0], &block.listDefs[1]}) giveLevelTexts(definition->levels, 9);
    giveLevelTexts(*ownOverrideLevels(block.listOvrs[0]), 9);
    const ParamBlockRelease released = disposeXParamBlock(&block);
    EXPECT_EQ(released.levelTexts, 27);
    EXPECT_EQ(released.pictures, 1);
    EXPECT_EQ(released.arrays, 3);
    expectOwnedPointersNull();
    // Counts and borrowed pointers stay as they were.
    EXPECT_EQ(block.listDefCount, 2);
    EXPECT_EQ(block.textBuffer, text);
    EXPECT_EQ(block.backgroundText, side);
    EXPECT_EQ(block.identifySpec, &spec);

    const ParamBlockRelease again = disposeXParamBlock(&block);
    EXPECT_EQ(again.levelTexts + again.pictures + again.arrays, 0);
}

TEST_F(DisposalTest, NullLevelTextsAndPicturesAreSkipped) {
    giveLevelTexts(block.listDefs[1].levels, 4);
    freeMemory(block.listDefs[1].levels[2].levelText);  // a gap among them
    disposePicture(block.listPics[0].picture);
    const ParamBlockRelease released = disposeXParamBlock(&block);
    EXPECT_EQ(released.levelTexts, 3);
    EXPECT_EQ(released.pictures, 0);
    EXPECT_EQ(released.arrays, 3);
    expectOwnedPointersNull();
}

struct CountCase {
    const char* title;
    std::int16_t defCount;
    bool keepDefs;
    int textsPerDefinition;
    std::int32_t levelTexts;
    std::int32_t arrays;
};

// Counts that disagree with their arrays: a null array is skipped whatever its count says, and a count is
// taken within the records its array holds.
TEST_F(DisposalTest, CountsAreTakenWithinTheirArrays) {
    const CountCase cases[] = {
        {"null array with a count", 2, false, 0, 0, 2},
        {"count beyond the array", 700, true, 9, 18, 3},
        {"negative count", -4, true, 0, 0, 3},
    };
    for (const auto& c : cases) {
        TearDown();
        SetUp();
        for (XListDef* definition : {&block.listDefs[0], &block.listDefs[1]})
            giveLevelTexts(definition->levels, c.textsPerDefinition);
        if (!c.keepDefs) freeMemory(block.listDefs);
        block.listDefCount = c.defCount;
        const ParamBlockRelease released = disposeXParamBlock(&block);
        EXPECT_EQ(released.levelTexts, c.levelTexts) << c.title;
        EXPECT_EQ(released.arrays, c.arrays) << c.title;
        expectOwnedPointersNull();
    }
}

}  // namespace
