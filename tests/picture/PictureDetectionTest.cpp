#include "picture/PictureDetection.h"

#include <gtest/gtest.h>

#include <string>

#include "picture/formats/PngHeader.h"
#include "tests/picture/PictureBlock.h"
#include "tests/support/PictureFixtures.h"

using namespace picturefixtures;

namespace {

PictureInfo detected(const Bytes& bytes, Bytes* after = nullptr) {
    PictureBlock block(bytes);
    PictureInfo info{};
    detectPictureType(block.data, block.length, info);
    if (after != nullptr) *after = block.bytes();
    return info;
}

Bytes withBytesAt(std::size_t size, std::size_t offset, const std::string& signature) {
    Bytes bytes(size, 0x77);
    std::copy(signature.begin(), signature.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return bytes;
}

}  // namespace

// Each fixture kind is typed and measured exactly; GIF and TIFF come out as PNG bytes.
TEST(PictureDetection, EveryFixtureKindIsTypedAndMeasured) {
    struct Case {
        const char* name;
        Bytes bytes;
        std::int16_t type;
        std::int32_t width;
        std::int32_t height;
    };
    const Case cases[] = {
        {"jpeg without JFIF", jpegPicture(100, 50), picturetype::kJpeg, 2000, 1000},
        {"jpeg 200 dpi", jpegPicture(100, 50, JfifDensity{1, 200, 200}), picturetype::kJpeg, 720, 360},
        {"png without pHYs", pngPicture(10, 10), picturetype::kPng, 200, 200},
        {"png 96 dpi", pngPicture(10, 10, PngDensity{3780, 3780, 1}), picturetype::kPng, 150, 150},
        {"gif 96 dpi", gifPicture(32, 16), picturetype::kPng, 480, 240},
        {"tiff 72 by 300 dpi", tiffPicture(30, 60, 72.0F, 300.0F), picturetype::kPng, 600, 288},
        {"bmp", bmpPicture(4, 4), picturetype::kBmp, 0, 0},
        {"dib", dibPicture(4, 4), picturetype::kDib, 0, 0},
        {"placeable wmf 1000 per inch", placeableWmfPicture(0, 0, 2000, 1000, 1000), picturetype::kPlaceableWmf, 2880,
         1440},
        {"placeable wmf 1440 per inch", placeableWmfPicture(0, 0, 2000, 1000, 1440), picturetype::kPlaceableWmf, 2000,
         1000},
        {"plain wmf", plainWmfPicture(-500, 800), picturetype::kWmf, 800, 500},
    };
    for (const Case& c : cases) {
        Bytes after;
        const PictureInfo info = detected(c.bytes, &after);
        EXPECT_EQ(info.type, c.type) << c.name;
        EXPECT_EQ(info.width, c.width) << c.name;
        EXPECT_EQ(info.height, c.height) << c.name;
        if (c.type == picturetype::kPng) {
            PngHeader header;
            ASSERT_TRUE(readPngHeader(after.data(), static_cast<std::int32_t>(after.size()), header)) << c.name;
        }
    }
}

TEST(PictureDetection, GifAndTiffBecomePngOfTheSamePixelSize) {
    struct Case {
        const char* name;
        Bytes bytes;
        std::uint32_t width;
        std::uint32_t height;
    };
    const Case cases[] = {{"gif", gifPicture(32, 16), 32, 16}, {"tiff", tiffPicture(7, 5), 7, 5}};
    for (const Case& c : cases) {
        Bytes after;
        detected(c.bytes, &after);
        PngHeader header;
        ASSERT_TRUE(readPngHeader(after.data(), static_cast<std::int32_t>(after.size()), header)) << c.name;
        EXPECT_EQ(header.width, c.width) << c.name;
        EXPECT_EQ(header.height, c.height) << c.name;
    }
}

// The table's order and its bounds: the first match wins, no test reads past the data.
TEST(PictureDetection, SignaturesInTheirOrder) {
    struct Case {
        const char* name;
        Bytes bytes;
        std::int16_t type;
    };
    const Case cases[] = {
        {"gif in lower case", withBytesAt(8, 0, "gif89a"), picturetype::kGif},
        {"bm in lower case", withBytesAt(8, 0, "bm"), picturetype::kBmp},
        {"pdf in lower case", withBytesAt(8, 0, "%pdf-1"), 28},
        {"postscript", withBytesAt(8, 0, "%!PS"), 29},
        {"emf beats a later signature", withBytesAt(50, 40, std::string("\x20\x45\x4D\x46\x00\x00\x01\x00", 8)), 3},
        {"riff", withBytesAt(8, 0, "RIFF"), 13},
        {"dicom", withBytesAt(140, 128, "dicm"), 15},
        {"jpeg 2000 file", withBytesAt(12, 4, "\x6A\x50\x20\x20\x0D"), 22},
        {"photo cd", withBytesAt(2060, 2048, "PCD_"), 25},
        {"pict", withBytesAt(540, 522, std::string("\x00\x11\x02\xFF\x0C\x00", 6)), picturetype::kPict},
        {"tiff big-endian header only", withBytesAt(8, 0, std::string("MM\0*", 4)), picturetype::kTiff},
    };
    for (const Case& c : cases) EXPECT_EQ(detected(c.bytes).type, c.type) << c.name;

    // Exactly 48 bytes: the EMF test is not made, and the DIB signature at 0 wins.
    Bytes shortEmf = withBytesAt(48, 40, std::string("\x20\x45\x4D\x46\x00\x00\x01\x00", 8));
    shortEmf[0] = 0x28;
    shortEmf[1] = 0;
    EXPECT_EQ(detected(shortEmf).type, picturetype::kDib);
    // A signature that would run past the end does not match: the record keeps its type.
    PictureInfo info{};
    info.type = 42;
    PictureBlock block(withBytesAt(130, 128, "DI"));
    detectPictureType(block.data, block.length, info);
    EXPECT_EQ(info.type, 42);
}

TEST(PictureDetection, TooLittleDataLeavesTheRecord) {
    PictureInfo info{};
    info.type = 5;
    info.width = 9;
    std::uint8_t* none = nullptr;
    std::int32_t length = 10;
    detectPictureType(none, length, info);
    PictureBlock one(Bytes{0xFF});
    detectPictureType(one.data, one.length, info);
    EXPECT_EQ(info.type, 5);
    EXPECT_EQ(info.width, 9);
}

// A cut-short or corrupt file of every measured kind fails cleanly: the type is set, the bytes stay, the
// sizes are what could be read (none).
TEST(PictureDetection, TruncatedAndCorruptFilesKeepBytesAndType) {
    auto corrupt = [](Bytes bytes, std::size_t from) {
        for (std::size_t i = from; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
        return bytes;
    };
    struct Case {
        const char* name;
        Bytes bytes;
        std::int16_t type;
    };
    const Case cases[] = {
        {"truncated jpeg", truncated(jpegPicture(16, 16), 20), picturetype::kJpeg},
        {"corrupt jpeg", corrupt(jpegPicture(16, 16), 4), picturetype::kJpeg},
        {"truncated png", truncated(pngPicture(16, 16), 20), picturetype::kPng},
        {"corrupt png", corrupt(pngPicture(16, 16), 12), picturetype::kPng},
        {"truncated gif", truncated(gifPicture(16, 16), 20), picturetype::kGif},
        {"corrupt gif", corrupt(gifPicture(16, 16), 6), picturetype::kGif},
        {"truncated tiff", truncated(tiffPicture(16, 16), 30), picturetype::kTiff},
        {"corrupt tiff", corrupt(tiffPicture(16, 16), 4), picturetype::kTiff},
        {"truncated placeable wmf", truncated(placeableWmfPicture(0, 0, 10, 10, 1440), 12), picturetype::kPlaceableWmf},
        {"truncated plain wmf", truncated(plainWmfPicture(10, 10), 24), picturetype::kWmf},
    };
    for (const Case& c : cases) {
        Bytes after;
        const PictureInfo info = detected(c.bytes, &after);
        EXPECT_EQ(info.type, c.type) << c.name;
        EXPECT_EQ(after, c.bytes) << c.name;
        EXPECT_EQ(info.width, 0) << c.name;
        EXPECT_EQ(info.height, 0) << c.name;
    }
}
