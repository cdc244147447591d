// Paragraph properties of Word 2003 documents as they reach the storage: each case is one paragraph
// with its w:pPr, and the paragraph record read back from the main story.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "model/records/paragraph/XRule.h"
#include "model/story/RunLookup.h"
#include "model/story/StoryKinds.h"
#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class ParagraphPropertiesTest : public WordMLImportTest {
protected:
    // The record of the first paragraph of a document whose body is the paragraphs given.
    XRule firstRule(const std::string& body) {
        EXPECT_EQ(import(wordDocument(body)), 0);
        loaded = story(storykind::kMain);
        EXPECT_NE(loaded, nullptr);
        if (loaded == nullptr || loaded->ruleCount == 0) return XRule{};
        return loaded->rules[0];
    }
    static std::string paragraph(const std::string& properties, const std::string& content = "<w:r><w:t>x</w:t></w:r>") {
        return "<w:p><w:pPr>" + properties + "</w:pPr>" + content + "</w:p>";
    }
    std::unique_ptr<storytest::LoadedStory> loaded;
};

struct RuleCase {
    const char* title;
    const char* properties;
    std::function<void(const XRule&)> check;
};

TEST_F(ParagraphPropertiesTest, EachPropertyReachesItsField) {
    const RuleCase cases[] = {
        {"on/off without a value turns on", "<w:keepNext/><w:keepLines w:val=\"on\"/>",
         [](const XRule& r) { EXPECT_EQ(r.keepNext, 1); EXPECT_EQ(r.keepLines, 1); }},
        {"on/off properties read their value", "<w:widowControl w:val=\"off\"/><w:pageBreakBefore w:val=\"false\"/><w:bidi w:val=\"0\"/>",
         [](const XRule& r) { EXPECT_EQ(r.widowControl, 0); EXPECT_EQ(r.pageBreakBefore, 0); EXPECT_EQ(r.direction, 0); }},
        {"right to left", "<w:bidi/>", [](const XRule& r) { EXPECT_EQ(r.direction, 1); }},
        // A line is 12 points: one and a half lines before are 360 twips, a quarter line after 60.
        {"lines win over points, kept in twips", "<w:spacing w:before=\"100\" w:before-lines=\"150\" w:after=\"120\" w:afterLines=\"25\"/>",
         [](const XRule& r) {
             EXPECT_EQ(r.spaceBefore, 360); EXPECT_EQ(r.spaceBeforeUnit, 0);
             EXPECT_EQ(r.spaceAfter, 60); EXPECT_EQ(r.spaceAfterUnit, 0);
         }},
        {"points alone", "<w:spacing w:before=\"240\" w:after=\"120\"/>",
         [](const XRule& r) {
             EXPECT_EQ(r.spaceBefore, 240); EXPECT_EQ(r.spaceBeforeUnit, 0);
             EXPECT_EQ(r.spaceAfter, 120); EXPECT_EQ(r.spaceAfterUnit, 0);
         }},
        {"automatic line rule without a line", "<w:spacing w:line-rule=\"auto\"/>",
         [](const XRule& r) { EXPECT_EQ(r.leading, 0); EXPECT_EQ(r.leadingUnit, -1); }},
        {"exact line", "<w:spacing w:line=\"300\" w:lineRule=\"exact\"/>",
         [](const XRule& r) { EXPECT_EQ(r.leading, 300); EXPECT_EQ(r.leadingUnit, 1); }},
        {"first line wins over hanging", "<w:ind w:left=\"720\" w:right-chars=\"150\" w:hanging=\"360\" w:first-line=\"200\"/>",
         [](const XRule& r) {
             EXPECT_EQ(r.indentLeft, 720); EXPECT_EQ(r.indentRightCh, 150);
             EXPECT_EQ(r.indentFirst, 200); EXPECT_EQ(r.indentHanging, 0);
         }},
        {"hanging alone", "<w:ind w:hanging=\"360\"/>",
         [](const XRule& r) { EXPECT_EQ(r.indentHanging, 360); EXPECT_EQ(r.indentFirst, 0); }},
        {"justified, any case", "<w:jc w:val=\"Both\"/>", [](const XRule& r) { EXPECT_EQ(r.justification, 3); }},
        {"outline level 0 is stored as 1", "<w:outlineLvl w:val=\"0\"/>",
         [](const XRule& r) { EXPECT_EQ(r.outlineLevelOrSubdocument, 1); }},
        {"top and bottom borders", "<w:pBdr><w:top w:val=\"single\" w:sz=\"8\"/><w:between w:val=\"double\"/><w:bottom w:val=\"double\" w:sz=\"4\" w:space=\"1\"/></w:pBdr>",
         [](const XRule& r) {
             EXPECT_EQ(r.borderType, 3);
             EXPECT_EQ(r.borderTop.borderType, 1); EXPECT_EQ(r.borderTop.borderSize, 20);
             EXPECT_EQ(r.borderBottom.borderType, 3); EXPECT_EQ(r.borderBottom.borderSpace, 20);
             EXPECT_EQ(r.borderLeft.borderType, 0);
         }},
        {"shading", "<w:shd w:val=\"pct-20\" w:color=\"auto\" w:fill=\"FFFF00\"/>",
         [](const XRule& r) {
             EXPECT_EQ(r.shadingType, 1); EXPECT_EQ(r.shading.patternType, 220);
             EXPECT_EQ(r.shading.patternFill.blue, 0); EXPECT_EQ(r.shading.patternFill.red, 65535);
         }},
        {"a frame", "<w:framePr w:w=\"2000\" w:drop-cap=\"drop\" w:lines=\"2\"/>",
         [](const XRule& r) { EXPECT_EQ(r.frameType, 1); EXPECT_EQ(r.frame.width, 2000); EXPECT_EQ(r.frame.dropcapLines, 2); }},
        {"tab stops, one cleared that matches", "<w:tabs><w:tab w:val=\"left\" w:pos=\"720\"/><w:tab w:val=\"decimal\" w:leader=\"dot\" w:pos=\"1440\"/>"
         "<w:tab w:val=\"right\" w:pos=\"2160\"/><w:tab w:val=\"clear\" w:pos=\"1440\"/><w:tab w:val=\"clear\" w:pos=\"999\"/><w:tab w:val=\"center\"/></w:tabs>",
         [](const XRule& r) {
             ASSERT_EQ(r.tabs.tabs, 2);
             EXPECT_EQ(r.tabs.tab[0].tabIndent, 720);
             EXPECT_EQ(r.tabs.tab[1].tabIndent, 2160); EXPECT_EQ(r.tabs.tab[1].tabJust, 2);
         }},
        {"a leader", "<w:tabs><w:tab w:val=\"decimal\" w:leader=\"middle-dot\" w:pos=\"1440\"/></w:tabs>",
         [](const XRule& r) {
             ASSERT_EQ(r.tabs.tabs, 1);
             EXPECT_EQ(r.tabs.tab[0].tabJust, 4); EXPECT_EQ(r.tabs.tab[0].tabLead, static_cast<std::int16_t>(0xFFA5));
         }},
        {"list membership", "<w:listPr><w:ilvl w:val=\"2\"/><w:ilfo w:val=\"5\"/><wx:t wx:val=\"\xC2\xB7\" wx:wTabBefore=\"360\"/>"
         "<wx:font wx:val=\"Symbol\"/></w:listPr>",
         [](const XRule& r) {
             EXPECT_EQ(r.level.ilvl, 2); EXPECT_EQ(r.level.ls, 5); EXPECT_EQ(r.level.wTabBefore, 360);
             EXPECT_STREQ(r.level.font, "Symbol");
             ASSERT_EQ(r.level.textLength, 1u);
             ASSERT_NE(r.level.text, nullptr);
             EXPECT_EQ(r.level.text[0], u'\u00B7');
         }},
        {"another namespace is not ours", "<x:jc xmlns:x=\"urn:other\" x:val=\"center\"/><jc xmlns=\"urn:other\" val=\"right\"/>",
         [](const XRule& r) { EXPECT_EQ(r.justification, 0); }},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.title);
        c.check(firstRule(paragraph(c.properties)));
    }
}

TEST_F(ParagraphPropertiesTest, APositionalTabIsTheStopOnlyWhereAnUnknownChildLooksForIt) {
    const std::string ptabRun = "<w:r><w:t>a</w:t><w:ptab w:alignment=\"right\" w:relativeTo=\"margin\" w:leader=\"dot\"/></w:r>";
    XRule known = firstRule(paragraph("<w:jc w:val=\"left\"/>", ptabRun));
    EXPECT_EQ(known.tabs.tabs, 0) << "only known children: no look for a positional tab";

    XRule unknown = firstRule(paragraph("<w:pPrChange/>", ptabRun));
    ASSERT_EQ(unknown.tabs.tabs, 1);
    EXPECT_EQ(unknown.tabs.tab[0].tabJust, 2);
    EXPECT_EQ(unknown.tabs.tab[0].tabLead, 46);
    EXPECT_GT(unknown.tabs.tab[0].tabIndent, 0) << "right of the space between the margins";
}

TEST_F(ParagraphPropertiesTest, TabStopsBeyondWhatTheRuleHoldsAreDropped) {
    std::string tabs = "<w:tabs>";
    for (int i = 1; i <= 70; ++i) tabs += "<w:tab w:val=\"left\" w:pos=\"" + std::to_string(i * 100) + "\"/>";
    tabs += "</w:tabs>";
    XRule rule = firstRule(paragraph(tabs));
    ASSERT_EQ(rule.tabs.tabs, kMaxTabs);
    EXPECT_EQ(rule.tabs.tab[kMaxTabs - 1].tabIndent, kMaxTabs * 100);
}

TEST_F(ParagraphPropertiesTest, ParagraphsSharingALevelTextKeepItWhole) {
    // Two list paragraphs name the same level text, and one names a second text twice: each record reads
    // its own text back, and the importer's end frees each text once (the sanitizer build checks that).
    const std::string list = "<w:listPr><w:ilfo w:val=\"1\"/><wx:t wx:val=\"1.\"/></w:listPr>";
    const std::string replaced = "<w:listPr><w:ilfo w:val=\"1\"/><wx:t wx:val=\"a)\"/><wx:t wx:val=\"1.\"/></w:listPr>";
    ASSERT_EQ(import(wordDocument(paragraph(list) + paragraph(replaced) + paragraph("<w:listPr><wx:t wx:val=\"ii.\"/></w:listPr>"))), 0);
    auto main = story(storykind::kMain);
    ASSERT_NE(main, nullptr);
    ASSERT_GE(main->ruleCount, 3);
    const std::u16string expected[] = {u"1.", u"1.", u"ii."};
    for (int i = 0; i < 3; ++i) {
        const XLevel& level = main->rules[i].level;
        ASSERT_NE(level.text, nullptr) << i;
        EXPECT_EQ(std::u16string(level.text, level.textLength), expected[i]) << i;
    }
}

// A paragraph's record is made at its first run and given to its other runs: every unit of a paragraph,
// in the body or in a table cell, reads back under its own paragraph's record, never the one before.
TEST_F(ParagraphPropertiesTest, EveryRunOfAParagraphCarriesItsOwnParagraphsRecord) {
    const auto runs = [](const char* letters) {
        std::string content;
        for (const char* letter = letters; *letter != '\0'; ++letter)
            content += std::string("<w:r><w:rPr>") + (letter - letters == 1 ? "<w:b/>" : "") + "</w:rPr><w:t>" +
                       *letter + "</w:t></w:r>";
        return content;
    };
    const auto cell = [&](const char* justification, const char* letters) {
        return "<w:tc>" + paragraph(std::string("<w:jc w:val=\"") + justification + "\"/>", runs(letters)) + "</w:tc>";
    };
    ASSERT_EQ(import(wordDocument(paragraph("<w:jc w:val=\"center\"/>", runs("abc")) +
                                  "<w:tbl><w:tr>" + cell("right", "de") + cell("center", "fgh") + "</w:tr></w:tbl>" +
                                  paragraph("<w:jc w:val=\"right\"/>", runs("ij")))),
              0);
    const std::map<char16_t, std::int16_t> justifications = {{u'a', 1}, {u'b', 1}, {u'c', 1}, {u'd', 2}, {u'e', 2},
                                                             {u'f', 1}, {u'g', 1}, {u'h', 1}, {u'i', 2}, {u'j', 2}};
    for (const std::int16_t kind : {storykind::kMain, storykind::kTable}) {
        auto loaded = story(kind);
        ASSERT_NE(loaded, nullptr) << kind;
        const std::u16string text = loaded->textString();
        const bool inCells = kind == storykind::kTable;
        for (const auto& [letter, justification] : justifications) {
            if ((letter >= u'd' && letter <= u'h') != inCells) continue;
            const std::size_t position = text.find(letter);
            ASSERT_NE(position, std::u16string::npos) << static_cast<char>(letter);
            XRule rule{};
            findXRuleAt(loaded->rules, loaded->ruleCount, static_cast<std::int32_t>(position), &rule);
            EXPECT_EQ(rule.justification, justification) << static_cast<char>(letter);
            EXPECT_EQ(rule.cellOfRow, inCells ? 1 : 0) << static_cast<char>(letter);
        }
    }
}

}  // namespace
}  // namespace wordmltest
