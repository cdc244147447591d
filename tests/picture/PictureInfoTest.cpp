#include "picture/PictureInfo.h"

#include <gtest/gtest.h>

TEST(PictureInfo, ClearingEmptiesEveryField) {
    PictureInfo info{7, 100, 200, 72, 96, 1, {1, 2, 3}};
    clearPictureInfo(info);
    EXPECT_EQ(info.type, 0);
    EXPECT_EQ(info.height, 0);
    EXPECT_EQ(info.width, 0);
    EXPECT_EQ(info.verticalDensity, 0);
    EXPECT_EQ(info.horizontalDensity, 0);
    EXPECT_EQ(info.densityUnit, 0);
    EXPECT_EQ(info.spare[0] | info.spare[1] | info.spare[2], 0);
}
