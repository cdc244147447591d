// The exporter and the emitter together: the order in which a document is put together, what the
// exporter does with each kind of story, and what a failure leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "export/rtf/CRTFExporter.h"
#include "model/StoryKinds.h"
#include "platform/AllocationFailure.h"
#include "tests/export/rtf/RTFTestSupport.h"
#include "tests/support/FileBytes.h"

namespace rtftest {
namespace {

using Log = std::vector<std::string>;

Run cell(const std::u16string& units, bool endsRow) {
    return Run{units + u'\x10', [endsRow](XParamBlock& b) {
                   b.rule.cellOfRow = 1;
                   b.rule.lastCellOfRow = endsRow ? 1 : 0;
               }};
}

// Runs of the main story in the first section, whose default header is mark 1 and first-page header 2.
Run inSection(Run run) {
    auto records = run.records;
    run.records = [records](XParamBlock& b) {
        if (records) records(b);
        b.page.defaultHeaderRef = 1;
        b.page.firstHeaderRef = 2;
    };
    return run;
}

Log withoutRunGroups(const Log& log) {
    Log kept;
    std::copy_if(log.begin(), log.end(), std::back_inserter(kept),
                 [](const std::string& e) { return e != "beginCharacterRun" && e != "endCharacterRun"; });
    return kept;
}

class RTFDocumentLayoutTest : public ::testing::Test {
protected:
    TemporaryFilesScope temporaryFiles;
    std::string outputPath = temporaryFiles.folder().file("out.rtf");

    // Two headers, a footnote, a comment, a 2x2 table and a text box.
    std::vector<Story> sideStories() const {
        return {
            Story{2, {text(u"Header one\r")}, 1, 1},
            Story{2, {text(u"First header\r")}, 0, 2},
            Story{7, {anchor(storycode::kFootnoteMark, 0), text(u" Note")}},
            Story{5, {text(u"Remark")}},
        };
    }
    Story mainStory() const {
        return Story{11,
                     {inSection(text(u"Body ")), inSection(anchor(storycode::kFootnoteReference, 0)),
                      inSection(text(u" said")), inSection(anchor(storycode::kComment, 0)), inSection(text(u"\r")),
                      inSection(anchor(storycode::kTable, 7)), inSection(anchor(storycode::kPicture, 0)),
                      inSection(text(u"End\r"))}};
    }
    static std::vector<Story> storedStories() {
        return {Story{10, {cell(u"A1", false), cell(u"B1", true), cell(u"A2", false), cell(u"B2", true)}, 0, 7, 2},
                Story{9, {text(u"Boxed")}, 0, 0, 0, "Box 1"}};
    }
};

TEST_F(RTFDocumentLayoutTest, HeadGroupsComeBeforeTheBodyWithEachSideStoryInItsPlace) {
    Log log;
    RecordingRTFExporter exporter(log, "Box 1");
    RequestPlayer player(exporter, outputPath);
    player.storedStories = storedStories();
    ASSERT_EQ(player.play(sideStories(), mainStory()), 0);

    // Every run of the main story and of a header or table story restates its paragraph first.
    const std::string para = "writeParagraphProps";
    const Log expected = {
        // The main story streams into the body run by run; a note or comment is written in its group at
        // its reference, closed right after its one replay.
        para, "text:Body ", para, "code:23", "openNoteGroup:7", para, "code:2", "text: Note", "closeNoteGroup",
        para, "text: said", para, "code:14", "openNoteGroup:5", para, "text:Remark", "code:13", "closeNoteGroup",
        para, "code:13",
        // The table, delivered on demand at its anchor; then the text box at its shape.
        para, "code:10", para, "text:A1", para, "code:16", para, "text:B1", para, "code:16", para, "text:A2", para,
        "code:16", para, "text:B2", para, "code:16", para, "code:1", para, "text:Boxed", "code:13", para, "text:End",
        "code:13",
        // At the end of the sheet: the head, with the first section's headers, then the body behind it.
        "writeDocumentStart", "writeFontTable", "writeColorTable", "writeRevisionTable", "writeStyleSheet",
        "writeListTables", "writeInfo", "writeBackground", "writeDocumentProperties", "writeSectionProps", para,
        "text:Header one", para, "code:13", para, "text:First header", para, "code:13", "finishHeader", "copyBody",
        "writeDocumentEnd"};
    EXPECT_EQ(withoutRunGroups(log), expected);

    const std::string rtf = testsupport::readBytes(outputPath);
    EXPECT_EQ(rtf,
              "{\\rtf1\\ansi\\uc1\\deff0\\deflang1033\r\n"
              "\\sectd {\\header \\pard\\plain {Header one}\\pard\\plain {\r\n\\par }}"
              "{\\headerf \\pard\\plain {First header}\\pard\\plain {\r\n\\par }}\r\n"
              "\\pard\\plain {Body }\\pard\\plain {\\chftn {\\footnote \\pard\\plain {\\chftn }{ Note}}\r\n}"
              "\\pard\\plain { said}\\pard\\plain {\\chatn{\\*\\annotation \\pard\\plain {Remark}\r\n\\par }\r\n}"
              "\\pard\\plain {\r\n\\par }"
              "\\pard\\plain {\\pard\\plain {A1}\\pard\\plain {\\tab }\\pard\\plain {B1}\\pard\\plain {\r\n\\par }"
              "\\pard\\plain {A2}\\pard\\plain {\\tab }\\pard\\plain {B2}\\pard\\plain {\r\n\\par }}"
              "\\pard\\plain {{\\shptxt \\pard\\plain {Boxed}\r\n\\par }}"
              "\\pard\\plain {End}{\r\n\\par }"
              "}\r\n");
    EXPECT_TRUE(temporaryFiles.files().empty()) << "the body file goes with the sheet";
}

}  // namespace
}  // namespace rtftest
