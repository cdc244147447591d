// Pictures of Word 2003 and Word 2007 documents reaching the storage: each picture container of a
// story becomes a "Picture%06d" element of that story with its type, sizes and bytes (or its shape
// text), and the page colour becomes the document's background.
#include <map>

#include "foundation/encoding/Base64Codec.h"
#include "foundation/memory/Memory.h"
#include "tests/import/wordml/WordMLImportSupport.h"
#include "tests/package/ZipBuilder.h"
#include "tests/support/PictureFixtures.h"

namespace wordmltest {
namespace {

using picturefixtures::Bytes;

std::string base64Of(const Bytes& bytes) {
    char* text = nullptr;
    std::int32_t length = 0;
    base64Encode(bytes.data(), static_cast<std::int32_t>(bytes.size()), &text, &length);
    std::string copy(text, static_cast<std::size_t>(length));
    freeMemory(text);
    return copy;
}

Bytes decoded(const std::string& text) {
    std::uint8_t* bytes = nullptr;
    std::int32_t length = 0;
    base64Decode(text.data(), static_cast<std::int32_t>(text.size()), &bytes, &length);
    Bytes copy(bytes, bytes + length);
    freeMemory(bytes);
    return copy;
}

std::string asText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// What the storage holds of one picture.
struct StoredPicture {
    std::string story;  // the element name of the story holding it
    std::string name;
    std::string flag;
    std::string type;
    std::string rect;
    Bytes bytes;
    std::string shapeText;
};

std::string attributeOf(const xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string text = value != nullptr ? reinterpret_cast<const char*>(value) : "(none)";
    xmlFree(value);
    return text;
}

std::string childText(const xmlNode* node, const char* name) {
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE || xmlStrcmp(child->name, reinterpret_cast<const xmlChar*>(name)) != 0)
            continue;
        xmlChar* content = xmlNodeGetContent(child);
        std::string text = content != nullptr ? reinterpret_cast<const char*>(content) : "";
        xmlFree(content);
        return text;
    }
    return "";
}

void collectStored(const xmlNode* node, std::vector<StoredPicture>& out) {
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        const std::string name = reinterpret_cast<const char*>(child->name);
        if (name.rfind("Picture", 0) == 0 && name.size() == 13) {
            out.push_back({reinterpret_cast<const char*>(node->name), attributeOf(child, "fName"), attributeOf(child, "fFlag"), attributeOf(child, "fType"),
                           attributeOf(child, "fRect"), decoded(childText(child, "PIC-DATA")),
                           asText(decoded(childText(child, "RTF-DATA")))});
        } else {
            collectStored(child, out);
        }
    }
}

class PictureImportTest : public WordMLImportTest {
protected:
    std::vector<StoredPicture> storedPictures() {
        std::vector<StoredPicture> pictures;
        collectStored(xmlDocGetRootElement(storage->getDocument()), pictures);
        return pictures;
    }
    std::string storedBackground() {
        const xmlNode* found = findElement(xmlDocGetRootElement(storage->getDocument()), "BACKGROUND");
        return found != nullptr ? asText(decoded(childText(found->parent, "BACKGROUND"))) : "";
    }
    static const xmlNode* findElement(const xmlNode* node, const char* name) {
        for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
            if (child->type != XML_ELEMENT_NODE) continue;
            if (xmlStrcmp(child->name, reinterpret_cast<const xmlChar*>(name)) == 0) return child;
            if (const xmlNode* found = findElement(child, name)) return found;
        }
        return nullptr;
    }
};

std::string binDataPicture(const std::string& id, const std::string& file, const Bytes& bytes, const std::string& style) {
    return "<w:p><w:r><w:pict><w:binData w:name=\"wordml://" + file + "\">" + base64Of(bytes) +
           "</w:binData><v:shape id=\"" + id + "\" type=\"#_x0000_t75\" style=\"" + style +
           "\"><v:imagedata src=\"wordml://" + file + "\" o:title=\"\"/></v:shape></w:pict></w:r></w:p>";
}

TEST_F(PictureImportTest, Word2003BinDataPicturesReachTheStorage) {
    const Bytes png = picturefixtures::pngPicture(40, 20);
    const Bytes jpeg = picturefixtures::jpegPicture(30, 10);
    const std::string body =
        binDataPicture("_x0000_i1025", "02000001.png", png, "width:30pt;height:15pt") +
        binDataPicture("_x0000_s1026", "02000002.jpg", jpeg,
                       "position:absolute;margin-left:10pt;margin-top:10pt;width:45pt;height:15pt;z-index:1");
    ASSERT_EQ(import(wordDocument(body)), 0);

    const std::vector<StoredPicture> pictures = storedPictures();
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].name, "_x0000_i1025");
    EXPECT_EQ(pictures[0].flag, "0");
    EXPECT_EQ(pictures[0].type, "9");
    EXPECT_EQ(pictures[0].rect, "t0l0b300r600");
    EXPECT_EQ(pictures[0].bytes, png);
    EXPECT_TRUE(pictures[0].shapeText.empty());

    EXPECT_EQ(pictures[1].name, "_x0000_s1026");
    EXPECT_EQ(pictures[1].flag, "1");
    EXPECT_EQ(pictures[1].type, "7");
    EXPECT_EQ(pictures[1].bytes, jpeg);
    EXPECT_EQ(pictures[1].shapeText.rfind("{\\shp{\\*\\shpinst\\shplid1026", 0), 0u) << pictures[1].shapeText;
    EXPECT_NE(pictures[1].shapeText.find("{\\sp{\\sn pib}{\\sv }}"), std::string::npos);
    // Each picture stands where its run stood: one picture anchor per picture in the main story
    // (control units shown as digits from '0' on).
    std::u16string units;
    for (const char16_t unit : mainText()) units += unit < 0x20 ? static_cast<char16_t>(u'0' + unit) : unit;
    EXPECT_EQ(units, u"1=1=") << "each picture anchor (1) in its own paragraph (13)";
}

TEST_F(PictureImportTest, TheFirstPictureOfANameServesEveryRunThatNamesIt) {
    const Bytes first = picturefixtures::pngPicture(4, 4);
    const Bytes second = picturefixtures::pngPicture(6, 6);
    const Bytes inCell = picturefixtures::pngPicture(8, 8);
    // The table is a story of its own, whose pictures are gathered through its rows and cells.
    const std::string body = binDataPicture("Same", "1.png", first, "width:3pt;height:3pt") +
                             binDataPicture("same", "2.png", second, "width:3pt;height:3pt") +
                             "<w:tbl><w:tr><w:tc>" + binDataPicture("Cell", "3.png", inCell, "width:3pt;height:3pt") +
                             "</w:tc></w:tr></w:tbl>";
    ASSERT_EQ(import(wordDocument(body)), 0);
    std::vector<Bytes> stored;
    for (const StoredPicture& picture : storedPictures()) stored.push_back(picture.bytes);
    EXPECT_EQ(stored, (std::vector<Bytes>{first, first, inCell}));
}

TEST_F(PictureImportTest, ARunWhosePictureIsNotGatheredDeliversNothing) {
    // A v:shape without an id names no picture: the table cannot find it, and no anchor is made.
    const std::string body = "<w:p><w:r><w:pict><v:shape style=\"width:10pt;height:10pt\"/></w:pict></w:r></w:p>";
    ASSERT_EQ(import(wordDocument(body)), 0);
    EXPECT_TRUE(storedPictures().empty());
}

TEST_F(PictureImportTest, Word2003PageColourBecomesTheBackground) {
    const std::string head = "<w:bgPict><w:background w:bgcolor=\"#FFFF00\"/></w:bgPict>";
    ASSERT_EQ(import(wordDocument("<w:p><w:r><w:t>x</w:t></w:r></w:p>", head)), 0);
    const std::string background = storedBackground();
    EXPECT_EQ(background.rfind("\\viewbksp1{\\*\\background", 0), 0u) << background;
    EXPECT_NE(background.find("fillColor"), std::string::npos) << background;
}

const std::string kDocxNamespaces =
    " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
    " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
    " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
    " xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"";

std::string graphic(const std::string& embed) {
    return "<a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:pic>"
           "<pic:blipFill><a:blip r:embed=\"" + embed + "\"/></pic:blipFill></pic:pic></a:graphicData></a:graphic>";
}

std::string inlineDrawing(const std::string& id, const std::string& embed) {
    return "<w:p><w:r><w:drawing><wp:inline><wp:extent cx=\"1270000\" cy=\"635000\"/><wp:docPr id=\"" + id +
           "\" name=\"p\"/>" + graphic(embed) + "</wp:inline></w:drawing></w:r></w:p>";
}

std::string anchoredDrawing(const std::string& id, const std::string& embed) {
    return "<w:p><w:r><w:drawing><wp:anchor simplePos=\"0\" behindDoc=\"0\" locked=\"0\" layoutInCell=\"1\" "
           "allowOverlap=\"1\"><wp:simplePos x=\"0\" y=\"0\"/><wp:positionH relativeFrom=\"column\"><wp:posOffset>"
           "635000</wp:posOffset></wp:positionH><wp:positionV relativeFrom=\"paragraph\"><wp:posOffset>0"
           "</wp:posOffset></wp:positionV><wp:extent cx=\"635000\" cy=\"635000\"/><wp:wrapSquare "
           "wrapText=\"bothSides\"/><wp:docPr id=\"" + id + "\" name=\"q\"/>" + graphic(embed) +
           "</wp:anchor></w:drawing></w:r></w:p>";
}

std::string packageRelationships(const std::map<std::string, std::string>& targets) {
    std::string xml = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (const auto& [id, target] : targets)
        xml += "<Relationship Id=\"" + id + "\" Type=\"t\" Target=\"" + target + "\"/>";
    return xml + "</Relationships>";
}

TEST_F(PictureImportTest, DocxInlineAnchoredAndHeaderPicturesReachTheStorage) {
    const Bytes png = picturefixtures::pngPicture(40, 20);
    const Bytes jpeg = picturefixtures::jpegPicture(16, 16);
    const Bytes headerPng = picturefixtures::pngPicture(8, 8);
    // The header's picture has the same relationship id as the body's first: only the header part's own
    // relationships resolve it to its own bytes.
    const std::map<std::string, std::string> parts = {
        {"word/document.xml",
         "<w:document" + kDocxNamespaces + "><w:body>" + inlineDrawing("1", "rId4") + anchoredDrawing("2", "rId5") +
             "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rId7\"/></w:sectPr></w:body></w:document>"},
        {"word/_rels/document.xml.rels",
         packageRelationships({{"rId4", "media/image1.png"}, {"rId5", "media/image2.jpeg"}, {"rId7", "header1.xml"}})},
        {"word/header1.xml", "<w:hdr" + kDocxNamespaces + ">" + inlineDrawing("3", "rId4") + "</w:hdr>"},
        {"word/_rels/header1.xml.rels", packageRelationships({{"rId4", "media/image3.png"}})},
        {"word/media/image1.png", asText(png)},
        {"word/media/image2.jpeg", asText(jpeg)},
        {"word/media/image3.png", asText(headerPng)},
    };
    ASSERT_EQ(importPackage(parts), 0);

    std::map<std::string, StoredPicture> byName;
    for (const StoredPicture& picture : storedPictures()) byName[picture.name] = picture;
    ASSERT_EQ(byName.size(), 3u);
    EXPECT_EQ(byName["1"].flag, "0");
    EXPECT_EQ(byName["1"].type, "9");
    EXPECT_EQ(byName["1"].rect, "t0l0b1000r2000");
    EXPECT_EQ(byName["1"].bytes, png);

    EXPECT_EQ(byName["2"].flag, "1");
    EXPECT_EQ(byName["2"].type, "7");
    EXPECT_EQ(byName["2"].bytes, jpeg);
    EXPECT_NE(byName["2"].shapeText.find("\\shpleft1000\\shptop0\\shpright2000\\shpbottom1000"), std::string::npos)
        << byName["2"].shapeText;

    EXPECT_EQ(byName["3"].bytes, headerPng);
    EXPECT_NE(byName["3"].story, byName["1"].story);
}

TEST_F(PictureImportTest, DocxPageColourBecomesTheBackground) {
    const std::map<std::string, std::string> parts = {
        {"word/document.xml", "<w:document" + kDocxNamespaces + "><w:background w:color=\"FFFF00\"/><w:body><w:p/>"
                              "</w:body></w:document>"},
    };
    ASSERT_EQ(importPackage(parts), 0);
    EXPECT_NE(storedBackground().find("\\viewbksp1"), std::string::npos) << storedBackground();
}

}  // namespace
}  // namespace wordmltest
