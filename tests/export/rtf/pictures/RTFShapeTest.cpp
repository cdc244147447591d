// Drawing shapes in the RTF body: the shape text copied with the picture group put after the shape's
// picture property and each text box's text put where its marker stands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CPicture.h"
#include "tests/export/rtf/pictures/RTFPictureFixture.h"

namespace rtftest {
namespace {

using RTFShapeTest = PictureEmitterFixture;

const std::string kPictureGroup = "{\\pict\\pngblip\\picw35\\pich35\\picwgoal20\\pichgoal20 \r\n0102}";

struct ShapeCase {
    const char* what;
    std::string shapeText;
    bool withBytes;
    std::string expected;  // before the CR LF that ends every picture
};

TEST_F(RTFShapeTest, ThePictureGoesAfterTheFirstPicturePropertyFound) {
    const std::vector<ShapeCase> cases = {
        {"pib", "{\\shp{\\sp{\\sn pib}{\\sv }}}", true, "{\\shp{\\sp{\\sn pib}{\\sv " + kPictureGroup + "}}}"},
        {"pib before an earlier fillBlip", "{\\sp{\\sn fillBlip}{\\sv }}{\\sp{\\sn pib}{\\sv }}", true,
         "{\\sp{\\sn fillBlip}{\\sv }}{\\sp{\\sn pib}{\\sv " + kPictureGroup + "}}"},
        {"fillBlip", "{\\sp{\\sn fillBlip}{\\sv }}", true, "{\\sp{\\sn fillBlip}{\\sv " + kPictureGroup + "}}"},
        {"lineFillBlip", "{\\sp{\\sn lineFillBlip}{\\sv }}", true,
         "{\\sp{\\sn lineFillBlip}{\\sv " + kPictureGroup + "}}"},
        {"only the first pib", "{\\sp{\\sn pib}{\\sv }}{\\sp{\\sn pib}{\\sv }}", true,
         "{\\sp{\\sn pib}{\\sv " + kPictureGroup + "}}{\\sp{\\sn pib}{\\sv }}"},
        {"no bytes: the property stays as it is", "{\\shp{\\sp{\\sn pib}{\\sv }}}", false,
         "{\\shp{\\sp{\\sn pib}{\\sv }}}"},
        {"no picture property", "{\\shp{\\sp{\\sn fillColor}{\\sv 255}}}", true,
         "{\\shp{\\sp{\\sn fillColor}{\\sv 255}}}"},
        {"an opening that ends the text", "{\\sp{\\sn pib}{\\sv ", true, "{\\sp{\\sn pib}{\\sv " + kPictureGroup},
    };
    for (const ShapeCase& c : cases) {
        CPicture picture;
        setPicture(picture, 9, 20, 20);
        if (c.withBytes) setBytes(picture, "\x01\x02");
        setShapeText(picture, c.shapeText);
        EXPECT_EQ(written(picture), c.expected + "\r\n") << c.what;
    }
}

TEST_F(RTFShapeTest, TextBoxesLandWhereTheirMarkersStand) {
    const std::string longName(300, 'n');
    const std::vector<ShapeCase> cases = {
        {"two text boxes", "{\\shp A UUTT8SSBox 1VV9WW B UUTT8SSBox 2VV9WW}", false,
         "{\\shp A {\\shptxt Box 1} B {\\shptxt Box 2}}"},
        {"two markers side by side", "UUTT8SSaVV9WWUUTT8SSbVV9WW", false, "{\\shptxt a}{\\shptxt b}"},
        {"a marker ending the text", "xUUTT8SSaVV9WW", false, "x{\\shptxt a}"},
        {"a picture and a text box", "{\\sp{\\sn pib}{\\sv }}UUTT8SSBoxVV9WW}", true,
         "{\\sp{\\sn pib}{\\sv " + kPictureGroup + "}}{\\shptxt Box}}"},
        {"a marker without its end is text", "{x UUTT8SSBox}", false, "{x UUTT8SSBox}"},
        {"a name longer than 255 bytes is passed whole", "UUTT8SS" + longName + "VV9WW", false,
         "{\\shptxt " + longName + "}"},
    };
    for (const ShapeCase& c : cases) {
        CPicture picture;
        setPicture(picture, 9, 20, 20);
        if (c.withBytes) setBytes(picture, "\x01\x02");
        setShapeText(picture, c.shapeText);
        EXPECT_EQ(written(picture), c.expected + "\r\n") << c.what;
    }
    EXPECT_EQ(placer.names.size(), 7u);
}

TEST_F(RTFShapeTest, LongShapeTextBreaksLinesOnlyAtABlankAfter128Bytes) {
    CPicture picture;
    // The first blank comes after 127 bytes, the second after 139.
    setShapeText(picture, std::string(127, 'a') + " " + std::string(10, 'b') + " c");
    EXPECT_EQ(written(picture), std::string(127, 'a') + " " + std::string(10, 'b') + " \r\nc\r\n");
    // Without blanks, the text goes out unchanged however long it is.
    CPicture solid;
    const std::string text(70000, 'x');
    setShapeText(solid, text);
    EXPECT_EQ(written(solid), text + "\r\n");
}

TEST_F(RTFShapeTest, AMarkerIsExpandedOnlyWhereAWholeOneStands) {
    const std::string text = "ab UUTT8SSBoxVV9WW UUTT8SSrest";
    EXPECT_EQ(emitter->expandGraphicMarker(text, 3), 18);
    EXPECT_EQ(emitter->take(), "{\\shptxt Box}");
    for (std::int32_t position : {0, 19, -1, 40}) {
        EXPECT_EQ(emitter->expandGraphicMarker(text, position), position);
        EXPECT_EQ(emitter->take(), "") << position;
    }
}

}  // namespace
}  // namespace rtftest
