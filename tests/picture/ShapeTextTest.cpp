#include "picture/shapes/ShapeText.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "platform/process/AllocationFailure.h"

TEST(ShapeText, StartsEmptyAndAppendsFormattedPieces) {
    ShapeText text;
    EXPECT_TRUE(text.empty());
    EXPECT_STREQ(text.text(), "");
    appendToShapeText(text, "{\\shp{\\*\\shpinst\\shplid%d", 1026);
    appendToShapeText(text, "%s", "\\shpfhdr0");
    EXPECT_STREQ(text.text(), "{\\shp{\\*\\shpinst\\shplid1026\\shpfhdr0");
    EXPECT_EQ(text.length(), 36);
}

// The fixed work areas of old (a 10240-byte format buffer, a 16384-byte property text) are gone: a piece
// far larger than either arrives whole.
TEST(ShapeText, GrowsForPiecesLongerThanAnyWorkArea) {
    const std::string longValue(40000, 'x');
    ShapeText text;
    appendToShapeText(text, "{\\sp{\\sn gtextUNICODE}{\\sv %s}}", longValue.c_str());
    for (int index = 0; index < 2000; ++index) text.append("{\\sp{\\sn fLine}{\\sv 1}}");
    EXPECT_EQ(text.length(), 29 + 40000 + 2000 * 23);
    EXPECT_EQ(text.view().substr(27, 5), "xxxxx");
    EXPECT_TRUE(text.view().ends_with("{\\sp{\\sn fLine}{\\sv 1}}"));
}

TEST(ShapeText, CutsBackToARememberedLength) {
    ShapeText text;
    text.append("{\\shpgrp");
    const std::int32_t mark = text.length();
    text.append("{\\shp{\\*\\shpinst\\shplid7");
    text.cutBack(mark);
    EXPECT_STREQ(text.text(), "{\\shpgrp");
    text.cutBack(100);  // past the end: nothing changes
    EXPECT_STREQ(text.text(), "{\\shpgrp");
    text.clear();
    EXPECT_TRUE(text.empty());
    EXPECT_STREQ(text.text(), "");
}

TEST(ShapeText, HandsItsBlockOverAndStartsAfresh) {
    ShapeText text;
    EXPECT_EQ(text.takeOver(), nullptr);
    text.append("\\shpz0");
    char* block = text.takeOver();
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(block, "\\shpz0");
    freeMemory(block);
    EXPECT_TRUE(text.empty());
    text.append("\\shpz1");
    EXPECT_STREQ(text.text(), "\\shpz1");
}

TEST(ShapeText, LackingMemoryRaisesTwelveAndKeepsTheOldText) {
    ShapeText text;
    text.append("kept");
    const std::string longPiece(5000, 'y');
    try {
        platform::ScopedAllocationFailure failNext(1);
        text.append(longPiece);
        FAIL() << "no failure raised";
    } catch (const CFail& failure) {
        EXPECT_EQ(failure.error, result::kOutOfMemory);
        EXPECT_STREQ(failure.fileName, "BPicture");
    }
    EXPECT_STREQ(text.text(), "kept");
    try {
        platform::ScopedAllocationFailure failNext(1);
        appendToShapeText(text, "%s", longPiece.c_str());
        FAIL() << "no failure raised";
    } catch (const CFail& failure) {
        EXPECT_EQ(failure.error, result::kOutOfMemory);
    }
    EXPECT_STREQ(text.text(), "kept");
}
