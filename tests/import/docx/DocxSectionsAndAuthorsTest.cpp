// The walks of a Word 2007 main part that need no package: the revision authors gathered into the
// author table, and the header and footer tags written on each section.
#include <gtest/gtest.h>

#include <libxml/parser.h>

#include <string>
#include <vector>

#include "import/docx/HeaderFooterReferences.h"
#include "import/docx/PartDocument.h"
#include "import/docx/RevisionAuthors.h"
#include "import/wordml/text/TNodesArray.h"
#include "import/wordml/text/UniqueTags.h"
#include "model/params/XParamBlock.h"
#include "model/tables/CAuthorArray.h"
#include "package/CRelationshipsTable.h"

namespace {

PartDocument bodyOf(const std::string& content) {
    const std::string xml = "<w:body xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
                            "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">" +
                            content + "</w:body>";
    return PartDocument(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, XML_PARSE_NONET));
}

class DocxRevisionAuthorsTest : public ::testing::Test {
protected:
    DocxRevisionAuthorsTest() { initXParamBlock(nullptr, &block); }
    ~DocxRevisionAuthorsTest() override { disposeXParamBlock(&block); }
    std::vector<std::string> authors() const {
        std::vector<std::string> names;
        for (std::int16_t index = 1; const char* name = block.authors->get(index); ++index) names.emplace_back(name);
        return names;
    }
    XParamBlock block{};
};

TEST_F(DocxRevisionAuthorsTest, EachRevisionAndCommentAuthorEntersOnceInDocumentOrder) {
    const PartDocument body = bodyOf(
        "<w:p><w:pPr><w:rPr><w:ins w:author=\"Cy\"/></w:rPr></w:pPr>"
        "<w:ins w:author=\"Ann\"><w:r><w:rPr><w:rPrChange w:author=\"Hidden\"/></w:rPr></w:r>"
        "<w:del w:author=\"Hidden\"/></w:ins>"
        "<w:DEL w:author=\"ann\"/><w:del w:author=\"Ann\"/><w:ins w:Author=\"Nobody\"/><w:ins/></w:p>"
        "<w:tbl><w:tr><w:trPr><w:ins w:author=\"Dee\"/></w:trPr></w:tr></w:tbl>"
        "<x:ins xmlns:x=\"urn:other\" author=\"Other\"><w:comment w:author=\"Eve\"/></x:ins>");
    collectRevisionAuthors(xmlDocGetRootElement(body.get()), &block);
    // Names differ by case; an element inside a revision is not visited; "Author" is not "author".
    EXPECT_EQ(authors(), (std::vector<std::string>{"Cy", "Ann", "ann", "Dee", "Eve"}));
}

TEST(DocxHeaderFooterReferencesTest, SectionsCarryTheirTagsAndInheritMissingOnes) {
    const PartDocument body = bodyOf(
        "<w:p><w:pPr><w:sectPr evenHeaderRefTag=\"77\"><w:headerReference w:type=\"Even\" r:id=\"rId1\"/>"
        "<w:footerReference w:type=\"odd\" r:id=\"rId2\"/><w:footerReference r:id=\"rId3\"/>"
        "<w:sectPrChange><w:sectPr><w:headerReference w:type=\"first\" r:id=\"rId4\"/></w:sectPr>"
        "</w:sectPrChange></w:sectPr></w:pPr></w:p>"
        "<w:sectPr><w:headerReference w:type=\"first\"/></w:sectPr>");
    CRelationshipsTable noPackage;
    TNodesArray headers;
    TNodesArray footers;
    UniqueTags tags;
    std::vector<PartDocument> parts;
    HeaderFooterReferences references(noPackage, headers, footers, tags, parts);
    references.collect(xmlDocGetRootElement(body.get()));
    const std::vector<xmlNode*> sections = references.sectionElements();
    ASSERT_EQ(sections.size(), 2u) << "a section inside a recorded change is no section";

    auto tag = [](const xmlNode* section, const char* name) {
        xmlChar* value = xmlGetProp(section, reinterpret_cast<const xmlChar*>(name));
        const std::string text = value != nullptr ? reinterpret_cast<const char*>(value) : "(none)";
        xmlFree(value);
        return text;
    };
    const std::string even = tag(sections[0], "evenHeaderRefTag");
    const std::string defaultFooter = tag(sections[0], "defaultFooterRefTag");
    EXPECT_NE(even, "77") << "an earlier attribute of the same name is replaced";
    EXPECT_NE(even, "0");
    EXPECT_NE(defaultFooter, "0") << "a reference without a type is the default one";
    EXPECT_NE(defaultFooter, even);
    EXPECT_EQ(tag(sections[0], "firstHeaderRefTag"), "0");
    EXPECT_EQ(tag(sections[0], "evenFooterRefTag"), "0") << "\"odd\" is no type of a .docx reference";
    EXPECT_EQ(tag(sections[1], "evenHeaderRefTag"), "0");
    const std::string first = tag(sections[1], "firstHeaderRefTag");
    EXPECT_NE(first, "0") << "a reference whose part cannot be had keeps its tag";

    references.inheritTags();
    EXPECT_EQ(tag(sections[1], "evenHeaderRefTag"), even);
    EXPECT_EQ(tag(sections[1], "defaultFooterRefTag"), defaultFooter);
    EXPECT_EQ(tag(sections[1], "firstHeaderRefTag"), first);
    EXPECT_EQ(headers.count(), 0u);
    EXPECT_EQ(footers.count(), 0u);
}

}  // namespace
