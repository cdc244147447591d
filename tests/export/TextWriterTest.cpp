// The plain-text writer: line structure and control codes, the code page of each run's language,
// characters a code page cannot hold, and the table of style runs kept beside the text.
#include <gtest/gtest.h>

#include <cstring>

#include "export/CTEXTExporter.h"
#include "export/CTEXTExtruder.h"
#include "export/CTEXTFormat.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "tests/export/WriterTestSupport.h"

namespace exporttest {
namespace {

const Writer kTextWriter{"Text", makeTEXTExporter, exporter::kText};

struct TextCase {
    const char* title;
    std::vector<PlayedRun> runs;
    std::string expected;
};

TEST(TextWriter, WritesEachRunInItsCodePageAndKeepsOnlyLineStructure) {
    const TextCase cases[] = {
        {"paragraph end becomes CR LF", {text(u"Ab\rc")}, "Ab\r\nc"},
        {"breaks become CR LF, a tab stays, an optional hyphen becomes a slash",
         {text(u"a\u0005b\u0006c\u0007d\u0008e\tf\u0012g")}, "a\r\nb\r\nc\r\nd\r\ne\tf/g"},
        {"anchors, field and note marks are dropped",
         {text(u"x\u0001\u0002\u000B\u0013\u0014\u0015\u0016\u0017\u001C\u001Fy")}, "xy"},
        {"a table cell's mark ends its line", {text(u"x\u0010y")}, "x\r\ny"},
        {"an empty main story gives an empty file", {}, ""},
        {"Greek in Windows-1253", {text(u"\u03B1\u03B2", 1032)}, "\xE1\xE2"},
        {"no language in Windows-1252", {text(u"\u00E9\u20AC", 0)}, "\xE9\x80"},
        {"Japanese in Shift-JIS, two bytes a character", {text(u"\u3042\u3044", 1041)}, "\x82\xA0\x82\xA2"},
        {"one character outside the code page is left out alone", {text(u"a\u0416b\r", 1033)}, "ab\r\n"},
        {"a lone surrogate is left out alone", {text(u"x\xD800y\xDC00z")}, "xyz"},
        {"a high surrogate at the end of a run is left out", {text(u"x\xD800"), text(u"y")}, "xy"},
    };
    for (RunDelivery delivery : {RunDelivery::asEngine, RunDelivery::utf16}) {
        for (const TextCase& c : cases) {
            SCOPED_TRACE(std::string(c.title) + (delivery == RunDelivery::asEngine ? " (engine)" : " (UTF-16)"));
            WriterSession session(kTextWriter, delivery);
            const std::string bytes = session.writeStory(c.runs);
            EXPECT_EQ(session.result, 0);
            EXPECT_EQ(hex(bytes), hex(c.expected));
        }
    }
}

TEST(TextWriter, EveryHandledRequestAnswersYes) {
    WriterSession session(kTextWriter);
    session.writeStory({text(u"a\r"), text(u"b")});
    for (std::int16_t answer : session.player.answers) EXPECT_EQ(answer, -1);
}

// The start of each style element, read from the table the extruder keeps.
std::vector<std::int32_t> styleStarts(const CTEXTFormat& format) {
    std::vector<std::int32_t> starts;
    for (std::int32_t index = 0; index < format.getCount(); ++index) {
        std::int32_t start = 0;
        std::memcpy(&start, format.getTable() + 2 + CTEXTFormat::kElementBytes * index, sizeof start);
        starts.push_back(start);
    }
    return starts;
}

TEST(TextWriter, StyleRunsStartAtByteOffsetsOfTheText) {
    XRule rule;
    initXRule(&rule);
    XForm form;
    initXForm(&form);
    std::int64_t byteCount = -1;
    CTEXTExtruder extruder(nullptr, &byteCount);
    EXPECT_EQ(byteCount, 0);

    const auto put = [&](const char* bytes, std::int16_t size) {
        form.txtSize = size;
        extruder.writeRun(reinterpret_cast<const std::uint8_t*>(bytes), static_cast<std::int32_t>(std::strlen(bytes)),
                          form, rule);
    };
    put("ab\r", 240);  // a, b, CR, LF: 4 bytes
    put("cd", 240);    // the same style: no new element
    put("\x01" "e", 200);  // an anchor: dropped
    put("f", 240);
    ASSERT_NE(extruder.styleTable(), nullptr);
    EXPECT_EQ(styleStarts(*extruder.styleTable()), (std::vector<std::int32_t>{0, 6, 7}));
    EXPECT_EQ(byteCount, 8);

    // Element of the 20-point style: height 16, ascent 12, face in the high byte, size in points.
    const std::uint8_t* element = extruder.styleTable()->getTable() + 2 + CTEXTFormat::kElementBytes;
    std::int16_t fields[5];
    std::memcpy(fields, element + 4, sizeof fields);
    EXPECT_EQ(fields[0], 16);
    EXPECT_EQ(fields[1], 12);
    EXPECT_EQ(fields[4], 20);
}

TEST(TextWriter, StyleTableGrowsByAHundredElements) {
    CTEXTFormat format;
    TextStyleKey key{};
    for (std::int16_t size = 1; size <= 100; ++size) {
        key.size = size;
        ASSERT_TRUE(format.isNewStyle(key));
        format.addStyle(key, size);
    }
    EXPECT_EQ(format.getCapacity(), 2002);
    key.size = 101;
    format.addStyle(key, 101);
    EXPECT_EQ(format.getCapacity(), 4002);
    EXPECT_FALSE(format.isNewStyle(key));
    std::int16_t count = 0;
    std::memcpy(&count, format.getTable(), sizeof count);
    EXPECT_EQ(count, 101);
    EXPECT_EQ(styleStarts(format).back(), 101);
}

}  // namespace
}  // namespace exporttest
