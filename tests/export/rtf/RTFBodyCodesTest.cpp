// The body's control codes, fields, form fields, special fields and bookmarks, written by the emitter
// for one run at a time.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "export/rtf/CRTFExtruder.h"
#include "foundation/memory/Memory.h"
#include "model/story/StoryKinds.h"
#include "model/tables/CAuthorArray.h"
#include "tests/export/rtf/RTFCaptureEmitter.h"

namespace rtftest {
namespace {

class RTFBodyCodesTest : public ::testing::Test, protected CaptureFixture {
protected:
    RTFBodyCodesTest() {
        initXForm(&form);
        initXRule(&rule);
    }
    // Writes one code; answers what was written and sets `answer`.
    std::string code(char16_t unit) {
        answer = emitter->writeControlCode(unit, form, rule, fields);
        return emitter->take();
    }
    XForm form{};
    XRule rule{};
    RTFFieldState fields{};
    std::int16_t answer = -1;
};

struct CodeCase {
    const char* what;
    char16_t code;
    std::function<void(XForm&, XRule&, StillPlacer&)> setUp;
    std::string expected;
    std::int16_t answer;
    std::string placed;
};

TEST_F(RTFBodyCodesTest, EachCodeWritesItsLiteralOrHasItsStoryPlaced) {
    const auto none = [](XForm&, XRule&, StillPlacer&) {};
    const std::vector<CodeCase> cases = {
        {"note-number mark", storycode::kFootnoteMark, none, "\\chftn ", 7, ""},
        {"line break", storycode::kLineBreak, none, "\\line ", 6, ""},
        {"page break", storycode::kPageBreak, none, "\\page ", 6, ""},
        {"tab", storycode::kTab, none, "\\tab ", 5, ""},
        {"paragraph end", storycode::kParagraphEnd, none, "\r\n\\par ", 7, ""},
        {"optional hyphen", storycode::kOptionalHyphen, none, "\\-", 2, ""},
        {"non-breaking hyphen", storycode::kNonBreakingHyphen, none, "\\_", 2, ""},
        {"merge break is text", storycode::kMergeBreak, none, "", 1, ""},
        {"a unit past the codes is text", 26, none, "", 1, ""},
        {"header anchor", storycode::kHeader, none, "", 0, ""},
        {"a cell mark outside a table is text", storycode::kCellEnd, none, "", 1, ""},
        {"table anchor", storycode::kTable, [](XForm& f, XRule&, StillPlacer&) { f.txtData = 7; }, "", 0, "table 7;"},
        {"comment", storycode::kComment, none, "", 0, "comment;"},
        {"footnote reference", storycode::kFootnoteReference, none, "\\chftn ", 0, "footnote;"},
        {"a footnote reference with its own mark", storycode::kFootnoteReference,
         [](XForm& f, XRule&, StillPlacer&) { f.txtData = 1; }, "", 0, "footnote;"},
        {"endnote reference", storycode::kEndnoteReference, none, "\\chftn ", 0, "endnote;"},
        {"date", storycode::kSpecialCharacter, [](XForm& f, XRule&, StillPlacer&) { f.txtData = 6; }, "\\chdate ", 8,
         ""},
        {"page number as roman", storycode::kSpecialCharacter,
         [](XForm& f, XRule&, StillPlacer&) { f.txtData = 8 + 65536; },
         "{\\field{\\*\\fldinst PAGE \\\\* ROMAN}{\\fldrslt }}", 0, ""},
        {"page number without a switch", storycode::kSpecialCharacter,
         [](XForm& f, XRule&, StillPlacer&) { f.txtData = 5 * 65536 + 8; },
         "{\\field{\\*\\fldinst PAGE }{\\fldrslt }}", 0, ""},
        {"a special character without a field", storycode::kSpecialCharacter,
         [](XForm& f, XRule&, StillPlacer&) { f.txtData = 13; }, "", 0, ""},
        {"annotation range start", storycode::kSpecialCharacter,
         [](XForm& f, XRule&, StillPlacer&) {
             f.txtData = 30;
             f.revision.id = 4;
         },
         "{\\*\\atrfstart 4}", 0, ""},
        {"annotation range end without an id", storycode::kSpecialCharacter,
         [](XForm& f, XRule&, StillPlacer&) {
             f.txtData = 31;
             f.revision.id = -333;
         },
         "", 0, ""},
        // The author stands before the annotation's group (CommentsTest), so only the date is left here.
        {"annotation information", storycode::kSpecialCharacter,
         [](XForm& f, XRule&, StillPlacer&) {
             f.txtData = 84;
             f.revision.date = 99;
             f.revision.author = 1;
         },
         "{\\*\\atndate 99}", 0, ""},
        {"annotation information of an unknown author", storycode::kSpecialCharacter,
         [](XForm& f, XRule&, StillPlacer&) {
             f.txtData = 84;
             f.revision.author = 5;
         },
         "", 0, ""},
    };
    for (const CodeCase& c : cases) {
        initXForm(&form);
        initXRule(&rule);
        placer.placed.clear();
        c.setUp(form, rule, placer);
        EXPECT_EQ(code(c.code), c.expected) << c.what;
        EXPECT_EQ(answer, c.answer) << c.what;
        EXPECT_EQ(placer.placed, c.placed) << c.what;
    }
}

// The braces of a written sequence balance, counting neither escaped braces nor those in text.
int braceBalance(const std::string& rtf) {
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{') ++depth;
        if (rtf[i] == '}') --depth;
    }
    return depth;
}

TEST_F(RTFBodyCodesTest, FieldsNestInTheRunGroupsAndAlwaysBalance) {
    // Each run: its group, its content, its end; the field literals take the group over.
    const auto run = [&](const std::function<void()>& content) {
        emitter->beginCharacterRun(form, 0);
        content();
        emitter->endCharacterRun(fields);
    };
    const auto text = [&](const char16_t* units) {
        return [&, units] { emitter->writeText(units, static_cast<std::int32_t>(std::char_traits<char16_t>::length(units)), 1280); };
    };
    const auto codeRun = [&](char16_t unit) {
        return [&, unit] { emitter->writeControlCode(unit, form, rule, fields); };
    };

    // A field with a result, a field without one, and stray separators and ends with no field open.
    run(codeRun(storycode::kFieldStart));
    run(text(u"PAGE"));
    run(codeRun(storycode::kFieldSeparator));
    run(text(u"1"));
    run(codeRun(storycode::kFieldEnd));
    run(codeRun(storycode::kFieldStart));
    run(text(u"NUMPAGES"));
    run(codeRun(storycode::kFieldEnd));
    run(codeRun(storycode::kFieldSeparator));
    run(codeRun(storycode::kFieldEnd));
    const std::string rtf = emitter->take();
    EXPECT_EQ(braceBalance(rtf), 0) << rtf;
    EXPECT_EQ(fields.fieldDepth, 0);
    EXPECT_EQ(fields.resultDepth, 0);
    EXPECT_NE(rtf.find("{\\field{\\*\\fldinst {"), std::string::npos) << rtf;
    // The result starts with its own first character, not with a blank of ours.
    EXPECT_NE(rtf.find("accnone }}{\\fldrslt {"), std::string::npos) << rtf;

    // A dirty and locked field start.
    form.field.dirty = 1;
    form.field.locked = 1;
    EXPECT_EQ(code(storycode::kFieldStart), "{\\field\\flddirty\\fldlock{\\*\\fldinst ");
}

struct FormFieldCase {
    const char* what;
    std::function<void(XForm&)> setUp;
    std::string expected;  // after the field start literal
};

TEST_F(RTFBodyCodesTest, FormFieldsFollowTheFieldStartWithTheirTextsEscaped) {
    const std::vector<FormFieldCase> cases = {
        {"check box",
         [](XForm& f) {
             f.fieldType = 3;
             f.ffData.calcOnExit = 1;
             std::strcpy(f.ffData.name, "Ok{1}");
             std::strcpy(f.ffData.cb_checkBoxSize, "20");
         },
         "{\\*\\formfield{\\fftype1\\ffrecalc1{\\*\\ffname Ok\\{1\\}}\\ffhps20\\ffsize1}}"},
        {"text input",
         [](XForm& f) {
             f.fieldType = 4;
             std::strcpy(f.ffData.ti_defaultText, "Stra\xC3\x9F" "e");
             std::strcpy(f.ffData.ti_format, "UPPER");
             std::strcpy(f.ffData.ti_maxLength, "40");
             f.ffData.ti_type = 1;
         },
         "{\\*\\formfield{\\fftype0{\\*\\ffdeftext Stra\\u223?e}{\\*\\ffformat UPPER}\\ffmaxlen40\\fftypetxt1}}"},
        {"a drop-down without entries", [](XForm& f) { f.fieldType = 5; }, "{\\*\\formfield{\\fftype2}}"},
        {"a drop-down claiming more entries than it holds",
         [](XForm& f) {
             f.fieldType = 5;
             f.ffData.dd_listEntryNum = 300;
             f.ffData.dd_defaultIndex = 2;
             for (int i = 0; i < kDropDownEntries; ++i)
                 std::snprintf(f.ffData.dd_listEntry[i], kDropDownEntryBytes, "e%d", i);
         },
         "{\\*\\formfield{\\fftype2\\ffdefres2\\ffhaslistbox1{\\*\\ffl e0}{\\*\\ffl e1}{\\*\\ffl e2}{\\*\\ffl e3}"
         "{\\*\\ffl e4}{\\*\\ffl e5}{\\*\\ffl e6}{\\*\\ffl e7}{\\*\\ffl e8}{\\*\\ffl e9}{\\*\\ffl e10}{\\*\\ffl e11}}}"},
    };
    for (const FormFieldCase& c : cases) {
        initXForm(&form);
        c.setUp(form);
        EXPECT_EQ(code(storycode::kFieldStart), "{\\field{\\*\\fldinst " + c.expected) << c.what;
    }
}

struct FieldRunCase {
    const char* what;
    std::u16string units;
    std::string expected;
};

TEST_F(RTFBodyCodesTest, FieldRunsSplitInstructionAndResultAndKeepEveryCharacter) {
    const std::u16string longTarget(400, u'x');
    const std::vector<FieldRunCase> cases = {
        {"instruction and result", u"HYPERLINK \"http://a.example/\"{Site",
         "{\\field {\\*\\fldinst HYPERLINK \"http://a.example/\" }{\\fldrslt Site}}"},
        {"no result", u"PAGE", "{\\field {\\*\\fldinst PAGE }{\\fldrslt }}"},
        {"braces of the result are kept", u"REF a{b{c}", "{\\field {\\*\\fldinst REF a }{\\fldrslt b\\{c\\}}}"},
        {"an instruction's own braces come with a backslash and stay in it",
         u"\\{}\\{\\field\\{\\*\\fldinst X}}\\{{shown",
         "{\\field {\\*\\fldinst \\{\\}\\{\\\\field\\{\\\\*\\\\fldinst X\\}\\}\\{ }{\\fldrslt shown}}"},
        {"an instruction of two characters", u"AB{x", ""},
        {"backslashes, braces and characters outside ASCII", u"REF \\* }\u4E2D{\u00E9",
         "{\\field {\\*\\fldinst REF \\\\* \\}\\u20013? }{\\fldrslt \\u233?}}"},
        {"a long instruction is written whole", u"HYPERLINK " + longTarget,
         "{\\field {\\*\\fldinst HYPERLINK " + std::string(400, 'x') + " }{\\fldrslt }}"},
    };
    for (const FieldRunCase& c : cases) {
        emitter->writeFieldRun(form, c.units.data(), static_cast<std::int32_t>(c.units.size()));
        EXPECT_EQ(emitter->take(), c.expected) << c.what;
    }
    form.field.dirty = 1;
    const std::u16string page = u"PAGE";
    emitter->writeFieldRun(form, page.data(), 4);
    EXPECT_EQ(emitter->take(), "{\\field \\flddirty{\\*\\fldinst PAGE }{\\fldrslt }}");
}

TEST_F(RTFBodyCodesTest, BookmarksAreNamedWithTheirNameEscaped) {
    const std::u16string name = u"Sec{1}\u00E9";
    emitter->writeBookmark(name.data(), static_cast<std::int32_t>(name.size()), 28);
    emitter->writeBookmark(name.data(), static_cast<std::int32_t>(name.size()), 29);
    EXPECT_EQ(emitter->take(), "{\\*\\bkmkstart Sec\\{1\\}\\u233?}{\\*\\bkmkend Sec\\{1\\}\\u233?}");
    // A one-unit mark run and an unknown kind write nothing.
    emitter->writeBookmark(name.data(), 1, 28);
    emitter->writeBookmark(name.data(), static_cast<std::int32_t>(name.size()), 30);
    EXPECT_EQ(emitter->take(), "");
}

TEST_F(RTFBodyCodesTest, NoteGroupsOpenForNotesAndCommentsOnly) {
    const std::pair<std::int16_t, std::string> cases[] = {
        {5, "\\chatn{\\*\\annotation "}, {7, "{\\footnote "}, {8, "{\\footnote\\ftnalt "}, {2, ""}, {11, ""}};
    for (const auto& [selector, expected] : cases) {
        EXPECT_EQ(emitter->openNoteGroup(selector), expected.empty() ? 0 : 1) << selector;
        EXPECT_EQ(emitter->take(), expected) << selector;
    }
    emitter->closeNoteGroup();
    EXPECT_EQ(emitter->take(), "}\r\n");
}

// A comment story replayed by its extruder: its author's initials and name come before the mark that
// opens the annotation, where readers take them; the date stays inside.
TEST_F(RTFBodyCodesTest, ACommentsInitialsAndAuthorPrecedeItsAnnotation) {
    block.authors->setInitials(block.authors->add("Bo {B}"), "B\\B");
    const struct {
        const char* what;
        const char* author;
        std::string opening;
    } cases[] = {
        {"an author with initials, escaped", "Bo {B}", "{\\*\\atnid B\\\\B}{\\*\\atnauthor Bo \\{B\\}}\\chatn{\\*\\annotation "},
        {"an author without initials", "Ann", "{\\*\\atnauthor Ann}\\chatn{\\*\\annotation "},
        {"an author the table lacks", "Nobody", "\\chatn{\\*\\annotation "},
    };
    for (const auto& c : cases) {
        CRTFExtruder comment(emitter, 5);
        initXForm(&block.form);
        block.form.txtData = 84;
        block.form.revision.date = 99;
        block.form.revision.author = static_cast<std::int16_t>(block.authors->find(c.author));
        std::u16string units(1, storycode::kSpecialCharacter);
        block.textBuffer = units.data();
        block.textLength = 1;
        comment.takeRun(block);
        initXForm(&block.form);
        units = u"Remark";
        block.textBuffer = units.data();
        block.textLength = static_cast<std::int32_t>(units.size());
        comment.takeRun(block);
        comment.replay(true);
        comment.closeStoryGroup();
        const std::string rtf = emitter->take();
        EXPECT_EQ(rtf.rfind(c.opening, 0), 0u) << c.what << ": " << rtf;
        EXPECT_NE(rtf.find("{\\*\\atndate 99}"), std::string::npos) << c.what << ": " << rtf;
        EXPECT_EQ(rtf.find("atnauthor", c.opening.size()), std::string::npos) << c.what << ": " << rtf;
    }
}

TEST_F(RTFBodyCodesTest, RunGroupsOpenWithTheirPropertiesAndAnAnnotationReferenceOpensItsOwn) {
    form.txtSize = 200;
    emitter->beginCharacterRun(form, 0);
    emitter->endCharacterRun(fields);
    EXPECT_EQ(emitter->take(), "{\\ltrch\\lang1033\\f0\\fs40\\kerning0\\accnone }");
    form.revision.type = 5;
    form.revision.date = 12;
    emitter->beginCharacterRun(form, 0);
    EXPECT_EQ(emitter->take(), "\\chatn {\\*\\annotation{\\*\\atndate 12}\\ltrch\\lang1033\\f0\\fs40\\kerning0\\accnone ");
}

}  // namespace
}  // namespace rtftest

namespace rtftest {
namespace {

// A list paragraph whose number text is "1." in list 1 (a definition whose level 0 is followed by a tab).
class RTFParagraphStartTest : public RTFBodyCodesTest {
protected:
    RTFParagraphStartTest() {
        block.listDefs = static_cast<XListDef*>(allocMemory(sizeof(XListDef)));
        std::memset(static_cast<void*>(block.listDefs), 0, sizeof(XListDef));
        block.listDefCount = 1;
        block.listDefs[0].listDefId = 10;
        block.listDefs[0].levels[0].levelFollow = 9;
        block.listOvrs = static_cast<XListOvr*>(allocMemory(sizeof(XListOvr)));
        std::memset(static_cast<void*>(block.listOvrs), 0, sizeof(XListOvr));
        block.listOvrCount = 1;
        block.listOvrs[0].listIlst = 10;
        block.listOvrs[0].listIlfo = 1;
        rule.level.ls = 1;
        rule.level.text = number;
        rule.level.textLength = 2;
        std::strcpy(rule.level.font, "Arial");
    }
    std::string start() {
        emitter->writeParagraphProps(rule, 0);
        return emitter->take();
    }
    char16_t number[3] = u"1.";
};

TEST_F(RTFParagraphStartTest, TheListNumberIsWrittenAtTheFirstRunOfEachParagraphOnly) {
    const std::string numbered = "{\\listtext\\pard\\plain \\f1 1.\\tab}\\pard";
    EXPECT_EQ(start().rfind(numbered, 0), 0u);
    EXPECT_EQ(start().rfind("\\pard\\widctlpar", 0), 0u) << "a later run of the same paragraph";
    // A footnote written inside the paragraph, itself a list paragraph, numbers its own paragraph and
    // leaves this one as it was.
    placer.footnote = [&] {
        emitter->openNoteGroup(7);
        EXPECT_NE(start().find("{\\footnote " + numbered), std::string::npos) << "the note's paragraph";
        code(storycode::kParagraphEnd);
        emitter->closeNoteGroup();
    };
    emitter->writeControlCode(storycode::kFootnoteReference, form, rule, fields);
    placer.footnote = nullptr;
    emitter->take();
    EXPECT_EQ(start().rfind("\\pard\\widctlpar", 0), 0u) << "back in the paragraph around the note";
    code(storycode::kParagraphEnd);
    EXPECT_EQ(start().rfind(numbered, 0), 0u) << "the next paragraph";
    code(storycode::kLineBreak);
    EXPECT_EQ(start().rfind("\\pard\\widctlpar", 0), 0u) << "a line break ends no paragraph";
    code(storycode::kSectionBreak);
    EXPECT_EQ(start().rfind(numbered, 0), 0u) << "after a section break";
}

TEST_F(RTFParagraphStartTest, AParagraphStatesItsTableDepthStyleAndListReference) {
    rule.level.text = nullptr;  // an empty number text: no number group, still the list reference
    rule.cellOfRow = 1;
    rule.styleTag = 5;
    placer.depth = 2;
    const std::string words = start();
    EXPECT_EQ(words.rfind("\\pard\\intbl\\itap2\\s4\\widctlpar", 0), 0u) << words;
    EXPECT_NE(words.find("\\ls1\\ilvl0 "), std::string::npos) << words;
    // A continued paragraph restates its properties only.
    emitter->writeParagraphProps(rule, 1);
    EXPECT_EQ(emitter->take().rfind("\\widctlpar", 0), 0u);
}

}  // namespace
}  // namespace rtftest
