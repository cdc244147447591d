// Pictures in the RTF body: a picture anchor's picture, the picture group of each picture type with its
// sizes, scale and crop, and the picture bytes in hexadecimal lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/memory/Memory.h"
#include "model/CPicture.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/story/StoryKinds.h"
#include "model/tables/ListRecords.h"
#include "tests/export/rtf/pictures/RTFPictureFixture.h"
#include "tests/support/PictureFixtures.h"

namespace rtftest {
namespace {

using RTFPictureTest = PictureEmitterFixture;

struct KindCase {
    std::int16_t type;
    std::string expected;  // the whole output for the bytes "\x12\xAB"
};

TEST_F(RTFPictureTest, EachTypeWritesItsWordAndSizeOrNothing) {
    // Frame 1440 x 720 twips, natural size the same: points 72 x 36, hundredths of a millimetre 2540 x 1270.
    const std::string natural = "\\picw2540\\pich1270\\picwgoal1440\\pichgoal720 \r\n12ab}\r\n";
    const std::vector<KindCase> cases = {
        {3, "{\\pict\\emfblip" + natural},
        {7, "{\\pict\\jpegblip" + natural},
        {8, "{\\pict\\macpict\\picw72\\pich36\\picwgoal1440\\pichgoal720 \r\n12ab}\r\n"},
        {9, "{\\pict\\pngblip" + natural},
        {12, "{\\pict\\wmetafile8" + natural},
        {0, "\r\n"},
        {4, "\r\n"},
        {5, "\r\n"},
        {13, "\r\n"},
        {-1, "\r\n"},
    };
    for (const KindCase& c : cases) {
        CPicture picture;
        setPicture(picture, c.type, 1440, 720);
        setBytes(picture, "\x12\xAB");
        EXPECT_EQ(written(picture), c.expected) << "type " << c.type;
    }
}

TEST_F(RTFPictureTest, NoPictureWritesNothing) {
    emitter->writePicture(nullptr);
    EXPECT_EQ(emitter->take(), "");
}

struct GeometryCase {
    const char* what;
    LongRect frame;
    LongRect natural;
    LongRect crop;
    std::string words;  // what comes between "{\pict\pngblip" and "\picwgoal"
};

TEST_F(RTFPictureTest, ScaleAndCropFollowFrameNaturalSizeAndCrop) {
    constexpr std::int32_t kHalf = 32768;
    constexpr std::int32_t kQuarter = 16384;
    const std::vector<GeometryCase> cases = {
        {"frame twice as wide", {0, 0, 1440, 2880}, {0, 0, 1440, 1440}, {0, 0, 0, 0},
         "\\picscalex200\\picscaley100\\picw2540\\pich2540"},
        {"frame equal to natural size: a crop is not written", {0, 0, 1440, 1440}, {0, 0, 1440, 1440},
         {kQuarter, kQuarter, kQuarter, kQuarter}, "\\picw2540\\pich2540"},
        {"no natural size: no scale", {0, 0, 1440, 2880}, {0, 0, 0, 0}, {0, 0, 0, 0}, "\\picw0\\pich0"},
        // Half the width cut away leaves 1440 of 2880: the frame of 1459 is within 20, so scaleX stays
        // 100; a quarter of the height cut leaves 1080 against a frame of 540: scaleY 50.
        {"cropped width within 19 twips of the frame", {0, 0, 540, 1459}, {0, 0, 1440, 2880},
         {kQuarter, kHalf, 0, 0},
         "\\picscalex100\\picscaley50\\picw5080\\pich2540\\piccropt360\\piccropb0\\piccropl1440\\piccropr0"},
        {"cropped to the frame: crop words only", {0, 0, 720, 1440}, {0, 0, 1440, 2880},
         {kHalf, kHalf, 0, 0}, "\\picw5080\\pich2540\\piccropt720\\piccropb0\\piccropl1440\\piccropr0"},
        {"frame offset from the natural rectangle, same size", {100, 100, 1540, 1540}, {0, 0, 1440, 1440},
         {0, 0, 0, 0}, "\\picscalex100\\picscaley100\\picw2540\\pich2540"},
    };
    for (const GeometryCase& c : cases) {
        CPicture picture;
        picture.fType = 9;
        picture.fRect = c.frame;
        picture.fOriginalRect = c.natural;
        picture.fCropRect = c.crop;
        const std::string out = written(picture);
        const std::size_t goal = out.find("\\picwgoal");
        ASSERT_NE(goal, std::string::npos) << c.what;
        EXPECT_EQ(out.substr(0, goal), "{\\pict\\pngblip" + c.words) << c.what;
    }
}

TEST_F(RTFPictureTest, AFrameNoWholePercentReachesIsTheGoalSizeItself) {
    // 9360 of 9700 twips is 96.49%: a scale of 96 would show the picture 48 twips narrow.
    CPicture picture;
    picture.fType = 9;
    picture.fRect = {0, 0, 7932, 9360};
    picture.fOriginalRect = {0, 0, 8220, 9700};
    const std::string out = written(picture);
    EXPECT_EQ(out.rfind("{\\pict\\pngblip\\picw17109\\pich14499\\picwgoal9360\\pichgoal7932 ", 0), 0u) << out;
}

TEST_F(RTFPictureTest, RectanglesOfAnySizeNeitherOverflowNorDivideByZero) {
    constexpr std::int32_t kMax = 2147483647;
    constexpr std::int32_t kMin = -2147483647 - 1;
    CPicture picture;
    picture.fType = 9;
    picture.fRect = {kMin, kMin, kMax, kMax};
    picture.fOriginalRect = {0, 0, 1, 1};
    EXPECT_NE(written(picture).find("\\picscalex2147483647\\picscaley2147483647"), std::string::npos);
    picture.fOriginalRect = {kMin, kMin, kMax, kMax};
    picture.fCropRect = {kMax, kMax, kMin, kMin};
    picture.fRect = {0, 0, 0, 0};
    const std::string out = written(picture);
    EXPECT_EQ(out.rfind("{\\pict\\pngblip", 0), 0u);
    EXPECT_NE(out.find("\\picw2147483647\\pich2147483647"), std::string::npos);
}

TEST_F(RTFPictureTest, PlaceableMetafileSkipsItsHeaderAndBytesGoInLinesOf65) {
    CPicture picture;
    setPicture(picture, 11, 1440, 1440);
    std::string bytes(1000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i);
    setBytes(picture, bytes);
    const std::string out = written(picture);
    const std::string head = "{\\pict\\wmetafile8\\picw2540\\pich2540\\picwgoal1440\\pichgoal1440 \r\n";
    ASSERT_EQ(out.rfind(head, 0), 0u);
    ASSERT_EQ(out.substr(out.size() - 3), "}\r\n");
    const std::string digits = out.substr(head.size(), out.size() - head.size() - 3);
    std::vector<std::string> lines;
    for (std::size_t from = 0;;) {
        const std::size_t end = digits.find("\r\n", from);
        lines.push_back(digits.substr(from, end == std::string::npos ? std::string::npos : end - from));
        if (end == std::string::npos) break;
        from = end + 2;
    }
    ASSERT_EQ(lines.size(), 16u);
    for (std::size_t i = 0; i < 15; ++i) EXPECT_EQ(lines[i].size(), 130u) << "line " << i;
    EXPECT_EQ(lines[15], "e5e6e7");  // bytes 997 to 999, each its index modulo 256
    EXPECT_EQ(lines[0].substr(0, 6), "161718");  // byte 22 comes first
}

TEST_F(RTFPictureTest, AShortPlaceableMetafileWritesAnEmptyGroup) {
    CPicture picture;
    setPicture(picture, 11, 20, 20);
    setBytes(picture, std::string(10, '\x01'));
    EXPECT_EQ(written(picture), "{\\pict\\wmetafile8\\picw35\\pich35\\picwgoal20\\pichgoal20 \r\n}\r\n");
}

TEST_F(RTFPictureTest, AnExactMultipleOf65BytesEndsWithItsLineEnd) {
    CPicture picture;
    setPicture(picture, 9, 20, 20);
    setBytes(picture, std::string(65, '\xff'));
    EXPECT_EQ(written(picture), "{\\pict\\pngblip\\picw35\\pich35\\picwgoal20\\pichgoal20 \r\n" +
                                    std::string(130, 'f') + "\r\n}\r\n");
}

TEST_F(RTFPictureTest, APictureAnchorWritesTheRunsPicture) {
    CPicture picture;
    setPicture(picture, 7, 20, 20);
    setBytes(picture, "\xff\xd8");
    XForm form{};
    initXForm(&form);
    XRule rule{};
    initXRule(&rule);
    RTFFieldState fields{};
    EXPECT_EQ(emitter->writeControlCode(storycode::kPicture, form, rule, fields), 0);
    EXPECT_EQ(emitter->take(), "");
    form.picData = &picture;
    EXPECT_EQ(emitter->writeControlCode(storycode::kPicture, form, rule, fields), 0);
    form.picData = nullptr;  // the picture belongs to the test
    EXPECT_EQ(emitter->take(), "{\\pict\\jpegblip\\picw35\\pich35\\picwgoal20\\pichgoal20 \r\nffd8}\r\n");
}

TEST_F(RTFPictureTest, PictureBulletsGoInOneListPictureGroupAtTheStartOfTheListTable) {
    emitter->writeListTables();
    EXPECT_EQ(emitter->take().find("listpicture"), std::string::npos);
    block.listPics = static_cast<XListPic*>(allocMemory(2 * sizeof(XListPic)));
    ASSERT_NE(block.listPics, nullptr);
    for (std::int16_t i = 0; i < 2; ++i) {
        block.listPics[i].picture = new CPicture();  // the block owns its bullets
        setPicture(*block.listPics[i].picture, 9, 20, 20);
        setBytes(*block.listPics[i].picture, std::string(1, static_cast<char>(i + 1)));
        block.listPics[i].listPicBulletId = i;
    }
    block.listPicCount = 5;  // more than the array holds: only its two bullets are written
    emitter->writeListTables();
    const std::string group = "{\\pict\\pngblip\\picw35\\pich35\\picwgoal20\\pichgoal20 \r\n";
    EXPECT_EQ(emitter->take().rfind("{\\*\\listtable{\\*\\listpicture" + group + "01}\r\n" + group + "02}\r\n}", 0),
              0u);
}

struct ConvertedCase {
    const char* what;
    std::int16_t type;
    picturefixtures::Bytes bytes;
};

// The hexadecimal digits of a picture group, without its line ends.
std::string hexDataOf(const std::string& group) {
    const std::size_t start = group.find(" \r\n");
    const std::size_t end = group.rfind('}');
    if (start == std::string::npos || end == std::string::npos || end < start) return "";
    std::string digits;
    for (char c : group.substr(start + 3, end - start - 3))
        if (c != '\r' && c != '\n') digits += c;
    return digits;
}

TEST_F(RTFPictureTest, GifTiffAndBitmapsAreWrittenAsPng) {
    using namespace picturefixtures;
    const std::vector<ConvertedCase> cases = {
        {"GIF", 6, gifPicture(3, 2)},
        {"TIFF", 10, tiffPicture(3, 2)},
        {"BMP", 1, bmpPicture(3, 2)},
        {"DIB", 2, dibPicture(3, 2)},
    };
    const std::string pngSignature = "89504e470d0a1a0a";
    for (const ConvertedCase& c : cases) {
        CPicture picture;
        setPicture(picture, c.type, 60, 40);
        setBytes(picture, std::string(c.bytes.begin(), c.bytes.end()));
        const std::string out = written(picture);
        EXPECT_EQ(out.rfind("{\\pict\\pngblip\\picw105\\pich70\\picwgoal60\\pichgoal40 \r\n", 0), 0u)
            << c.what << ": " << out.substr(0, 80);
        EXPECT_EQ(hexDataOf(out).rfind(pngSignature, 0), 0u) << c.what;
    }
}

TEST_F(RTFPictureTest, APictureThatCannotBeConvertedIsLeftOut) {
    using namespace picturefixtures;
    const std::vector<ConvertedCase> cases = {
        {"truncated GIF", 6, truncated(gifPicture(3, 2), 20)},
        {"PNG bytes typed as TIFF", 10, pngPicture(3, 2)},
        {"no bytes", 1, {}},
    };
    for (const ConvertedCase& c : cases) {
        CPicture picture;
        setPicture(picture, c.type, 60, 40);
        if (!c.bytes.empty()) setBytes(picture, std::string(c.bytes.begin(), c.bytes.end()));
        EXPECT_EQ(written(picture), "\r\n") << c.what;
    }
}

}  // namespace
}  // namespace rtftest
