// The CSV writer: fields, quoting and rows from the cells of a spreadsheet story, UTF-8 text in every
// script, the story's anchors left out and the cell's own control characters kept, long cells, and each
// sheet in a file of its own.
#include <gtest/gtest.h>

#include "export/CCSVExporter.h"
#include "tests/export/WriterTestSupport.h"

namespace exporttest {
namespace {

const Writer kCsvWriter{"CSV", makeCSVExporter, exporter::kCSV};

struct CsvCase {
    const char* title;
    std::vector<PlayedRun> runs;
    std::string expected;
};

TEST(CsvWriter, QuotesEachCellAndEndsRowsWithCrLf) {
    const CsvCase cases[] = {
        {"two cells of a row", {text(u"a\tb\r")}, "\"a\",\"b\"\r\n"},
        {"an empty cell between two", {text(u"a\t\tb\r")}, "\"a\",\"\",\"b\"\r\n"},
        {"an empty row between two", {text(u"a\r"), text(u"\r"), text(u"b\r")}, "\"a\"\r\n\"\"\r\n\"b\"\r\n"},
        {"the paragraph end that closes the story makes no row", {text(u"a\r"), text(u"\r")}, "\"a\"\r\n"},
        {"a quote inside a cell is doubled", {text(u"x\"y\r")}, "\"x\"\"y\"\r\n"},
        {"a comma stays inside its field", {text(u"1,5\t2\r")}, "\"1,5\",\"2\"\r\n"},
        {"a line break stays inside its field", {text(u"a\u0005b\r")}, "\"a\r\nb\"\r\n"},
        {"optional hyphen gives a slash, non-breaking hyphen nothing", {text(u"a\u0012b\u0013c\r")}, "\"a/bc\"\r\n"},
        {"a cell beginning with an anchor still opens its field", {text(u"\u0010x\r")}, "\"x\"\r\n"},
        {"a cell in two runs is one field", {text(u"ab"), text(u"c\td\r")}, "\"abc\",\"d\"\r\n"},
        {"e acute in UTF-8", {text(u"\u00E9\r")}, "\"\xC3\xA9\"\r\n"},
        {"Cyrillic and a character beyond the basic plane", {text(u"a\u0416b\tc\U0001F600\r")},
         "\"a\xD0\x96" "b\",\"c\xF0\x9F\x98\x80\"\r\n"},
        {"units 28 to 31 are the cell's own and stay", {text(u"a\u001C\u001D\u001E\u001Fb\r")},
         "\"a\x1C\x1D\x1E\x1F" "b\"\r\n"},
        {"a lone surrogate is left out alone", {text(u"a\xDC00" "b\r")}, "\"ab\"\r\n"},
        {"a run of length 0 writes nothing", {text(u"")}, ""},
        {"a story ending inside a field closes it", {text(u"a\tb")}, "\"a\",\"b\""},
    };
    for (const CsvCase& c : cases) {
        SCOPED_TRACE(c.title);
        WriterSession session(kCsvWriter);
        const std::string bytes = session.writeStory(c.runs);
        EXPECT_EQ(session.result, 0);
        EXPECT_EQ(hex(bytes), hex(c.expected));
    }
}

TEST(CsvWriter, LongCellIsWrittenWholeAndTheNextCellKeepsItsPlace) {
    WriterSession session(kCsvWriter);
    const std::u16string longCell(20000, u'\u00E9');
    const std::string bytes = session.writeStory({text(longCell + u"\tnext\r"), text(u"row two\r")});
    EXPECT_EQ(session.result, 0);
    std::string expected(1, '"');
    for (int i = 0; i < 20000; ++i) expected.append("\xC3\xA9");
    expected.append("\",\"next\"\r\n\"row two\"\r\n");
    EXPECT_EQ(bytes, expected);
}

TEST(CsvWriter, ARunGivesTheSameBytesWholeOrUnitByUnit) {
    // The densest output the writer knows: quotes doubled in new fields, empty rows waiting behind
    // paragraph ends, breaks and anchors, beside plain text and UTF-8.
    const std::u16string pattern = u"\"\r\r\"\t\r\r\r\t\"\"\u0005\r\u0010\t\u00E9x\r\u0012\"\r";
    std::u16string dense;
    for (int repeat = 0; repeat < 500; ++repeat) dense += pattern;

    WriterSession whole(kCsvWriter);
    const std::string wholeBytes = whole.writeStory({text(dense)});
    std::vector<PlayedRun> units;
    for (char16_t unit : dense) units.push_back(text(std::u16string(1, unit)));
    WriterSession single(kCsvWriter);
    const std::string singleBytes = single.writeStory(units);

    EXPECT_EQ(whole.result, 0);
    EXPECT_EQ(single.result, 0);
    const std::string start = "\"\"\"\"\r\n\"\"\r\n\"\"\"\",";
    EXPECT_EQ(hex(wholeBytes.substr(0, start.size())), hex(start));
    EXPECT_EQ(wholeBytes, singleBytes);
}

TEST(CsvWriter, EachSheetStartsWithNoFieldOpen) {
    WriterSession session(kCsvWriter);
    ASSERT_EQ(session.player.play({{"one.csv", {text(u"a\tb")}}, {"two.csv", {text(u"c\r")}}}), 0);
    EXPECT_EQ(fileBytes(session.folder.file("one.csv")), "\"a\",\"b\"");
    EXPECT_EQ(fileBytes(session.folder.file("two.csv")), "\"c\"\r\n");
}

}  // namespace
}  // namespace exporttest
