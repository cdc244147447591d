// The queue of cells waiting for a text request: first in, first out however its slots are reused,
// and a reused slot carries nothing of the entry it held before.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "import/spreadsheet/sheets/CQueue.h"

namespace {

TEST(CellQueue, KeepsOrderWhileItGrowsAroundItsSlots) {
    CQueuesArray queue;
    int appended = 0;
    int taken = 0;
    // Grow to three, take two, grow past the ring's end, then take all: every step wraps or grows.
    const int steps[][2] = {{3, 2}, {4, 1}, {1, 3}, {6, 8}, {2, 0}, {0, 2}};
    for (const auto& step : steps) {
        for (int n = 0; n < step[0]; ++n) {
            CQueue& entry = queue.append(nullptr, kCellNumber);
            EXPECT_TRUE(entry.text.empty());
            EXPECT_EQ(entry.separator, 0);
            EXPECT_EQ(entry.runFont, nullptr);
            entry.text = u"cell " + std::u16string(1, static_cast<char16_t>(u'A' + appended++));
            entry.separator = 9;
            entry.runFont = std::make_unique<CFont>();
        }
        for (int n = 0; n < step[1]; ++n) {
            ASSERT_NE(queue.front(), nullptr);
            EXPECT_EQ(queue.front()->text, u"cell " + std::u16string(1, static_cast<char16_t>(u'A' + taken++)));
            queue.dropFirst();
        }
    }
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_EQ(queue.front(), nullptr);
    queue.dropFirst();  // nothing to drop
    EXPECT_TRUE(queue.isEmpty());
}

TEST(CellQueue, RemoveAllEmptiesItAndTheSlotsComeBackClean) {
    CQueuesArray queue;
    queue.append(nullptr, kCellString).text = u"left behind";
    queue.append(nullptr, kCellString).separator = 13;
    queue.removeAll();
    EXPECT_TRUE(queue.isEmpty());
    const CQueue& entry = queue.append(nullptr, kCellBoolean);
    EXPECT_EQ(entry.type, kCellBoolean);
    EXPECT_TRUE(entry.text.empty());
    EXPECT_EQ(entry.separator, 0);
    EXPECT_EQ(queue.front(), &entry);
}

}  // namespace
