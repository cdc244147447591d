// LibreOffice reads the pictures our RTF writer produces: a document with an inline picture of each kind
// (PNG, JPEG, GIF, TIFF, placeable and plain WMF) and a floating picture shape is converted to ODT, and
// each picture is found there as an image in a frame of its size. Skips itself without LibreOffice.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/memory/Memory.h"
#include "model/CPicture.h"
#include "model/params/ParamBlockTables.h"
#include "model/story/StoryKinds.h"
#include "tests/export/rtf/RTFFeatureDocuments.h"
#include "tests/support/OdfReading.h"
#include "tests/support/OfficeOracle.h"
#include "tests/support/OracleSuite.h"
#include "tests/support/PictureFixtures.h"

namespace rtftest {
namespace {

using testsupport::OfficeOracle;
using picturefixtures::Bytes;

// One pixel at 96 dots per inch.
constexpr double kPixelTwips = 15.0;

struct PictureCase {
    const char* what;
    std::int16_t type;
    Bytes bytes;
    std::int32_t width;  // twips, the frame
    std::int32_t height;
    bool floating;
    LongRect natural{};  // the frame when empty
};

// A floating picture frame, anchored to the paragraph, whose picture goes into its pib property.
std::string floatingShapeText(std::int32_t width, std::int32_t height) {
    return "{\\shp{\\*\\shpinst\\shpleft0\\shptop0\\shpright" + std::to_string(width) + "\\shpbottom" +
           std::to_string(height) +
           "\\shpfhdr0\\shpbxcolumn\\shpbxignore\\shpbypara\\shpbyignore\\shpwr3\\shpwrk0\\shpfblwtxt0\\shpz0"
           "\\shplid1025{\\sp{\\sn shapeType}{\\sv 75}}{\\sp{\\sn pib}{\\sv }}}}";
}

std::vector<PictureCase> pictureCases() {
    using namespace picturefixtures;
    return {
        {"PNG", 9, pngPicture(16, 8), 1440, 720, false},
        {"JPEG", 7, jpegPicture(24, 12), 2160, 1080, false},
        {"GIF", 6, gifPicture(16, 12), 1200, 900, false},
        {"TIFF", 10, tiffPicture(8, 12), 960, 1440, false},
        {"placeable WMF", 11, placeableWmfPicture(0, 0, 1800, 600, 1440), 1800, 600, false},
        {"plain WMF", 12, plainWmfPicture(500, 1500), 1500, 500, false},
        {"floating PNG", 9, pngPicture(32, 16), 2880, 1440, true},
        {"PNG scaled to twice its size", 9, pngPicture(12, 6), 1680, 840, false, {0, 0, 420, 840}},
    };
}

CPicture* newPicture(const PictureCase& c) {
    auto* picture = new CPicture();
    picture->fType = c.type;
    picture->fRect = {0, 0, c.height, c.width};
    const LongRect& natural = c.natural;
    const bool noNatural = natural.top == 0 && natural.left == 0 && natural.bottom == 0 && natural.right == 0;
    picture->fOriginalRect = noNatural ? picture->fRect : natural;
    picture->fPicData = static_cast<std::uint8_t*>(allocMemory(static_cast<std::int32_t>(c.bytes.size())));
    std::memcpy(picture->fPicData, c.bytes.data(), c.bytes.size());
    picture->fPicLength = static_cast<std::int32_t>(c.bytes.size());
    if (c.floating) {
        const std::string text = floatingShapeText(c.width, c.height);
        picture->fRtfData = static_cast<std::uint8_t*>(allocMemory(static_cast<std::int32_t>(text.size())));
        std::memcpy(picture->fRtfData, text.data(), text.size());
        picture->fRtfLength = static_cast<std::int32_t>(text.size());
        picture->fFlag = 1;
    }
    return picture;
}

// One paragraph per picture: the picture anchor, then the paragraph end. The pictures stay with the
// caller, as the engine keeps a run's picture.
FeatureDocument picturesDocument(const std::vector<std::unique_ptr<CPicture>>& pictures) {
    Story main{11, {}};
    for (const auto& picture : pictures) {
        CPicture* shown = picture.get();
        main.runs.push_back(Run{u"\x01", [shown](XParamBlock& b) {
                                    b.form.txtType = storycode::anchor(storycode::kPicture, 0);
                                    b.form.picData = shown;
                                }});
        main.runs.push_back(Run{u"\r", nullptr});
    }
    return {"pictures", {}, main, [](XParamBlock& b) {
                addFontByName("Liberation Serif", &b);
                numberFonts(&b);
            }};
}

using testsupport::twipsOf;
using testsupport::zipMember;

struct Frame {
    double width;
    double height;
    std::string anchor;
    bool hasImage;
};

// The frames of the document's body, with their size, anchor and whether an image is inside.
std::vector<Frame> framesOf(const std::string& contentXml) {
    std::vector<Frame> frames;
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document(
        xmlReadMemory(contentXml.data(), static_cast<int>(contentXml.size()), nullptr, nullptr, XML_PARSE_NONET),
        xmlFreeDoc);
    if (!document) return frames;
    std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(xmlXPathNewContext(document.get()),
                                                                             xmlXPathFreeContext);
    xmlXPathRegisterNs(context.get(), BAD_CAST "draw", BAD_CAST "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0");
    std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> found(
        xmlXPathEvalExpression(BAD_CAST "//draw:frame", context.get()), xmlXPathFreeObject);
    if (!found || found->nodesetval == nullptr) return frames;
    const auto attribute = [](xmlNode* node, const char* name) {
        std::string value;
        for (xmlAttr* a = node->properties; a != nullptr; a = a->next) {
            if (std::strcmp(reinterpret_cast<const char*>(a->name), name) != 0) continue;
            xmlChar* text = xmlNodeGetContent(reinterpret_cast<xmlNode*>(a));
            if (text != nullptr) value = reinterpret_cast<const char*>(text);
            xmlFree(text);
        }
        return value;
    };
    for (int i = 0; i < found->nodesetval->nodeNr; ++i) {
        xmlNode* node = found->nodesetval->nodeTab[i];
        bool hasImage = false;
        for (xmlNode* child = node->children; child != nullptr; child = child->next)
            if (child->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(child->name), "image") == 0)
                hasImage = true;
        frames.push_back({twipsOf(attribute(node, "width")), twipsOf(attribute(node, "height")),
                          attribute(node, "anchor-type"), hasImage});
    }
    return frames;
}

struct PictureReading {
    TemporaryFilesScope temporaryFiles;
    testsupport::TemporaryFolder folder;
    std::vector<std::unique_ptr<CPicture>> pictures;
    std::vector<Frame> frames;
    std::string problem;  // empty when the document was written and read back
};

class RTFPictureOracleTest : public testsupport::OracleSuite<RTFPictureOracleTest, PictureReading> {
protected:
    void prepare(PictureReading& work) override {
        for (const PictureCase& c : pictureCases()) work.pictures.emplace_back(newPicture(c));
        const std::string path = work.folder.file("pictures.rtf");
        if (writeFeatureDocument(picturesDocument(work.pictures), path).empty()) {
            work.problem = "the document was not written";
            return;
        }
        OfficeOracle oracle;
        const testsupport::ProgramRun run = oracle.convert({path}, "odt", work.folder.path());
        if (run.exitStatus != 0) {
            work.problem = "LibreOffice failed: " + run.messages;
            return;
        }
        work.frames = framesOf(zipMember(work.folder.file("pictures.odt"), "content.xml"));
    }
};

TEST_F(RTFPictureOracleTest, EveryPictureIsAnImageOfItsSize) {
    const std::vector<PictureCase> cases = pictureCases();
    EXPECT_EQ(shared->frames.size(), cases.size());
    for (const PictureCase& c : cases) {
        bool seen = false;
        for (const Frame& frame : shared->frames) {
            if (std::fabs(frame.width - c.width) > kPixelTwips || std::fabs(frame.height - c.height) > kPixelTwips)
                continue;
            seen = true;
            EXPECT_TRUE(frame.hasImage) << c.what;
            if (c.floating) {
                EXPECT_NE(frame.anchor, "as-char") << c.what;
            } else {
                EXPECT_EQ(frame.anchor, "as-char") << c.what;
            }
        }
        EXPECT_TRUE(seen) << c.what << " (" << c.width << " x " << c.height << " twips) is not in the document";
    }
}

}  // namespace
}  // namespace rtftest
