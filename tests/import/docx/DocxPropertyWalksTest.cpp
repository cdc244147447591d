// The walks over the property parts of a Word 2007 package, run on small parts without a package:
// the character counts of the extended properties, the texts of the core properties and the settings.
#include <gtest/gtest.h>

#include <libxml/parser.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "import/docx/CoreProperties.h"
#include "import/docx/DocumentSettings.h"
#include "import/docx/ExtendedProperties.h"
#include "import/docx/PartDocument.h"

namespace {

constexpr const char* kWordNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

PartDocument parse(const std::string& xml) {
    PartDocument document(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, XML_PARSE_NONET));
    EXPECT_NE(document, nullptr) << xml;
    return document;
}

const xmlNode* rootOf(const PartDocument& document) { return xmlDocGetRootElement(document.get()); }

std::string appPart(const std::string& children) {
    return "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\">" +
           children + "</Properties>";
}

struct CountCase {
    const char* children;
    std::int32_t expected;  // starting from 5
};

TEST(DocxExtendedPropertiesTest, CharacterCountsEstimateTheMainStory) {
    const CountCase cases[] = {
        {"<Characters>1000</Characters>", 1400},
        {"<CharactersWithSpaces>1000</CharactersWithSpaces>", 1200},
        {"<Characters>7</Characters>", 9},
        // The later count wins: damaged parts disagree with themselves.
        {"<Characters>1000</Characters><CharactersWithSpaces>1200</CharactersWithSpaces>", 1440},
        {"<CharactersWithSpaces>1200</CharactersWithSpaces><Characters>1000</Characters>", 1400},
        // A later count of 0 keeps the earlier estimate.
        {"<CharactersWithSpaces>1200</CharactersWithSpaces><Characters>0</Characters>", 1440},
        {"<charactersWithSpaces>10</charactersWithSpaces>", 12},
        {"<Characters>1,234</Characters>", 1},
        // No positive count: nothing stored.
        {"<Characters>-10</Characters>", 5},
        {"<Characters> 12</Characters>", 5},
        {"<Characters>many</Characters>", 5},
        {"<Characters>99999999999</Characters>", 5},
        {"<Pages>3</Pages><Company>Tea</Company>", 5},
        {"<HeadingPairs><Characters>1000</Characters></HeadingPairs>", 5},
        // Held at the largest estimate instead of wrapping.
        {"<Characters>2000000000</Characters>", INT_MAX},
    };
    for (const CountCase& test : cases) {
        const PartDocument part = parse(appPart(test.children));
        std::int32_t expected = 5;
        readExtendedProperties(rootOf(part), &expected);
        EXPECT_EQ(expected, test.expected) << test.children;
    }
}

std::string corePart(const std::string& children) {
    return "<cp:coreProperties "
           "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
           "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:d=\"http://purl.org/dc/elements/1.1/\" "
           "xmlns:dcterms=\"http://purl.org/dc/terms/\">" +
           children + "</cp:coreProperties>";
}

TEST(DocxCorePropertiesTest, TitleSubjectAndAuthorReachTheHead) {
    const PartDocument part = parse(corePart(
        "<dc:title>Th\xC3\xA9 \xE8\x8C\xB6</dc:title><d:subject>Leaves</d:subject><dc:creator>Ann</dc:creator>"
        "<dcterms:modified>2026-01-01</dcterms:modified><cp:lastModifiedBy>Bob</cp:lastModifiedBy>"));
    XHead head{};
    readCoreProperties(rootOf(part), &head);
    // é is one ISO 8859-1 byte; a CJK character becomes '?'.
    EXPECT_STREQ(head.originalTitle, "Th\xE9 ?");
    EXPECT_STREQ(head.originalSubject, "Leaves");
    EXPECT_STREQ(head.originalAuthor, "Ann");
}

TEST(DocxCorePropertiesTest, LongEmptyAndMisplacedTitles) {
    const std::string longTitle(200, 'x');
    struct Case {
        std::string children;
        std::string expected;
    } cases[] = {
        {"<dc:title>" + longTitle + "</dc:title>", std::string(127, 'x')},
        {"<dc:title>First</dc:title><dc:title></dc:title>", "First"},
        {"<dc:title>First</dc:title><dc:title>Second</dc:title>", "Second"},
        {"<dc:title>  </dc:title>", "  "},
        {"<cp:title>Core</cp:title>", "kept"},
        {"<cp:category><dc:title>Nested</dc:title></cp:category>", "kept"},
    };
    for (const Case& test : cases) {
        const PartDocument part = parse(corePart(test.children));
        XHead head{};
        std::strcpy(head.originalTitle, "kept");
        readCoreProperties(rootOf(part), &head);
        EXPECT_EQ(head.originalTitle, test.expected) << test.children;
    }
}

std::string settingsPart(const std::string& children) {
    return std::string("<w:settings xmlns:w=\"") + kWordNamespace + "\">" + children + "</w:settings>";
}

struct SettingsCase {
    const char* children;
    std::int16_t XHead::*field;
    std::int16_t expected;
};

TEST(DocxDocumentSettingsTest, SettingsReachTheHead) {
    const SettingsCase cases[] = {
        {"<w:view w:val=\"outline\"/>", &XHead::viewMode, 2},
        {"<w:view w:val=\"MASTER-PAGES\"/>", &XHead::viewMode, 3},
        {"<w:view w:val=\"web\"/><w:view w:val=\"normal\"/>", &XHead::viewMode, 4},
        {"<w:view w:val=\"web\"/><w:view w:val=\"sideways\"/>", &XHead::viewMode, 5},
        {"<w:view/>", &XHead::viewMode, 1},
        {"<w:zoom w:percent=\"120\" w:val=\"bestFit\"/>", &XHead::viewScale, 120},
        {"<w:zoom w:percent=\"120\" w:val=\"bestFit\"/>", &XHead::viewZoom, 2},
        {"<w:zoom w:percent=\"100.5\"/>", &XHead::viewScale, 100},
        // A zoom out of range is ignored, never wrapped.
        {"<w:zoom w:percent=\"40000\"/>", &XHead::viewScale, 100},
        {"<w:zoom w:percent=\"-5\"/>", &XHead::viewScale, 100},
        {"<w:zoom w:percent=\"x\" w:val=\"fullPage\"/>", &XHead::viewScale, 100},
        {"<w:zoom w:percent=\"x\" w:val=\"fullPage\"/>", &XHead::viewZoom, 1},
        {"<w:defaultTabStop w:val=\"708.5\"/>", &XHead::defaultTabWidth, 708},
        {"<w:defaultTabStop val=\"720\"/>", &XHead::defaultTabWidth, 720},
        {"<w:defaultTabStop w:val=\"40000\"/>", &XHead::defaultTabWidth, 0},
        {"<w:defaultTabStop w:val=\"-360\"/>", &XHead::defaultTabWidth, 0},
        // On/off settings read their value.
        {"<w:mirrorMargins/>", &XHead::mirrorMargins, 1},
        {"<w:mirrorMargins w:val=\"0\"/>", &XHead::mirrorMargins, 0},
        {"<w:mirrorMargins w:val=\"true\"/><w:mirrorMargins w:val=\"false\"/>", &XHead::mirrorMargins, 0},
        {"<w:trackRevisions/>", &XHead::trackRevisions, 1},
        {"<w:trackRevisions w:val=\"on\"/><w:trackRevisions w:val=\"off\"/>", &XHead::trackRevisions, 0},
        {"<w:trackRevisions w:val=\"maybe\"/>", &XHead::trackRevisions, 0},
        {"<w:evenAndOddHeaders/>", &XHead::headers, 2},
        {"<w:evenAndOddHeaders w:val=\"false\"/>", &XHead::headers, 0},
        {"<w:doNotShadeFormData w:val=\"1\"/>", &XHead::doNotShadeFormData, 1},
        {"<w:doNotShadeFormData w:val=\"off\"/>", &XHead::doNotShadeFormData, 0},
        {"<w:alignBordersAndEdges/><w:bordersDontSurroundFooter/><w:bordersDoNotSurroundFooter/>",
         &XHead::borderOptions, 9},
        {"<w:bordersDontSurroundHeader/><w:bordersDoNotSurroundHeader/>", &XHead::borderOptions, 4},
        {"<w:alignBordersAndEdges/><w:alignBordersAndEdges w:val=\"0\"/>", &XHead::borderOptions, 0},
        {"<w:characterSpacingControl w:val=\"CompressPunctuation\"/>", &XHead::characterSpacingControl, 1},
        {"<w:characterSpacingControl w:val=\"doNotCompress\"/>", &XHead::characterSpacingControl, 0},
        // Only the root's own children count.
        {"<w:compat><w:mirrorMargins/></w:compat>", &XHead::mirrorMargins, 0},
    };
    for (const SettingsCase& test : cases) {
        const PartDocument part = parse(settingsPart(test.children));
        XHead head{};
        initXHead(&head);
        readDocumentSettings(rootOf(part), SettingsTargets{&head});
        EXPECT_EQ(head.*test.field, test.expected) << test.children;
    }
}

TEST(DocxDocumentSettingsTest, SettingsMatchTheWordNamespaceWhateverItsPrefix) {
    const PartDocument part = parse(std::string("<settings xmlns=\"") + kWordNamespace +
                                    "\"><mirrorMargins/><ns:zoom xmlns:ns=\"urn:other\" percent=\"50\"/></settings>");
    XHead head{};
    initXHead(&head);
    readDocumentSettings(rootOf(part), SettingsTargets{&head});
    EXPECT_EQ(head.mirrorMargins, 1);
    EXPECT_EQ(head.viewScale, 100);
}

TEST(DocxDocumentSettingsTest, NotePropertiesAndThemeLanguagesGoToTheImporter) {
    const PartDocument part = parse(settingsPart(
        "<w:footnotePr><w:numFmt w:val=\"lowerRoman\"/></w:footnotePr><w:endnotePr/>"
        "<w:themeFontLang w:val=\"de-DE\" w:eastAsia=\"ja-JP\"/><w:themeFontLang w:bidi=\"ar-SA\"/>"
        "<w:themeFontLang w:val=\"fr-FR\"/>"));
    XHead head{};
    XFootnote footnotes{};
    XFootnote endnotes{};
    std::vector<std::pair<std::string, XFootnote*>> noteReads;
    std::string latin = "unset";
    std::string eastAsian = "unset";
    std::string complexScript = "unset";
    SettingsTargets targets{&head, &footnotes, &endnotes,
                            [&](xmlNode* element, XFootnote* format) {
                                noteReads.emplace_back(reinterpret_cast<const char*>(element->name), format);
                            },
                            &latin, &eastAsian, &complexScript};
    readDocumentSettings(rootOf(part), targets);
    ASSERT_EQ(noteReads.size(), 2u);
    EXPECT_EQ(noteReads[0], std::make_pair(std::string("footnotePr"), &footnotes));
    EXPECT_EQ(noteReads[1], std::make_pair(std::string("endnotePr"), &endnotes));
    // A later themeFontLang replaces only what it carries; the earlier text does not linger.
    EXPECT_EQ(latin, "fr-FR");
    EXPECT_EQ(eastAsian, "ja-JP");
    EXPECT_EQ(complexScript, "ar-SA");
}

TEST(DocxDocumentSettingsTest, TheLayoutVersionIsTheCompatibilityModesValue) {
    const struct {
        const char* what;
        const char* compat;
        std::int16_t mode;
    } cases[] = {
        {"the mode among other compatibility settings",
         "<w:compat><w:useFELayout/><w:compatSetting w:name=\"overrideTableStyleFontSizeAndJustification\" w:val=\"1\"/>"
         "<w:compatSetting w:name=\"compatibilityMode\" w:uri=\"http://schemas.microsoft.com/office/word\" w:val=\"15\"/>"
         "</w:compat>",
         15},
        {"no mode: the older layout", "<w:compat><w:useFELayout/></w:compat>", 0},
        {"a value that is no number", "<w:compat><w:compatSetting w:name=\"compatibilityMode\" w:val=\"new\"/></w:compat>", 0},
    };
    for (const auto& c : cases) {
        const PartDocument part = parse(settingsPart(c.compat));
        XHead head{};
        std::int16_t mode = 0;
        SettingsTargets targets{&head};
        targets.compatibilityMode = &mode;
        readDocumentSettings(rootOf(part), targets);
        EXPECT_EQ(mode, c.mode) << c.what;
    }
}

}  // namespace
