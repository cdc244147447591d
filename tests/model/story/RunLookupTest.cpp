#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/story/RunLookup.h"

namespace {

// A run array laid out as a loaded story hands it out: the records, then a sentinel of the three head
// fields only, in a block of exactly that size (so a copy of the sentinel would read past the block).
template <typename Record>
class RunArray {
public:
    RunArray(const std::vector<std::int32_t>& starts, void (*init)(Record*)) {
        const auto count = static_cast<std::int32_t>(starts.size());
        const std::int32_t bytes = count * static_cast<std::int32_t>(sizeof(Record)) + 16;
        runs = static_cast<Record*>(allocMemory(bytes));
        throwIfNull(runs, __LINE__, "test");
        std::int32_t i = 0;
        for (std::int32_t start : starts) {
            init(&runs[i]);
            runs[i].position = start;
            runs[i].styleTag = 1000 + i;  // tells the runs apart
            ++i;
        }
        auto* sentinel = reinterpret_cast<unsigned char*>(runs) + static_cast<std::size_t>(count) * sizeof(Record);
        const std::int32_t end = INT_MAX;
        std::memset(sentinel, 0, 12);
        std::memcpy(sentinel + 12, &end, sizeof end);
        entries = count + 1;
    }
    ~RunArray() { freeMemory(runs); }
    RunArray(const RunArray&) = delete;
    RunArray& operator=(const RunArray&) = delete;

    Record* runs = nullptr;
    std::int32_t entries = 0;  // the sentinel counted
};

void initPage(XPage* page) {
    initXPage(page, 0);
}

struct LookupCase {
    std::vector<std::int32_t> starts;
    std::int32_t position;
    std::int32_t run;  // index of the run copied out, -1 when none
    std::int32_t distance;
};

TEST(RunLookup, FindsTheRunCoveringAPositionAndTheDistanceToTheNext) {
    const LookupCase cases[] = {
        {{0, 5, 9}, 0, 0, 5},
        {{0, 5, 9}, 5, 1, 4},
        {{0, 5, 9}, 8, 1, 1},
        {{0, 5, 9}, 9, 2, INT_MAX - 9},          // inside the last run: the distance to the sentinel
        {{0, 5, 5}, 5, 2, INT_MAX - 5},          // the last of the runs starting there
        {{3, 7}, 0, 0, 7},                       // before the first run's start: the first run
        {{0, 5, 9}, INT_MAX, -1, INT_MAX},       // at the sentinel: nothing
        {{0}, 0, 0, INT_MAX},                    // the one run from 0: the sentinel is INT_MAX away
        {{0, 5}, -4, 0, 9},
        {{0, 5}, INT_MIN, 0, INT_MAX},           // too far for 32 bits: the distance stops at INT_MAX
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << c.position);
        RunArray<XForm> array(c.starts, initXForm);
        XForm out;
        initXForm(&out);
        out.styleTag = -5;
        EXPECT_EQ(findXFormAt(array.runs, array.entries, c.position, &out), c.distance);
        EXPECT_EQ(out.styleTag, c.run < 0 ? -5 : 1000 + c.run);
    }
}

TEST(RunLookup, WithoutRunsNothingIsFoundAndTheRecordKeepsItsContents) {
    RunArray<XForm> one({0}, initXForm);
    XForm out;
    initXForm(&out);
    out.txtSize = 77;
    EXPECT_EQ(findXFormAt(nullptr, 4, 0, &out), INT_MAX);
    EXPECT_EQ(findXFormAt(one.runs, 1, 0, &out), INT_MAX);
    EXPECT_EQ(findXFormAt(one.runs, 0, 0, &out), INT_MAX);
    EXPECT_EQ(out.txtSize, 77);
}

TEST(RunLookup, EachKindCopiesItsOwnRecord) {
    RunArray<XRule> rules({0, 4}, initXRule);
    rules.runs[1].lastCellOfRow = 1;
    RunArray<XPage> pages({0, 4}, initPage);
    pages.runs[1].pageWidth = 11000;
    XRule rule;
    XPage page;
    initXRule(&rule);
    initXPage(&page, 0);
    EXPECT_EQ(findXRuleAt(rules.runs, rules.entries, 6, &rule), INT_MAX - 6);
    EXPECT_EQ(rule.lastCellOfRow, 1);
    EXPECT_EQ(findXPageAt(pages.runs, pages.entries, 2, &page), 2);
    EXPECT_EQ(page.pageWidth, kLetterPageWidth);
    EXPECT_EQ(findXPageAt(pages.runs, pages.entries, 4, &page), INT_MAX - 4);
    EXPECT_EQ(page.pageWidth, 11000);

    // A character run's picture is shared with the copy, not cloned.
    RunArray<XForm> forms({0}, initXForm);
    forms.runs[0].picData = reinterpret_cast<CPicture*>(&page);
    XForm form;
    initXForm(&form);
    findXFormAt(forms.runs, forms.entries, 0, &form);
    EXPECT_EQ(form.picData, forms.runs[0].picData);
}

// A cursor answers what a look-up from the start answers, for a walk with rising positions, a step back
// and runs that are not in order (foreign data); it only starts where the last look-up stopped.
TEST(RunCursor, AnswersAsALookUpFromTheStartWhateverTheOrderOfAsking) {
    const std::vector<std::int32_t> walk = {-3, 0, 0, 4, 5, 9, 12, 2, 7, 30, INT_MAX, 1};
    for (const std::vector<std::int32_t>& starts : {std::vector<std::int32_t>{0, 5, 9, 9, 20},
                                                    std::vector<std::int32_t>{0, 8, 3, 10}}) {
        RunArray<XForm> array(starts, initXForm);
        RunCursor<XForm> cursor(array.runs, array.entries);
        for (const std::int32_t position : walk) {
            XForm expected;
            XForm actual;
            initXForm(&expected);
            initXForm(&actual);
            const std::int32_t distance = findXFormAt(array.runs, array.entries, position, &expected);
            EXPECT_EQ(cursor.findAt(position, &actual), distance) << "position " << position;
            EXPECT_EQ(actual.styleTag, expected.styleTag) << "position " << position;
        }
    }
    XForm untouched;
    initXForm(&untouched);
    EXPECT_EQ(RunCursor<XForm>().findAt(0, &untouched), INT_MAX);
}

TEST(ElementFilter, PassesTheKindsOfTheMaskAndEmptiesTheOthers) {
    struct Case {
        std::uint16_t kindBit;
        std::int16_t passes;
    };
    const Case cases[] = {{elementkind::kFootnotes, 1}, {elementkind::kTables, 1}, {elementkind::kGraphics, 1},
                          {0x200, 0},                   {0, 0}};
    ASSERT_EQ(exportElementMask, 0x1FF);
    for (const Case& c : cases) {
        std::u16string text = u"anchor";
        auto block = std::make_unique<XParamBlock>();
        block->textBuffer = text.data();
        block->textLength = 6;
        EXPECT_EQ(filterElementText(block.get(), c.kindBit), c.passes) << c.kindBit;
        EXPECT_EQ(block->textLength, c.passes == 1 ? 6 : 0);
        EXPECT_EQ(text[0], c.passes == 1 ? u'a' : u'\0');
    }
}

}  // namespace
