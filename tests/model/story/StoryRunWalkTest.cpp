// A walk over a story's runs answers every look-up as a cursor over the array loadAll makes.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "model/story/RunLookup.h"
#include "model/story/StoryRunWalk.h"
#include "tests/model/storage/StorageTestSupport.h"
#include "tests/model/story/StoryTestSupport.h"

namespace {

using storytest::LoadedStory;
using storytest::StoryStorage;

std::u16string levelTextOf(const XRule& rule) {
    return rule.level.text == nullptr ? u"<none>" : std::u16string(rule.level.text);
}

// The records compared field by field; the level texts by their contents, since the walk and the array
// read texts of their own.
bool sameRun(const XForm& a, const XForm& b) {
    return equalXForm(a, b) && a.position == b.position;
}
bool sameRun(const XPage& a, const XPage& b) {
    return equalXPage(a, b) && a.position == b.position;
}
bool sameRun(XRule a, XRule b) {
    if (levelTextOf(a) != levelTextOf(b)) return false;
    a.level.text = nullptr;
    b.level.text = nullptr;
    return equalXRule(a, b) && a.position == b.position;
}

template <typename Record>
void expectWalkAnswersAsTheArray(CStory& story, const Record* runs, std::int32_t count) {
    StoryRunWalk<Record> walk;
    walk.open(story, nullptr);
    RunCursor<Record> cursor(runs, count);
    // Rising positions, repeats, steps back, positions before, between and past the runs.
    for (const std::int32_t position : {-3, 0, 0, 1, 4, 5, 9, 12, 2, 7, 30, 1000, INT_MAX, 1, 8, -1}) {
        const Record* expected = nullptr;
        const Record* actual = nullptr;
        std::int32_t entry = -1;
        EXPECT_EQ(walk.findAt(position, &actual, &entry), cursor.findAt(position, &expected)) << "position " << position;
        ASSERT_EQ(actual == nullptr, expected == nullptr) << "position " << position;
        if (expected == nullptr) continue;
        EXPECT_EQ(entry, expected - runs) << "position " << position;
        EXPECT_TRUE(sameRun(*actual, *expected)) << "position " << position;
    }
}

class StoryRunWalkTest : public ::testing::Test {
protected:
    // Runs of every kind at different positions; paragraph runs with level texts of their own, shared
    // by the runs after them, or none.
    void appendRuns() {
        const char16_t* levels[] = {u"1.", nullptr, u"a)"};
        for (int i = 0; i < 12; ++i) {
            storage.form().txtSize = static_cast<std::int16_t>(100 + 20 * (i % 3));
            if (i % 4 == 0) {
                storage.rule().indentLeft = 360 * i;
                storage.rule().level.text = const_cast<char16_t*>(levels[(i / 4) % 3]);
            }
            if (i % 5 == 2) storage.page().pageWidth = 12000 + i;
            storage.append(*story, i % 4 == 3 ? u"x\r" : u"xy");
        }
        storage.rule().level.text = nullptr;
    }

    void expectEveryKindAnswersAsTheArray() {
        LoadedStory loaded;
        loaded.load(*story);
        // Several runs of each kind, besides the sentinels.
        ASSERT_GT(loaded.formCount, 3);
        ASSERT_GT(loaded.ruleCount, 3);
        ASSERT_GT(loaded.pageCount, 2);
        expectWalkAnswersAsTheArray<XForm>(*story, loaded.forms, loaded.formCount);
        expectWalkAnswersAsTheArray<XRule>(*story, loaded.rules, loaded.ruleCount);
        expectWalkAnswersAsTheArray<XPage>(*story, loaded.pages, loaded.pageCount);
    }

    StoryStorage storage;
    std::unique_ptr<CStory> story = storage.create();
};

TEST_F(StoryRunWalkTest, AnswersAsTheLoadedArrayForEveryKindAndOrderOfAsking) {
    appendRuns();
    expectEveryKindAnswersAsTheArray();
}

TEST_F(StoryRunWalkTest, AnswersAsTheLoadedArrayWhenTheFirstRunElementIsMissing) {
    appendRuns();
    for (const char* list : {"FORM", "RULE", "PAGE"}) {
        CStream runs(story->getStoryStream(), list, 0);
        CStream first(&runs, (std::string(list[0] == 'F' ? "Form" : list[0] == 'R' ? "Rule" : "Page") + "000").c_str(), 0);
        first.remove();
    }
    expectEveryKindAnswersAsTheArray();
}

TEST_F(StoryRunWalkTest, AListWithoutRunsFailsAsLoadingDoes) {
    appendRuns();
    CStream forms(story->getStoryStream(), "FORM", 0);
    forms.writeAttribute("Formz", 'l', 0);
    StoryRunWalk<XForm> walk;
    EXPECT_EQ(storagetest::failureOf([&] { walk.open(*story, nullptr); }).error, result::kNullObject);
    LoadedStory loaded;
    EXPECT_EQ(storagetest::failureOf([&] { loaded.load(*story); }).error, result::kNullObject);
    const XForm* run = nullptr;
    std::int32_t entry = -1;
    EXPECT_EQ(walk.findAt(0, &run, &entry), INT_MAX);
    EXPECT_EQ(run, nullptr);
}

}  // namespace
