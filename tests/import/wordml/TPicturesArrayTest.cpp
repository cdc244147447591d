// The story's picture table: pictures kept by name, the first of a name winning.
#include <gtest/gtest.h>

#include "foundation/memory/Memory.h"
#include "import/wordml/TPicturesArray.h"
#include "model/CPicture.h"
#include "model/records/PictureOwnership.h"

namespace {

CPicture* named(const char* name) {
    auto* picture = new CPicture();
    picture->fName = name != nullptr ? duplicateCString(name) : nullptr;
    return picture;
}

TEST(TPicturesArray, KeepsTheFirstPictureOfANameIgnoringCase) {
    TPicturesArray table;
    CPicture* first = named("Shape1");
    ASSERT_EQ(table.addPicture(first), 1);
    CPicture* same = named("SHAPE1");
    EXPECT_EQ(table.addPicture(same), 0);
    disposePicture(same);
    CPicture* nameless = named(nullptr);
    EXPECT_EQ(table.addPicture(nameless), 0);
    disposePicture(nameless);
    ASSERT_EQ(table.addPicture(named("Shape2")), 1);

    EXPECT_EQ(table.count(), 2u);
    EXPECT_EQ(table.findPicture("shape1"), first);
    EXPECT_STREQ(table.findPicture("Shape2")->getName(), "Shape2");
    EXPECT_EQ(table.findPicture("Shape3"), nullptr);
    EXPECT_EQ(table.findPicture(nullptr), nullptr);
    EXPECT_EQ(TPicturesArray().findPicture("Shape1"), nullptr);
}

}  // namespace
