// Word 2003 feature documents (tests/data/app/features-*.xml) converted by the program to RTF and read
// back by LibreOffice as flat ODF: the run properties, comment, tables, link, bookmark, fields, tracked
// changes, sections, lists and styles that LibreOffice finds are the ones the documents hold. The
// documents are converted once for each suite (starting LibreOffice costs seconds).
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "tests/app/ProgramRunSupport.h"
#include "tests/app/oracle/OfficeReadBack.h"
#include "tests/support/FlatDocument.h"

namespace {

const std::string kFixtures = VDK_TEST_DATA_DIR "/";
const char* const kDocuments[] = {"features-text", "features-tables", "features-sections", "features-lists",
                                  "features-styles"};

// A flat ODF document parsed by libxml2, asked with XPath under the usual ODF prefixes.
using testsupport::FlatDocument;

// One property that LibreOffice must find: the document, what is looked for, and an XPath expression
// that finds at least one node when it is there.
struct Finding {
    const char* document;
    const char* what;
    std::string expression;
};

// The automatic or named text style of a span, by a property of its text properties.
std::string spanWith(const std::string& property, const std::string& text) {
    return "//text:span[contains(., '" + text + "')][@text:style-name = //style:style[style:text-properties/@" + property +
           "]/@style:name]";
}

// Text that takes the property (of the text properties, or of the properties named) from a style: its
// span's or its paragraph's style, or a style that style is based on (up to three steps up).
std::string styledWith(const std::string& property, const std::string& text,
                       const std::string& properties = "style:text-properties") {
    std::string level = "//style:style[" + properties + "/@" + property + "]/@style:name";
    std::string condition = "@text:style-name = " + level;
    for (int step = 0; step < 3; ++step) {
        level = "//style:style[@style:parent-style-name = " + level + "]/@style:name";
        condition += " or @text:style-name = " + level;
    }
    return "//*[self::text:span or self::text:p or self::text:h][contains(., '" + text + "')][" + condition + "]";
}

class WordFeaturesOracle : public apptest::ReadBackSuite<WordFeaturesOracle> {
protected:
    static void expectFindings(const std::vector<Finding>& findings) {
        for (const Finding& finding : findings) {
            const FlatDocument& document = *shared->documents.at(finding.document);
            EXPECT_GE(document.evaluate(finding.expression), 1)
                << finding.document << ": " << finding.what << "\n  " << finding.expression;
        }
    }
    static double evaluate(const char* document, const std::string& expression) {
        return shared->documents.at(document)->evaluate(expression);
    }
    static std::vector<std::string> linesOf(const char* document) { return shared->lines(document); }

private:
    // The program converts every document to RTF in one run; LibreOffice reads them all in one call.
    void prepare(apptest::OfficeReadBack& readBack) override {
        std::vector<std::string> arguments;
        std::vector<std::string> stems;
        for (const char* name : kDocuments) {
            std::filesystem::copy_file(kFixtures + name + ".xml", temporary.file(std::string(name) + ".xml"));
            arguments.push_back(std::string(name) + ".xml");
            stems.push_back(name);
        }
        const std::vector<std::string> rtfFiles = convertToRtfInto(arguments, stems, readBack.folder, readBack.problem);
        if (!rtfFiles.empty()) readBack.read(rtfFiles, stems);
    }
};

// Two suites, so that ctest runs the list checks in a process of their own beside the others.
class WordFeaturesOracleTest : public WordFeaturesOracle {};
class WordListsOracleTest : public WordFeaturesOracle {};

TEST_F(WordFeaturesOracleTest, RunsKeepTheirProperties) {
    expectFindings({
        {"features-text", "bold", spanWith("fo:font-weight='bold'", "Bold")},
        {"features-text", "italic", spanWith("fo:font-style='italic'", "Italic")},
        {"features-text", "size", spanWith("fo:font-size='24pt'", "Large")},
        {"features-text", "colour", spanWith("fo:color='#ff0000'", "Red")},
    });
    EXPECT_EQ(evaluate("features-text", spanWith("fo:font-weight='bold'", "Plain")), 0) << "the plain run stays plain";
}

TEST_F(WordFeaturesOracleTest, ACommentIsAnAnnotationBesideItsText) {
    expectFindings({
        {"features-text", "the comment", "//office:annotation[contains(., 'A remark.')]"},
        {"features-text", "the comment's text is not in the paragraph",
         "//text:p[text:span[contains(., 'commented')]][not(text:span[contains(., 'A remark')])]"},
    });
}

TEST_F(WordFeaturesOracleTest, LinksBookmarksAndFields) {
    expectFindings({
        {"features-text", "hyperlink", "//text:a[@xlink:href='http://example.com/target'][. = 'Example site']"},
        {"features-text", "bookmark", "//text:bookmark-start[@text:name='Target'] | //text:bookmark[@text:name='Target']"},
        {"features-text", "page field", "//text:page-number"},
        {"features-text", "date field", "//text:date"},
    });
}

TEST_F(WordFeaturesOracleTest, TrackedChangesKeepTheirKindAndAuthor) {
    const auto changed = [](const char* kind, const char* text) {
        return "//text:change-start[@text:change-id = //text:changed-region[text:" + std::string(kind) +
               "/office:change-info/dc:creator = 'Ann Author']/@text:id]/following-sibling::*[1][. = '" + text + "']";
    };
    expectFindings({
        {"features-text", "insertion", changed("insertion", "inserted")},
        {"features-text", "deletion", changed("deletion", "removed")},
    });
}

TEST_F(WordFeaturesOracleTest, ATableWithMergedCellsAndANestedTable) {
    const std::string outer = "/office:document/office:body/office:text/table:table";
    EXPECT_EQ(evaluate("features-tables", "count(" + outer + ")"), 1);
    EXPECT_EQ(evaluate("features-tables", "count(" + outer + "/table:table-row)"), 3);
    expectFindings({
        {"features-tables", "cells merged across",
         outer + "/table:table-row[1]/table:table-cell[@table:number-columns-spanned='2'][normalize-space(.)='Wide']"},
        {"features-tables", "cells merged down",
         outer + "/table:table-row[1]/table:table-cell[@table:number-rows-spanned='2'][normalize-space(.)='Tall']"},
        {"features-tables", "the nested table in its cell",
         outer + "/table:table-row[2]/table:table-cell[2]/table:table/table:table-row/table:table-cell[normalize-space(.)='Inner2']"},
        {"features-tables", "the cell's own text after the nested table",
         outer + "/table:table-row[2]/table:table-cell[2]/text:p[normalize-space(.)='B2']"},
        {"features-tables", "the last row", outer + "/table:table-row[3]/table:table-cell[3][normalize-space(.)='C3']"},
    });
}

TEST_F(WordFeaturesOracleTest, TwoSectionsKeepTheirPageSizes) {
    const auto layout = [](const char* width, const char* height) {
        return "//style:page-layout[style:page-layout-properties[@fo:page-width='" + std::string(width) +
               "'][@fo:page-height='" + height + "']]/@style:name";
    };
    // The first section's page is the document's first page style; the second starts a page style of
    // its own at its first paragraph.
    expectFindings({
        {"features-sections", "the letter section",
         "//style:master-page[@style:name='Standard'][@style:page-layout-name = " + layout("8.5in", "11in") + "]"},
        {"features-sections", "the first paragraph starts no page style",
         "//text:p[contains(., 'On a letter page.')][not(@text:style-name = //style:style[@style:master-page-name]/@style:name)]"},
        {"features-sections", "the landscape section",
         "//text:p[contains(., 'On a landscape page.')][@text:style-name = //style:style[@style:master-page-name = "
         "//style:master-page[@style:page-layout-name = " + layout("11in", "8.5in") + "]/@style:name]/@style:name]"},
    });
}

// A style's name as LibreOffice keeps it: its display name, or its name when that needs no escaping.
std::string styleNamed(const char* family, const char* name) {
    return "//style:style[@style:family='" + std::string(family) + "'][@style:display-name='" + name +
           "' or @style:name='" + name + "']";
}

// What the styles give reaches the text: the heading takes bold and its spacing from the style it is
// based on and its size from its own; the run takes italic from its character style's base and red
// from its own.
TEST_F(WordFeaturesOracleTest, StylesBasedOnStylesFormatTheirText) {
    expectFindings({
        {"features-styles", "bold from the base style", styledWith("fo:font-weight='bold'", "A Heading")},
        {"features-styles", "the heading's own size", styledWith("fo:font-size='20pt'", "A Heading")},
        {"features-styles", "spacing from the base style",
         styledWith("fo:margin-top='0.1665in'", "A Heading", "style:paragraph-properties")},
        {"features-styles", "italic from the character style's base", styledWith("fo:font-style='italic'", "marked words")},
        {"features-styles", "the character style's own colour", styledWith("fo:color='#ff0000'", "marked words")},
    });
    EXPECT_EQ(evaluate("features-styles", styledWith("fo:font-style='italic'", "Body with")), 0) << "unstyled text";
}

// The style sheet keeps the chains: the heading style is based on the base heading, the character
// style on its base, and the text names them.
TEST_F(WordFeaturesOracleTest, TheStyleSheetKeepsItsBasedOnChains) {
    const std::string heading = std::string("(") + styleNamed("paragraph", "heading 1") + " | " + styleNamed("paragraph", "Heading 1") + ")";
    expectFindings({
        {"features-styles", "the heading style's base",
         heading + "[@style:parent-style-name = " + styleNamed("paragraph", "Base Heading") + "/@style:name]"},
        {"features-styles", "the character style's base",
         styleNamed("text", "Strongly Marked") + "[@style:parent-style-name = " + styleNamed("text", "Marked") + "/@style:name]"},
        {"features-styles", "the heading paragraph names its style",
         "//text:h[contains(., 'A Heading')][@text:style-name = " + heading + "/@style:name or @text:style-name = "
         "//style:style[@style:parent-style-name = " + heading + "/@style:name]/@style:name]"},
        {"features-styles", "the run names its character style",
         "//text:span[contains(., 'marked words')][@text:style-name = " + styleNamed("text", "Strongly Marked") +
             "/@style:name]"},
    });
}

// A numbered list of three levels whose numbering restarts, and a bulleted list: LibreOffice nests the
// levels and numbers the items as the list definitions say.
TEST_F(WordListsOracleTest, NumberedAndBulletedLists) {
    expectFindings({
        {"features-lists", "the third level inside the second",
         "//text:list-item/text:list/text:list-item/text:list/text:list-item[normalize-space(.)='One innermost']"},
        {"features-lists", "a bulleted item", "//text:list-item[normalize-space(.)='Bullet two']"},
    });
    const std::vector<std::string> lines = linesOf("features-lists");
    const struct {
        const char* what;
        const char* pattern;  // one line of LibreOffice's text
    } labels[] = {
        {"first level", R"(\s*1\.\s+One)"},
        {"second level, letters", R"(\s*a\)\s+One inner)"},
        {"third level, roman numbers", R"(\s*i\.\s+One innermost)"},
        {"the first level goes on", R"(\s*2\.\s+Two)"},
        {"the restart", R"(\s*1\.\s+Again)"},
        // The Symbol bullet reads as U+2022; a number here would mean the bullets joined the numbered list.
        {"a bullet", "\\s*\u2022\\s+Bullet one"},
        {"the second bullet", "\\s*\u2022\\s+Bullet two"},
    };
    for (const auto& label : labels) {
        const std::regex pattern(label.pattern);
        bool found = false;
        for (const std::string& line : lines) found = found || std::regex_match(line, pattern);
        EXPECT_TRUE(found) << label.what << ": no line matches " << label.pattern;
    }
}

}  // namespace
