#include "tests/support/PictureFixtures.h"

#include <gtest/gtest.h>

using namespace picturefixtures;

// The fixtures start with the signatures the readers look for; their contents are judged by the readers'
// own tests.
TEST(PictureFixtures, EveryKindStartsWithItsSignature) {
    struct Case {
        const char* name;
        Bytes bytes;
        Bytes signature;
    };
    const Case cases[] = {
        {"png", pngPicture(3, 2), {0x89, 'P', 'N', 'G'}},
        {"jpeg", jpegPicture(3, 2), {0xFF, 0xD8, 0xFF}},
        {"gif", gifPicture(3, 2), {'G', 'I', 'F', '8', '9', 'a'}},
        {"tiff", tiffPicture(3, 2), {'I', 'I', 0x2A, 0}},
        {"bmp", bmpPicture(3, 2), {'B', 'M'}},
        {"dib", dibPicture(3, 2), {0x28, 0}},
        {"placeable wmf", placeableWmfPicture(0, 0, 10, 10, 1440), {0xD7, 0xCD, 0xC6, 0x9A}},
        {"wmf", plainWmfPicture(10, 10), {1, 0, 9, 0}},
    };
    for (const Case& c : cases) {
        ASSERT_GE(c.bytes.size(), c.signature.size()) << c.name;
        EXPECT_TRUE(std::equal(c.signature.begin(), c.signature.end(), c.bytes.begin())) << c.name;
    }
}
