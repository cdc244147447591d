// Styles as they reach the storage: the style table (indexes, links, flags and a table style's
// conditional parts as sub-styles) and the paragraphs and runs formatted through their styles' basedOn
// chains, the document defaults and the default styles.
#include <memory>

#include "engine/export/parameters/StyleTableReader.h"
#include "import/wordml/styles/TStylesArray.h"
#include "model/tables/CStyleArray.h"
#include "tests/import/wordml/WordMLImportSupport.h"
#include "tests/package/ZipBuilder.h"

namespace wordmltest {
namespace {

constexpr std::int32_t kHeading1 = 2;
constexpr std::int32_t kHeading2 = 3;
constexpr std::int32_t kEmphasis = 5;

class StylesTest : public WordMLImportTest {
protected:
    // The stored style table, read back as the export side reads it.
    std::vector<XStyle*> storedStyles() {
        table = std::make_unique<CStyleArray>();
        XParamBlock block{};
        block.styles = table.get();
        CStream documentElement(storage->rootStream(), "Zevozav", 0);
        readStyleTable(documentElement, block);
        std::vector<XStyle*> styles;
        for (std::int32_t i = 1; i <= table->getCount(); ++i) styles.push_back(table->get(i));
        return styles;
    }
    // The records in force at a unit of the main story.
    const XForm& formAt(const storytest::LoadedStory& story, std::int32_t unit) {
        std::int32_t found = 0;
        for (std::int32_t i = 0; i + 1 < story.formCount; ++i)
            if (story.forms[i].position <= unit) found = i;
        return story.forms[found];
    }
    const XRule& ruleAt(const storytest::LoadedStory& story, std::int32_t unit) {
        std::int32_t found = 0;
        for (std::int32_t i = 0; i + 1 < story.ruleCount; ++i)
            if (story.rules[i].position <= unit) found = i;
        return story.rules[found];
    }
    static std::int32_t unitOf(const storytest::LoadedStory& story, const std::u16string& text) {
        return static_cast<std::int32_t>(story.textString().find(text));
    }

    std::unique_ptr<CStyleArray> table;
};

TEST_F(StylesTest, TheStyleTableKeepsEachIdentifierOnceWithItsLinks) {
    ASSERT_EQ(import(fixture("styles-chain.xml")), 0);
    const auto styles = storedStyles();
    ASSERT_EQ(styles.size(), 6u) << "a second \"normal\" and a style without identifier are dropped";
    const struct {
        const char* name;
        std::int16_t type;
        std::int16_t isDefault;
        std::int32_t base;
        std::int32_t next;
        std::int32_t bits;
    } expected[] = {
        {"Normal", 2, 1, -1, -1, 0},
        {"heading 1", 2, 0, 1, 1, 0},
        {"heading 2", 2, 0, kHeading1, -1, 0},
        {"Default Paragraph Font", 3, 1, -1, -1, 0x4},
        {"Emphasis", 3, 0, 4, -1, 0},
        {"Outline", 5, 0, -1, -1, 0},  // "list" is a numbering style; its basedOn names no style
    };
    for (std::size_t i = 0; i < styles.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_STREQ(styles[i]->styleName, expected[i].name);
        EXPECT_EQ(styles[i]->styleIndx, static_cast<std::int32_t>(i + 1));
        EXPECT_EQ(styles[i]->styleType, expected[i].type);
        EXPECT_EQ(styles[i]->styleFlag, expected[i].isDefault);
        EXPECT_EQ(styles[i]->styleBase, expected[i].base);
        EXPECT_EQ(styles[i]->styleNext, expected[i].next);
        EXPECT_EQ(styles[i]->styleBits, expected[i].bits);
        EXPECT_EQ(styles[i]->styleSubCount, 0);
    }
    EXPECT_EQ(styles[0]->styleRule.spaceAfter, 200) << "the style's own records are stored";
    EXPECT_EQ(styles[1]->styleForm.txtFace & kFaceBold, kFaceBold);
}

TEST_F(StylesTest, ParagraphsAndRunsTakeTheirStyleChains) {
    ASSERT_EQ(import(fixture("styles-chain.xml")), 0);
    const auto main = story();
    ASSERT_NE(main, nullptr);
    const struct {
        const char16_t* text;
        std::int32_t paragraphStyle;
        std::int16_t spaceBefore;
        std::int16_t spaceAfter;
        std::int16_t keepNext;
        std::int32_t characterStyle;
        std::int16_t size;
        std::uint32_t faces;
    } cases[] = {
        // The default paragraph style formats a paragraph that names none, and leaves its tag.
        {u"Body", -1, 0, 200, 0, -1, 110, 0},
        {u"Head", kHeading1, 240, 200, 1, -1, 160, kFaceBold},
        // A character style's faces join those the paragraph style gave the run.
        {u"Stress", kHeading1, 240, 200, 1, kEmphasis, 160, kFaceBold | kFaceItalic},
        // Three styles deep: the nearest spacing after wins, the rest comes from farther up.
        {u"Sub", kHeading2, 240, 100, 1, -1, 160, kFaceBold},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.text, test.text + std::char_traits<char16_t>::length(test.text)));
        const std::int32_t unit = unitOf(*main, test.text);
        ASSERT_GE(unit, 0);
        const XRule& rule = ruleAt(*main, unit);
        const XForm& form = formAt(*main, unit);
        EXPECT_EQ(rule.styleTag, test.paragraphStyle);
        EXPECT_EQ(rule.spaceBefore, test.spaceBefore);
        EXPECT_EQ(rule.spaceAfter, test.spaceAfter);
        EXPECT_EQ(rule.keepNext, test.keepNext);
        EXPECT_EQ(form.styleTag, test.characterStyle);
        EXPECT_EQ(form.txtSize, test.size);
        EXPECT_EQ(form.txtFace & (kFaceBold | kFaceItalic), test.faces);
    }
}

// A basedOn chain that comes round stops at the first style met twice: the styles gathered before it
// still apply, and the file converts.
TEST_F(StylesTest, ABasedOnCycleKeepsWhatTheChainGathered) {
    const struct {
        const char* title;
        std::string styles;
    } cases[] = {
        {"a style based on itself",
         "<w:style w:type=\"paragraph\" w:styleId=\"A\"><w:basedOn w:val=\"a\"/>"
         "<w:pPr><w:spacing w:before=\"11\" w:after=\"22\"/><w:jc w:val=\"center\"/></w:pPr></w:style>"},
        {"two styles",
         "<w:style w:type=\"paragraph\" w:styleId=\"A\"><w:basedOn w:val=\"B\"/><w:pPr><w:spacing w:before=\"11\"/></w:pPr></w:style>"
         "<w:style w:type=\"paragraph\" w:styleId=\"B\"><w:basedOn w:val=\"A\"/>"
         "<w:pPr><w:spacing w:before=\"99\" w:after=\"22\"/><w:jc w:val=\"center\"/></w:pPr></w:style>"},
        {"three styles",
         "<w:style w:type=\"paragraph\" w:styleId=\"A\"><w:basedOn w:val=\"B\"/><w:pPr><w:spacing w:before=\"11\"/></w:pPr></w:style>"
         "<w:style w:type=\"paragraph\" w:styleId=\"B\"><w:basedOn w:val=\"C\"/><w:pPr><w:spacing w:after=\"22\"/></w:pPr></w:style>"
         "<w:style w:type=\"paragraph\" w:styleId=\"C\"><w:basedOn w:val=\"A\"/>"
         "<w:pPr><w:spacing w:before=\"77\" w:after=\"77\"/><w:jc w:val=\"center\"/></w:pPr></w:style>"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        const std::string body = "<w:p><w:pPr><w:pStyle w:val=\"A\"/></w:pPr><w:r><w:t>Round</w:t></w:r></w:p>";
        ASSERT_EQ(import(wordDocument(body, "<w:styles>" + test.styles + "</w:styles>")), 0);
        const auto main = story();
        ASSERT_NE(main, nullptr);
        const XRule& rule = ruleAt(*main, 0);
        EXPECT_EQ(rule.styleTag, 1);
        EXPECT_EQ(rule.spaceBefore, 11) << "the named style is nearest";
        EXPECT_EQ(rule.spaceAfter, 22);
        EXPECT_EQ(rule.justification, 1) << "the farthest style of the chain applies too";
    }
}

TEST_F(StylesTest, DocumentDefaultsStartEveryParagraph) {
    const std::string styles =
        "<w:styles><w:docDefaults><w:rPrDefault><w:rPr><w:sz w:val=\"28\"/></w:rPr></w:rPrDefault>"
        "<w:pPrDefault><w:pPr><w:spacing w:after=\"120\"/></w:pPr></w:pPrDefault></w:docDefaults>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Big\"><w:rPr><w:sz w:val=\"40\"/></w:rPr></w:style></w:styles>";
    const std::string body = "<w:p><w:r><w:t>Plain</w:t></w:r></w:p>"
                             "<w:p><w:pPr><w:pStyle w:val=\"Big\"/></w:pPr><w:r><w:t>Large</w:t></w:r></w:p>";
    ASSERT_EQ(import(wordDocument(body, styles)), 0);
    const auto main = story();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(formAt(*main, unitOf(*main, u"Plain")).txtSize, 140);
    EXPECT_EQ(ruleAt(*main, unitOf(*main, u"Plain")).spaceAfter, 120);
    EXPECT_EQ(formAt(*main, unitOf(*main, u"Large")).txtSize, 200);
    EXPECT_EQ(ruleAt(*main, unitOf(*main, u"Large")).spaceAfter, 120);
    EXPECT_EQ(storedStyles().size(), 1u) << "the defaults are no style of the table";
}

// A paragraph style that names a list instance numbers its paragraphs; the level that names the style
// back gives the style its indents. The instance number (5) and the definition's id (3) differ, so
// the style is tied through the instance.
TEST_F(StylesTest, AParagraphStyleThatNamesAListNumbersItsParagraphs) {
    const std::string styles =
        "<w:styles>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Numbered\"><w:pPr><w:listPr><w:ilvl w:val=\"0\"/>"
        "<w:ilfo w:val=\"5\"/></w:listPr></w:pPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Unnamed\"><w:pPr><w:listPr><w:ilvl w:val=\"1\"/>"
        "<w:ilfo w:val=\"5\"/></w:listPr><w:ind w:left=\"200\"/></w:pPr></w:style></w:styles>";
    const std::string lists =
        "<w:lists><w:listDef w:listDefId=\"3\">"
        "<w:lvl w:ilvl=\"0\"><w:start w:val=\"1\"/><w:nfc w:val=\"0\"/><w:lvlText w:val=\"%1.\"/>"
        "<w:pStyle w:val=\"Numbered\"/><w:pPr><w:ind w:left=\"1080\" w:hanging=\"360\"/></w:pPr></w:lvl>"
        "<w:lvl w:ilvl=\"1\"><w:start w:val=\"1\"/><w:nfc w:val=\"4\"/><w:lvlText w:val=\"%2)\"/>"
        "<w:pPr><w:ind w:left=\"1800\" w:hanging=\"360\"/></w:pPr></w:lvl></w:listDef>"
        "<w:list w:ilfo=\"5\"><w:ilst w:val=\"3\"/></w:list></w:lists>";
    const std::string body = "<w:p><w:pPr><w:pStyle w:val=\"Numbered\"/></w:pPr><w:r><w:t>First</w:t></w:r></w:p>"
                             "<w:p><w:r><w:t>Plain</w:t></w:r></w:p>"
                             "<w:p><w:pPr><w:pStyle w:val=\"Unnamed\"/></w:pPr><w:r><w:t>Inner</w:t></w:r></w:p>";
    ASSERT_EQ(import(wordDocument(body, styles + lists)), 0);

    const auto stored = storedStyles();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0]->styleRule.level.ls, 5);
    EXPECT_EQ(stored[0]->styleRule.indentLeft, 1080) << "the level that names the style gives its indents";
    EXPECT_EQ(stored[1]->styleRule.level.ls, 5);
    EXPECT_EQ(stored[1]->styleRule.indentLeft, 200) << "no level names this style: it keeps its own indent";

    const auto main = story();
    ASSERT_NE(main, nullptr);
    const struct {
        const char16_t* text;
        std::int32_t ls;
        std::int16_t ilvl;
        std::int32_t indentLeft;
    } cases[] = {
        {u"First", 5, 0, 1080},
        {u"Plain", 0, 0, 0},
        // The paragraph's level lays its indent over the style's.
        {u"Inner", 5, 1, 1800},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.text, test.text + std::char_traits<char16_t>::length(test.text)));
        const XRule& rule = ruleAt(*main, unitOf(*main, test.text));
        EXPECT_EQ(rule.level.ls, test.ls);
        EXPECT_EQ(rule.level.ilvl, test.ilvl);
        EXPECT_EQ(rule.indentLeft, test.indentLeft);
    }
}

// Look-ups are remembered: an identifier asked for before its style was added must find it afterwards,
// and any spelling that differs only in case finds the first style of the identifier.
TEST(StyleLookUpTest, FindsStylesAddedAfterAnEarlierLookUpAndIgnoresCase) {
    TStylesArray sheet;
    auto add = [&](const char* identifier) {
        auto style = std::make_unique<TStyle>(0);
        style->styleId = identifier;
        return sheet.appendStyle(style);
    };
    EXPECT_EQ(sheet.findStyle("Heading1"), nullptr);
    EXPECT_EQ(sheet.findStyle("heading1"), nullptr);
    ASSERT_EQ(add("Normal"), 1);
    ASSERT_EQ(add("Heading1"), 1);
    EXPECT_EQ(add("HEADING1"), 0);  // the first style of an identifier wins
    const struct {
        const char* asked;
        std::int32_t index;
    } cases[] = {{"Heading1", 2}, {"heading1", 2}, {"normal", 1}, {"Heading2", -1}};
    for (int round = 0; round < 2; ++round) {  // the second round answers from what the first found
        for (const auto& c : cases) EXPECT_EQ(sheet.styleIndex(c.asked), c.index) << c.asked << " round " << round;
    }
    ASSERT_EQ(add("Heading2"), 1);
    EXPECT_EQ(sheet.styleIndex("Heading2"), 3);
}

}  // namespace
}  // namespace wordmltest
