#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/CRandom.h"
#include "foundation/memory/Memory.h"
#include "model/CPicture.h"
#include "model/records/ChangeMask.h"
#include "model/storage/AttributeWriteFailure.h"
#include "model/story/CStory.h"
#include "platform/process/AllocationFailure.h"
#include "platform/process/Clock.h"
#include "tests/model/storage/StorageTestSupport.h"
#include "tests/model/story/StoryTestSupport.h"

namespace {

using storytest::childNames;
using storytest::LoadedStory;
using storytest::RecordingSink;
using storytest::StoryStorage;

constexpr std::uint64_t bitNumber(int bit) {
    // Change bit n is the top bit of byte n / 8, and the mask reads as a little-endian number.
    return std::uint64_t{0x80} >> (bit % 8) << (8 * (bit / 8));
}

std::string elementName(CStream* stream) {
    return reinterpret_cast<const char*>(stream->getNode()->name);
}

// ---- the story element ----

TEST(StoryElement, IsNamedAfterItsKindAndMark) {
    struct Case {
        std::int16_t kind;
        std::int32_t mark;
        const char* name;
    };
    const Case cases[] = {{storykind::kTable, -1, "tableStory"},
                          {storykind::kTable, 0, "tableStory0000"},
                          {storykind::kTable, 10000, "tableStory10000"},
                          {storykind::kFootnote, 12, "footnoteStory0012"},
                          {storykind::kBookmark, 3, "bookMarkStory0003"},
                          {storykind::kMain, -1, "mainStory"}};
    StoryStorage storage;
    for (const Case& c : cases) {
        const auto story = storage.create(c.kind, c.mark);
        EXPECT_EQ(elementName(story->getStoryStream()), c.name);
        EXPECT_EQ(childNames(story->getStoryStream()), (std::vector<std::string>{"TEXT", "FORM", "RULE", "PAGE"}));
    }
    const CFail badKind = storagetest::failureOf([&] { storage.create(11, 0); });
    EXPECT_EQ(badKind.error, 22);
}

TEST(StoryElement, CarriesTheHostsHeaderAndFindsItAgain) {
    StoryStorage storage;
    storage.block->storyType = 4;
    storage.block->storyMark = -7;
    std::strcpy(storage.block->storyName, "Comment1");
    storage.create(storykind::kComment, 2);
    storage.block->storyName[0] = 'X';  // a second story of the same name pattern with another name
    storage.create(storykind::kComment, 2);

    // Found by name: the first of that name.
    CStory byName(nullptr, storage.root(), nullptr, storykind::kComment, 2, 0);
    std::int32_t type = 0;
    std::int32_t mark = 0;
    char name[kStoryNameBytes] = {};
    byName.getStoryStream()->readValues(nullptr, nullptr, "StoryType %l StoryMark %l StoryName %s", &type, &mark, name);
    EXPECT_EQ(type, 4);
    EXPECT_EQ(mark, -7);
    EXPECT_STREQ(name, "Comment1");

    // Found by attribute: the second one.
    CStory byAttribute(nullptr, storage.root(), nullptr, storykind::kComment, 2, 0, "StoryName", "Xomment1",
                       childmatch::kText);
    EXPECT_NE(byAttribute.getStoryStream()->getNode(), byName.getStoryStream()->getNode());
    const std::int32_t wantedMark = -7;
    CStory byMark(nullptr, storage.root(), nullptr, storykind::kComment, 2, 0, "StoryMark", &wantedMark,
                  childmatch::kInteger);
    EXPECT_EQ(byMark.getStoryStream()->getNode(), byName.getStoryStream()->getNode());
}

TEST(StoryElement, AMissingStoryFailsToOpen) {
    StoryStorage storage;
    const CFail failure = storagetest::failureOf([&] { CStory missing(nullptr, storage.root(), nullptr, 9, 0, 0); });
    EXPECT_EQ(failure.error, 12);
}

TEST(StoryElement, AScratchStoryLivesOutsideEveryDocumentWithoutHeader) {
    CStory scratch;
    xmlNode* node = scratch.getStoryStream()->getNode();
    EXPECT_STREQ(reinterpret_cast<const char*>(node->name), "nullStory0000");
    EXPECT_EQ(node->parent, nullptr);
    EXPECT_EQ(node->properties, nullptr);

    // It takes text and runs like any story.
    XForm form;
    XRule rule;
    XPage page;
    initXForm(&form);
    initXRule(&rule);
    initXPage(&page, 0);
    scratch.appendText(u"list 1.", 7, &form, &rule, &page, -1);
    LoadedStory loaded;
    loaded.load(scratch);
    EXPECT_EQ(loaded.textString(), u"list 1.");
    EXPECT_EQ(loaded.formCount, 2);
}

TEST(StoryElement, RemovedFromItsStorageItIsGoneAndItsStreamsStaySafe) {
    StoryStorage storage;
    auto story = storage.create(storykind::kFootnote, 1);
    storage.append(*story, u"note");
    EXPECT_EQ(story->removeFromStorage(), 0);
    EXPECT_TRUE(childNames(storage.root()).empty());
    const CFail failure = storagetest::failureOf([&] { LoadedStory loaded; loaded.load(*story); });
    EXPECT_EQ(failure.error, 12);
    // Runs are dropped quietly; the text has nowhere to go.
    EXPECT_EQ(storagetest::failureOf([&] { storage.append(*story, u"x"); }).error, 12);
}

// ---- runs stored and loaded ----

class StoryRunsTest : public ::testing::Test {
protected:
    void SetUp() override {
        story = storage.create();
        storage.form().txtFore = {1, 2, 3};  // only the first run stores it
    }

    // Three chunks in three character formats.
    void appendThreeRuns() {
        storage.form().txtSize = 100;
        storage.append(*story, u"ab");
        storage.form().txtSize = 240;
        storage.append(*story, u"cde");
        storage.form().txtSize = 120;
        storage.form().txtFace = kFaceBold;
        storage.append(*story, u"f");
    }

    StoryStorage storage;
    std::unique_ptr<CStory> story;
};

TEST_F(StoryRunsTest, AStoryOfThreeRunsLoadsWholeWithItsSentinels) {
    appendThreeRuns();
    LoadedStory loaded;
    loaded.load(*story);

    EXPECT_EQ(loaded.textString(), u"abcdef");
    ASSERT_EQ(loaded.formCount, 4);
    EXPECT_EQ(loaded.formPositions(), (std::vector<std::int32_t>{0, 2, 5, INT_MAX}));
    EXPECT_EQ(changeMaskNumber(loaded.forms[3].changeBits), 0u);
    const std::int16_t sizes[] = {100, 240, 120};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(loaded.forms[i].txtSize, sizes[i]) << i;
        EXPECT_EQ(loaded.forms[i].txtFore.green, 2) << "a field stored only in Form000 reaches run " << i;
    }
    EXPECT_EQ(loaded.forms[2].txtFace, kFaceBold);
    EXPECT_EQ(loaded.forms[1].txtFace, 0u);

    // One paragraph and one section run, each with its sentinel.
    ASSERT_EQ(loaded.ruleCount, 2);
    EXPECT_EQ(loaded.rules[0].position, 0);
    EXPECT_EQ(loaded.rules[1].position, INT_MAX);
    EXPECT_EQ(loaded.rules[0].widowControl, 1);
    ASSERT_EQ(loaded.pageCount, 2);
    EXPECT_EQ(loaded.pages[0].pageWidth, kLetterPageWidth);
    EXPECT_EQ(loaded.pages[1].position, INT_MAX);
}

TEST_F(StoryRunsTest, TheFirstRunCarriesEveryBitAndALaterOneOnlyWhatChanged) {
    appendThreeRuns();
    LoadedStory loaded;
    loaded.load(*story);
    EXPECT_EQ(changeMaskNumber(loaded.forms[0].changeBits), ~std::uint64_t{0});
    EXPECT_EQ(changeMaskNumber(loaded.forms[1].changeBits), bitNumber(11));  // txtSize alone
    EXPECT_EQ(changeMaskNumber(loaded.forms[2].changeBits), bitNumber(11) | bitNumber(13));
    EXPECT_EQ(changeMaskNumber(loaded.rules[0].changeBits), ~std::uint64_t{0});
    // The records passed in come back as the last unit left them: that unit started a run.
    EXPECT_EQ(changeMaskNumber(storage.form().changeBits), bitNumber(11) | bitNumber(13));
    EXPECT_EQ(storage.form().position, 5);
    EXPECT_EQ(changeMaskNumber(storage.rule().changeBits), 0u);
}

TEST_F(StoryRunsTest, ANewUniqueValueStartsARunWithoutABit) {
    storage.append(*story, u"ab");
    storage.form().uniqueBits = 5;
    storage.append(*story, u"cd");
    LoadedStory loaded;
    loaded.load(*story);
    ASSERT_EQ(loaded.formCount, 3);
    EXPECT_EQ(loaded.forms[1].position, 2);
    EXPECT_EQ(loaded.forms[1].uniqueBits, 5);
    EXPECT_EQ(changeMaskNumber(loaded.forms[1].changeBits), 0u);
}

TEST_F(StoryRunsTest, RunElementsAreNumberedFromZeroAndForm1000FollowsForm999) {
    // One unit per run: 1001 character runs.
    for (int i = 0; i <= 1000; ++i) {
        storage.form().txtSize = static_cast<std::int16_t>(100 + i % 2);
        storage.append(*story, u"x");
    }
    CStream forms(story->getStoryStream(), "FORM", 0);
    std::int32_t count = 0;
    forms.readValues(nullptr, nullptr, "Formz %l", &count);
    EXPECT_EQ(count, 1001);
    const std::vector<std::string> names = childNames(&forms);
    ASSERT_EQ(names.size(), 1001u);
    EXPECT_EQ(names[0], "Form000");
    EXPECT_EQ(names[999], "Form999");
    EXPECT_EQ(names[1000], "Form1000");

    LoadedStory loaded;
    loaded.load(*story);
    ASSERT_EQ(loaded.formCount, 1002);
    EXPECT_EQ(loaded.forms[1000].position, 1000);
    EXPECT_EQ(loaded.forms[1000].txtSize, 100);
    EXPECT_EQ(loaded.forms[999].txtSize, 101);
}

TEST_F(StoryRunsTest, LoadingFindsRunElementsByNumberWhateverTheirOrder) {
    appendThreeRuns();
    // Put the elements in reverse order and add strangers whose names only resemble run names.
    CStream forms(story->getStoryStream(), "FORM", 0);
    xmlNode* list = forms.getNode();
    std::vector<xmlNode*> runs;
    for (xmlNode* child = list->children; child != nullptr; child = child->next) runs.push_back(child);
    for (xmlNode* run : runs) xmlUnlinkNode(run);
    for (const char* stranger : {"Form0001", "Form01", "Form1", "Formx01", "Form002x", "Form003"}) {
        xmlAddChild(list, xmlNewDocNode(list->doc, nullptr, reinterpret_cast<const xmlChar*>(stranger), nullptr));
    }
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) xmlAddChild(list, *run);

    LoadedStory loaded;
    loaded.load(*story);
    EXPECT_EQ(loaded.formPositions(), (std::vector<std::int32_t>{0, 2, 5, INT_MAX}));
    EXPECT_EQ(loaded.forms[2].txtFace, kFaceBold);
}

TEST_F(StoryRunsTest, AMissingRunIsLeftOutAndTheNextBuildsOnTheRunBeforeIt) {
    appendThreeRuns();
    CStream forms(story->getStoryStream(), "FORM", 0);
    CStream second(&forms, "Form001", 0);
    second.remove();

    LoadedStory loaded;
    loaded.load(*story);
    EXPECT_EQ(loaded.formPositions(), (std::vector<std::int32_t>{0, 5, INT_MAX}));
    EXPECT_EQ(loaded.forms[0].txtSize, 100);
    EXPECT_EQ(loaded.forms[1].txtSize, 120);
    EXPECT_EQ(loaded.forms[1].txtFore.green, 2) << "Form002 is read on top of Form000";

    // Read one by one: a missing first run is all zeros.
    XForm form;
    initXForm(&form);
    story->readForm(&form, 1, 1);
    EXPECT_EQ(form.txtSize, 0);
    EXPECT_EQ(form.styleTag, 0);
    story->readForm(&form, 2, 0);
    EXPECT_EQ(form.txtSize, 120);
    EXPECT_EQ(form.txtLangVal, 0) << "run 2 holds only what changed";
}

TEST_F(StoryRunsTest, ARunCountOfZeroOrNoneFailsAndLeavesTheCallersPlaces) {
    LoadedStory empty;  // nothing appended: no runs at all
    const CFail noRuns = storagetest::failureOf([&] { empty.load(*story); });
    EXPECT_EQ(noRuns.error, 22);
    EXPECT_EQ(empty.forms, nullptr);

    appendThreeRuns();
    CStream pages(story->getStoryStream(), "PAGE", 0);
    pages.writeValues(nullptr, 0, "Pagez %l", 0);
    LoadedStory loaded;
    const CFail zeroPages = storagetest::failureOf([&] { loaded.load(*story); });
    EXPECT_EQ(zeroPages.error, 22);
    EXPECT_EQ(loaded.text, nullptr);
    EXPECT_EQ(loaded.forms, nullptr);
    EXPECT_EQ(loaded.rules, nullptr);
}

// A run count is a claim: the arrays are as long as the run elements actually there, and a missing first
// run is all zeros.
TEST_F(StoryRunsTest, AHugeRunCountLoadsTheRunsThatAreThere) {
    appendThreeRuns();
    CStream forms(story->getStoryStream(), "FORM", 0);
    forms.writeValues(nullptr, 0, "Formz %l", INT32_MAX);
    CStream rules(story->getStoryStream(), "RULE", 0);
    rules.writeValues(nullptr, 0, "Rulez %l", 94000);
    CStream(&rules, "Rule000", 0).remove();
    LoadedStory loaded;
    loaded.load(*story);
    EXPECT_EQ(loaded.formPositions(), (std::vector<std::int32_t>{0, 2, 5, INT_MAX}));
    ASSERT_EQ(loaded.ruleCount, 2);
    EXPECT_EQ(loaded.rules[0].widowControl, 0);
    EXPECT_EQ(loaded.rules[1].position, INT_MAX);
}

// Found by fuzzing: each claimed count once asked for a run array of its size (94,000 paragraph records
// are about 1 GB) before a single run was read.
TEST(StoryClaims, ClaimedRunCountsAllocateOnlyForTheRunsPresent) {
    storagetest::FileStorage file = storagetest::fixture("story-claimed-counts.xml");
    const struct {
        std::int16_t kind;
        std::int32_t formCount, ruleCount, pageCount;  // the runs there, plus the sentinel
    } cases[] = {
        {storykind::kHeader, 2, 2, 2},  // no run elements at all: one run of zeros each
        {storykind::kFooter, 3, 2, 4},  // Form000 Form001, Rule000, Page000 Page002 Page003
    };
    for (const auto& c : cases) {
        CStory story(nullptr, file.root(), nullptr, c.kind, 1, 0);
        LoadedStory loaded;
        loaded.load(story);
        EXPECT_EQ(loaded.formCount, c.formCount) << c.kind;
        EXPECT_EQ(loaded.ruleCount, c.ruleCount) << c.kind;
        EXPECT_EQ(loaded.pageCount, c.pageCount) << c.kind;
    }
    // The fuzzer's own input: without a page count loading fails, after one paragraph run, not 94,000.
    CStory story(nullptr, file.root(), nullptr, storykind::kMain, -1, 0);
    LoadedStory loaded;
    EXPECT_EQ(storagetest::failureOf([&] { loaded.load(story); }).error, 22);
    EXPECT_EQ(loaded.rules, nullptr);
}

// Every allocation of a load failing in turn, the throwing ones of the standard library too: loading
// either succeeds or raises a CFail, never anything else, and leaves the caller's places as they were
// (the sanitizer build shows that nothing leaks).
TEST_F(StoryRunsTest, AnAllocationFailureAnywhereInALoadFailsCleanly) {
    appendThreeRuns();
    std::int64_t allocations = 0;
    {
        LoadedStory counting;
        platform::ScopedAllocationFailure never(INT64_MAX);
        counting.load(*story);
        allocations = platform::allocationsCountedSinceArmed();
    }
    ASSERT_GT(allocations, 10);
    for (std::int64_t n = 1; n <= allocations; ++n) {
        LoadedStory loaded;
        try {
            platform::ScopedAllocationFailure failing(n);
            loaded.load(*story);  // a run reader absorbs its failure: the load goes on
        } catch (const CFail& failure) {
            EXPECT_EQ(failure.error, 12) << "allocation " << n;
            EXPECT_EQ(loaded.text, nullptr) << "allocation " << n;
            EXPECT_EQ(loaded.forms, nullptr) << "allocation " << n;
        }
    }
}

TEST_F(StoryRunsTest, TheHeaderReadsIntoTheCallersPlacesAndAnAbsentOneKeepsThem) {
    storage.block->storyType = 3;
    storage.block->storyMark = 9;
    std::strcpy(storage.block->storyName, "Name");
    auto withHeader = storage.create(storykind::kField, 9);
    storage.append(*withHeader, u"f");
    LoadedStory loaded;
    loaded.load(*withHeader);
    EXPECT_EQ(loaded.storyType, 3);
    EXPECT_EQ(loaded.storyMark, 9);
    EXPECT_STREQ(loaded.storyName, "Name");

    CStory scratch;
    scratch.appendText(u"s", 1, &storage.form(), &storage.rule(), &storage.page(), 0);
    LoadedStory kept;
    kept.storyType = 77;
    std::strcpy(kept.storyName, "kept");
    kept.load(scratch);
    EXPECT_EQ(kept.storyType, 77);
    EXPECT_STREQ(kept.storyName, "kept");
}

TEST_F(StoryRunsTest, AfterARunThatFailedToStoreTheNextRunIsStoredWhole) {
    storage.form().txtSize = 100;
    storage.append(*story, u"ab");
    storage.form().txtSize = 240;
    {
        // The second run's writes: its count, then its head keys, then txtSize, which fails.
        ScopedAttributeWriteFailure failure(5);
        storage.append(*story, u"xx");
    }
    storage.form().txtFace = kFaceBold;
    storage.append(*story, u"y");

    CStream forms(story->getStoryStream(), "FORM", 0);
    CStream failed(&forms, "Form001", 0);
    std::int32_t position = -1;
    std::int16_t size = -1;
    failed.readValues(nullptr, nullptr, "XForm_position %l XForm_txtSize %d", &position, &size);
    ASSERT_EQ(position, 2);
    ASSERT_EQ(size, -1) << "the failed run lacks its change";

    LoadedStory loaded;
    loaded.load(*story);
    ASSERT_EQ(loaded.formPositions(), (std::vector<std::int32_t>{0, 2, 3, 4, INT_MAX}));
    EXPECT_EQ(loaded.forms[1].txtSize, 100) << "the run that failed reads what it kept";
    EXPECT_EQ(changeMaskNumber(loaded.forms[2].changeBits), ~std::uint64_t{0}) << "the next unit is a whole run";
    EXPECT_EQ(loaded.forms[2].txtSize, 240);
    EXPECT_EQ(changeMaskNumber(loaded.forms[3].changeBits), bitNumber(13));
    EXPECT_EQ(loaded.forms[3].txtSize, 240) << "later runs build on what the storage holds";
    EXPECT_EQ(loaded.forms[3].txtFace, kFaceBold);
}

// ---- pictures and rows ----

TEST(StoryPictures, AutomaticNumbersCountFromOneAndAGivenNumberLeavesTheCounter) {
    StoryStorage storage;
    auto story = storage.create();
    CPicture picture;
    picture.fType = 3;
    story->writePicture(&picture, -1);
    story->writePicture(&picture, -1);
    story->writePicture(&picture, 7);
    EXPECT_EQ(story->getPictureCount(), 2);
    const std::vector<std::string> names = childNames(story->getStoryStream());
    EXPECT_EQ(std::vector<std::string>(names.begin() + 4, names.end()),
              (std::vector<std::string>{"Picture000001", "Picture000002", "Picture000007"}));

    CPicture* read = story->readPicture(7);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getType(), 3);
    disposeObject(read);
    EXPECT_EQ(story->readPicture(3), nullptr);
}

TEST(StoryPictures, APictureAnchorStoresThePictureAndTakesItsNumber) {
    StoryStorage storage;
    auto story = storage.create();
    CPicture picture;
    storage.form().picData = &picture;
    storage.append(*story, u"a\x01" u"b");
    EXPECT_EQ(storage.form().picData, nullptr) << "the picture stays with the caller";
    storage.append(*story, u"\x01");  // no picture in the run: a plain unit

    LoadedStory loaded;
    loaded.load(*story);
    EXPECT_EQ(loaded.formPositions(), (std::vector<std::int32_t>{0, 1, 2, INT_MAX}));
    EXPECT_EQ(loaded.forms[1].txtType, 1 * 65536 + 1);
    EXPECT_EQ(loaded.forms[2].txtType, 0);
    for (std::int32_t i = 0; i + 1 < loaded.formCount; ++i) EXPECT_EQ(loaded.forms[i].picData, nullptr);
    EXPECT_EQ(loaded.textString(), u"a\x01" u"b\x01");
    CPicture* stored = story->readPicture(1);
    EXPECT_NE(stored, nullptr);
    disposeObject(stored);
}

TEST(StoryRows, TheRowCountIsStoredAndAMissingOneReadsZero) {
    StoryStorage storage;
    auto story = storage.create(storykind::kTable, 0);
    EXPECT_EQ(story->readRows(), 0);
    story->writeRows(12);
    EXPECT_EQ(story->readRows(), 12);
}

// ---- progress and Stop ----

class StoryProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setMillisecondClockForTesting([this] { return now; });
        story = storage.create();
        for (int i = 0; i < 5; ++i) {
            storage.form().txtSize = static_cast<std::int16_t>(100 + i);
            storage.append(*story, u"ab");
        }
    }
    void TearDown() override { platform::setMillisecondClockForTesting(nullptr); }

    std::uint32_t now = 0;
    StoryStorage storage;
    std::unique_ptr<CStory> story;
};

TEST_F(StoryProgressTest, ReportsAtMostEvery80MillisecondsAndPollsEveryTime) {
    RecordingSink sink;
    for (int i = 0; i < 10; ++i) {
        story->progress(&sink);
        now += 10;
    }
    EXPECT_EQ(sink.polls, 10);
    ASSERT_EQ(sink.statuses.size(), 2u);  // at once, then 90 ms later
    EXPECT_EQ(sink.ids[0], kStoryProgressString);
    EXPECT_EQ(sink.statuses[0], u"Preparing to write converted file... [0]");
    EXPECT_EQ(sink.statuses[1], u"Preparing to write converted file... [1]");
    story->progress(nullptr);  // no sink: nothing
}

TEST_F(StoryProgressTest, LoadingReportsFromTheGivenCounterAndPollsPerRun) {
    RecordingSink sink;
    LoadedStory loaded;
    loaded.load(*story, &sink, 41);
    // Once at the start, then once per character and paragraph run (five and one).
    EXPECT_EQ(sink.polls, 1 + 5 + 1);
    ASSERT_FALSE(sink.statuses.empty());
    EXPECT_EQ(sink.statuses[0], u"Preparing to write converted file... [42]");
}

TEST_F(StoryProgressTest, StopDuringLoadingEndsItWithMinus9999) {
    for (int stopAt = 1; stopAt <= 7; ++stopAt) {
        RecordingSink sink(stopAt);
        LoadedStory loaded;
        const CFail failure = storagetest::failureOf([&] { loaded.load(*story, &sink); });
        EXPECT_EQ(failure.error, -9999) << stopAt;
        EXPECT_STREQ(failure.fileName, "BStory");
        EXPECT_EQ(loaded.forms, nullptr) << stopAt;
        EXPECT_EQ(loaded.text, nullptr) << stopAt;
    }
}

}  // namespace
