// Text-run delivery: where a story is cut into runs, how long a run may be, the 8-bit code page of each
// language, bracket mirroring, and the progress of the main story.
#include <gtest/gtest.h>

#include "tests/engine/export/ExportTestSupport.h"
#include "tests/support/RecordingProgress.h"

using namespace exporttest;

namespace {

struct CutCase {
    const char* title;
    std::vector<Chunk> chunks;
    std::vector<std::u16string> expected;
};

class RunCutTest : public ExportEngineTest, public ::testing::WithParamInterface<CutCase> {};

TEST_P(RunCutTest, CutsTheStoryIntoRuns) {
    StorageBuilder builder(storagePath());
    builder.addSheet();
    builder.addStory(storykind::kMain, -1, GetParam().chunks);
    useStorage(builder);
    ASSERT_EQ(runEngine(), 0);
    EXPECT_EQ(runs(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, RunCutTest,
    ::testing::Values(
        CutCase{"ParagraphEndEndsARun", {{u"ab\rcd"}}, {u"ab\r", u"cd"}},
        CutCase{"CharacterChangeCutsAParagraph",
                {{u"bold ", formOfSize(300)}, {u"plain\r", formOfSize(240)}},
                {u"bold ", u"plain\r"}},
        CutCase{"BreaksAndCellMarksStandAlone",
                {{u"a\u0007b\u0010c"}},
                {u"a", u"\u0007", u"b", u"\u0010", u"c"}},
        CutCase{"TabsStayInTheText", {{u"1\t2\r"}}, {u"1\t2\r"}}),
    [](const ::testing::TestParamInfo<CutCase>& param) { return std::string(param.param.title); });

TEST_F(ExportEngineTest, LongRunsArriveInPiecesNeverInsideASurrogatePair) {
    struct LengthCase {
        std::u16string text;
        std::vector<std::size_t> pieces;
    };
    std::u16string straddling(kMaxRunUnits - 1, u'a');
    straddling += u"\U0001F600tail";
    const std::vector<LengthCase> cases = {
        {std::u16string(kMaxRunUnits, u'a'), {32767}},
        {std::u16string(kMaxRunUnits + 1, u'a'), {32767, 1}},
        {straddling, {32766, 6}},
    };
    for (const LengthCase& c : cases) {
        log.entries.clear();
        useMainStory(c.text);
        ASSERT_EQ(runEngine(), 0);
        std::vector<std::size_t> lengths;
        std::u16string joined;
        for (const std::u16string& run : runs()) {
            lengths.push_back(run.size());
            joined += run;
        }
        EXPECT_EQ(lengths, c.pieces);
        EXPECT_EQ(joined, c.text) << "nothing lost between the pieces";
    }
}

TEST_F(ExportEngineTest, ArabicRunsExchangeTheirBrackets) {
    StorageBuilder builder(storagePath());
    builder.addSheet();
    builder.addStory(storykind::kMain, -1,
                     {{u"(a[b])", formOfLanguage(1025)}, {u"(a[b])", formOfLanguage(1033)}});
    useStorage(builder);
    ASSERT_EQ(runEngine(), 0);
    EXPECT_EQ(runs(), (std::vector<std::u16string>{u")a]b[(", u"(a[b])"}));
}

struct CodePageCase {
    std::int16_t language;
    std::u16string text;
    std::string bytes;
};

class CodePageTest : public ExportEngineTest, public ::testing::WithParamInterface<CodePageCase> {};

TEST_P(CodePageTest, EightBitExporterGetsTheLanguagesCodePage) {
    StorageBuilder builder(storagePath());
    builder.addSheet();
    builder.addStory(storykind::kMain, -1, {{GetParam().text, formOfLanguage(GetParam().language)}});
    useStorage(builder);
    exporterIndex = exporter::kText;
    ASSERT_EQ(runEngine(), 0);
    ASSERT_EQ(log.entries.size(), 7u);
    const auto& run = log.entries[3];
    EXPECT_NE(run.textEncoding, kUtf16TextEncoding);
    EXPECT_EQ(run.bytes, GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Languages, CodePageTest,
                         ::testing::Values(CodePageCase{1033, u"Caf\u00e9", "Caf\xe9"},
                                           CodePageCase{1049, u"\u0416", "\xc6"},
                                           CodePageCase{1032, u"\u03a9", "\xd9"},
                                           CodePageCase{1025, u"\u0628", "\xc8"},
                                           CodePageCase{1029, u"\u0159", "\xf8"},
                                           CodePageCase{1041, u"\u65e5", "\x93\xfa"},
                                           // a character the code page lacks is skipped alone
                                           CodePageCase{1033, u"a\u65e5b", "ab"}));

TEST_F(ExportEngineTest, UnicodeExportersGetUtf16Runs) {
    useMainStory(u"abc");
    exporterIndex = exporter::kUnicode;
    ASSERT_EQ(runEngine(), 0);
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_EQ(log.entries[3].textEncoding, kUtf16TextEncoding);
    EXPECT_EQ(runs()[0], u"abc");
}

TEST_F(ExportEngineTest, MainStoryReportsProgressAfterEachStretch) {
    useMainStory(u"ab\rcd\r");
    ASSERT_EQ(runEngine(), 0);
    std::vector<std::vector<std::int64_t>> values;
    for (const auto& call : progressCalls)
        if (call[0] == kProgressValue) values.push_back(call);
    EXPECT_EQ(values, (std::vector<std::vector<std::int64_t>>{{3, 3, 6}, {3, 6, 6}, {3, 6, 6}}));
}

TEST_F(ExportEngineTest, ProgressWindowShowsTruncatedPercentages) {
    testsupport::RecordingProgress progress;
    window = &progress;
    CExportEngine engine(setup(), exporters.data(), folders);
    for (const auto& [done, total] : std::vector<std::pair<int, int>>{{50, 200}, {199, 200}, {0, 0}})
        engine.progress(done, total);
    EXPECT_EQ(progress.events,
              (std::vector<std::string>{"status Writing converted file... 25%", "status Writing converted file... 99%",
                                        "status Writing converted file... 0%"}));
}

TEST_F(ExportEngineTest, EmptyMainStorySendsNoStoryRequests) {
    useMainStory(u"");
    ASSERT_EQ(runEngine(), 0);
    EXPECT_EQ(requests(), (std::vector<std::int16_t>{0, 1, 24, 25}));
}

}  // namespace
