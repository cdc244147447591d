// Anchors: what an anchor code becomes for an exporter that takes its kind of side story and for one
// that does not, under each side-story handling; side stories in place and listed after the main text;
// pictures; and the stories an exporter asks for while it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "engine/ProgramPreferences.h"
#include "model/CPicture.h"
#include "tests/engine/export/ExportTestSupport.h"

using namespace exporttest;

namespace {

constexpr std::int16_t kFootnoteKind = 7;
constexpr std::int16_t kEndnoteKind = 8;

class AnchorTest : public ExportEngineTest {
protected:
    AnchorTest() { clearStoryOptions(); }
    ~AnchorTest() override { clearStoryOptions(); }
    static void clearStoryOptions() {
        for (std::int16_t& option : gPreferences.storyOptions) option = 0;
    }
    static void handle(std::int16_t exportKind, std::int16_t handling, std::int16_t numbering) {
        gPreferences.storyOptions[exportKind] = handling;
        gPreferences.storyOptions[10 + exportKind] = numbering;
    }
    // Main text around the anchors, and the side stories: footnote 0 and 1, endnote 0.
    void useAnchoredStory(const std::u16string& text) {
        StorageBuilder builder(storagePath());
        builder.addSheet();
        builder.addStory(storykind::kFootnote, 0, {{u"N0"}});
        builder.addStory(storykind::kFootnote, 1, {{u"N1"}});
        builder.addStory(storykind::kEndnote, 0, {{u"E0"}});
        builder.addStory(storykind::kMain, -1, {{text}});
        useStorage(builder);
    }
    // The runs of the main story only.
    std::vector<std::u16string> mainRuns() const {
        std::vector<std::u16string> texts;
        bool inMain = false;
        for (const auto& entry : log.entries) {
            if (entry.selector == 11) inMain = true;
            if (entry.selector == 23) inMain = false;
            if (inMain && entry.event == testsupport::ExportEvent::text) texts.push_back(entry.text);
        }
        return texts;
    }
};

struct AnchorCase {
    const char* title;
    char16_t code;
    int exporterIndex;
    std::int16_t exportKind;  // whose handling is set (0: none)
    std::int16_t handling;
    std::int16_t numbering;
    std::vector<std::u16string> expected;  // the main story's runs around "a" and "b"
};

class AnchorTableTest : public AnchorTest, public ::testing::WithParamInterface<AnchorCase> {};

TEST_P(AnchorTableTest, AnchorBecomesWhatItsKindAndHandlingSay) {
    const AnchorCase& c = GetParam();
    if (c.exportKind != 0) handle(c.exportKind, c.handling, c.numbering);
    useAnchoredStory(std::u16string(u"a") + c.code + u"b");
    exporterIndex = c.exporterIndex;
    ASSERT_EQ(runEngine(), 0);
    EXPECT_EQ(mainRuns(), c.expected);
}

const std::u16string kFootnoteMarkers[] = {u"\r\r--- footnote start ---\r", u"--- footnote end ---\r\r"};

INSTANTIATE_TEST_SUITE_P(
    Anchors, AnchorTableTest,
    ::testing::Values(
        AnchorCase{"FootnoteTakenByRtf", 23, exporter::kRTF, kFootnoteKind, 2, 1, {u"a", u"\u0017", u"b"}},
        AnchorCase{"FootnoteLeftOut", 23, exporter::kCSV, 0, 0, 0, {u"a", u"b"}},
        // Handling 3 also lists the stories of the kind after the main text.
        AnchorCase{"FootnoteNumbered",
                   23,
                   exporter::kCSV,
                   kFootnoteKind,
                   3,
                   1,
                   {u"a", u" (footnote: 1) ", u"b", u"N0", u"N1"}},
        AnchorCase{"FootnoteNumberingOff", 23, exporter::kCSV, kFootnoteKind, 3, 0, {u"a", u"b", u"N0", u"N1"}},
        AnchorCase{"FootnoteInPlace",
                   23,
                   exporter::kUnicode,
                   kFootnoteKind,
                   2,
                   0,
                   {u"a", u"\r", u"\r", u"--- footnote start ---\r", u"N0", u"--- footnote end ---\r", u"\r", u"b"}},
        AnchorCase{"EndnoteNumbered", 24, exporter::kCSV, kEndnoteKind, 3, 1, {u"a", u" (endnote: 1) ", u"b", u"E0"}},
        AnchorCase{"CommentNeverInPlace", 14, exporter::kCSV, 5, 2, 1, {u"a", u"b"}},
        AnchorCase{"CommentNumbered", 14, exporter::kCSV, 5, 3, 1, {u"a", u" (comment: 1) ", u"b"}},
        AnchorCase{"BookmarkTakenByRtf", 15, exporter::kRTF, 0, 0, 0, {u"a", u"\u000f", u"b"}},
        AnchorCase{"BookmarkLeftOut", 15, exporter::kCSV, 6, 3, 1, {u"a", u"b"}},
        AnchorCase{"TableTakenByRtf", 10, exporter::kRTF, 0, 0, 0, {u"a", u"\u000a", u"b"}},
        AnchorCase{"TableLeftOut", 10, exporter::kCSV, 0, 0, 0, {u"a", u"b"}},
        AnchorCase{"TableStartSendsNothingToRtf", 26, exporter::kRTF, 0, 0, 0, {u"a", u"b"}},
        AnchorCase{"TableEndSendsNothingToCsv", 27, exporter::kCSV, 0, 0, 0, {u"a", u"b"}},
        AnchorCase{"LineBreakForEveryExporter", 5, exporter::kCSV, 0, 0, 0, {u"a", u"\u0005", u"b"}},
        AnchorCase{"FieldResultForEveryExporter", 21, exporter::kCSV, 0, 0, 0, {u"a", u"\u0015", u"b"}},
        AnchorCase{"FieldStartLeftOut", 20, exporter::kCSV, 0, 0, 0, {u"a", u"b"}},
        AnchorCase{"GraphicNumbered", 17, exporter::kCSV, 9, 3, 1, {u"a", u" (graphic: 1) ", u"b"}},
        AnchorCase{"NoteNumberMarkNumbered",
                   2,
                   exporter::kCSV,
                   kFootnoteKind,
                   3,
                   1,
                   {u"a", u"1. ", u"b", u"N0", u"N1"}},
        AnchorCase{"SpareCodeForEveryExporter", 30, exporter::kCSV, 0, 0, 0, {u"a", u"\u001e", u"b"}}),
    [](const ::testing::TestParamInfo<AnchorCase>& param) { return std::string(param.param.title); });

// A story played in place runs through the block of the story around it: the text after it must come
// with the records of its own runs again, not the ones the story in place left behind, also where the
// surrounding story's run goes on unchanged across the anchor.
TEST_F(AnchorTest, TextAfterAStoryInPlaceComesWithItsOwnRecords) {
    handle(kFootnoteKind, 2, 0);
    Chunk note{u"N0", formOfSize(200)};
    note.rule.indentLeft = 720;
    Chunk main{u"a\u0017b\rc", formOfSize(300)};
    main.rule.indentRight = 360;
    StorageBuilder builder(storagePath());
    builder.addSheet();
    builder.addStory(storykind::kFootnote, 0, {note});
    builder.addStory(storykind::kMain, -1, {main});
    useStorage(builder);
    exporterIndex = exporter::kUnicode;
    ASSERT_EQ(runEngine(), 0);

    // The fields each run's records hold apart from the story's start, its run heads left out.
    std::map<std::u16string, std::vector<std::string>> changes;
    for (const auto& entry : log.entries) {
        if (entry.event != testsupport::ExportEvent::text) continue;
        for (const std::string& field : entry.changedFields)
            if (field.find("changeBits") == std::string::npos && field.find("position") == std::string::npos)
                changes[entry.text].push_back(field);
    }
    const auto has = [&](const std::u16string& run, const char* field) {
        const std::vector<std::string>& fields = changes[run];
        return std::find(fields.begin(), fields.end(), field) != fields.end();
    };
    EXPECT_TRUE(has(u"N0", "XRule.indentLeft"));
    EXPECT_FALSE(has(u"N0", "XRule.indentRight"));
    EXPECT_TRUE(has(u"a", "XRule.indentRight"));
    for (const std::u16string& after : {std::u16string(u"b\r"), std::u16string(u"c")}) {
        EXPECT_EQ(changes[after], changes[u"a"]);
        EXPECT_FALSE(has(after, "XRule.indentLeft"));
    }
}

TEST_F(AnchorTest, EachReferenceTakesTheNextNumberAndTheNextStory) {
    handle(kFootnoteKind, 2, 0);
    handle(kEndnoteKind, 3, 1);
    useAnchoredStory(u"\u0017\u0018\u0017\u0018\u0017");
    exporterIndex = exporter::kCSV;
    ASSERT_EQ(runEngine(), 0);
    std::u16string text;
    for (const std::u16string& run : mainRuns()) text += run;
    const std::u16string start = kFootnoteMarkers[0];
    const std::u16string end = kFootnoteMarkers[1];
    // The third footnote reference has no stored story: nothing is written for it. The endnotes are
    // listed after the main text.
    EXPECT_EQ(text, start + u"N0" + end + u" (endnote: 1) " + start + u"N1" + end + u" (endnote: 2) E0");
}

TEST_F(AnchorTest, ListedSideStoriesFollowTheMainTextNumberedFromOne) {
    handle(kFootnoteKind, 3, 1);
    StorageBuilder builder(storagePath());
    builder.addSheet();
    for (std::int32_t mark : {0, 1, 3}) builder.addStory(storykind::kFootnote, mark, {{u"\u0002note"}});
    builder.addStory(storykind::kMain, -1, {{u"x\u0017y\u0017"}});
    useStorage(builder);
    exporterIndex = exporter::kCSV;
    ASSERT_EQ(runEngine(), 0);
    // The gap in the marks (0, 1, 3) ends the list after mark 1; the list restarts the numbers.
    EXPECT_EQ(mainRuns(), (std::vector<std::u16string>{u"x", u" (footnote: 1) ", u"y", u" (footnote: 2) ", u"1. ",
                                                       u"note", u"2. ", u"note"}));
    EXPECT_EQ(requests().back(), 25);
}

TEST_F(AnchorTest, PicturesAreReadForTheirAnchors) {
    StorageBuilder builder(storagePath());
    builder.addSheet();
    CPicture* picture = new CPicture();
    Chunk anchored{u"\u0001"};
    anchored.form.picData = picture;
    builder.addStory(storykind::kMain, -1, {{u"a"}, anchored, {u"b"}});
    delete picture;
    useStorage(builder);
    exporterIndex = exporter::kCSV;
    ASSERT_EQ(runEngine(), 0);
    ASSERT_EQ(mainRuns(), (std::vector<std::u16string>{u"a", u"\u0001", u"b"}));
    EXPECT_TRUE(log.entries[4].hasPicture);
    EXPECT_EQ(static_cast<std::uint32_t>(log.entries[4].txtType) >> 16, 1u);
    EXPECT_FALSE(log.entries[5].hasPicture);
}

TEST_F(AnchorTest, ExporterAsksForGraphicAndTableStoriesWhileItWrites) {
    StorageBuilder builder(storagePath());
    builder.addSheet();
    builder.addStory(storykind::kGraphic, -1, {{u"boxed"}}, "Text Box 1");
    builder.addStory(storykind::kTable, -1, {{u"cell\u0010"}}, "", 7);
    builder.addStory(storykind::kMain, -1, {{u"a\u0011b"}});
    useStorage(builder);
    std::vector<std::int16_t> answers;
    log.onText = [&answers](XParamBlock& block) {
        if (block.textLength == 1 && block.textBuffer[0] == 17) {
            answers.push_back(currentExportEngine->exportStoryByName("Text Box 1"));
            answers.push_back(currentExportEngine->exportStoryByMark(7));
            answers.push_back(currentExportEngine->exportStoryByName("missing"));
            answers.push_back(currentExportEngine->exportStoryByMark(8));
        }
    };
    ASSERT_EQ(runEngine(), 0);
    EXPECT_EQ(answers, (std::vector<std::int16_t>{1, 1, 0, 0}));
    EXPECT_EQ(requests(), (std::vector<std::int16_t>{0, 1, 11, 13, 13, 9, 13, 21, 10, 13, 13, 22, 13, 23, 24, 25}));
}

TEST_F(AnchorTest, StoriesThatReferToThemselvesStopNesting) {
    handle(kFootnoteKind, 2, 0);
    StorageBuilder builder(storagePath());
    builder.addSheet();
    for (std::int32_t mark = 0; mark < 40; ++mark) builder.addStory(storykind::kFootnote, mark, {{u"n\u0017"}});
    builder.addStory(storykind::kMain, -1, {{u"\u0017"}});
    useStorage(builder);
    exporterIndex = exporter::kCSV;
    ASSERT_EQ(runEngine(), 0);
    std::size_t notes = 0;
    for (const std::u16string& run : mainRuns()) notes += run == u"n" ? 1 : 0;
    EXPECT_GT(notes, 0u);
    EXPECT_LT(notes, 40u) << "the nesting ends before every note is inside the one before";
}

}  // namespace
