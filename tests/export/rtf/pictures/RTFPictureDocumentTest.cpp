// A drawing shape in a whole document: its picture anchor in the main story brings the shape text with
// the picture put in and its text box's graphic story delivered in place, inside "{\shptxt ...}".
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/translators/TranslatorDescriptors.h"
#include "export/rtf/CRTFExporter.h"
#include "model/story/StoryKinds.h"
#include "tests/export/rtf/RTFTestSupport.h"
#include "tests/export/rtf/pictures/RTFPictureFixture.h"
#include "tests/support/FileBytes.h"

namespace rtftest {
namespace {

TEST(RTFPictureDocumentTest, AShapeBringsItsPictureAndItsTextBox) {
    TemporaryFilesScope temporaryFiles;
    const std::string outputPath = temporaryFiles.folder().file("shape.rtf");
    CPicture shape;
    setPicture(shape, 9, 20, 20);
    setBytes(shape, "\xAB");
    setShapeText(shape, "{\\shp{\\*\\shpinst{\\sp{\\sn pib}{\\sv }} UUTT8SSBox 1VV9WW}}");
    const rtftest::Run anchorRun{u"\x01", [&shape](XParamBlock& b) {
                            b.form.txtType = storycode::anchor(storycode::kPicture, 0);
                            b.form.picData = &shape;  // stays with the test, as the engine keeps it
                        }};
    CRTFExporter exporter(&exporterDescriptors[exporter::kRTF]);
    RequestPlayer player(exporter, outputPath);
    player.storedStories = {Story{9, {text(u"Inside\r")}, 0, 0, 0, "Box 1"}};
    ASSERT_EQ(player.play({}, Story{11, {text(u"Before "), anchorRun, text(u"After\r")}}), 0);
    const std::string rtf = testsupport::readBytes(outputPath);
    std::size_t at = 0;
    for (const char* piece : {"Before", "{\\shp{\\*\\shpinst{\\sp{\\sn pib}{\\sv {\\pict\\pngblip", "ab}",
                              "}} {\\shptxt ", "Inside", "}}}", "After"}) {
        const std::size_t found = rtf.find(piece, at);
        ASSERT_NE(found, std::string::npos) << piece << " in order in:\n" << rtf;
        at = found + std::strlen(piece);
    }
    EXPECT_EQ(rtf.find("UUTT8SS"), std::string::npos);
    EXPECT_EQ(rtf.find("VV9WW"), std::string::npos);
}

}  // namespace
}  // namespace rtftest
