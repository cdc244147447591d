// Whole outputs against golden files in tests/data/export: a document with a header, a note written in
// place and a table, in runs of three languages, as plain text and as UTF-16 text; a workbook of three
// sheets as a folder of CSV files.
#include <gtest/gtest.h>

#include <filesystem>

#include "export/CCSVExporter.h"
#include "export/CTEXTExporter.h"
#include "export/CUnicodeExporter.h"
#include "tests/export/WriterTestSupport.h"

namespace exporttest {
namespace {

using namespace storycode;

// The main story as the export engine delivers it to a writer that takes no side stories, with notes
// written in place between their marker lines.
std::vector<PlayedRun> documentRuns() {
    return {
        anchorRun(kHeader),
        text(u"Quarterly report\r"),
        text(u"Prices in Z\u00FCrich rose 5\u00A0% \u2013 see the note"),
        text(u"\r\r--- footnote start ---\r"),
        text(u"Source: the survey\u2019s own figures.\r"),
        text(u"--- footnote end ---\r\r"),
        text(u".\r"),
        text(u"\u041E\u0442\u0447\u0451\u0442 \u0437\u0430 \u043A\u0432\u0430\u0440\u0442\u0430\u043B\r", 1049),
        text(u"\u56DB\u534A\u671F\u306E\u5831\u544A\u3067\u3059\u3002\r", 1041),
        text(u"kStartTableString"),
        text(u"Item"), anchorRun(kCellEnd), text(u"Price"), anchorRun(kCellEnd), text(u"\r"),
        text(u"Tea"), anchorRun(kCellEnd), text(u"3.50"), anchorRun(kCellEnd), text(u"\r"),
        text(u"kEndTableString"),
        text(u"Line one"), anchorRun(kLineBreak), text(u"line two\tafter a tab, re"), anchorRun(kOptionalHyphen),
        text(u"port"), anchorRun(kFieldEnd), anchorRun(kPageBreak),
        text(u"The end\r"),
    };
}

TEST(GoldenOutput, DocumentAsPlainTextWhetherTheEngineOrTheWriterConvertsTheRuns) {
    for (RunDelivery delivery : {RunDelivery::asEngine, RunDelivery::utf16}) {
        SCOPED_TRACE(delivery == RunDelivery::asEngine ? "converted by the engine" : "sent as UTF-16");
        WriterSession session({"Text", makeTEXTExporter, exporter::kText}, delivery);
        const std::string bytes = session.writeStory(documentRuns());
        EXPECT_EQ(session.result, 0);
        expectGoldenBytes("document.txt", bytes);
    }
}

TEST(GoldenOutput, DocumentAsUnicodeText) {
    WriterSession session({"Unicode", makeUnicodeExporter, exporter::kUnicode});
    const std::string bytes = session.writeStory(documentRuns());
    EXPECT_EQ(session.result, 0);
    expectGoldenBytes("document-utf16.txt", bytes);
}

TEST(GoldenOutput, WorkbookOfThreeSheetsAsCsvFiles) {
    const std::vector<PlayedSheet> sheets = {
        {"workbook/Prices.csv",
         {text(u"Item\tPrice\tNote\r"), text(u"Caf\u00E9\t3,50\t\"best\" in town\r"), text(u"Tea\t\t"), text(u"two"),
          anchorRun(kLineBreak), text(u"lines\r")}},
        // A cell in two runs stays one field; a row may begin with an empty cell.
        {"workbook/Staff.csv", {text(u"Name\tCity\r"), text(u"Jo"), text(u"s\u00E9\tK\u00F8ge\r"), text(u"\tno name\r")}},
        {"workbook/Notes.csv", {text(u"\u00A9 2024 \u2014 \u201Cdone\u201D\r"), text(u"\r")}},
    };
    WriterSession session({"CSV", makeCSVExporter, exporter::kCSV});
    std::filesystem::create_directory(session.folder.file("workbook"));
    EXPECT_EQ(session.player.play(sheets), 0);
    for (const PlayedSheet& sheet : sheets) {
        SCOPED_TRACE(sheet.fileName);
        expectGoldenBytes(sheet.fileName, fileBytes(session.folder.file(sheet.fileName)));
    }
}

}  // namespace
}  // namespace exporttest
