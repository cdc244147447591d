// The exporter and the emitter together: the order in which a document is put together, what the
// exporter does with each kind of story, and what a failure leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "engine/translators/TranslatorDescriptors.h"
#include "export/rtf/CRTFExporter.h"
#include "foundation/files/CFile.h"
#include "model/story/StoryKinds.h"
#include "platform/process/AllocationFailure.h"
#include "tests/export/rtf/RTFTestSupport.h"
#include "tests/support/FileBytes.h"

namespace rtftest {
namespace {

using Log = std::vector<std::string>;

Run cellMark(const std::u16string& units, bool endsRow) {
    return Run{units + u'\x10', [endsRow](XParamBlock& b) {
                   b.rule.cellOfRow = 1;
                   b.rule.lastCellOfRow = endsRow ? 1 : 0;
               }};
}

// A cell's text and its end mark.
Run cell(const std::u16string& units) {
    return cellMark(units, false);
}

// The mark that ends a row, after its last cell's own mark, as the importers write rows.
Run rowEnd() {
    return cellMark(u"", true);
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

// The document with its paragraph and run properties left out: "\pard" and "{" stay, so what is checked
// is where each story and group lands.
std::string withoutFormatting(const std::string& rtf) {
    static const std::regex paragraphWords(R"(\\pard(\\[a-z]+-?[0-9]*)* )");
    static const std::regex runWords(R"(\{\\[lr]t[lr]ch(\\[a-z]+-?[0-9]*)* )");
    return std::regex_replace(std::regex_replace(rtf, paragraphWords, "\\pard "), runWords, "{");
}

// The definition of a row of the cells' default records.
std::string rowDefinition(int row, bool last) {
    return "\\trowd\\itap1\\irow" + std::to_string(row) + (last ? "\\lastrow" : "") +
           "\\trftsWidth0\\trwWidth0\\ltrrow\\trql\\tblindtype0\\tblind0\\trrh0\\trleft-108"
           "\\trpaddl0\\trpaddfl3\\trpaddr0\\trpaddfr3";
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
        return {Story{10, {cell(u"A1"), cell(u"B1"), rowEnd(), cell(u"A2"), cell(u"B2"), rowEnd()}, 0, 7, 2},
                Story{9, {text(u"Boxed")}, 0, 0, 0, "Box 1"}};
    }
};

TEST_F(RTFDocumentLayoutTest, HeadGroupsComeBeforeTheBodyWithEachSideStoryInItsPlace) {
    Log log;
    RecordingRTFExporter exporter(log, "Box 1");
    RequestPlayer player(exporter, outputPath);
    player.storedStories = storedStories();
    ASSERT_EQ(player.play(sideStories(), mainStory()), 0);

    // Each paragraph states its properties once, before its first run; a note's or comment's paragraph
    // is its own, and the text after a table states its paragraph again.
    const std::string para = "writeParagraphProps";
    const Log expected = {
        // The main story streams into the body run by run; a note or comment is written in its group at
        // its reference, closed right after its one replay.
        para, "text:Body ", "code:23", "openNoteGroup:7", para, "code:2", "text: Note", "closeNoteGroup",
        "text: said", "code:14", "openNoteGroup:5", para, "text:Remark", "code:13", "closeNoteGroup", "code:13",
        // The table, delivered on demand at its anchor; then the text box at its shape.
        para, "code:10", para, "text:A1", "code:16", para, "text:B1", "code:16", para, "code:16", para, "text:A2",
        "code:16", para, "text:B2", "code:16", para, "code:16", para, "code:1", para, "text:Boxed", "code:13",
        "text:End", "code:13",
        // At the end of the sheet: the head, with the first section's headers, then the body behind it.
        "writeDocumentStart", "writeFontTable", "writeColorTable", "writeRevisionTable", "writeStyleSheet",
        "writeListTables", "writeInfo", "writeBackground", "writeDocumentProperties", "writeSectionProps", para,
        "text:Header one", "code:13", para, "text:First header", "code:13", "finishHeader", "copyBody",
        "writeDocumentEnd"};
    EXPECT_EQ(withoutRunGroups(log), expected);

    const std::string rtf = withoutFormatting(testsupport::readBytes(outputPath));
    // The head: the first section's headers inside its properties.
    const std::string head = rtf.substr(0, rtf.find("\r\n\\pard {Body"));
    EXPECT_EQ(head.rfind("{\\rtf1\\ansi\\uc1\\deff0\\deflang1033\r\n", 0), 0u) << head;
    EXPECT_NE(head.find("{\\header \\pard {Header one}{\r\n\\par }}"
                        "{\\headerf \\pard {First header}{\r\n\\par }}"),
              std::string::npos)
        << head;
    EXPECT_EQ(rtf.substr(head.size()),
              "\r\n"
              "\\pard {Body }{\\chftn {\\footnote \\pard {\\chftn }{ Note}}\r\n}"
              "{ said}{\\chatn{\\*\\annotation \\pard {Remark}\r\n\\par }\r\n}"
              "{\r\n\\par }"
              // The table's rows, outside any run group, each defined before its first cell.
              "\\pard " + rowDefinition(0, false) + " \\pard {A1}{\\cell}\\pard {B1}{\\cell}\\pard {\\row}" +
              rowDefinition(1, true) + " \\pard {A2}{\\cell}\\pard {B2}{\\cell}\\pard {\\row}"
              // The picture after the table, and the text after the picture in the same paragraph.
              "\\pard {{\\shptxt \\pard {Boxed}\r\n\\par }}"
              "{End}{\r\n\\par }"
              "}\r\n");
    EXPECT_TRUE(temporaryFiles.files().empty()) << "the body file goes with the sheet";
}

// A run whose paragraph is a frame at a fixed place, as a page number in a footer often is.
Run framed(Run run) {
    auto records = run.records;
    run.records = [records](XParamBlock& b) {
        if (records) records(b);
        b.rule.frameType = 1;
        b.rule.frame.width = 500;
        b.rule.frame.horizPosDistance = 4000;
        b.page.defaultFooterRef = 1;
    };
    return run;
}

// The text of the first field instruction of the document.
std::string firstInstruction(const std::string& rtf) {
    const std::size_t start = rtf.find("{\\*\\fldinst");
    const std::size_t end = rtf.find("{\\fldrslt", start);
    if (start == std::string::npos || end == std::string::npos) return "(no field)";
    return rtf.substr(start, end - start);
}

struct InstructionCase {
    const char* what;
    std::vector<Story> sideStories;
    Story mainStory;
};

TEST_F(RTFDocumentLayoutTest, AFieldInstructionHoldsNoParagraphOrFrameProperties) {
    const auto field = [](const std::vector<rtftest::Run>& instruction) {
        std::vector<rtftest::Run> runs = {framed(anchor(storycode::kFieldStart, 0))};
        for (const rtftest::Run& run : instruction) runs.push_back(framed(run));
        for (const rtftest::Run& run : {anchor(storycode::kFieldSeparator, 0), text(u"7"), anchor(storycode::kFieldEnd, 0),
                               text(u"\r")})
            runs.push_back(framed(run));
        return runs;
    };
    const std::vector<InstructionCase> cases = {
        {"a framed page number in a footer", {Story{3, field({text(u"PAGE")}), 1, 1}},
         Story{11, {framed(text(u"Body\r"))}}},
        {"a paragraph that starts inside the instruction", {},
         Story{11, field({text(u"PA\r"), text(u"GE")})}},
    };
    for (const InstructionCase& c : cases) {
        Log log;
        RecordingRTFExporter exporter(log);
        RequestPlayer player(exporter, outputPath);
        ASSERT_EQ(player.play(c.sideStories, c.mainStory), 0) << c.what;
        const std::string rtf = testsupport::readBytes(outputPath);
        const std::string instruction = firstInstruction(rtf);
        EXPECT_NE(instruction.find("PA"), std::string::npos) << c.what << "\n" << rtf;
        for (const char* word : {"\\pard", "\\absw", "\\posx"})
            EXPECT_EQ(instruction.find(word), std::string::npos) << c.what << ": " << word << "\n" << instruction;
        // The frame is the paragraph's: stated before the field, or right after its instruction.
        EXPECT_NE(rtf.find("\\absw500\\posx4000"), std::string::npos) << c.what << "\n" << rtf;
    }
}

struct FailureCase {
    const char* what;
    const char16_t* failingRun;  // the text run before which the failure strikes
    bool stop;                   // the engine stops (a Stop); otherwise the exporter runs out of memory
};

TEST_F(RTFDocumentLayoutTest, AFailureInsideAStoryLeavesNoOutputAndNoBodyFile) {
    const FailureCase cases[] = {
        {"a Stop in the main story", u"End\r", true},
        {"no memory in the main story", u"End\r", false},
        {"no memory in a table delivered in place", u"B2\x10", false},
    };
    for (const FailureCase& c : cases) {
        {
            Log log;
            auto* exporter = new RecordingRTFExporter(log, "Box 1");
            RequestPlayer player(*exporter, outputPath);
            player.storedStories = storedStories();
            platform::ScopedAllocationFailure armed(0);
            player.beforeRun = [&c](const rtftest::Run& run) -> std::int32_t {
                if (run.text != c.failingRun) return 0;
                if (c.stop) return 55537;
                platform::failNthAllocation(1, platform::ThrowingNew::kCounted);
                return 0;
            };
            EXPECT_NE(player.play(sideStories(), mainStory()), 0) << c.what;
            platform::disarmAllocationFailure();
            // The engine disposes the exporter when the file failed.
            delete exporter;
        }
        EXPECT_FALSE(std::filesystem::exists(outputPath)) << c.what;
        EXPECT_TRUE(temporaryFiles.files().empty()) << c.what;
    }
}

TEST_F(RTFDocumentLayoutTest, FieldAndBookmarkStoriesAreRefused) {
    Log log;
    RecordingRTFExporter exporter(log);
    RequestPlayer player(exporter, outputPath);
    ASSERT_EQ(player.play({Story{4, {text(u"FIELD")}}, Story{6, {text(u"MARK")}}}, Story{11, {text(u"Text")}}), 0);
    const std::string rtf = testsupport::readBytes(outputPath);
    EXPECT_NE(rtf.find("Text"), std::string::npos);
    EXPECT_EQ(rtf.find("FIELD"), std::string::npos);
    EXPECT_EQ(rtf.find("MARK"), std::string::npos);
}

TEST_F(RTFDocumentLayoutTest, StoriesThatReferToThemselvesEnd) {
    Log log;
    RecordingRTFExporter exporter(log, "Loop");
    RequestPlayer player(exporter, outputPath);
    // A table whose cell anchors itself and an inner table; a text box whose text holds its own shape.
    player.storedStories = {
        Story{10, {text(u"T7"), anchor(storycode::kTable, 7), anchor(storycode::kTable, 8), cell(u""), rowEnd()}, 0, 7, 1},
        Story{10, {text(u"T8"), anchor(storycode::kTable, 7), cell(u""), rowEnd()}, 0, 8, 1},
        Story{9, {text(u"L"), anchor(storycode::kPicture, 0)}, 0, 0, 0, "Loop"},
    };
    const Story main{11, {anchor(storycode::kTable, 7), anchor(storycode::kPicture, 0), text(u"end\r")}};
    ASSERT_EQ(player.play({}, main), 0);
    Log texts;
    for (const std::string& e : log)
        if (e.rfind("text:", 0) == 0) texts.push_back(e);
    EXPECT_EQ(texts, (Log{"text:T7", "text:T8", "text:L", "text:end"}));
}

TEST_F(RTFDocumentLayoutTest, TheFirstSectionIsTheMainStorysEvenWhenAStoryIsDeliveredInsideIt) {
    Log log;
    RecordingRTFExporter exporter(log);
    RequestPlayer player(exporter, outputPath);
    // The header's own runs carry another section; the table delivered in place carries a third.
    auto page = [](std::int32_t header) { return [header](XParamBlock& b) { b.page.defaultHeaderRef = header; }; };
    player.storedStories = {Story{10, {rtftest::Run{u"cell\x10", page(9)}}, 0, 7, 1}};
    const Story main{11, {rtftest::Run{u"x", page(1)}, rtftest::Run{std::u16string(1, storycode::kTable), [](XParamBlock& b) {
                                                      b.form.txtType = storycode::anchor(storycode::kTable, 0);
                                                      b.form.txtData = 7;
                                                      b.page.defaultHeaderRef = 1;
                                                  }}}};
    ASSERT_EQ(player.play({Story{2, {rtftest::Run{u"Main header", page(5)}}, 1, 1}, Story{2, {text(u"Other")}, 1, 9}}, main),
              0);
    const std::string rtf = withoutFormatting(testsupport::readBytes(outputPath));
    EXPECT_NE(rtf.find("{\\header \\pard {Main header}"), std::string::npos) << rtf;
    EXPECT_EQ(rtf.find("Other"), std::string::npos) << rtf;
}

TEST(RTFEmitterTest, NumberTextLeavesOutMinusOne) {
    EXPECT_STREQ(CRTFFile::numberText(-1), "");
    EXPECT_STREQ(CRTFFile::numberText(0), "0");
    EXPECT_STREQ(CRTFFile::numberText(-2), "-2");
}

TEST(RTFEmitterTest, AnEmptyBodyGivesTheHeadAndTheClosingBraceAndLongFormatsAreWrittenWhole) {
    TemporaryFilesScope temporaryFiles;
    const std::string outputPath = temporaryFiles.folder().file("out.rtf");
    CRTFExporter exporter(&exporterDescriptors[exporter::kRTF]);
    RequestPlayer player(exporter, outputPath);
    ASSERT_EQ(player.play({}, Story{11, {}}), 0);
    // The head and the document's closing brace, with nothing between them.
    const std::string empty = testsupport::readBytes(outputPath);
    EXPECT_EQ(empty.rfind("{\\rtf1\\ansi\\uc1\\deff0\\deflang1033\r\n", 0), 0u) << empty;
    const std::string tail = "{\\pntxta )}}\r\n}\r\n";
    EXPECT_EQ(empty.substr(empty.size() - tail.size()), tail) << empty;
    EXPECT_EQ(empty.find("\\pard"), std::string::npos) << empty;

    // A formatted write longer than any fixed buffer is written whole.
    const std::string longPath = temporaryFiles.folder().file("long.rtf");
    ASSERT_TRUE(testsupport::writeBytes(longPath, ""));
    PascalWString path;
    assignCString(path, longPath.c_str());
    CFile output(path, 0, 0, 0, 0, kGenericRead | kGenericWrite, kGenericRead | kGenericWrite);
    ASSERT_EQ(output.open(), 0);
    XParamBlock block{};
    initXParamBlock(nullptr, &block);
    const std::string longText(5000, 'w');
    {
        CRTFFile emitter(&block, &output, &exporter);
        emitter.writeDocumentStart();
        emitter.writeFormat("{%s}", longText.c_str());
        emitter.flush();
    }
    output.close();
    EXPECT_NE(testsupport::readBytes(longPath).find("{" + longText + "}"), std::string::npos);
    disposeXParamBlock(&block);
}

}  // namespace
}  // namespace rtftest
