// The writers of a record's changed fields (styles, list levels, list numbers): a field writes its words
// only when its change bit is set, whatever it holds, in the fixed order, and nothing else is written.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "export/rtf/text/RTFCharacterPropertyChanges.h"
#include "export/rtf/text/RTFParagraphPropertyChanges.h"
#include "foundation/FieldMask.h"
#include "tests/export/rtf/RTFEmitterHarness.h"

namespace rtftest {
namespace {

constexpr RGBColor kGreen{0, 65535, 0};

struct FormCase {
    const char* what;
    std::initializer_list<int> bits;
    void (*fill)(XForm&);
    const char* expected;
};

TEST(RTFCharacterPropertyChangesTest, EachFieldWritesOnlyWhenItsBitIsSet) {
    const FormCase cases[] = {
        {"no bit set, fields changed", {}, [](XForm& f) { f.txtFace = kFaceBold, f.noProof = 1, f.txtSize = 240; }, ""},
        {"bits that never write (style, code, bidi, anchor, picture, form field)",
         {0, 1, 10, 14, 21, 22, 23, 24, 25, 27, 32, 35, 36, 37, 38},
         [](XForm& f) { f.txtFaceCs = kFaceBold, f.underlineColor = kGreen, f.shadingType = 3; }, ""},
        {"the East Asian bit writes the language the hint chooses", {3},
         [](XForm& f) { f.txtLangVal = 1033, f.txtLangEa = 1041; }, "\\ltrch\\lang1033\\cchs0"},
        {"a complex-script hint with Arabic", {4},
         [](XForm& f) { f.txtHint = 3, f.txtLangCs = 1025; }, "\\rtlch\\lang1025\\cchs178"},
        {"size in half-points, truncated", {11}, [](XForm& f) { f.txtSize = 117; }, "\\fs23"},
        {"faces in their fixed order", {13}, [](XForm& f) { f.txtFace = kFaceCondensed | kFaceBold; }, "\\b\\expnd-1"},
        {"face 0", {13}, [](XForm& f) { f.txtFace = 0; }, ""},
        {"scale written even at 0, position 0 nothing", {15, 16}, [](XForm& f) { f.txtRate = 0, f.txtBase = 0; },
         "\\charscalex0"},
        {"lowered text", {16}, [](XForm& f) { f.txtBase = -6; }, "\\dn6"},
        {"raised text, full scale", {15, 16}, [](XForm& f) { f.txtRate = 1000, f.txtBase = 4; }, "\\charscalex100\\up4"},
        {"colours: black written, the automatic colour not", {17, 18},
         [](XForm& f) { f.txtFore = kBlack, f.txtBack = kAutoColor; }, "\\cf1"},
        {"a white highlight is written", {18}, [](XForm& f) { f.txtBack = kWhite; }, "\\highlight8"},
        {"kerning and emphasis", {19, 20}, [](XForm& f) { f.txtKern = 14, f.txtFill = 2; }, "\\kerning14\\acccomma"},
        {"an unknown emphasis mark", {20}, [](XForm& f) { f.txtFill = 9; }, ""},
        {"shading before the border", {26, 28},
         [](XForm& f) {
             f.borderType = 1, f.border.borderType = 3;
             f.shadingType = 1, f.shading.patternType = 25;
         },
         "\\chshdng50\\chbrdr<border 3>"},
        {"border and shading without their type", {26, 28}, [](XForm& f) { f.border.borderType = 3; }, ""},
        {"spacing in quarter-points and twips", {29}, [](XForm& f) { f.txtSpacing = -7; }, "\\expnd-1\\expndtw-7"},
        {"spacing 0", {29}, [](XForm& f) { f.txtSpacing = 0; }, ""},
        {"underline kinds", {30}, [](XForm& f) { f.underlineEffect = 9; }, "\\ulthdashdd"},
        {"an unknown underline kind is single", {30}, [](XForm& f) { f.underlineEffect = 40; }, "\\ul"},
        {"animation 0 and proofing whatever they hold", {31, 33}, [](XForm& f) { f.blinkingEffect = 0, f.noProof = 0; },
         "\\animtext0\\noproof"},
        {"a revision", {34}, [](XForm& f) { f.revision = RevisionMark{0, 1, 2, 77}; },
         "\\deleted\\revauthdel2\\revdttmdel77"},
        {"a revision of type 0", {34}, [](XForm& f) { f.revision = RevisionMark{0, 0, 2, 77}; }, ""},
    };
    for (const FormCase& c : cases) {
        EmitterHarness harness;
        XForm form;
        initXForm(&form);
        std::memset(form.changeBits, 0, sizeof form.changeBits);
        c.fill(form);
        for (int bit : c.bits) setMaskBit(form.changeBits, bit);
        writeRTFCharacterProps(harness.emitter(), harness.block, form);
        EXPECT_EQ(harness.taken(), c.expected) << c.what;
    }
}

TEST(RTFCharacterPropertyChangesTest, LanguageFontSizeAndFacesComeInTheFixedOrder) {
    EmitterHarness harness;
    XForm form;
    initXForm(&form);
    form.txtSize = 240;
    form.txtFace = kFaceItalic;
    form.txtFore = kGreen;
    form.noProof = 1;
    for (int bit : {33, 17, 13, 11, 6, 2}) setMaskBit(form.changeBits, bit);
    writeRTFCharacterProps(harness.emitter(), harness.block, form);
    const std::string written = harness.taken();
    EXPECT_EQ(written.rfind("\\ltrch\\lang1033\\cchs0\\f", 0), 0u) << written;
    EXPECT_NE(written.find("\\fs48\\i\\cf2\\noproof"), std::string::npos) << written;
}

struct RuleCase {
    const char* what;
    std::initializer_list<int> bits;
    void (*fill)(XRule&);
    const char* expected;
};

TEST(RTFParagraphPropertyChangesTest, EachFieldWritesOnlyWhenItsBitIsSet) {
    const RuleCase cases[] = {
        {"no bit set, fields changed", {}, [](XRule& r) { r.keepNext = 1, r.justification = 1; }, ""},
        {"bits that never write", {0, 1, 15, 16, 17, 20, 21, 22, 23, 25, 33, 34, 41},
         [](XRule& r) { r.lastCellOfRow = 1, r.frameType = 1, r.shadingType = 3; }, ""},
        {"direction 2 and justification 4", {2, 3}, [](XRule& r) { r.direction = 2, r.justification = 4; },
         "\\ltrpar\\ql"},
        {"right to left, justified", {2, 3}, [](XRule& r) { r.direction = 1, r.justification = 3; }, "\\rtlpar\\qj"},
        {"indents as they stand, 0 included", {4, 5, 8, 9}, [](XRule& r) { r.indentLeft = 0, r.indentRightCh = 50; },
         "\\li0\\culi0\\ri0\\curi50"},
        {"first line and hanging both written", {6, 10}, [](XRule& r) { r.indentFirst = 200, r.indentHanging = 360; },
         "\\fi200\\fi-360"},
        {"character-unit first line and hanging", {7, 11},
         [](XRule& r) { r.indentFirstCh = 100, r.indentHangingCh = 150; }, "\\cufi100\\cufi-150"},
        {"a multiple of lines", {12}, [](XRule& r) { r.leading = 240, r.leadingUnit = -1; }, "\\sl240\\slmult1"},
        {"an exact line height", {12}, [](XRule& r) { r.leading = 240, r.leadingUnit = 1; }, "\\sl-240\\slmult0"},
        {"an at-least line height", {12}, [](XRule& r) { r.leading = 240, r.leadingUnit = 0; }, "\\sl240\\slmult0"},
        {"space in line units and twips", {13, 14},
         [](XRule& r) { r.spaceBefore = 100, r.spaceBeforeUnit = -1, r.spaceAfter = 100, r.spaceAfterUnit = 0; },
         "\\sb3200\\sa100"},
        {"flags that are on", {18, 19, 27, 28, 29, 31, 32},
         [](XRule& r) {
             r.contextualSpacing = 1, r.cellOfRow = 1, r.keepNext = 1, r.keepLines = 1, r.pageBreakBefore = 1;
             r.suppressLineNumbers = 1, r.suppressAutoHyphens = 1;
         },
         "\\contextualspace\\intbl\\keepn\\keep\\pagebb\\noline\\hyphpar0"},
        {"flags that are off", {18, 19, 27, 28, 29, 31, 32}, [](XRule&) {}, ""},
        {"widow control off, and any other value", {kWidowControlBit}, [](XRule& r) { r.widowControl = 2; },
         "\\nowidctlpar"},
        {"widow control on", {kWidowControlBit}, [](XRule& r) { r.widowControl = 1; }, "\\widctlpar"},
        {"outline level 1", {26}, [](XRule& r) { r.outlineLevelOrSubdocument = 1; }, "\\outlinelevel0"},
        {"a subdocument with outline level 2", {26}, [](XRule& r) { r.outlineLevelOrSubdocument = 258; },
         "\\subdocument0\\outlinelevel1"},
        {"a subdocument alone", {26}, [](XRule& r) { r.outlineLevelOrSubdocument = 256; }, "\\subdocument0"},
        {"a negative outline level", {26}, [](XRule& r) { r.outlineLevelOrSubdocument = -3; }, ""},
        {"a box without sides", {24, 36, 37, 38, 39, 40},
         [](XRule& r) { r.borderType = 0x10, r.borderTop.borderType = 1; }, "\\box"},
        {"box, shading, then the sides in bit order", {24, 35, 36, 37, 38, 39, 40},
         [](XRule& r) {
             r.borderType = 0x1 | 0x2 | 0x4 | 0x8 | 0x10 | 0x40;
             r.borderTop.borderType = 1, r.borderLeft.borderType = 2, r.borderBottom.borderType = 3;
             r.borderRight.borderType = 4, r.borderBetween.borderType = 5;
             r.shadingType = 1, r.shading.patternType = 8;
         },
         "\\box\\bghoriz\\brdrt<border 1>\\brdrl<border 2>\\brdrb<border 3>\\brdrr<border 4>\\brdrbtw<border 5>"},
        {"a frame with its type", {42}, [](XRule& r) { r.frameType = 1, r.frame.width = 300; }, "\\absw300"},
        {"a frame without its type", {42}, [](XRule& r) { r.frame.width = 300; }, ""},
        {"a list reference", {43}, [](XRule& r) { r.level.ls = 4, r.level.ilvl = 2; }, "\\ls4\\ilvl2"},
        {"no list", {43}, [](XRule& r) { r.level.ilvl = 2; }, ""},
        {"list, tabs and the table style's row set last", {45, 44, 43},
         [](XRule& r) {
             r.level.ls = 1;
             r.tabs.tabs = 2;
             r.tabs.tab[0] = XTab{5, u'.', 720, 0};
             r.tabs.tab[1] = XTab{0, u' ', 1440, 0};
         },
         "\\ls1\\ilvl0\\tldot\\tb720\\tx1440\\tsrowd"},
    };
    for (const RuleCase& c : cases) {
        EmitterHarness harness;
        XRule rule;
        initXRule(&rule);
        std::memset(rule.changeBits, 0, sizeof rule.changeBits);
        c.fill(rule);
        for (int bit : c.bits) setMaskBit(rule.changeBits, bit);
        writeRTFParagraphProps(harness.emitter(), harness.block, rule);
        EXPECT_EQ(harness.taken(), c.expected) << c.what;
    }
}

TEST(RTFParagraphPropertyChangesTest, ATabCountAboveTheRoomWritesTheFirst65) {
    EmitterHarness harness;
    XRule rule;
    initXRule(&rule);
    std::memset(rule.changeBits, 0, sizeof rule.changeBits);
    rule.tabs.tabs = 400;
    for (int i = 0; i < kMaxTabs; ++i) rule.tabs.tab[i] = XTab{0, 0, static_cast<std::int16_t>(i + 1), 0};
    setMaskBit(rule.changeBits, 44);
    writeRTFParagraphProps(harness.emitter(), harness.block, rule);
    const std::string written = harness.taken();
    std::size_t stops = 0;
    for (std::size_t at = written.find("\\tx"); at != std::string::npos; at = written.find("\\tx", at + 1)) ++stops;
    EXPECT_EQ(stops, static_cast<std::size_t>(kMaxTabs));
    EXPECT_NE(written.find("\\tx65"), std::string::npos);
}

}  // namespace
}  // namespace rtftest
