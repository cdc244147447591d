#include "picture/PictureMeasuring.h"

#include <gtest/gtest.h>

#include "picture/PictureDetection.h"
#include "tests/support/PictureFixtures.h"

using namespace picturefixtures;

namespace {

PictureInfo measuredJpeg(const Bytes& bytes) {
    PictureInfo info{};
    measureJpeg(bytes.data(), static_cast<std::int32_t>(bytes.size()), info);
    return info;
}

PictureInfo measuredPng(const Bytes& bytes) {
    PictureInfo info{};
    measurePng(bytes.data(), static_cast<std::int32_t>(bytes.size()), info);
    return info;
}

PictureInfo measuredWmf(const Bytes& bytes, std::int16_t type) {
    PictureInfo info{};
    info.type = type;
    measureWmf(bytes.data(), static_cast<std::int32_t>(bytes.size()), info);
    return info;
}

void put16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

}  // namespace

TEST(MeasureJpeg, DensityUnitsAndValues) {
    struct Case {
        const char* name;
        std::optional<JfifDensity> density;
        std::int32_t width;
        std::int32_t height;
        std::int16_t unit;
        std::uint16_t xDensity;
    };
    const Case cases[] = {
        {"no JFIF", std::nullopt, 2000, 1000, 0, 0},
        {"200 per inch", JfifDensity{1, 200, 200}, 720, 360, 1, 200},
        {"per inch, horizontal 0", JfifDensity{1, 0, 144}, 144000, 500, 1, 0},
        {"40 per centimetre", JfifDensity{2, 40, 40}, 1417, 708, 2, 40},
        {"aspect ratio only", JfifDensity{0, 1, 1}, 2000, 1000, 0, 1},
    };
    for (const Case& c : cases) {
        const PictureInfo info = measuredJpeg(jpegPicture(100, 50, c.density));
        EXPECT_EQ(info.width, c.width) << c.name;
        EXPECT_EQ(info.height, c.height) << c.name;
        EXPECT_EQ(info.densityUnit, c.unit) << c.name;
        EXPECT_EQ(info.horizontalDensity, c.xDensity) << c.name;
    }
}

// A segment whose length field is below 2 would underflow a reader that subtracts the field's own two
// bytes; libjpeg refuses it and the record keeps what it had.
TEST(MeasureJpeg, SegmentLengthBelowItsOwnSizeFailsCleanly) {
    for (std::uint8_t length : {0, 1}) {
        Bytes bytes = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, length, 'J', 'F', 'I', 'F', 0};
        PictureInfo info{};
        info.width = 7;
        measureJpeg(bytes.data(), static_cast<std::int32_t>(bytes.size()), info);
        EXPECT_EQ(info.width, 7);
        EXPECT_EQ(info.height, 0);
    }
}

TEST(MeasurePng, PhysUnitsAndZeroValues) {
    struct Case {
        const char* name;
        std::optional<PngDensity> density;
        std::int32_t width;
        std::int32_t height;
    };
    const Case cases[] = {
        {"no pHYs", std::nullopt, 200, 200},
        {"3780 per metre", PngDensity{3780, 3780, 1}, 150, 150},
        {"aspect 2:1", PngDensity{2, 1, 0}, 7200, 14400},
        {"aspect 0:0", PngDensity{0, 0, 0}, 200, 200},
        {"aspect 0:3", PngDensity{0, 3, 0}, 200, 14400},
        {"0 per metre", PngDensity{0, 0, 1}, 200, 200},
        {"unknown unit", PngDensity{5, 5, 7}, 200, 200},
    };
    for (const Case& c : cases) {
        const PictureInfo info = measuredPng(pngPicture(10, 10, c.density));
        EXPECT_EQ(info.width, c.width) << c.name;
        EXPECT_EQ(info.height, c.height) << c.name;
    }
}

TEST(MeasurePng, CutShortBeforeTheHeaderGivesNoSize) {
    PictureInfo info{};
    info.width = 3;
    const Bytes png = truncated(pngPicture(10, 10), 16);
    measurePng(png.data(), static_cast<std::int32_t>(png.size()), info);
    EXPECT_EQ(info.width, 0);
    EXPECT_EQ(info.height, 0);
}

TEST(MeasureWmf, PlaceableBoxInTwips) {
    EXPECT_EQ(measuredWmf(placeableWmfPicture(0, 0, 2000, 1000, 1000), picturetype::kPlaceableWmf).width, 2880);
    EXPECT_EQ(measuredWmf(placeableWmfPicture(0, 0, 2000, 1000, 0), picturetype::kPlaceableWmf).width, 2000);
    // A box larger than 16 bits of twips keeps its size.
    const PictureInfo large = measuredWmf(placeableWmfPicture(0, 0, 30000, 30000, 576), picturetype::kPlaceableWmf);
    EXPECT_EQ(large.width, 75000);
    EXPECT_EQ(large.height, 75000);
}

TEST(MeasureWmf, PlainMetafileRecordWalk) {
    EXPECT_EQ(measuredWmf(plainWmfPicture(-500, 800), picturetype::kWmf).height, 500);
    EXPECT_EQ(measuredWmf(plainWmfPicture(-500, 800), picturetype::kWmf).width, 800);

    // Two SETWINDOWEXT records: the later one holds.
    Bytes twice = plainWmfPicture(10, 20);
    const Bytes second = {5, 0, 0, 0, 0x0C, 0x02, 30, 0, 40, 0};
    twice.insert(twice.begin() + 28, second.begin(), second.end());
    EXPECT_EQ(measuredWmf(twice, picturetype::kWmf).height, 30);

    // A SETWINDOWEXT whose parameters lie past the end is not read; a record whose size runs past the
    // end ends the walk; a huge header size reads nothing.
    Bytes cut = truncated(plainWmfPicture(10, 20), 26);
    EXPECT_EQ(measuredWmf(cut, picturetype::kWmf).height, 0);
    Bytes runaway;
    put16(runaway, 1);
    put16(runaway, 9);
    runaway.resize(18, 0);
    const Bytes huge = {0xFF, 0xFF, 0xFF, 0x7F, 0x01, 0x01, 0x0C, 0x02, 1, 0, 2, 0};
    runaway.insert(runaway.end(), huge.begin(), huge.end());
    EXPECT_EQ(measuredWmf(runaway, picturetype::kWmf).height, 0);
    Bytes bigHeader = plainWmfPicture(10, 20);
    bigHeader[2] = 0xFF;
    bigHeader[3] = 0xFF;
    EXPECT_EQ(measuredWmf(bigHeader, picturetype::kWmf).height, 0);
}
