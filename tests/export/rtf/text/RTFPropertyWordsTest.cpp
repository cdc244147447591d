// The property words that runs, paragraphs, cells and pages share: character and paragraph properties,
// borders, shading, frames, revision marks, colour and font numbers, and escaped names.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "export/rtf/fields/RTFRevisionWriter.h"
#include "export/rtf/head/RTFColorIndex.h"
#include "export/rtf/head/RTFFontNumber.h"
#include "export/rtf/head/RTFNameText.h"
#include "export/rtf/layout/RTFBorderWriter.h"
#include "export/rtf/layout/RTFFrameWriter.h"
#include "export/rtf/layout/RTFShadingWriter.h"
#include "export/rtf/text/RTFCharacterProperties.h"
#include "export/rtf/text/RTFParagraphProperties.h"
#include "model/params/ParamBlockTables.h"
#include "model/tables/XStyle.h"
#include "tests/export/rtf/RTFCaptureEmitter.h"

namespace rtftest {
namespace {

class RTFPropertyWordsTest : public ::testing::Test, protected CaptureFixture {
protected:
    XForm plainRun() const {
        XForm form{};
        initXForm(&form);
        form.txtLangVal = 1033;
        form.txtFontHAnsi = fontId("Arial");
        form.txtSize = 120;
        return form;
    }
    XRule plainParagraph() const {
        XRule rule{};
        initXRule(&rule);
        return rule;
    }
    std::string characterWords(const XForm& form) {
        writeRTFCharacterProperties(*emitter, block, form, true);
        return emitter->take();
    }
    std::string paragraphWords(const XRule& rule) {
        writeRTFParagraphProperties(*emitter, block, rule);
        return emitter->take();
    }
};

struct RunCase {
    const char* what;
    std::function<void(XForm&)> change;
    std::string expected;
};

TEST_F(RTFPropertyWordsTest, RunsStateEveryCharacterPropertyInItsOrder) {
    const std::string head = "\\ltrch\\lang1033\\f1\\fs24";
    const std::vector<RunCase> cases = {
        {"a plain run states kerning off", [](XForm&) {}, head + "\\kerning0\\accnone"},
        {"a character style", [](XForm& f) { f.styleTag = 3; }, "\\ltrch\\cs2\\lang1033\\f1\\fs24\\kerning0\\accnone"},
        {"size 240 is 48 half-points", [](XForm& f) { f.txtSize = 240; }, "\\ltrch\\lang1033\\f1\\fs48\\kerning0\\accnone"},
        {"full scale is left out, 80 % is not", [](XForm& f) { f.txtRate = 800; }, head + "\\charscalex80\\kerning0\\accnone"},
        {"lowered, spaced and kerned",
         [](XForm& f) {
             f.txtBase = -4;
             f.txtSpacing = 20;
             f.txtKern = 16;
         },
         head + "\\dn4\\expnd4\\expndtw20\\kerning16\\accnone"},
        {"every face flag, in the writing order", [](XForm& f) { f.txtFace = 0x3FFFF; },
         head + "\\kerning0\\accnone\\b\\i\\ul\\outl\\shad\\super\\sub\\strike\\caps\\embo\\impr\\scaps\\striked1\\v\\expnd1"
                "\\expnd-1\\ulw\\uldb"},
        {"an emphasis mark outside the table writes none", [](XForm& f) { f.txtFill = 9; }, head + "\\kerning0"},
        {"underline kinds, an unknown one single",
         [](XForm& f) {
             f.underlineEffect = 99;
             f.blinkingEffect = 2;
         },
         head + "\\kerning0\\accnone\\animtext2\\ul"},
        {"a red text colour and underline colour", [](XForm& f) { f.txtFore = f.underlineColor = kRed; },
         head + "\\kerning0\\accnone\\ulc3\\cf3"},
        {"black text, the automatic colour and a white highlight write no colour",
         [](XForm& f) {
             f.txtFore = kBlack;
             f.underlineColor = kAutoColor;
             f.txtBack = kWhite;
         },
         head + "\\kerning0\\accnone"},
        {"a red highlight", [](XForm& f) { f.txtBack = kRed; }, head + "\\kerning0\\accnone\\highlight3"},
        {"a colour missing from the table writes nothing", [](XForm& f) { f.txtFore = RGBColor{1, 2, 3}; },
         head + "\\kerning0\\accnone"},
        {"Arabic text runs right to left in its character set",
         [](XForm& f) {
             f.txtHint = 3;
             f.txtLangCs = 1025;
             f.txtFontCs = 0;
         },
         "\\rtlch\\lang1025\\f0\\fs24\\cchs178\\kerning0\\accnone"},
        {"a bordered, shaded, revised run",
         [](XForm& f) {
             f.borderType = 1;
             f.border = BorderSpec{10, 1, kRed, 0};
             f.shadingType = 1;
             f.shading = ShadingSpec{25, kRed, kWhite};
             f.revision = RevisionMark{0, 2, 1, 77};
             f.noProof = 1;
         },
         "\\ltrch\\lang1033\\noproof\\f1\\fs24\\kerning0\\accnone\\chbrdr\\brdrs\\brdrcf3\\brdrw10\\chcfpat3\\chshdng50"
         "\\revised\\revauth1\\revdttm77"},
    };
    for (const RunCase& c : cases) {
        XForm form = plainRun();
        c.change(form);
        EXPECT_EQ(characterWords(form), c.expected) << c.what;
    }
}

TEST_F(RTFPropertyWordsTest, FontAndColourNumbersComeFromTheDocumentTables) {
    EXPECT_EQ(rtfFontNumber(1033, fontId("Times"), block), 0);
    EXPECT_EQ(rtfFontNumber(1033, fontId("Arial"), block), 1);
    // A font id the table does not hold falls back to the language's font; without language tables, 0.
    EXPECT_EQ(rtfFontNumber(1033, 0, block), 0);
    EXPECT_EQ(rtfColorIndex(kRed, block), kRedIndex);
    EXPECT_EQ(rtfColorIndex(kAutoColor, block), -1);
    EXPECT_EQ(rtfCharsetForLanguage(1049), 204);
    EXPECT_EQ(rtfCharsetForLanguage(1033), 0);
}

struct BorderCase {
    const char* what;
    BorderSpec border;
    std::string expected;
};

TEST_F(RTFPropertyWordsTest, BordersWriteStyleColourWidthAndSpace) {
    const std::vector<BorderCase> cases = {
        {"style 0 is no border", {10, 0, kRed, 4}, ""},
        {"style -1 is no border", {10, -1, kRed, 4}, ""},
        {"a shadowed single line", {0, 0x41, kAutoColor, 0}, "\\brdrsh\\brdrs"},
        {"a double line in red with width and space", {15, 3, kRed, 4}, "\\brdrdb\\brdrcf3\\brdrw15\\brsp4"},
        {"the last style of the table", {0, 28, kAutoColor, 0}, "\\brdrinset"},
        {"a style past the table is a single line", {0, 29, kAutoColor, 0}, "\\brdrs"},
    };
    for (const BorderCase& c : cases) {
        writeRTFBorder(*emitter, block, c.border);
        EXPECT_EQ(emitter->take(), c.expected) << c.what;
    }
    // An art border: its art number and the size in points (eighths given).
    writeRTFArtBorder(*emitter, block, BorderSpec{24, 1, kRed, 2}, 7);
    EXPECT_EQ(emitter->take(), "\\brdrart7\\brdrcf3\\brdrw3\\brsp2");
}

struct ShadingCase {
    const char* what;
    ShadingSpec shading;
    const ShadingWords* words;
    std::string expected;
};

TEST_F(RTFPropertyWordsTest, ShadingWritesFillPatternColourAndPattern) {
    const std::vector<ShadingCase> cases = {
        {"no pattern: the fill only", {0, kRed, kRed}, &kCharacterShadingWords, "\\chcbpat3"},
        {"a white fill is left out", {0, kRed, kWhite}, &kCharacterShadingWords, ""},
        {"tint 25 is 50", {25, kRed, kWhite}, &kCharacterShadingWords, "\\chcfpat3\\chshdng50"},
        {"type 1 is a tint of 0", {1, kAutoColor, kAutoColor}, &kCharacterShadingWords, "\\chshdng0"},
        {"a light diagonal on a run", {4, kRed, kRed}, &kCharacterShadingWords, "\\chcbpat3\\chcfpat3\\chbgfdiag"},
        {"a dark diagonal on a paragraph", {4, kRed, kRed}, &kParagraphShadingWords, "\\cbpat3\\cfpat3\\bgdkfdiag"},
        {"a paragraph tint", {30, kBlack, kWhite}, &kParagraphShadingWords, "\\cfpat1\\shading100"},
    };
    for (const ShadingCase& c : cases) {
        writeRTFShading(*emitter, block, c.shading, *c.words);
        EXPECT_EQ(emitter->take(), c.expected) << c.what;
    }
}

TEST_F(RTFPropertyWordsTest, RevisionMarksNameWhatWhoAndWhen) {
    const std::pair<RevisionMark, std::string> cases[] = {
        {{0, 1, 2, 5}, "\\deleted\\revauthdel2\\revdttmdel5"},
        {{0, 2, 0, 0}, "\\revised"},
        {{0, 3, 1, 9}, "\\crauth1\\crauth1\\crdate9"},
        {{0, 4, 1, 9}, ""},
    };
    for (const auto& [revision, expected] : cases) {
        writeRTFRevision(*emitter, revision);
        EXPECT_EQ(emitter->take(), expected) << "type " << revision.type;
    }
}

struct ParagraphCase {
    const char* what;
    std::function<void(XRule&)> change;
    std::string expected;
};

TEST_F(RTFPropertyWordsTest, ParagraphsStateEveryPropertyInItsOrder) {
    const std::string flow = "\\widctlpar\\ltrpar\\ql";
    const std::string spacing = "\\sb0\\sa0\\sl240\\slmult1";
    const std::vector<ParagraphCase> cases = {
        {"a plain paragraph", [](XRule&) {}, flow + spacing},
        {"without widow control", [](XRule& r) { r.widowControl = 0; }, "\\nowidctlpar\\ltrpar\\ql" + spacing},
        {"a hanging indent replaces the first-line indent",
         [](XRule& r) {
             r.indentLeft = 720;
             r.indentFirst = 360;
             r.indentHanging = 240;
             r.indentRightCh = 50;
         },
         flow + "\\li720\\fi-240\\curi50" + spacing},
        {"centred right to left", [](XRule& r) {
             r.direction = 1;
             r.justification = 1;
         },
         "\\widctlpar\\rtlpar\\qc" + spacing},
        {"space in line units and an exact line height",
         [](XRule& r) {
             r.spaceBefore = 6;
             r.spaceBeforeUnit = -1;
             r.spaceAfter = 120;
             r.spaceAfterUnit = 0;
             r.contextualSpacing = 1;
             r.leading = 300;
             r.leadingUnit = 1;
         },
         flow + "\\sb192\\sa120\\sl-300\\slmult0\\contextualspace"},
        {"a subdocument at outline level 2", [](XRule& r) { r.outlineLevelOrSubdocument = 258; },
         "\\widctlpar\\subdocument0\\outlinelevel1\\ltrpar\\ql" + spacing},
        {"borders in their writing order, then the box",
         [](XRule& r) {
             r.borderType = 0x1 | 0x2 | 0x4 | 0x8 | 0x10 | 0x40;
             r.borderTop = r.borderLeft = r.borderBottom = r.borderRight = r.borderBetween = BorderSpec{0, 1, kAutoColor, 0};
         },
         "\\brdrt\\brdrs\\brdrl\\brdrs\\brdrb\\brdrs\\brdrr\\brdrs\\brdrbtw\\brdrs\\box" + flow + spacing},
        {"keeping and breaking", [](XRule& r) {
             r.keepNext = r.keepLines = r.pageBreakBefore = r.suppressLineNumbers = r.suppressAutoHyphens = 1;
         },
         "\\keepn\\keep\\pagebb\\widctlpar\\noline\\hyphpar0\\ltrpar\\ql" + spacing},
        {"tabs with leaders, a bar tab and a list tab",
         [](XRule& r) {
             r.tabs.tabs = 3;
             r.tabs.tab[0] = XTab{2, u'.', 1440, 0};
             r.tabs.tab[1] = XTab{5, u'-', 2880, 0};
             r.tabs.tab[2] = XTab{6, 0, 360, 0};
         },
         flow + spacing + "\\tqr\\tldot\\tx1440\\tlhyph\\tb2880\\jclisttab\\tx360"},
        {"shading, frame and list reference",
         [](XRule& r) {
             r.shadingType = 1;
             r.shading = ShadingSpec{0, kRed, kRed};
             r.frameType = 1;
             r.frame.width = 2000;
             r.frame.horizPosDistance = -50;
             r.frame.dropcapType = 2;
             r.frame.dropcapLines = 3;
             r.level.ls = 4;
             r.level.ilvl = 1;
         },
         flow + spacing + "\\cbpat3\\absw2000\\phcol\\posnegx50\\pvpara\\dropcapt2\\dropcapli3\\ls4\\ilvl1"},
    };
    for (const ParagraphCase& c : cases) {
        XRule rule = plainParagraph();
        c.change(rule);
        EXPECT_EQ(paragraphWords(rule), c.expected) << c.what;
    }
}

// A paragraph whose style numbers its paragraphs but which is in no list (a list ended, or the
// paragraph end that closes the story) says so; a reader would number it through its style otherwise.
TEST_F(RTFPropertyWordsTest, AParagraphOutOfItsStylesListSaysSo) {
    const auto addParagraphStyle = [this](std::int32_t listNumber) {
        XStyle* style = newXStyle();
        ASSERT_NE(style, nullptr);
        style->styleRule.level.ls = listNumber;
        addStyle(style, &block);
    };
    addParagraphStyle(3);  // style 1 numbers
    addParagraphStyle(0);  // style 2 does not
    const std::string plain = "\\widctlpar\\ltrpar\\ql\\sb0\\sa0\\sl240\\slmult1";
    const struct {
        const char* what;
        std::int32_t styleTag;
        std::int32_t ls;
        std::string expected;
    } cases[] = {
        {"out of the numbering style's list", 1, 0, plain + "\\ls0"},
        {"in the numbering style's list", 1, 3, plain + "\\ls3\\ilvl0"},
        {"a style without a list", 2, 0, plain},
        {"no style", -1, 0, plain},
        {"a style the table does not hold", 9, 0, plain},
    };
    for (const auto& c : cases) {
        XRule rule = plainParagraph();
        rule.styleTag = c.styleTag;
        rule.level.ls = c.ls;
        EXPECT_EQ(paragraphWords(rule), c.expected) << c.what;
    }
}

TEST_F(RTFPropertyWordsTest, OnlyTheFirst65TabsAreWritten) {
    XTabs tabs{};
    tabs.tabs = 200;  // a count beyond the record's room
    for (int i = 0; i < kMaxTabs; ++i) tabs.tab[i] = XTab{0, 0, static_cast<std::int16_t>(i + 1), 0};
    writeRTFTabStops(*emitter, tabs);
    const std::string words = emitter->take();
    EXPECT_NE(words.find("\\tx65"), std::string::npos);
    EXPECT_EQ(words.find("\\tx66"), std::string::npos);
}

TEST_F(RTFPropertyWordsTest, FramesWriteTheirPlaceWrappingAndDropCap) {
    XFrame frame{};
    frame.horizPosFrameReference = 9;
    frame.horizPosDistance = 100;
    frame.horizPosTypeWithinFrame = 1;
    frame.vertPosFrameReference = 3;
    frame.vertPosDistance = -20;
    frame.vertPosTypeWithinFrame = 6;
    frame.txtWrapType = 1;
    frame.txtdistanceFromMainText = 144;
    frame.txtoverlay = 1;
    frame.txtPositionVertical = 2;
    frame.dropcapType = 1;
    frame.dropcapLines = 11;  // out of range: no line count
    frame.anchorLock = 1;
    writeRTFFrame(*emitter, frame);
    EXPECT_EQ(emitter->take(),
              "\\phcol\\posx100\\posxc\\pvpara\\posnegy20\\posyout\\nowrap\\dxfrtext144\\overlay\\posyout\\dropcapt1"
              "\\abslock");
}

// Placed by nothing, or vertically by the margin or the page, a drop cap would stand above its line:
// it is always placed by its own paragraph, and by its column unless the frame names another.
TEST_F(RTFPropertyWordsTest, ADropCapStandsBesideItsOwnParagraph) {
    const struct {
        const char* what;
        std::int16_t dropcapType, horizontal, vertical;
        const char* expected;
    } cases[] = {
        {"a drop cap placed by nothing", 1, 0, 0, "\\phcol\\pvpara\\dropcapt1\\dropcapli3"},
        {"a drop cap placed by the margin", 1, 0, 1, "\\phcol\\pvpara\\dropcapt1\\dropcapli3"},
        {"a margin drop cap placed by the page", 2, 2, 2, "\\phpg\\pvpara\\dropcapt2\\dropcapli3"},
        {"a frame that is no drop cap keeps its place", 0, 1, 1, "\\phmrg\\pvmrg"},
        {"a frame that is no drop cap, placed by nothing", 0, 0, 0, ""},
    };
    for (const auto& c : cases) {
        XFrame frame{};
        frame.dropcapType = c.dropcapType;
        frame.dropcapLines = c.dropcapType != 0 ? 3 : 0;
        frame.horizPosFrameReference = c.horizontal;
        frame.vertPosFrameReference = c.vertical;
        writeRTFFrame(*emitter, frame);
        EXPECT_EQ(emitter->take(), c.expected) << c.what;
    }
}

TEST(RTFNameTextTest, NamesAreEscapedSoAReaderTakesThemBackWhole) {
    const std::pair<std::string, std::string> utf8Cases[] = {
        {"Times New Roman", "Times New Roman"},
        {"A{b}\\c", "A\\{b\\}\\\\c"},
        {"Caf\xC3\xA9", "Caf\\u233?"},
        {"\xE4\xB8\xAD", "\\u20013?"},
        {"\xEF\xBC\xA1", "\\u-223?"},                          // U+FF21, above 32767: signed
        {"\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?"},            // U+1F600 as its two halves
        {"bad\xFF", "bad\\u-3?"},                               // malformed: U+FFFD
        {"tab\there", "tab\\'09here"},
        {std::string("cut\0off", 7), "cut"},
    };
    for (const auto& [name, expected] : utf8Cases) EXPECT_EQ(rtfEscapedName(std::string_view(name)), expected) << name;
    EXPECT_EQ(rtfEscapedName(std::u16string_view(u"\u05D0}x")), "\\u1488?\\}x");
    const char field[4] = {'a', 'b', 'c', 'd'};  // no terminator inside its room
    EXPECT_EQ(rtfEscapedField(field, sizeof field), "abcd");
}

}  // namespace
}  // namespace rtftest
