// Word 2007 packages run through the import engine: the parts found through the package, the headers
// and footers by relationship, notes and comments from their own parts, the property parts in the
// storage's head, the authors and the fonts.
#include <filesystem>
#include <map>

#include "tests/import/wordml/WordMLImportSupport.h"
#include "engine/translators/TranslatorRequest.h"
#include "tests/package/ZipBuilder.h"

namespace wordmltest {
namespace {

const std::string kWordNamespaces =
    " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

std::string fixtureFromPath(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string paragraph(const std::string& text) { return "<w:p><w:r><w:t>" + text + "</w:t></w:r></w:p>"; }

std::string mainPart(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document" + kWordNamespaces + "><w:body>" + body +
           "</w:body></w:document>";
}

std::string relationships(const std::map<std::string, std::string>& targets) {
    std::string xml = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (const auto& [id, target] : targets) {
        xml += "<Relationship Id=\"" + id + "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
               "relationships/header\" Target=\"" + target + "\"/>";
    }
    return xml + "</Relationships>";
}

std::string sidePart(const char* root, const std::string& content) {
    return std::string("<w:") + root + kWordNamespaces + ">" + content + "</w:" + root + ">";
}

using Parts = std::map<std::string, std::string>;

class DocxPackageTest : public WordMLImportTest {
protected:
    const xmlNode* documentElement(const char* name) {
        for (const xmlNode* node = xmlDocGetRootElement(storage->getDocument())->children; node != nullptr;
             node = node->next) {
            if (xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>("Zevozav")) != 0) continue;
            for (const xmlNode* child = node->children; child != nullptr; child = child->next)
                if (xmlStrcmp(child->name, reinterpret_cast<const xmlChar*>(name)) == 0) return child;
        }
        return nullptr;
    }
    static std::string attribute(const xmlNode* node, const char* name) {
        xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
        std::string text = value != nullptr ? reinterpret_cast<const char*>(value) : "(none)";
        xmlFree(value);
        return text;
    }
    static std::string storedXml(const xmlNode* node) {
        xmlBuffer* buffer = xmlBufferCreate();
        xmlNodeDump(buffer, node != nullptr ? node->doc : nullptr, const_cast<xmlNode*>(node), 0, 0);
        std::string text = reinterpret_cast<const char*>(xmlBufferContent(buffer));
        xmlBufferFree(buffer);
        return text;
    }
    std::string headField(const std::string& field) {
        return attribute(documentElement("XInfo"), ("XHead_" + field).c_str());
    }
    std::vector<std::string> column(const char* table, const char* name) {
        std::vector<std::string> values;
        const xmlNode* element = documentElement(table);
        for (const xmlNode* child = element != nullptr ? element->children : nullptr; child != nullptr;
             child = child->next)
            values.push_back(attribute(child, name));
        return values;
    }
    // The stored stories of one kind, in storage order: their type, mark and text.
    struct StoredStory {
        std::int32_t type;
        std::int32_t mark;
        std::u16string text;
    };
    std::vector<StoredStory> sideStories(std::int16_t kind) {
        std::vector<StoredStory> stories;
        for (std::int32_t index = 0;; ++index) {
            const auto loaded = story(kind, index);
            if (loaded == nullptr) return stories;
            stories.push_back({loaded->storyType, loaded->storyMark, loaded->textString()});
        }
    }
};

TEST_F(DocxPackageTest, AFullPackageFillsTheStoriesAndTheHead) {
    const std::string section =
        "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdH\"/><w:footerReference r:id=\"rIdF\"/>"
        "<w:headerReference w:type=\"first\" r:id=\"rIdWrong\"/></w:sectPr>";
    const Parts parts = {
        {"word/document.xml",
         mainPart("<w:p><w:ins w:author=\"Ann\"><w:r><w:t>Tea</w:t></w:r></w:ins><w:r><w:t> time</w:t></w:r>"
                  "<w:r><w:footnoteReference w:id=\"1\"/></w:r></w:p>" + section)},
        {"word/_rels/document.xml.rels",
         relationships({{"rIdH", "header1.xml"}, {"rIdF", "footer1.xml"}, {"rIdWrong", "footer1.xml"}})},
        {"word/header1.xml", sidePart("hdr", paragraph("Top"))},
        {"word/footer1.xml", sidePart("ftr", paragraph("Bottom"))},
        {"word/footnotes.xml",
         sidePart("footnotes", "<w:footnote w:type=\"separator\" w:id=\"0\">" + paragraph("--") +
                                   "</w:footnote><w:footnote w:id=\"1\">" + paragraph("Note") + "</w:footnote>")},
        {"word/comments.xml",
         sidePart("comments", "<w:comment w:id=\"0\" w:author=\"Bob\">" + paragraph("Hm") +
                                  "</w:comment><w:comment w:id=\"1\" w:author=\"Ann\" w:initials=\"AL\">" +
                                  paragraph("Ok") + "</w:comment>")},
        {"word/fontTable.xml", sidePart("fonts", "<w:font w:name=\"Calibri\"/><w:font w:name=\"symbol\"/>")},
        {"word/theme/theme1.xml",
         "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><a:themeElements>"
         "<a:fontScheme><a:majorFont><a:latin typeface=\"Cambria\"/></a:majorFont>"
         "<a:minorFont><a:latin typeface=\"Georgia\"/></a:minorFont></a:fontScheme></a:themeElements></a:theme>"},
        {"docProps/app.xml", "<Properties><Characters>1000</Characters></Properties>"},
        {"docProps/core.xml",
         "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
         "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>Tea</dc:title></cp:coreProperties>"},
        {"word/settings.xml",
         sidePart("settings", "<w:zoom w:percent=\"120\" w:val=\"bestFit\"/><w:defaultTabStop w:val=\"708.5\"/>"
                              "<w:evenAndOddHeaders/>")},
        {"word/webSettings.xml", sidePart("webSettings", "<w:optimizeForBrowser/>")},
    };
    ASSERT_EQ(importPackage(parts), 0);
    EXPECT_EQ(mainText(), u"Tea time\x17\r");

    // The reference without a type is the default one; the "first" reference names a footer part and
    // gives no story.
    const auto headers = sideStories(storykind::kHeader);
    const auto footers = sideStories(storykind::kFooter);
    ASSERT_EQ(headers.size(), 1u);
    ASSERT_EQ(footers.size(), 1u);
    EXPECT_EQ(headers[0].type, 1);
    EXPECT_EQ(footers[0].type, 1);
    EXPECT_NE(headers[0].mark, 0);
    EXPECT_NE(headers[0].mark, footers[0].mark);
    EXPECT_EQ(headers[0].text, u"Top\r");
    EXPECT_EQ(footers[0].text, u"Bottom\r");
    const auto footnotes = sideStories(storykind::kFootnote);
    ASSERT_EQ(footnotes.size(), 1u);
    EXPECT_EQ(footnotes[0].text, u"Note");
    EXPECT_EQ(sideStories(storykind::kComment).size(), 2u);

    EXPECT_EQ(column("AUTHORS", "author_name"), (std::vector<std::string>{"Ann", "Bob"}));
    // A comment's initials go to its author; the author of revisions alone has none.
    EXPECT_EQ(column("AUTHORS", "author_initials"), (std::vector<std::string>{"AL", "(none)"}));
    // The theme's typefaces reach the font table beside the font table part's; "Symbol" is there once.
    EXPECT_EQ(column("FONTS", "XFont_fontPCName"),
              (std::vector<std::string>{"Georgia", "Cambria", "Calibri", "symbol"}));
    EXPECT_EQ(headField("originalTitle"), "Tea");
    EXPECT_EQ(headField("viewScale"), "120");
    EXPECT_EQ(headField("viewZoom"), "2");
    EXPECT_EQ(headField("defaultTabWidth"), "708");
    EXPECT_EQ(headField("headers"), "2");
}

TEST_F(DocxPackageTest, APackageWithOnlyItsMainPartConverts) {
    ASSERT_EQ(importPackage({{"word/document.xml", mainPart(paragraph("Plain"))}}), 0);
    EXPECT_EQ(mainText(), u"Plain\r");
    EXPECT_TRUE(sideStories(storykind::kHeader).empty());
    EXPECT_TRUE(sideStories(storykind::kFootnote).empty());
    // Without a font table, unformatted text gets a text font of its own, ahead of the symbol font.
    EXPECT_EQ(column("FONTS", "XFont_fontPCName"), (std::vector<std::string>{"Times New Roman", "Symbol"}));
    EXPECT_EQ(headField("viewMode"), "1");
    EXPECT_EQ(headField("viewScale"), "100");
    EXPECT_EQ(headField("originalTitle"), "");
}

// A document laid out as Word 2013 does places a table's edge at its indent; the stored indent places the
// first cell's text, as the older layout does, a left cell margin further in.
TEST_F(DocxPackageTest, AnIndentThatPlacesTheTablesEdgeIsStoredAsThePlaceOfItsText) {
    const auto table = [](const char* tableProperties, const char* cellProperties) {
        return std::string("<w:tbl><w:tblPr>") + tableProperties + "</w:tblPr><w:tblGrid><w:gridCol w:w=\"2000\"/>"
               "</w:tblGrid><w:tr><w:tc><w:tcPr>" + cellProperties + "</w:tcPr><w:p><w:r><w:t>x</w:t></w:r></w:p>"
               "</w:tc></w:tr></w:tbl><w:p/>";
    };
    const char* const indented = "<w:tblInd w:w=\"720\" w:type=\"dxa\"/><w:tblCellMar><w:left w:w=\"180\" w:type=\"dxa\"/></w:tblCellMar>";
    const char* const word2013 = "<w:compat><w:compatSetting w:name=\"compatibilityMode\" w:val=\"15\"/></w:compat>";
    const struct {
        const char* what;
        const char* settings;  // null: no settings part
        std::string body;
        std::int32_t storedIndent;
    } cases[] = {
        {"the older layout keeps the indent", nullptr, table(indented, ""), 720},
        {"an older mode keeps it too", "<w:compat><w:compatSetting w:name=\"compatibilityMode\" w:val=\"14\"/></w:compat>",
         table(indented, ""), 720},
        {"Word 2013's layout adds the table's left margin", word2013, table(indented, ""), 900},
        {"or the first cell's own", word2013, table(indented, "<w:tcMar><w:left w:w=\"50\" w:type=\"dxa\"/></w:tcMar>"), 770},
        {"or the usual margin for a table that gives neither", word2013, table("", ""), 108},
    };
    for (const auto& c : cases) {
        std::map<std::string, std::string> parts = {{"word/document.xml", mainPart(c.body)}};
        if (c.settings != nullptr) parts["word/settings.xml"] = sidePart("settings", c.settings);
        ASSERT_EQ(importPackage(parts), 0) << c.what;
        const auto stored = story(storykind::kTable);
        ASSERT_NE(stored, nullptr) << c.what;
        std::int32_t indent = -1;
        for (std::int32_t i = 0; i + 1 < stored->ruleCount; ++i)
            if (stored->rules[i].lastCellOfRow == 1) indent = stored->rules[i].rows.tblInd.w;
        EXPECT_EQ(indent, c.storedIndent) << c.what;
    }
}

TEST_F(DocxPackageTest, DamagedPropertyPartsArePassedOver) {
    const Parts parts = {
        {"word/document.xml", mainPart(paragraph("Body"))},
        {"docProps/app.xml", "<Properties><Characters>1000</Characters>"},
        {"docProps/core.xml", "<coreProperties><title>Wrong root</title></coreProperties>"},
        {"word/settings.xml", sidePart("settings", "<w:zoom w:percent=\"70000\"/><w:mirrorMargins w:val=\"0\"/>")},
        {"word/webSettings.xml", "not xml at all"},
    };
    ASSERT_EQ(importPackage(parts), 0);
    EXPECT_EQ(mainText(), u"Body\r");
    EXPECT_EQ(headField("originalTitle"), "");
    EXPECT_EQ(headField("viewScale"), "100");
    EXPECT_EQ(headField("mirrorMargins"), "0");
}

TEST_F(DocxPackageTest, APackageThatIsNoWordDocumentIsRefused) {
    const struct {
        const char* title;
        Parts parts;
    } cases[] = {
        {"a workbook", {{"xl/workbook.xml", "<workbook/>"}}},
        {"another root", {{"word/document.xml", sidePart("hdr", paragraph("x"))}}},
    };
    for (const auto& test : cases) {
        // A workbook is the spreadsheet importer's, which fails this one for listing no sheets.
        const std::int16_t expected = test.parts.count("xl/workbook.xml") != 0 ? result::kNullObject : result::kErrUnknownFormat;
        EXPECT_EQ(importPackage(test.parts), expected) << test.title;
    }
    EXPECT_NE(importPackage({{"word/document.xml", "<w:document" + kWordNamespaces + "/>"}}), 0)
        << "a main part without a body";
    // A package of ours whose main part is there but not well-formed is refused with its reason, not
    // offered to the other importers.
    EXPECT_EQ(importPackage({{"word/document.xml", "<w:document"}}), result::kErrCancelled);
}

// The package's own relationships name the main part and the properties; the main part's relationships
// name the rest by type, whatever their names and folder, in the transitional and the strict vocabulary.
TEST_F(DocxPackageTest, PartsAreFoundThroughTheRelationshipsOfTheirVocabulary) {
    const struct {
        const char* title;
        const char* domain;       // of the relationship types
        const char* propertiesType;  // the extended properties' type name in that vocabulary
    } vocabularies[] = {
        {"transitional", "http://schemas.openxmlformats.org/officeDocument/2006/relationships/", "extended-properties"},
        {"strict", "http://purl.oclc.org/ooxml/officeDocument/relationships/", "extendedProperties"},
    };
    for (const auto& vocabulary : vocabularies) {
        const std::string domain = vocabulary.domain;
        const auto relationship = [&](const char* id, const std::string& type, const char* target) {
            return std::string("<Relationship Id=\"") + id + "\" Type=\"" + type + "\" Target=\"" + target + "\"/>";
        };
        const std::string packageRelationships =
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
            relationship("rId1", domain + "officeDocument", "text/document2.xml") +
            relationship("rId2", "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties",
                         "meta/c.xml") +
            relationship("rId3", domain + vocabulary.propertiesType, "meta/a.xml") + "</Relationships>";
        const std::string mainRelationships =
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
            relationship("r1", domain + "styles", "../common/look.xml") +
            relationship("r2", domain + "footnotes", "notes.xml") +
            relationship("r3", domain + "fontTable", "/common/typefaces.xml") +
            relationship("r4", domain + "settings", "options.xml") + "</Relationships>";
        const Parts parts = {
            {"_rels/.rels", packageRelationships},
            {"text/document2.xml",
             mainPart("<w:p><w:pPr><w:pStyle w:val=\"Big\"/></w:pPr><w:r><w:t>Main</w:t></w:r>"
                      "<w:r><w:footnoteReference w:id=\"1\"/></w:r></w:p>")},
            {"text/_rels/document2.xml.rels", mainRelationships},
            {"common/look.xml", sidePart("styles", "<w:style w:type=\"paragraph\" w:styleId=\"Big\">"
                                                   "<w:name w:val=\"Big\"/></w:style>")},
            {"text/notes.xml", sidePart("footnotes", "<w:footnote w:id=\"1\">" + paragraph("Note") + "</w:footnote>")},
            {"common/typefaces.xml", sidePart("fonts", "<w:font w:name=\"Found Face\"/>")},
            {"text/options.xml", sidePart("settings", "<w:zoom w:percent=\"130\"/>")},
            {"meta/a.xml", "<Properties><Characters>1234</Characters></Properties>"},
            {"meta/c.xml",
             "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
             "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>Found</dc:title></cp:coreProperties>"},
            // Decoys at the conventional places, which the relationships do not name.
            {"word/document.xml", mainPart(paragraph("Decoy"))},
            {"word/styles.xml", sidePart("styles", "")},
            {"docProps/core.xml", "<cp:coreProperties/>"},
        };
        ASSERT_EQ(importPackage(parts), 0) << vocabulary.title;
        EXPECT_EQ(mainText(), u"Main\x17\r") << vocabulary.title;
        const auto footnotes = sideStories(storykind::kFootnote);
        ASSERT_EQ(footnotes.size(), 1u) << vocabulary.title;
        EXPECT_EQ(footnotes[0].text, u"Note") << vocabulary.title;
        EXPECT_NE(storedXml(documentElement("STYLES")).find("\"Big\""), std::string::npos) << vocabulary.title;
        EXPECT_EQ(column("FONTS", "XFont_fontPCName"), (std::vector<std::string>{"Found Face", "Symbol"}))
            << vocabulary.title;
        EXPECT_EQ(headField("originalTitle"), "Found") << vocabulary.title;
        EXPECT_EQ(headField("viewScale"), "130") << vocabulary.title;
    }
}

// Without package relationships, or with ones that name no main part, the conventional main part is read;
// a package with no main part at all is refused.
TEST_F(DocxPackageTest, TheConventionalMainPartIsTheFallback) {
    const std::string noMainPart =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>";
    const std::string missingMainPart =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
        "officeDocument\" Target=\"word/gone.xml\"/></Relationships>";
    for (const std::string& rels : {noMainPart, missingMainPart, std::string("not xml")}) {
        ASSERT_EQ(importPackage({{"_rels/.rels", rels}, {"word/document.xml", mainPart(paragraph("Plain"))}}), 0)
            << rels;
        EXPECT_EQ(mainText(), u"Plain\r") << rels;
    }
    EXPECT_NE(importPackage({{"_rels/.rels", missingMainPart}, {"word/other.xml", mainPart(paragraph("x"))}}), 0);
}

TEST_F(DocxPackageTest, AnUnpackedPackageFolderImportsLikeTheZip) {
    const std::filesystem::path root = std::filesystem::path(folder.path()) / "Unpacked";
    std::filesystem::create_directories(root / "word" / "_rels");
    enginetest::writeBytes((root / "word" / "document.xml").string(),
                           mainPart(paragraph("Folded") + "<w:sectPr><w:headerReference w:type=\"even\" "
                                                          "r:id=\"rId1\"/></w:sectPr>"));
    enginetest::writeBytes((root / "word" / "_rels" / "document.xml.rels").string(),
                           relationships({{"rId1", "header2.xml"}}));
    enginetest::writeBytes((root / "word" / "header2.xml").string(), sidePart("hdr", paragraph("Even")));
    ASSERT_EQ(importWritten("Unpacked"), 0);
    EXPECT_EQ(mainText(), u"Folded\r");
    const auto headers = sideStories(storykind::kHeader);
    ASSERT_EQ(headers.size(), 1u);
    EXPECT_EQ(headers[0].type, 2);
    EXPECT_EQ(headers[0].text, u"Even\r");
}

}  // namespace
}  // namespace wordmltest

namespace wordmltest {
namespace {

// The sample the program ships, as its zip script made it.
TEST_F(WordMLImportTest, TheShippedWord2007SampleConverts) {
    const std::string sample =
        fixtureFromPath(std::string(VDK_TEST_DATA_DIR) + "/../../../resources/Test Files/Tea 2007.docx");
    ASSERT_FALSE(sample.empty());
    ASSERT_EQ(import(sample, "Tea 2007.docx"), 0);
    const std::u16string text = mainText();
    EXPECT_EQ(text.rfind(u"A Pot of Tea\r", 0), 0u);
    EXPECT_NE(text.find(u"Milk after the tea, if at all."), std::u16string::npos);
    ASSERT_NE(story(storykind::kHeader, 0), nullptr);
    EXPECT_EQ(story(storykind::kHeader, 0)->textString(), u"A Pot of Tea\r");
    ASSERT_NE(story(storykind::kFootnote, 0), nullptr);
    EXPECT_EQ(story(storykind::kFootnote, 0)->textString(), u"\x02 Soft water makes the clearest cup.");
}

}  // namespace
}  // namespace wordmltest
