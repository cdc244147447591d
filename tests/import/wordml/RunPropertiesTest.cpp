// Run properties of Word 2003 documents as they reach the storage: each case is one run with its
// w:rPr, and the character record read back from the main story.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/records/character/XForm.h"
#include "model/story/StoryKinds.h"
#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class RunPropertiesTest : public WordMLImportTest {
protected:
    // The record of the run "x" in a document whose body is the paragraph given.
    XForm runRecord(const std::string& body) {
        EXPECT_EQ(import(wordDocument(body)), 0);
        auto loaded = story(storykind::kMain);
        EXPECT_NE(loaded, nullptr);
        if (loaded == nullptr || loaded->formCount == 0) return XForm{};
        return loaded->forms[0];
    }
    static std::string run(const std::string& properties) {
        return "<w:p><w:r><w:rPr>" + properties + "</w:rPr><w:t>x</w:t></w:r></w:p>";
    }
};

struct FormCase {
    const char* title;
    const char* properties;
    std::function<void(const XForm&)> check;
};

bool sameColor(const RGBColor& a, const RGBColor& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

TEST_F(RunPropertiesTest, EachPropertyReachesItsField) {
    const FormCase cases[] = {
        {"bold and italic without a value", "<w:b/><w:i w:val=\"on\"/>",
         [](const XForm& f) { EXPECT_EQ(f.txtFace & 0x3u, 0x3u); }},
        {"on/off properties read their value", "<w:b/><w:b w:val=\"0\"/><w:caps w:val=\"false\"/><w:vanish w:val=\"off\"/><w:strike/>",
         [](const XForm& f) { EXPECT_EQ(f.txtFace, 0x800u); }},
        {"sizes and widths are scaled", "<w:sz w:val=\"24\"/><w:w w:val=\"150\"/><w:position w:val=\"-6\"/><w:spacing w:val=\"20\"/>",
         [](const XForm& f) {
             EXPECT_EQ(f.txtSize, 120); EXPECT_EQ(f.txtRate, 1500); EXPECT_EQ(f.txtBase, -6); EXPECT_EQ(f.txtSpacing, 20);
         }},
        {"a size too large for its field is ignored", "<w:sz w:val=\"99999\"/>",
         [](const XForm& f) { EXPECT_NE(f.txtSize, static_cast<std::int16_t>(99999 * 5)); }},
        {"complex-script bold lives apart", "<w:b-cs/><w:sz-cs w:val=\"30\"/>",
         [](const XForm& f) { EXPECT_EQ(f.txtFace & 0x1u, 0u); EXPECT_EQ(f.txtFaceCs & 0x1u, 0x1u); EXPECT_EQ(f.txtSizeCs, 150); }},
        {"a single red underline leaves the text colour", "<w:u w:val=\"single\" w:color=\"FF0000\"/>",
         [](const XForm& f) {
             EXPECT_EQ(f.txtFace & 0x4u, 0x4u);
             EXPECT_TRUE(sameColor(f.underlineColor, RGBColor{65535, 0, 0}));
             EXPECT_FALSE(sameColor(f.txtFore, RGBColor{65535, 0, 0}));
         }},
        {"a wavy underline is an effect", "<w:u w:val=\"wave\"/>",
         [](const XForm& f) { EXPECT_EQ(f.underlineEffect, 13); EXPECT_EQ(f.txtFace & 0x604u, 0u); }},
        {"a double underline in the Word 2007 spelling", "<w:u w:val=\"dbl\"/>",
         [](const XForm& f) { EXPECT_EQ(f.txtFace & 0x400u, 0x400u); }},
        {"superscript; baseline adds nothing", "<w:vertAlign w:val=\"superscript\"/><w:vertAlign w:val=\"baseline\"/>",
         [](const XForm& f) { EXPECT_EQ(f.txtFace & 0x180u, 0x80u); }},
        {"colour and highlight", "<w:color w:val=\"00FF00\"/><w:highlight w:val=\"dark-blue\"/>",
         [](const XForm& f) {
             EXPECT_TRUE(sameColor(f.txtFore, RGBColor{0, 65535, 0}));
             EXPECT_TRUE(sameColor(f.txtBack, RGBColor{0, 0, 0x8080}));
         }},
        {"an effect and an emphasis mark", "<w:effect w:val=\"ants-red\"/><w:em w:val=\"underDot\"/>",
         [](const XForm& f) { EXPECT_EQ(f.blinkingEffect, 5); EXPECT_EQ(f.txtFill, 4); }},
        {"a border and a shading", "<w:bdr w:val=\"single\" w:sz=\"4\"/><w:shd w:val=\"clear\" w:fill=\"FFFF00\"/>",
         [](const XForm& f) {
             EXPECT_EQ(f.borderType, 16); EXPECT_EQ(f.border.borderType, 1); EXPECT_EQ(f.border.borderSize, 10);
             EXPECT_EQ(f.shadingType, 1); EXPECT_EQ(f.shading.patternType, 1);
             EXPECT_TRUE(sameColor(f.shading.patternFill, RGBColor{65535, 65535, 0}));
         }},
        {"complex script and proofing", "<w:cs/><w:noProof w:val=\"off\"/>",
         [](const XForm& f) { EXPECT_EQ(f.txtBidi, 1); EXPECT_EQ(f.noProof, 0); }},
        {"another namespace is not ours", "<x:b xmlns:x=\"urn:other\"/>", [](const XForm& f) { EXPECT_EQ(f.txtFace & 0x1u, 0u); }},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.title);
        c.check(runRecord(run(c.properties)));
    }
}

TEST_F(RunPropertiesTest, FontsAreFoundInTheFontTableAndThemeNamesComeFirst) {
    const std::string head =
        "<w:fonts><w:font w:name=\"Alpha\"/><w:font w:name=\"Beta\"/><w:font w:name=\"Gamma\"/></w:fonts>";
    ASSERT_EQ(import(wordDocument(run("<w:rFonts w:asciiTheme=\"Gamma\" w:ascii=\"Beta\" w:cs=\"Beta\" w:fareast=\"Alpha\"/>") +
                                  run("<w:rFonts w:val=\"fareast\"/><wx:font wx:val=\"Beta\"/>"),
                                  head)),
              0);
    auto main = story(storykind::kMain);
    ASSERT_NE(main, nullptr);
    ASSERT_GE(main->formCount, 2);
    const XForm& themed = main->forms[0];
    EXPECT_NE(themed.txtFontAscii, themed.txtFontCs) << "the theme name is taken, not the plain one";
    EXPECT_NE(themed.txtFontEa, themed.txtFontAscii);
    EXPECT_NE(themed.txtFontEa, themed.txtFontCs);
    const XForm& hinted = main->forms[1];
    // (The storage chooses a run's hint by its text, so the hint itself is not read back here.)
    EXPECT_EQ(hinted.txtFontHAnsi, themed.txtFontCs) << "wx:font names the font of the hAnsi slot";
}

// An East Asian hint decides only the characters the scripts share: a run of plain ASCII keeps its ASCII
// font, and only East Asian text is set in the East Asian one.
TEST_F(RunPropertiesTest, AnEastAsianHintLeavesPlainAsciiInItsAsciiFont) {
    const std::string head = "<w:fonts><w:font w:name=\"Latin\"/><w:font w:name=\"Asian\"/></w:fonts>";
    const std::string fonts = "<w:rFonts w:ascii=\"Latin\" w:h-ansi=\"Latin\" w:fareast=\"Asian\"";
    const std::string paragraphs[] = {
        "<w:p><w:r><w:rPr>" + fonts + "/></w:rPr><w:t>Plain</w:t></w:r></w:p>",
        "<w:p><w:r><w:rPr>" + fonts + " w:hint=\"eastAsia\"/></w:rPr><w:t>Some text, 2 lines.</w:t></w:r></w:p>",
        "<w:p><w:r><w:rPr>" + fonts + " w:hint=\"eastAsia\"/></w:rPr><w:t>\u65E5\u672C</w:t></w:r></w:p>",
    };
    ASSERT_EQ(import(wordDocument(paragraphs[0] + paragraphs[1] + paragraphs[2], head)), 0);
    auto main = story(storykind::kMain);
    ASSERT_NE(main, nullptr);
    // The font in force at the first unit of each paragraph.
    std::vector<std::int16_t> fontInForce;
    const std::u16string text = main->textString();
    for (const std::u16string& start : {std::u16string(u"Plain"), std::u16string(u"Some"), std::u16string(u"\u65E5")}) {
        const std::size_t offset = text.find(start);
        ASSERT_NE(offset, std::u16string::npos);
        const XForm* form = nullptr;
        for (std::int32_t i = 0; i < main->formCount; ++i)
            if (main->forms[i].position <= static_cast<std::int32_t>(offset)) form = &main->forms[i];
        ASSERT_NE(form, nullptr);
        fontInForce.push_back(selectFontByHint(*form));
    }
    EXPECT_EQ(fontInForce[1], fontInForce[0]) << "ASCII under an East Asian hint";
    EXPECT_NE(fontInForce[2], fontInForce[0]) << "East Asian text under an East Asian hint";
}

}  // namespace
}  // namespace wordmltest
