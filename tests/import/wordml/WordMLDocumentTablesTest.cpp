// What a Word 2003 document gives the document tables: the head's properties and settings, the fonts,
// the annotation authors, and revision dates.
#include "tests/import/wordml/WordMLImportSupport.h"

namespace wordmltest {
namespace {

class WordMLDocumentTablesTest : public WordMLImportTest {
protected:
    const xmlNode* documentElement(const char* name) {
        for (const xmlNode* node = xmlDocGetRootElement(storage->getDocument())->children; node != nullptr; node = node->next) {
            if (xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>("Zevozav")) != 0) continue;
            for (const xmlNode* child = node->children; child != nullptr; child = child->next)
                if (xmlStrcmp(child->name, reinterpret_cast<const xmlChar*>(name)) == 0) return child;
        }
        return nullptr;
    }
    std::string attribute(const xmlNode* node, const char* name) {
        xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
        std::string text = value != nullptr ? reinterpret_cast<const char*>(value) : "(none)";
        xmlFree(value);
        return text;
    }
    std::string headField(const std::string& field) { return attribute(documentElement("XInfo"), ("XHead_" + field).c_str()); }
    // Every child record's value of the attribute, in table order.
    std::vector<std::string> column(const char* table, const char* name) {
        std::vector<std::string> values;
        for (const xmlNode* child = documentElement(table)->children; child != nullptr; child = child->next)
            values.push_back(attribute(child, name));
        return values;
    }
};

const std::string kBody = "<w:p><w:r><w:t>x</w:t></w:r></w:p>";

TEST_F(WordMLDocumentTablesTest, PropertiesAndSettingsFillTheHead) {
    const std::string head =
        "<o:DocumentProperties><o:Title>" + std::string(200, 'T') + "</o:Title><o:Subject>Plans</o:Subject>"
        "<o:Pages>abc</o:Pages><o:Words>-3</o:Words><o:Characters>120</o:Characters></o:DocumentProperties>"
        "<w:docPr><w:trackRevisions w:val=\"on\"/><w:defaultTabStop w:val=\"720\"/>"
        "<w:bordersDontSurroundHeader/><w:bordersDoNotSurroundFooter/><w:alignBordersAndEdges/>"
        "<w:mirrorMargins w:val=\"off\"/><w:zoom w:percent=\"150\"/>"
        "<w:compat><w:ulTrailSpace w:val=\"off\"/><w:spaceForUL/></w:compat></w:docPr>";
    ASSERT_EQ(import(wordDocument(kBody, head)), 0);
    EXPECT_EQ(headField("originalTitle"), std::string(127, 'T'));
    EXPECT_EQ(headField("originalSubject"), "Plans");
    EXPECT_EQ(headField("numOfPages"), "0");
    EXPECT_EQ(headField("numOfWords"), "-3");
    EXPECT_EQ(headField("numOfCharsNoSpace"), "120");
    EXPECT_EQ(headField("trackRevisions"), "1");
    EXPECT_EQ(headField("defaultTabWidth"), "720");
    EXPECT_EQ(headField("borderOptions"), "13");
    EXPECT_EQ(headField("mirrorMargins"), "0");
    EXPECT_EQ(headField("viewScale"), "100");
    EXPECT_EQ(headField("spaceForUL"), "1");
    EXPECT_EQ(headField("ulTrailSpace"), "0");
}

TEST_F(WordMLDocumentTablesTest, ADocumentWithoutPropertiesOrSettingsConverts) {
    ASSERT_EQ(import(wordDocument(kBody, "<w:docPr><w:trackRevisions/></w:docPr>")), 0);
    EXPECT_EQ(headField("trackRevisions"), "0") << "no val is not true";
    ASSERT_EQ(import(wordDocument(kBody, "<o:DocumentProperties><o:Author>Ann</o:Author></o:DocumentProperties>")), 0);
    EXPECT_EQ(headField("originalAuthor"), "Ann");
    ASSERT_EQ(import(wordDocument(kBody)), 0);
    EXPECT_EQ(mainText(), u"x\r");
}

TEST_F(WordMLDocumentTablesTest, FontsAreReadOnceEachWithSymbolAlways) {
    const std::string fonts =
        "<w:fonts><w:defaultFonts w:ascii=\"Arial\"/>"
        "<w:font w:name=\"Times New Roman\"><w:charset w:val=\"CC\"/><w:family w:val=\"roman\"/></w:font>"
        "<w:font w:name=\"Times New Roman\"><w:charset w:val=\"00\"/><w:family w:val=\"Swiss\"/></w:font>"
        "<w:font w:name=\"Odd\"><w:charset w:val=\"ee\"/><w:family w:val=\"nil\"/></w:font></w:fonts>";
    const std::string body = "<w:p><w:r><w:sym w:font=\"Wingdings\" w:char=\"F04A\"/></w:r></w:p>";
    ASSERT_EQ(import(wordDocument(body, fonts)), 0);
    EXPECT_EQ(column("FONTS", "XFont_fontPCName"),
              (std::vector<std::string>{"Times New Roman", "Odd", "Symbol", "Wingdings"}));
    // A font whose characters a symbol names by their 8-bit codes (F04A) is a symbol font.
    EXPECT_EQ(column("FONTS", "XFont_fontCharset"), (std::vector<std::string>{"204", "238", "0", "2"}));
    EXPECT_EQ(column("FONTS", "XFont_fontFamily"), (std::vector<std::string>{"1", "0", "0", "0"}));
    // The symbol's run names the symbol font by its id.
    const auto main = story();
    const std::vector<std::string> ids = column("FONTS", "XFont_fontUniqueID");
    EXPECT_EQ(std::to_string(main->forms[0].txtFontHAnsi), ids[3]);
}

// Runs without a font take the table's first font; without fonts of the document's own that must be a
// text font, or every letter would show as a symbol.
TEST_F(WordMLDocumentTablesTest, ADocumentWithoutFontsGetsATextFontBeforeSymbol) {
    for (const char* fonts : {"", "<w:fonts/>"}) {
        ASSERT_EQ(import(wordDocument("<w:p><w:r><w:t>x</w:t></w:r></w:p>", fonts)), 0);
        EXPECT_EQ(column("FONTS", "XFont_fontPCName"), (std::vector<std::string>{"Times New Roman", "Symbol"}))
            << fonts;
    }
}

TEST_F(WordMLDocumentTablesTest, AnnotationAuthorsAreCollectedOnceFromTheTopLevel) {
    const std::string body =
        "<w:p><aml:annotation aml:author=\"Ann\" w:type=\"Word.Insertion\"><aml:content>"
        "<aml:annotation aml:author=\"Nested\" w:type=\"Word.Insertion\"/><w:r><w:t>a</w:t></w:r></aml:content>"
        "</aml:annotation><aml:annotation aml:author=\"Bob\"/><aml:annotation aml:author=\"Ann\"/></w:p>";
    ASSERT_EQ(import(wordDocument(body)), 0);
    EXPECT_EQ(column("AUTHORS", "author_name"), (std::vector<std::string>{"Ann", "Bob"}));
}

// Initials belong to the author: the first a comment gives are kept, whatever a later comment says.
TEST_F(WordMLDocumentTablesTest, ACommentsInitialsGoToItsAuthor) {
    const auto comment = [](const char* author, const char* initials) {
        return "<w:r><aml:annotation aml:author=\"" + std::string(author) + "\"" + initials +
               " w:type=\"Word.Comment\"><aml:content><w:p><w:r><w:t>Hm</w:t></w:r></w:p></aml:content>"
               "</aml:annotation></w:r>";
    };
    const std::string body = "<w:p>" + comment("Ann", " w:initials=\"AL\"") + comment("Bob", "") +
                             comment("Ann", " w:initials=\"XX\"") + "</w:p>";
    ASSERT_EQ(import(wordDocument(body)), 0);
    EXPECT_EQ(column("AUTHORS", "author_name"), (std::vector<std::string>{"Ann", "Bob"}));
    EXPECT_EQ(column("AUTHORS", "author_initials"), (std::vector<std::string>{"AL", "(none)"}));
}

TEST(WordMLDateTest, RevisionDatesArePacked) {
    EXPECT_EQ(CWordMLImporter::parseDateTime("2008-03-15T14:30:00Z"), 113474462u);
    EXPECT_EQ(CWordMLImporter::parseDateTime("2008-03-15"), (108u << 20) | (3u << 16) | (15u << 11));
    EXPECT_EQ(CWordMLImporter::parseDateTime("2008-xx-15T14"), (108u << 20) | (15u << 11) | (14u << 6));
}

}  // namespace
}  // namespace wordmltest
