// The story extruders: where runs are cut, how right-to-left text is written, and the two holders they
// use (the run buffer and the direction stack).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/rtf/CRTFBuffer.h"
#include "export/rtf/CRTFExtruder.h"
#include "export/rtf/text/CRTFStack.h"
#include "tests/export/rtf/RTFTestSupport.h"

namespace rtftest {
namespace {

constexpr std::int16_t kArabic = 1025;
constexpr std::int16_t kHebrew = 1037;

// Cuts runs in a story of the given selector and lists its buffered runs as "direction:text".
class ExtruderFixture : public ::testing::Test {
protected:
    TemporaryFilesScope temporaryFiles;
    std::vector<std::string> log;
    RecordingRTFExporter exporter{log};
    XParamBlock block{};
    CRTFFile* emitter = nullptr;

    void SetUp() override {
        initXParamBlock(nullptr, &block);
        emitter = new RecordingEmitter(&block, nullptr, &exporter, log, "");
    }
    void TearDown() override {
        delete emitter;
        disposeXParamBlock(&block);
    }
    void take(CRTFExtruder& extruder, std::u16string units, std::int16_t language) {
        initXForm(&block.form);
        block.form.txtLangVal = language;
        block.textBuffer = units.data();
        block.textLength = static_cast<std::int32_t>(units.size());
        extruder.takeRun(block);
    }
    static std::vector<std::string> buffered(const CRTFExtruder& extruder) {
        std::vector<std::string> runs;
        for (std::int32_t i = 0; i < extruder.bufferedRunCount(); ++i) {
            const CRTFBuffer& run = extruder.bufferedRun(i);
            runs.push_back(std::to_string(run.direction()) + ":" + utf8(std::u16string(run.text(), run.count())));
        }
        return runs;
    }
    std::vector<std::string> written() const {
        std::vector<std::string> texts;
        for (const std::string& entry : log)
            if (entry.rfind("text:", 0) == 0 || entry.rfind("code:", 0) == 0) texts.push_back(entry);
        return texts;
    }
};

struct CutCase {
    const char* what;
    std::int16_t language;
    std::vector<std::u16string> runs;  // text runs taken one after the other
    std::vector<std::string> expected;
};

TEST_F(ExtruderFixture, RunsAreCutAtTheirPlaces) {
    const std::u16string a256(256, u'a');
    const std::vector<CutCase> cases = {
        {"600 units of one direction", 1033, {std::u16string(600, u'x')},
         {"0:" + std::string(256, 'x'), "0:" + std::string(256, 'x'), "0:" + std::string(88, 'x')}},
        {"exactly 256 units stay one run", 1033, {a256}, {"0:" + std::string(256, 'a')}},
        {"each text run starts its own", 1033, {u"ab", u"cd"}, {"0:ab", "0:cd"}},
        {"page, section, paragraph and cell ends start one", 1033, {u"a\x07" u"b\x08" u"c\r" u"d\x10"},
         {"0:a", "0:\x07" "b", "0:\x08" "c", "0:\rd", "0:\x10"}},
        {"table start and end are dropped", 1033, {u"\x1a" u"ab\x1b"}, {"0:ab"}},
        {"embedding controls stay in left-to-right text", 1033, {u"\u202b12\u202c"}, {"0:\u202b12\u202c"}},
        {"a number run in a right-to-left embedding", kHebrew, {u"\u202bab 123 cd\u202c"},
         {"0:ab ", "1:123", "0: cd"}},
        {"a separator followed by a digit joins the number", kArabic, {u"\u202b3,5\u202c"}, {"1:3,5"}},
        {"a separator followed by a space ends it", kArabic, {u"\u202b3, x\u202c"}, {"1:3", "0:, x"}},
        {"brackets stay as typed in right-to-left text", kHebrew, {u"(a[b]<c>{d})"}, {"0:(a[b]<c>{d})"}},
        {"Hebrew presentation forms become plain letters", kHebrew, {u"\uFB2A\uFB4B"}, {"0:\u05E9\u05D5"}},
        {"digits outside an embedding keep the run's direction", kHebrew, {u"ab12"}, {"0:ab12"}},
    };
    for (const CutCase& c : cases) {
        CRTFExtruder extruder(emitter, CRTFExtruder::kMainStorySelector);
        for (const std::u16string& run : c.runs) take(extruder, run, c.language);
        EXPECT_EQ(buffered(extruder), c.expected) << c.what;
    }
}

TEST_F(ExtruderFixture, NumberRunsAreWrittenReversedAndEveryReplayWritesTheSame) {
    CRTFExtruder header(emitter, 2);
    take(header, u"\u202bx 123\u202c", kHebrew);
    header.replay(false);
    header.replay(false);
    const std::vector<std::string> once = {"text:x ", "text:321", "code:13"};
    std::vector<std::string> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(written(), twice);
}

TEST_F(ExtruderFixture, APopWithNothingPushedLeavesLeftToRight) {
    CRTFExtruder extruder(emitter, CRTFExtruder::kMainStorySelector);
    take(extruder, u"\u202c12", kHebrew);
    EXPECT_EQ(buffered(extruder), std::vector<std::string>{"0:12"});
}

TEST_F(ExtruderFixture, ABookmarkEndNamesTheLatestStart) {
    CRTFExtruder extruder(emitter, CRTFExtruder::kMainStorySelector);
    auto takeBookmark = [&](std::u16string name, std::int32_t kind) {
        initXForm(&block.form);
        block.form.txtData = kind;
        block.textBuffer = name.data();
        block.textLength = static_cast<std::int32_t>(name.size());
        extruder.takeRun(block);
    };
    takeBookmark(u"first", 28);
    takeBookmark(u"x", 29);
    extruder.replay(true);
    std::vector<std::string> bookmarks;
    for (const std::string& entry : log)
        if (entry.rfind("bookmark:", 0) == 0) bookmarks.push_back(entry);
    EXPECT_EQ(bookmarks, (std::vector<std::string>{"bookmark:28:first", "bookmark:29:first"}));
}

TEST(RTFDirectionStackTest, PopsAnswerThePushesInReverseAndZeroWhenEmpty) {
    CRTFStack stack;
    EXPECT_EQ(stack.pop(), 0);
    EXPECT_EQ(stack.depth(), 0);
    stack.push(1);
    stack.push(0);
    EXPECT_EQ(stack.pop(), 0);
    EXPECT_EQ(stack.pop(), 1);
}

TEST(RTFDirectionStackTest, PushesBeyondTheCapacityStillPairWithTheirPops) {
    CRTFStack stack;
    for (int i = 0; i < CRTFStack::kCapacity; ++i) stack.push(static_cast<std::int16_t>(i % 2));
    stack.push(0);  // beyond the capacity: counted, the deepest kept state answers for it
    stack.push(0);
    EXPECT_EQ(stack.depth(), CRTFStack::kCapacity);
    EXPECT_EQ(stack.pop(), 1);
    EXPECT_EQ(stack.pop(), 1);
    EXPECT_EQ(stack.pop(), 1);  // the last state stored
    EXPECT_EQ(stack.pop(), 0);
    EXPECT_EQ(stack.depth(), CRTFStack::kCapacity - 2);
}

}  // namespace
}  // namespace rtftest
