#include "picture/PictureConversion.h"

#include <gtest/gtest.h>

#include "picture/PictureDetection.h"
#include "picture/formats/PngHeader.h"
#include "platform/process/AllocationFailure.h"
#include "tests/picture/PictureBlock.h"
#include "tests/support/PictureFixtures.h"

using namespace picturefixtures;

namespace {

PngHeader headerOf(const std::vector<std::uint8_t>& png) {
    PngHeader header;
    EXPECT_TRUE(readPngHeader(png.data(), static_cast<std::int32_t>(png.size()), header));
    return header;
}

// A TIFF whose width and height tags claim 65535 pixels each.
Bytes hugeTiff() {
    Bytes tiff = tiffPicture(2, 2);
    const std::uint32_t directory = tiff[4] | (tiff[5] << 8) | (tiff[6] << 16) | (static_cast<std::uint32_t>(tiff[7]) << 24);
    const std::uint32_t entries = tiff[directory] | (tiff[directory + 1] << 8);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::size_t entry = directory + 2 + i * 12;
        const std::uint32_t tag = tiff[entry] | (tiff[entry + 1] << 8);
        if (tag == 256 || tag == 257) {
            tiff[entry + 8] = 0xFF;
            tiff[entry + 9] = 0xFF;
        }
    }
    return tiff;
}

}  // namespace

TEST(ConvertToPng, DecodedKindsBecomePngOfTheSamePixelSize) {
    struct Case {
        const char* name;
        Bytes bytes;
        std::int32_t width;
        std::int32_t height;
    };
    const Case cases[] = {
        {"gif", gifPicture(32, 16), 32, 16},
        {"tiff", tiffPicture(9, 4), 9, 4},
        {"bmp", bmpPicture(5, 3), 5, 3},
        {"dib", dibPicture(6, 2), 6, 2},
        {"odd-width bmp", bmpPicture(1, 7), 1, 7},
    };
    for (const Case& c : cases) {
        const PngPicture png = convertToPng(c.bytes.data(), static_cast<std::int32_t>(c.bytes.size()));
        ASSERT_FALSE(png.bytes.empty()) << c.name;
        EXPECT_EQ(png.pixelWidth, c.width) << c.name;
        EXPECT_EQ(png.pixelHeight, c.height) << c.name;
        const PngHeader header = headerOf(png.bytes);
        EXPECT_EQ(header.width, static_cast<std::uint32_t>(c.width)) << c.name;
        EXPECT_EQ(header.height, static_cast<std::uint32_t>(c.height)) << c.name;
    }
}

// The pixels themselves survive: the bitmap's bottom-up rows come out top first.
TEST(ConvertToPng, BitmapKeepsItsResolution) {
    const Bytes bmp = bmpPicture(4, 4, 5906, 5906);  // 150 dots per inch
    const PngPicture png = convertToPng(bmp.data(), static_cast<std::int32_t>(bmp.size()));
    const PngHeader header = headerOf(png.bytes);
    EXPECT_TRUE(header.hasPhys);
    EXPECT_NEAR(header.xPerUnit, 5906U, 2U);
}

TEST(ConvertToPng, RefusesWhatItCannotDecode) {
    Bytes bigBmp = bmpPicture(2, 2);
    bigBmp[18] = bigBmp[19] = bigBmp[22] = bigBmp[23] = 0xFF;  // 65535 × 65535, four bytes of pixels
    Bytes hugeGif = gifPicture(2, 2);
    hugeGif[6] = hugeGif[7] = hugeGif[8] = hugeGif[9] = 0xFF;  // a screen of 65535 × 65535
    Bytes fewBytesLargeScreen = gifPicture(2, 2);  // 1024 × 37120 pixels: within the cap, not within the bytes
    fewBytesLargeScreen[6] = 0x00;
    fewBytesLargeScreen[7] = 0x04;
    fewBytesLargeScreen[8] = 0x00;
    fewBytesLargeScreen[9] = 0x91;
    Bytes compressedBmp = bmpPicture(2, 2);
    compressedBmp[30] = 1;
    const Bytes cases[] = {pngPicture(2, 2), jpegPicture(2, 2), truncated(gifPicture(8, 8), 30),
                           truncated(tiffPicture(8, 8), 40), truncated(bmpPicture(8, 8), 60), bigBmp, hugeGif,
                           hugeTiff(), fewBytesLargeScreen, compressedBmp, Bytes{'B', 'M'}};
    for (const Bytes& bytes : cases)
        EXPECT_TRUE(convertToPng(bytes.data(), static_cast<std::int32_t>(bytes.size())).bytes.empty());
    EXPECT_TRUE(convertToPng(nullptr, 10).bytes.empty());
}

TEST(PictureToPng, MeasuresWithAndWithoutConverting) {
    PictureBlock gif(gifPicture(32, 16));
    PictureInfo info{};
    info.type = picturetype::kGif;
    pictureToPng(gif.data, gif.length, info, 0);
    EXPECT_EQ(info.width, 480);
    EXPECT_EQ(info.height, 240);
    EXPECT_EQ(info.type, picturetype::kGif);
    EXPECT_EQ(gif.bytes(), gifPicture(32, 16));

    PictureBlock png(pngPicture(10, 10, PngDensity{3780, 3780, 1}));
    const Bytes before = png.bytes();
    info = PictureInfo{};
    info.type = picturetype::kPng;
    pictureToPng(png.data, png.length, info, 1);
    EXPECT_EQ(info.width, 150);
    EXPECT_EQ(png.bytes(), before);
}

TEST(PictureToPng, UnloadableBytesStayAsTheyWere) {
    const Bytes bytes = {'G', 'I', 'F', '8', '9', 'a', 1, 2, 3};
    PictureBlock block(bytes);
    PictureInfo info{};
    info.type = picturetype::kGif;
    pictureToPng(block.data, block.length, info, 1);
    EXPECT_EQ(info.type, picturetype::kGif);
    EXPECT_EQ(info.width, 0);
    EXPECT_EQ(block.bytes(), bytes);
}

// Lacking memory at any step of a conversion leaves the picture whole and leaks nothing.
TEST(PictureToPng, AllocationFailureAtEveryStepKeepsThePicture) {
    const Bytes gif = gifPicture(8, 8);
    for (std::int64_t n = 1; n < 200; ++n) {
        PictureBlock block(gif);
        PictureInfo info{};
        info.type = picturetype::kGif;
        {
            platform::ScopedAllocationFailure failure(n);
            pictureToPng(block.data, block.length, info, 1);
        }
        if (info.type == picturetype::kPng) {
            EXPECT_GT(n, 3);  // the sweep reached the decoder, the encoder and the output block
            break;
        }
        EXPECT_EQ(block.bytes(), gif) << n;
    }
}
