// Pictures of a .docx and of a Word 2003 XML document, converted by the program to RTF and read back by
// LibreOffice as ODT: every picture (PNG, JPEG, GIF, TIFF and WMF, each once inline and once floating)
// is an image in the paragraph that held it, inline ones as characters and floating ones anchored
// beside the text, at the size the document gives it (within a pixel). Both documents are made here
// from the picture fixtures; they are converted in one run of the program and one of LibreOffice.
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "foundation/encoding/Base64Codec.h"
#include "foundation/memory/Memory.h"
#include "tests/app/ProgramRunSupport.h"
#include "tests/package/ZipBuilder.h"
#include "tests/support/OdfReading.h"
#include "tests/support/OfficeOracle.h"
#include "tests/support/OracleSuite.h"
#include "tests/support/PictureFixtures.h"

namespace {

using picturefixtures::Bytes;
using testsupport::OfficeOracle;

constexpr double kPixelTwips = 15.0;  // one pixel at 96 dots per inch
constexpr long kEmuPerPoint = 12700;

struct PictureKind {
    const char* name;
    const char* extension;
    const char* contentType;
    Bytes bytes;
};

std::vector<PictureKind> pictureKinds() {
    using namespace picturefixtures;
    return {
        {"PNG", "png", "image/png", pngPicture(16, 8)},
        {"JPEG", "jpeg", "image/jpeg", jpegPicture(24, 12)},
        {"GIF", "gif", "image/gif", gifPicture(16, 12)},
        {"TIFF", "tiff", "image/tiff", tiffPicture(8, 12)},
        {"WMF", "wmf", "image/x-wmf", placeableWmfPicture(0, 0, 1800, 600, 1440)},
        {"large PNG", "png", "image/png", pngPicture(485, 411, PngDensity{2835, 2835, 1})},
    };
}

// One picture of a document: its kind, how it stands, the label of its paragraph and its size in points
// (each picture its own size, so that no two can be taken for each other). The kinds are shown inline and
// floating; the large PNG (485 points at 72 dpi) only inline, reduced by no whole percent.
struct Placement {
    std::size_t kind;
    bool floating;
    std::string label;
    int widthPoints;
    int heightPoints;
    int number;  // 1-based, for ids and part names
};

std::vector<Placement> placements() {
    const std::vector<PictureKind> kinds = pictureKinds();
    std::vector<Placement> all;
    const std::size_t largePng = kinds.size() - 1;
    for (std::size_t kind = 0; kind < largePng; ++kind) {
        for (const bool floating : {false, true}) {
            const int step = static_cast<int>(all.size());
            all.push_back({kind, floating, std::string(kinds[kind].name) + (floating ? " floating" : " inline"),
                           40 + 6 * step, 20 + 3 * step, step + 1});
        }
    }
    // A large picture shown smaller than it is, by no whole percent (400 of 485 points, 82.5%).
    all.push_back({largePng, false, "large PNG reduced", 400, 340, static_cast<int>(all.size()) + 1});
    return all;
}

std::string base64Of(const Bytes& bytes) {
    char* text = nullptr;
    std::int32_t length = 0;
    base64Encode(bytes.data(), static_cast<std::int32_t>(bytes.size()), &text, &length);
    std::string copy(text, static_cast<std::size_t>(length));
    freeMemory(text);
    return copy;
}

std::string labelRun(const Placement& p) { return "<w:r><w:t xml:space=\"preserve\">" + p.label + " </w:t></w:r>"; }

// A Word 2003 picture: its bytes in w:binData, shown by a picture shape, floating when positioned.
std::string word2003Picture(const Placement& p, const PictureKind& kind) {
    const std::string file = "wordml://" + std::to_string(p.number) + "." + kind.extension;
    const std::string size = "width:" + std::to_string(p.widthPoints) + "pt;height:" + std::to_string(p.heightPoints) + "pt";
    const std::string style =
        p.floating ? "position:absolute;margin-left:20pt;margin-top:0;" + size + ";z-index:" + std::to_string(p.number)
                   : size;
    const std::string id = std::string(p.floating ? "_x0000_s" : "_x0000_i") + std::to_string(1024 + p.number);
    return "<w:p>" + labelRun(p) + "<w:r><w:pict><w:binData w:name=\"" + file + "\">" + base64Of(kind.bytes) +
           "</w:binData><v:shape id=\"" + id + "\" type=\"#_x0000_t75\" style=\"" + style + "\"><v:imagedata src=\"" +
           file + "\" o:title=\"\"/></v:shape></w:pict></w:r></w:p>";
}

std::string word2003Document() {
    const std::vector<PictureKind> kinds = pictureKinds();
    std::string body;
    for (const Placement& p : placements()) body += word2003Picture(p, kinds[p.kind]);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<?mso-application progid=\"Word.Document\"?>\n"
           "<w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\""
           " xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\">"
           "<w:body>" + body + "</w:body></w:wordDocument>\n";
}

// A .docx picture: a DrawingML picture whose blip names a media part, inline or anchored to the paragraph.
std::string docxPicture(const Placement& p) {
    const std::string extent = "<wp:extent cx=\"" + std::to_string(p.widthPoints * kEmuPerPoint) + "\" cy=\"" +
                               std::to_string(p.heightPoints * kEmuPerPoint) + "\"/>";
    const std::string properties = "<wp:docPr id=\"" + std::to_string(p.number) + "\" name=\"Picture " +
                                   std::to_string(p.number) + "\"/>";
    const std::string graphic =
        "<a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:pic>"
        "<pic:nvPicPr><pic:cNvPr id=\"0\" name=\"image" + std::to_string(p.number) + "\"/><pic:cNvPicPr/></pic:nvPicPr>"
        "<pic:blipFill><a:blip r:embed=\"rIdPicture" + std::to_string(p.number) + "\"/><a:stretch><a:fillRect/>"
        "</a:stretch></pic:blipFill><pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"" +
        std::to_string(p.widthPoints * kEmuPerPoint) + "\" cy=\"" + std::to_string(p.heightPoints * kEmuPerPoint) +
        "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData></a:graphic>";
    std::string drawing;
    if (p.floating) {
        drawing = "<wp:anchor distT=\"0\" distB=\"0\" distL=\"114300\" distR=\"114300\" simplePos=\"0\" relativeHeight=\"" +
                  std::to_string(p.number) + "\" behindDoc=\"0\" locked=\"0\" layoutInCell=\"1\" allowOverlap=\"1\">"
                  "<wp:simplePos x=\"0\" y=\"0\"/><wp:positionH relativeFrom=\"column\"><wp:posOffset>254000"
                  "</wp:posOffset></wp:positionH><wp:positionV relativeFrom=\"paragraph\"><wp:posOffset>0"
                  "</wp:posOffset></wp:positionV>" + extent + "<wp:wrapSquare wrapText=\"bothSides\"/>" + properties +
                  graphic + "</wp:anchor>";
    } else {
        drawing = "<wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\">" + extent + properties + graphic +
                  "</wp:inline>";
    }
    return "<w:p>" + labelRun(p) + "<w:r><w:drawing>" + drawing + "</w:drawing></w:r></w:p>";
}

// The whole package, written with the zip library; false when it could not be written.
bool writeDocxPackage(const std::string& path) {
    const std::vector<PictureKind> kinds = pictureKinds();
    std::string types =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";
    std::set<std::string> extensions;
    for (const PictureKind& kind : kinds)
        if (extensions.insert(kind.extension).second)
            types += "<Default Extension=\"" + std::string(kind.extension) + "\" ContentType=\"" + kind.contentType + "\"/>";
    types += "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
             "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>";
    const std::string relationshipsStart =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    const std::string imageType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
    std::string documentRelationships = relationshipsStart;
    std::string body;
    testsupport::ZipBuilder zip(path);
    for (const Placement& p : placements()) {
        const PictureKind& kind = kinds[p.kind];
        const std::string media = "media/image" + std::to_string(p.number) + "." + kind.extension;
        documentRelationships += "<Relationship Id=\"rIdPicture" + std::to_string(p.number) + "\" Type=\"" + imageType +
                                 "\" Target=\"" + media + "\"/>";
        zip.add("word/" + media, std::string(kind.bytes.begin(), kind.bytes.end()));
        body += docxPicture(p);
    }
    zip.add("[Content_Types].xml", types);
    zip.add("_rels/.rels", relationshipsStart +
                               "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                               "relationships/officeDocument\" Target=\"word/document.xml\"/></Relationships>");
    zip.add("word/_rels/document.xml.rels", documentRelationships + "</Relationships>");
    zip.add("word/document.xml",
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
            "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
            " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
            " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
            " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
            " xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><w:body>" +
                body + "<w:sectPr/></w:body></w:document>");
    return zip.close();
}

using testsupport::twipsOf;
using testsupport::zipMember;

// An image frame LibreOffice shows, with the text of the paragraph that holds it.
struct ShownPicture {
    std::string paragraph;
    double width;
    double height;
    std::string anchor;
};

std::string attributeOf(xmlNode* node, const char* name) {
    std::string value;
    for (xmlAttr* a = node->properties; a != nullptr; a = a->next) {
        if (xmlStrcmp(a->name, BAD_CAST name) != 0) continue;
        xmlChar* text = xmlNodeGetContent(reinterpret_cast<xmlNode*>(a));
        if (text != nullptr) value = reinterpret_cast<const char*>(text);
        xmlFree(text);
    }
    return value;
}

std::vector<ShownPicture> picturesOf(const std::string& contentXml) {
    std::vector<ShownPicture> shown;
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document(
        xmlReadMemory(contentXml.data(), static_cast<int>(contentXml.size()), nullptr, nullptr, XML_PARSE_NONET),
        xmlFreeDoc);
    if (!document) return shown;
    std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(xmlXPathNewContext(document.get()),
                                                                             xmlXPathFreeContext);
    xmlXPathRegisterNs(context.get(), BAD_CAST "draw", BAD_CAST "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0");
    std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> found(
        xmlXPathEvalExpression(BAD_CAST "//draw:frame[draw:image]", context.get()), xmlXPathFreeObject);
    if (!found || found->nodesetval == nullptr) return shown;
    for (int i = 0; i < found->nodesetval->nodeNr; ++i) {
        xmlNode* frame = found->nodesetval->nodeTab[i];
        xmlNode* paragraph = frame->parent;
        while (paragraph != nullptr && xmlStrcmp(paragraph->name, BAD_CAST "p") != 0) paragraph = paragraph->parent;
        std::string text;
        if (paragraph != nullptr) {
            xmlChar* content = xmlNodeGetContent(paragraph);
            if (content != nullptr) text = reinterpret_cast<const char*>(content);
            xmlFree(content);
        }
        shown.push_back({text, twipsOf(attributeOf(frame, "width")), twipsOf(attributeOf(frame, "height")),
                         attributeOf(frame, "anchor-type")});
    }
    return shown;
}

const char* const kDocuments[] = {"pictures-2003", "pictures-docx"};

struct WordPicturesReading {
    testsupport::TemporaryFolder folder;
    std::map<std::string, std::vector<ShownPicture>> pictures;
    std::string problem;  // empty when both documents were converted and read back
};

class WordPicturesOracleTest : public testsupport::OracleSuite<WordPicturesOracleTest, WordPicturesReading, apptest::ProgramRunTest> {
protected:
    // Each picture is shown once, in its own paragraph, inline or floating as it was, at its size.
    static void expectEveryPictureInPlace(const char* document) {
        const std::vector<ShownPicture>& shown = shared->pictures.at(document);
        const std::vector<Placement> expected = placements();
        EXPECT_EQ(shown.size(), expected.size());
        for (const Placement& p : expected) {
            SCOPED_TRACE(p.label);
            const ShownPicture* match = nullptr;
            for (const ShownPicture& picture : shown)
                if (picture.paragraph.find(p.label) != std::string::npos) match = &picture;
            if (match == nullptr) {
                ADD_FAILURE() << "no image in the paragraph " << p.label;
                continue;
            }
            EXPECT_NEAR(match->width, p.widthPoints * 20.0, kPixelTwips);
            EXPECT_NEAR(match->height, p.heightPoints * 20.0, kPixelTwips);
            if (p.floating) {
                EXPECT_NE(match->anchor, "as-char");
            } else {
                EXPECT_EQ(match->anchor, "as-char");
            }
        }
    }

private:
    void prepare(WordPicturesReading& work) override {
        if (!testsupport::writeBytes(temporary.file("pictures-2003.xml"), word2003Document()) ||
            !writeDocxPackage(temporary.file("pictures-docx.docx"))) {
            work.problem = "the documents were not written";
            return;
        }
        const std::vector<std::string> rtfFiles = convertToRtfInto(
            {"pictures-2003.xml", "pictures-docx.docx"}, {std::begin(kDocuments), std::end(kDocuments)}, work.folder,
            work.problem);
        if (rtfFiles.empty()) return;
        OfficeOracle oracle;
        const testsupport::ProgramRun reading = oracle.convert(rtfFiles, "odt", work.folder.path());
        if (reading.exitStatus != 0) {
            work.problem = "LibreOffice failed: " + reading.messages;
            return;
        }
        for (const char* name : kDocuments)
            work.pictures[name] = picturesOf(zipMember(work.folder.file(std::string(name) + ".odt"), "content.xml"));
    }
};

TEST_F(WordPicturesOracleTest, Word2003PicturesAreShownInPlaceAtTheirSize) { expectEveryPictureInPlace("pictures-2003"); }

TEST_F(WordPicturesOracleTest, DocxPicturesAreShownInPlaceAtTheirSize) { expectEveryPictureInPlace("pictures-docx"); }

}  // namespace
