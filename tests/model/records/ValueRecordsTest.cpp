#include <gtest/gtest.h>

#include "model/records/ValueRecords.h"

namespace {

TEST(ValueRecords, WideningAShortRectFillsOneSharedRecord) {
    LongRect* first = shortRectToLongRect(ShortRect{-1, 2, 300, -32768});
    EXPECT_TRUE(equalLongRect(*first, LongRect{-1, 2, 300, -32768}));
    LongRect* second = shortRectToLongRect(ShortRect{5, 6, 7, 8});
    EXPECT_EQ(first, second);
    EXPECT_TRUE(equalLongRect(*first, LongRect{5, 6, 7, 8}));
}

}  // namespace
