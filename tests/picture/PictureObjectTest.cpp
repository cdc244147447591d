#include <gtest/gtest.h>

#include <zlib.h>

#include <memory>
#include <string>

#include "foundation/CFail.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "picture/PictureDetection.h"
#include "picture/PictureFromBytes.h"
#include "picture/PictureTypeFromName.h"
#include "picture/SetPicture.h"
#include "platform/files/FileName.h"
#include "platform/process/AllocationFailure.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PictureFixtures.h"
#include "tests/support/TemporaryFolder.h"

using namespace picturefixtures;

namespace {

struct PictureDeleter {
    void operator()(CPicture* picture) const { delete picture; }
};
using PicturePtr = std::unique_ptr<CPicture, PictureDeleter>;

PicturePtr fromBytes(const Bytes& bytes, std::int16_t type, LongRect frame = {0, 0, 200, 400}) {
    return PicturePtr(newPictureFromBytes(bytes.data(), frame, type, static_cast<std::int32_t>(bytes.size())));
}

bool sameRect(const LongRect& a, const LongRect& b) {
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

// A zlib stream of `plainSize` zero bytes, padded after its end to exactly `streamLength` bytes.
Bytes zerosCompressedTo(std::size_t plainSize, std::size_t streamLength) {
    const Bytes plain(plainSize, 0);
    Bytes packed(compressBound(static_cast<uLong>(plainSize)));
    uLongf packedSize = packed.size();
    compress(packed.data(), &packedSize, plain.data(), static_cast<uLong>(plainSize));
    packed.resize(packedSize);
    packed.resize(streamLength, 0xAA);
    return packed;
}

}  // namespace

TEST(NewPictureFromBytes, PictTakesItsFrameTimesTwenty) {
    Bytes pict(40, 0);
    const Bytes frame = {0, 0, 0, 0, 0, 100, 0, 200};  // top 0, left 0, bottom 100, right 200, big-endian
    std::copy(frame.begin(), frame.end(), pict.begin() + 2);
    PicturePtr picture = fromBytes(pict, picturetype::kPict);
    EXPECT_TRUE(sameRect(picture->fOriginalRect, LongRect{0, 0, 2000, 4000}));
    EXPECT_STREQ(picture->fName, "");
    EXPECT_TRUE(sameRect(picture->fRect, LongRect{0, 0, 200, 400}));

    // Shorter than its frame: no natural size, no read past the bytes.
    PicturePtr cut = fromBytes(truncated(pict, 6), picturetype::kPict);
    EXPECT_TRUE(sameRect(cut->fOriginalRect, LongRect{0, 0, 0, 0}));
    EXPECT_EQ(cut->fPicLength, 6);
}

TEST(NewPictureFromBytes, OtherTypesAreMeasuredWithoutConversion) {
    PicturePtr png = fromBytes(pngPicture(10, 20), picturetype::kPng);
    EXPECT_TRUE(sameRect(png->fOriginalRect, LongRect{0, 0, 400, 200}));
    EXPECT_EQ(png->fPicLength, static_cast<std::int32_t>(pngPicture(10, 20).size()));

    const Bytes gif = gifPicture(32, 16);
    PicturePtr fromGif = fromBytes(gif, picturetype::kGif);
    EXPECT_EQ(fromGif->fType, picturetype::kGif);
    EXPECT_EQ(Bytes(fromGif->fPicData, fromGif->fPicData + fromGif->fPicLength), gif);
    EXPECT_TRUE(sameRect(fromGif->fOriginalRect, LongRect{0, 0, 240, 480}));

    PicturePtr unknown = fromBytes(Bytes{1, 2, 3}, picturetype::kUnknown);
    EXPECT_TRUE(sameRect(unknown->fOriginalRect, LongRect{0, 0, 0, 0}));
}

TEST(NewPictureFromBytes, LackingMemoryRaisesTwelveAndLeaksNothing) {
    const Bytes png = pngPicture(4, 4);
    for (std::int64_t n = 1; n < 10; ++n) {
        platform::ScopedAllocationFailure failure(n, platform::ThrowingNew::kIgnored);
        try {
            PicturePtr picture = fromBytes(png, picturetype::kPng);
            EXPECT_GT(n, 2) << "the object and its bytes were made";
            break;
        } catch (const CFail& fail) {
            EXPECT_EQ(fail.error, result::kOutOfMemory) << n;
        }
    }
}

TEST(SetPicture, CompressedBytesInflateIntoTenTimesTheirLength) {
    CPicture picture;
    const LongRect frame{1, 2, 3, 4};
    const LongRect natural{0, 0, 30, 40};
    const LongRect crop{5, 6, 7, 8};
    const Bytes fits = zerosCompressedTo(1000, 100);
    EXPECT_TRUE(setPicture(picture, fits.data(), 100, frame, natural, crop, 1));
    EXPECT_EQ(picture.fPicLength, 1000);
    EXPECT_EQ(picture.fPicData[999], 0);
    EXPECT_TRUE(sameRect(picture.fCropRect, crop));

    const Bytes tooLarge = zerosCompressedTo(1001, 100);
    EXPECT_FALSE(setPicture(picture, tooLarge.data(), 100, frame, natural, crop, 1));
    EXPECT_EQ(picture.fPicLength, 0);
    EXPECT_EQ(picture.fPicData, nullptr);
    EXPECT_TRUE(sameRect(picture.fRect, frame));

    const Bytes corrupt(100, 0x55);
    EXPECT_FALSE(setPicture(picture, corrupt.data(), 100, frame, natural, crop, 1));
    EXPECT_EQ(picture.fPicLength, 0);
}

TEST(SetPicture, PlainBytesReplaceWhatWasThere) {
    CPicture picture;
    const Bytes first = {1, 2, 3};
    const Bytes second = {9, 8};
    setPicture(picture, first.data(), 3, {}, {}, {}, 0);
    EXPECT_TRUE(setPicture(picture, second.data(), 2, {}, LongRect{0, 0, 5, 6}, {}, 0));
    EXPECT_EQ(Bytes(picture.fPicData, picture.fPicData + picture.fPicLength), second);
    EXPECT_TRUE(sameRect(picture.fOriginalRect, LongRect{0, 0, 5, 6}));
}

TEST(TypeFromName, CaseSensitiveSubstringsInOrder) {
    const struct {
        const char* name;
        std::int16_t type;
    } cases[] = {{"image1.JPEG", 0}, {"a.jpeg", 7}, {"b.jpg", 7}, {"gifts.png", 6}, {"c.png", 9}, {"d.bmp", 0}};
    for (const auto& c : cases) EXPECT_EQ(typeFromName(c.name), c.type) << c.name;
    EXPECT_EQ(typeFromName(nullptr), 0);
}

TEST(NewPictureFromFile, KeepsNothingAndSwallowsFailures) {
    testsupport::TemporaryFolder folder;
    const Bytes png = pngPicture(3, 3);
    ASSERT_TRUE(testsupport::writeBytes(folder.file("p.png"), std::string(png.begin(), png.end())));
    constexpr std::uint32_t kAccess = kGenericRead;
    const char* names[] = {"p.png", "missing.png"};
    for (const char* name : names) {
        CFile file(makePascal(platform::fileNameFromBytes(name)), makePascal(platform::fileNameFromBytes(folder.path())),
                   kAnyFileCode, kAnyFileCode, 1, 0, kAccess, kAccess);
        PicturePtr picture(newPictureFromFile(file));
        EXPECT_EQ(picture->fPicLength, 0) << name;
        EXPECT_EQ(picture->fName, nullptr) << name;
        EXPECT_TRUE(sameRect(picture->fOriginalRect, LongRect{0, 0, 0, 0})) << name;
    }
}
