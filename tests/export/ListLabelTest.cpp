// The list numbers and bullets the text writers put in front of listed paragraphs: counted list by
// list, in each level's number format, with the deeper levels starting over.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "export/ListLabel.h"
#include "foundation/memory/Memory.h"
#include "model/params/XParamBlock.h"
#include "model/records/paragraph/XRule.h"
#include "model/story/StoryKinds.h"
#include "model/tables/ListRecords.h"

namespace {

constexpr std::int16_t kDecimal = 0;
constexpr std::int16_t kUpperRoman = 1;
constexpr std::int16_t kLowerLetter = 4;
constexpr std::int16_t kDecimalZero = 22;
constexpr std::int16_t kBullet = 23;
constexpr std::int16_t kFollowNothing = 2;

struct LevelSpec {
    std::int16_t format;
    std::u16string text;
    std::int16_t start;
};

// One list (number 1) whose levels are given, the rest left empty; nothing follows a number, so the
// labels are the numbers alone.
class ListLabelTest : public ::testing::Test {
protected:
    void define(const std::vector<LevelSpec>& levels) {
        TearDown();  // a list defined before
        block.listDefs = static_cast<XListDef*>(allocMemory(sizeof(XListDef)));
        block.listOvrs = static_cast<XListOvr*>(allocMemory(sizeof(XListOvr)));
        std::memset(static_cast<void*>(block.listDefs), 0, sizeof(XListDef));
        std::memset(static_cast<void*>(block.listOvrs), 0, sizeof(XListOvr));
        block.listDefCount = 1;
        block.listOvrCount = 1;
        block.listDefs[0].listDefId = 7;
        block.listOvrs[0].listIlst = 7;
        block.listOvrs[0].listIlfo = 1;
        texts = levels;
        for (std::size_t i = 0; i < levels.size(); ++i) {
            XListLevel& level = block.listDefs[0].levels[i];
            level.levelNfc = levels[i].format;
            level.levelStartAt = levels[i].start;
            level.levelFollow = kFollowNothing;
            level.levelText = texts[i].text.data();
            level.levelTextLength = static_cast<std::int32_t>(texts[i].text.size());
        }
    }
    void TearDown() override {
        freeMemory(block.listDefs);
        freeMemory(block.listOvrs);
        block.listDefs = nullptr;
        block.listOvrs = nullptr;
    }
    // The labels of whole paragraphs at these levels of list 1, one after the other.
    std::vector<std::u16string> labelsAt(const std::vector<std::int16_t>& levels) {
        std::vector<std::u16string> labels;
        for (const std::int16_t ilvl : levels) {
            XRule rule{};
            rule.level.ls = 1;
            rule.level.ilvl = ilvl;
            labels.push_back(label.labelBefore(rule, block, storycode::kParagraphEnd));
        }
        return labels;
    }

    XParamBlock block{};
    std::vector<LevelSpec> texts;
    ListLabel label;
};

TEST_F(ListLabelTest, NumbersCountInTheirLevelsFormats) {
    struct Case {
        const char* what;
        LevelSpec level;
        std::int32_t paragraphs;
        std::vector<std::u16string> expected;  // the last labels
    };
    const std::vector<Case> cases = {
        {"letters go on past z", {kLowerLetter, u"%1)", 25}, 4, {u"y)", u"z)", u"aa)", u"bb)"}},
        {"Roman numerals stop at 3999", {kUpperRoman, u"%1.", 3998}, 3, {u"MMMCMXCVIII.", u"MMMCMXCIX.", u"4000."}},
        {"zero-padded below ten", {kDecimalZero, u"%1", 9}, 2, {u"09", u"10"}},
        {"Symbol's bullet", {kBullet, u"\uF0B7", 1}, 1, {u"\u2022"}},
    };
    for (const auto& item : cases) {
        define({item.level});
        label.reset();
        const std::vector<std::u16string> all = labelsAt(std::vector<std::int16_t>(item.paragraphs, 0));
        EXPECT_EQ(std::vector<std::u16string>(all.end() - static_cast<std::ptrdiff_t>(item.expected.size()), all.end()),
                  item.expected)
            << item.what;
    }
}

// A second level starts over under each first-level item; a level not yet reached shows its start,
// and its own first paragraph takes that start.
TEST_F(ListLabelTest, DeeperLevelsStartOverAndOnlyParagraphStartsAreLabelled) {
    define({{kDecimal, u"%1.", 5}, {kLowerLetter, u"%1.%2", 1}});
    EXPECT_EQ(labelsAt({1, 1, 0, 1, 0, 1}), (std::vector<std::u16string>{u"5.a", u"5.b", u"5.", u"5.a", u"6.", u"6.a"}));

    XRule rule{};
    rule.level.ls = 1;
    label.reset();
    EXPECT_EQ(label.labelBefore(rule, block, u'x'), u"5.") << "a paragraph's first run";
    EXPECT_EQ(label.labelBefore(rule, block, storycode::kParagraphEnd), u"") << "its later run";
    rule.level.ls = 2;
    EXPECT_EQ(label.labelBefore(rule, block, storycode::kParagraphEnd), u"") << "a list that is not defined";
}

}  // namespace
