// The walk over picture containers: which containers become plain pictures and which become RTF shape
// text, and where the picture bytes and sizes come from.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "model/CPicture.h"
#include "model/records/PictureOwnership.h"
#include "picture/PictureDetection.h"
#include "picture/containers/PictureContainerWalk.h"
#include "picture/containers/PictureFromContainer.h"
#include "tests/picture/ContainerTestSupport.h"

namespace {

using containertest::base64Of;
using containertest::bytesOf;
using containertest::Container;
using containertest::FolderPackage;
using picturefixtures::Bytes;

struct PictureRelease {
    void operator()(CPicture* picture) const { disposePicture(picture); }
};
using Picture = std::unique_ptr<CPicture, PictureRelease>;

Picture walk(const Container& container, CRelationshipsTable* package = nullptr) {
    return Picture(newPictureFromContainer(container.element(), package));
}

std::string shapeText(const CPicture& picture) {
    return picture.fRtfData == nullptr ? ""
                                       : std::string(reinterpret_cast<const char*>(picture.fRtfData),
                                                     static_cast<std::size_t>(picture.fRtfLength));
}

// The natural size detection gives the bytes, as {0, 0, height, width}.
LongRect measured(const Bytes& bytes) {
    auto* copy = static_cast<std::uint8_t*>(allocMemory(static_cast<std::int32_t>(bytes.size())));
    std::copy(bytes.begin(), bytes.end(), copy);
    std::int32_t length = static_cast<std::int32_t>(bytes.size());
    PictureInfo info;
    clearPictureInfo(info);
    detectPictureType(copy, length, info);
    freeMemory(copy);
    return LongRect{0, 0, info.height, info.width};
}

bool sameRect(const LongRect& a, const LongRect& b) {
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

std::string blipGraphic(const std::string& embed) {
    return "<a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
           "<pic:pic><pic:nvPicPr/><pic:blipFill><a:blip r:embed=\"" +
           embed + "\"/></pic:blipFill></pic:pic></a:graphicData></a:graphic>";
}

std::string inlineDrawing(const std::string& graphic) {
    return "<w:drawing><wp:inline><wp:extent cx=\"1270000\" cy=\"635000\"/><wp:docPr id=\"7\" name=\"Picture 7\"/>" +
           graphic + "</wp:inline></w:drawing>";
}

std::string anchoredDrawing(const std::string& graphic, const std::string& attributes = "") {
    return "<w:drawing><wp:anchor distT=\"0\" distB=\"0\" distL=\"114300\" distR=\"114300\" simplePos=\"0\" "
           "relativeHeight=\"1\" behindDoc=\"0\" locked=\"0\" layoutInCell=\"1\" allowOverlap=\"1\"" +
           attributes +
           "><wp:simplePos x=\"0\" y=\"0\"/>"
           "<wp:positionH relativeFrom=\"column\"><wp:posOffset>635000</wp:posOffset></wp:positionH>"
           "<wp:positionV relativeFrom=\"paragraph\"><wp:posOffset>317500</wp:posOffset></wp:positionV>"
           "<wp:extent cx=\"1270000\" cy=\"635000\"/><wp:wrapSquare wrapText=\"bothSides\"/>"
           "<wp:docPr id=\"5\" name=\"Picture 5\"/>" +
           graphic + "</wp:anchor></w:drawing>";
}

TEST(PictureContainerWalk, InlineDrawingIsAPlainPictureFramedByItsExtent) {
    const Bytes png = picturefixtures::pngPicture(40, 20);
    FolderPackage package({{"rId4", png}});
    const Picture picture = walk(Container(inlineDrawing(blipGraphic("rId4"))), package.relationships());

    EXPECT_STREQ(picture->getName(), "7");
    EXPECT_EQ(picture->fFlag, 0);
    EXPECT_EQ(picture->fRtfData, nullptr);
    EXPECT_EQ(picture->fType, picturetype::kPng);
    EXPECT_EQ(bytesOf(picture->fPicData, picture->fPicLength), png);
    // 1270000 EMU wide and 635000 high: 2000 by 1000 twips.
    EXPECT_TRUE(sameRect(picture->fRect, LongRect{0, 0, 1000, 2000}));
    EXPECT_TRUE(sameRect(picture->fOriginalRect, measured(png)));
}

TEST(PictureContainerWalk, AnchoredDrawingIsAShapeWithItsPicture) {
    const Bytes png = picturefixtures::pngPicture(40, 20);
    FolderPackage package({{"rId4", png}});
    const Picture picture = walk(Container(anchoredDrawing(blipGraphic("rId4"))), package.relationships());

    EXPECT_EQ(picture->fFlag, 1);
    const std::string text = shapeText(*picture);
    EXPECT_EQ(text.rfind("{\\shp{\\*\\shpinst\\shplid5\\shpfhdr0", 0), 0u) << text;
    for (const char* piece : {"\\shpwr2", "\\shpwrk0", "\\shpleft1000", "\\shptop500", "\\shpright3000",
                              "\\shpbottom1500", "{\\sp{\\sn pib}{\\sv }}", "{\\sp{\\sn shapeType}{\\sv 75}}",
                              "{\\sp{\\sn fAllowOverlap}{\\sv 1}}", "{\\sp{\\sn dxWrapDistLeft}{\\sv 114300}}"})
        EXPECT_NE(text.find(piece), std::string::npos) << piece << " in " << text;
    EXPECT_EQ(text.substr(text.size() - 2), "}}");
    EXPECT_EQ(picture->fType, picturetype::kPng);
    EXPECT_EQ(bytesOf(picture->fPicData, picture->fPicLength), png);
}

TEST(PictureContainerWalk, AnchorInAHeaderIsMarkedSo) {
    FolderPackage package({{"rId4", picturefixtures::pngPicture(4, 4)}});
    const Picture picture = walk(Container(anchoredDrawing(blipGraphic("rId4")), true), package.relationships());
    EXPECT_NE(shapeText(*picture).find("\\shplid5\\shpfhdr1"), std::string::npos) << shapeText(*picture);
}

TEST(PictureContainerWalk, AnchoredChartLeavesNoShapeAndNoBytes) {
    const Picture picture = walk(Container(anchoredDrawing(
        "<a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/chart\">"
        "<c:chart xmlns:c=\"http://schemas.openxmlformats.org/drawingml/2006/chart\" r:id=\"rId9\"/>"
        "</a:graphicData></a:graphic>")));
    EXPECT_EQ(picture->fRtfData, nullptr);
    EXPECT_EQ(picture->fPicData, nullptr);
    EXPECT_EQ(picture->fFlag, 0);
    EXPECT_STREQ(picture->getName(), "5");
}

TEST(PictureContainerWalk, TwoBlipsGiveTwoPictureValues) {
    FolderPackage package({{"rId4", picturefixtures::pngPicture(4, 4)}, {"rId5", picturefixtures::pngPicture(8, 8)}});
    const Picture picture = walk(
        Container(anchoredDrawing("<a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/"
                                  "picture\"><pic:pic><pic:blipFill><a:blip r:embed=\"rId4\"/><a:blip "
                                  "r:embed=\"rId5\"/></pic:blipFill></pic:pic></a:graphicData></a:graphic>")),
        package.relationships());
    const std::string text = shapeText(*picture);
    const std::string pib = "{\\sp{\\sn pib}{\\sv }}";
    const std::size_t first = text.find(pib);
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(text.find(pib, first + 1), std::string::npos);
    // The last blip read gives the bytes.
    EXPECT_EQ(bytesOf(picture->fPicData, picture->fPicLength), picturefixtures::pngPicture(8, 8));
}

TEST(PictureContainerWalk, InlineVmlPictureIsAPlainPictureNamedByItsShape) {
    const Bytes jpeg = picturefixtures::jpegPicture(30, 10);
    FolderPackage package({{"rId8", jpeg}});
    const Picture picture = walk(
        Container("<w:pict><v:shapetype id=\"_x0000_t75\"/><v:shape id=\"_x0000_i1025\" type=\"#_x0000_t75\" "
                  "style=\"width:90pt;height:30pt\"><v:imagedata r:id=\"rId8\" o:title=\"\"/></v:shape></w:pict>"),
        package.relationships());
    EXPECT_STREQ(picture->getName(), "_x0000_i1025");
    EXPECT_EQ(picture->fFlag, 0);
    EXPECT_EQ(picture->fRtfData, nullptr);
    EXPECT_EQ(picture->fType, picturetype::kJpeg);
    EXPECT_EQ(bytesOf(picture->fPicData, picture->fPicLength), jpeg);
    EXPECT_TRUE(sameRect(picture->fRect, LongRect{0, 0, 600, 1800}));
}

TEST(PictureContainerWalk, Word2003BinDataPictureReachesTheObject) {
    const Bytes png = picturefixtures::pngPicture(12, 6);
    const Picture picture = walk(Container(
        "<w:pict><w:binData w:name=\"wordml://02000001.png\">" + base64Of(png) +
        "</w:binData><v:shape id=\"_x0000_i1025\" type=\"#_x0000_t75\" style=\"width:9pt;height:4.5pt\">"
        "<v:imagedata src=\"wordml://02000001.png\"/></v:shape></w:pict>"));
    EXPECT_STREQ(picture->getName(), "_x0000_i1025");
    EXPECT_EQ(picture->fFlag, 0);
    EXPECT_EQ(picture->fType, picturetype::kPng);
    EXPECT_EQ(bytesOf(picture->fPicData, picture->fPicLength), png);
}

TEST(PictureContainerWalk, FloatingRectangleIsAShapeWithDefaultWrap) {
    const Picture picture = walk(Container(
        "<w:pict><v:rect id=\"_x0000_s1030\" style=\"position:absolute;margin-left:10pt;margin-top:5pt;"
        "width:100pt;height:50pt;z-index:1\" fillcolor=\"red\"/></w:pict>"));
    EXPECT_EQ(picture->fFlag, 1);
    const std::string text = shapeText(*picture);
    EXPECT_EQ(text.rfind("{\\shp{\\*\\shpinst\\shplid1030\\shpfhdr0", 0), 0u) << text;
    for (const char* piece : {"{\\sp{\\sn shapeType}{\\sv 1}}", "\\shpwr3", "\\shpwrk0"})
        EXPECT_NE(text.find(piece), std::string::npos) << piece << " in " << text;
    EXPECT_EQ(picture->fPicData, nullptr);
}

// A shape or group that its style does not place absolutely stands in the line of text: written as a
// floating shape it keeps that line to itself, where one placed absolutely lets the text run through
// it. A wrap element of its own holds for either, a group's as much as a shape's.
TEST(PictureContainerWalk, AShapeOrGroupKeepsItsWrap) {
    const std::string absolute = "position:absolute;margin-left:10pt;width:100pt;height:50pt;z-index:1";
    const std::string inLine = "width:100pt;height:50pt;mso-position-horizontal-relative:char;mso-position-vertical-relative:line";
    const std::string square = "<w10:wrap type=\"square\"/>";
    const auto textBox = [](const std::string& style, const std::string& wrap) {
        return "<v:shape id=\"_x0000_s2050\" style=\"" + style +
               "\"><v:textbox><w:txbxContent><w:p/></w:txbxContent></v:textbox>" + wrap + "</v:shape>";
    };
    const auto group = [&textBox](const std::string& style, const std::string& wrap) {
        return "<v:group id=\"_x0000_s2060\" style=\"" + style + "\" coordsize=\"2000,1000\">" +
               textBox("position:absolute;left:0;top:0;width:2000;height:1000", "") + wrap + "</v:group>";
    };
    const struct {
        const char* what;
        std::string element;
        const char* expected;
    } cases[] = {
        {"a shape placed absolutely, no wrap", textBox(absolute, ""), "\\shpwr3"},
        {"a shape in the line, no wrap", textBox(inLine, ""), "\\shpwr1"},
        {"a shape in the line, its own wrap", textBox(inLine, square), "\\shpwr2"},
        {"a group placed absolutely, no wrap", group(absolute, ""), "\\shpwr3"},
        {"a group placed absolutely, its own wrap", group(absolute, square), "\\shpwr2"},
        {"a group in the line, no wrap", group(inLine, ""), "\\shpwr1"},
    };
    for (const auto& c : cases) {
        const Picture picture = walk(Container("<w:pict>" + c.element + "</w:pict>"));
        ASSERT_EQ(picture->fFlag, 1) << c.what;
        const std::string text = shapeText(*picture);
        EXPECT_NE(text.find(c.expected), std::string::npos) << c.what << ": " << text;
        for (const char* other : {"\\shpwr1", "\\shpwr2", "\\shpwr3"}) {
            if (std::string_view(other) == c.expected) continue;
            EXPECT_EQ(text.find(other), std::string::npos) << c.what << ": " << text;
        }
    }
}

TEST(PictureContainerWalk, GroupHoldsItsMembersAsShapes) {
    const Picture picture = walk(Container(
        "<w:pict><v:group id=\"_x0000_s1040\" style=\"position:absolute;margin-left:0;margin-top:0;width:200pt;"
        "height:100pt;z-index:2\" coordorigin=\"0,0\" coordsize=\"4000,2000\">"
        "<v:rect id=\"_x0000_s1041\" style=\"position:absolute;left:0;top:0;width:2000;height:1000\"/>"
        "<v:oval id=\"_x0000_s1042\" style=\"position:absolute;left:2000;top:1000;width:2000;height:1000\"/>"
        "</v:group></w:pict>"));
    EXPECT_STREQ(picture->getName(), "_x0000_s1040");
    const std::string text = shapeText(*picture);
    EXPECT_EQ(text.rfind("{\\shpgrp{\\*\\shpinst", 0), 0u) << text;
    const std::size_t rect = text.find("{\\shp{\\*\\shpinst\\shplid1040");
    ASSERT_NE(rect, std::string::npos) << text;
    EXPECT_NE(text.find("{\\shp{\\*\\shpinst\\shplid1040", rect + 1), std::string::npos) << text;
    EXPECT_NE(text.find("{\\sp{\\sn shapeType}{\\sv 3}}"), std::string::npos) << text;
    EXPECT_NE(text.find("relLeft"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 4), "}}}}");
}

TEST(PictureContainerWalk, PolylineVerticesLieRelativeToTheirBox) {
    const Picture picture = walk(Container(
        "<w:pict><v:polyline id=\"_x0000_s1050\" style=\"position:absolute;z-index:3\" "
        "points=\"10pt,10pt,20pt,30pt\"/></w:pict>"));
    const std::string text = shapeText(*picture);
    EXPECT_NE(text.find("{\\sp{\\sn pVerticies}{\\sv 8;2;(0,0);(200,400)}}"), std::string::npos) << text;
    EXPECT_NE(text.find("\\shpleft200\\shptop200\\shpright400\\shpbottom600"), std::string::npos) << text;
}

TEST(PictureContainerWalk, TextBoxLeavesItsMarkerAndLink) {
    const Picture picture = walk(Container(
        "<w:pict><v:shape id=\"Box1\" type=\"#_x0000_t202\" style=\"position:absolute;width:100pt;height:50pt;"
        "z-index:4\"><v:textbox style=\"mso-next-textbox:#Box2\"><w:txbxContent/></v:textbox></v:shape></w:pict>"));
    const std::string text = shapeText(*picture);
    EXPECT_NE(text.find("{\\sp{\\sn lTxid}{\\sv "), std::string::npos) << text;
    EXPECT_NE(text.find(" UUTT8SSBox1VV9WW"), std::string::npos) << text;
    EXPECT_NE(text.find("{\\sp{\\sn shapeType}{\\sv 202}}"), std::string::npos) << text;
}

TEST(PictureContainerWalk, ManyPicturesNeverMakeAShapeAPlainPicture) {
    // 99 picture references must not reach the count that marks a plain inline picture.
    std::string pict = "<w:pict>";
    for (int i = 0; i < 120; ++i) pict += "<w:binData w:name=\"p\">AAAA</w:binData>";
    pict += "<v:rect id=\"_x0000_s1060\" style=\"position:absolute;margin-left:0;width:10pt;height:10pt\"/></w:pict>";
    const Picture picture = walk(Container(pict));
    EXPECT_EQ(picture->fFlag, 1);
    EXPECT_NE(shapeText(*picture).find("{\\sp{\\sn shapeType}{\\sv 1}}"), std::string::npos);
}

TEST(PictureContainerWalk, ContainerWithoutShapeOrPictureStaysEmpty) {
    const Picture picture = walk(Container("<w:pict><v:shapetype id=\"_x0000_t75\"/></w:pict>"));
    EXPECT_EQ(picture->getName(), nullptr);
    EXPECT_EQ(picture->fRtfData, nullptr);
    EXPECT_EQ(picture->fPicData, nullptr);
}

TEST(PictureContainerWalk, InlineTest) {
    const struct {
        const char* container;
        std::int16_t inlineFlag;
    } cases[] = {
        {"<w:drawing><wp:inline/></w:drawing>", 1},
        {"<w:drawing><wp:anchor/></w:drawing>", 0},
        {"<w:pict><v:shape style=\"width:10pt;height:10pt\"/></w:pict>", 1},
        {"<w:pict><v:shape style=\"position:absolute;margin-left:0;width:10pt;height:10pt\"/></w:pict>", 0},
        {"<w:pict><v:group style=\"width:10pt;height:10pt\"/></w:pict>", 0},
        {"<w:object><v:shapetype/><v:rect style=\"position:static\"/></w:object>", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(isInline(Container(c.container).element()), c.inlineFlag) << c.container;
}

}  // namespace
