// The text writers write what a reader of the document sees: a field's result and never its instruction,
// whether the field is one field-text run or spelt with start, separator and end codes (nested too),
// and never a bookmark's name.
#include <gtest/gtest.h>

#include "export/CTEXTExporter.h"
#include "export/CUnicodeExporter.h"
#include "tests/export/WriterTestSupport.h"

namespace exporttest {
namespace {

PlayedRun kindRun(std::u16string units, std::int32_t kind) {
    PlayedRun run = text(std::move(units));
    run.kind = kind;
    return run;
}

constexpr std::int32_t kFieldTextRun = 20;
constexpr std::int32_t kBookmarkStart = 28;
constexpr std::int32_t kBookmarkEnd = 29;

struct VisibleCase {
    const char* title;
    std::vector<PlayedRun> runs;
    std::u16string expected;
};

const VisibleCase kCases[] = {
    {"a field-text run shows its result",
     {text(u"See "), kindRun(u"HYPERLINK \\l \"anchor-header\"{the header", kFieldTextRun), text(u".")},
     u"See the header."},
    {"later braces of a field-text run separate nothing",
     {kindRun(u"PAGEREF _Toc1{1{2", kFieldTextRun)}, u"12"},
    {"a field-text run without a result shows nothing", {kindRun(u"PAGE", kFieldTextRun), text(u"x")}, u"x"},
    {"a coded field shows the text between its separator and its end",
     {text(u"a\u0014PAGEREF _Toc12 \\h\u0015 7\u0016b")}, u"a 7b"},
    {"the codes may stand in runs of their own",
     {text(u"a"), anchorRun(u'\u0014'), text(u"HYPERLINK \"x\""), anchorRun(u'\u0015'), text(u"link"),
      anchorRun(u'\u0016'), text(u"b")},
     u"alinkb"},
    {"a nested field's instruction is hidden inside the outer result",
     {text(u"\u0014IF 1\u0015[\u0014PAGE\u00153\u0016]\u0016.")}, u"[3]."},
    {"a field inside an instruction shows nothing",
     {text(u"\u0014IF \u0014PAGE\u00152\u0016 = 2 \"yes\"\u0015yes\u0016")}, u"yes"},
    {"an end without a start ends nothing", {text(u"a\u0016b")}, u"ab"},
    {"a bookmark's name is never text",
     {text(u"A bookmark right "), kindRun(u"my_bookmark", kBookmarkStart), text(u"here"),
      kindRun(u"my_bookmark", kBookmarkEnd), text(u".")},
     u"A bookmark right here."},
};

std::string asciiOf(const std::u16string& units) { return std::string(units.begin(), units.end()); }

std::string littleEndianOf(const std::u16string& units) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

TEST(VisibleText, TheTextWritersShowFieldResultsAndNoBookmarkNames) {
    const Writer plain{"Text", makeTEXTExporter, exporter::kText};
    const Writer unicode{"Unicode", makeUnicodeExporter, exporter::kUnicode};
    for (const VisibleCase& c : kCases) {
        SCOPED_TRACE(c.title);
        WriterSession plainSession(plain);
        EXPECT_EQ(hex(plainSession.writeStory(c.runs)), hex(asciiOf(c.expected)));
        EXPECT_EQ(plainSession.result, 0);
        WriterSession unicodeSession(unicode);
        EXPECT_EQ(hex(unicodeSession.writeStory(c.runs)), hex(littleEndianOf(c.expected)));
        EXPECT_EQ(unicodeSession.result, 0);
    }
}

}  // namespace
}  // namespace exporttest
