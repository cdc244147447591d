#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/memory/LArray.h"
#include "platform/process/AllocationFailure.h"

namespace {

std::vector<std::int32_t> valuesOf(const LArray& array) {
    std::vector<std::int32_t> values;
    for (std::int32_t i = 1; i <= array.getCount(); ++i) {
        std::int32_t value = 0;
        array.fetchItem(i, &value);
        values.push_back(value);
    }
    return values;
}

void appendAll(LArray& array, std::initializer_list<std::int32_t> values) {
    for (std::int32_t v : values) array.appendItem(&v, 0);
}

TEST(LArray, ValidateIndexTakesIntMaxAsTheLastItem) {
    LArray array;
    appendAll(array, {1, 2, 3, 4, 5});
    const std::pair<std::int32_t, bool> cases[] = {{INT_MAX, true}, {1, true}, {5, true}, {0, false}, {6, false}, {-1, false}};
    for (const auto& [given, valid] : cases) {
        std::int32_t index = given;
        EXPECT_EQ(array.validateIndex(index), valid) << given;
        if (given == INT_MAX) { EXPECT_EQ(index, 5); }
    }
    LArray empty;
    std::int32_t last = INT_MAX;
    EXPECT_FALSE(empty.validateIndex(last));
    EXPECT_EQ(last, 0);
}

TEST(LArray, BlockDoublesOnGrowthAndKeepsSpareRoomOnRemoval) {
    LArray array;
    std::vector<std::int32_t> allocated;
    for (std::int32_t v = 1; v <= 8; ++v) {
        array.appendItem(&v, 0);
        allocated.push_back(array.allocatedBytes());
    }
    EXPECT_EQ(allocated, (std::vector<std::int32_t>{4, 8, 16, 16, 32, 32, 32, 32}));

    LArray five;
    appendAll(five, {1, 2, 3, 4, 5});
    ASSERT_EQ(five.allocatedBytes(), 32);
    five.removeItems(1, 2);
    EXPECT_EQ(five.allocatedBytes(), 28);
    EXPECT_EQ(valuesOf(five), (std::vector<std::int32_t>{1, 3, 4, 5}));
    void* compacted = five.compactData();
    EXPECT_EQ(compacted, five.itemPointer(1));
    EXPECT_EQ(five.allocatedBytes(), 16);
}

struct InsertCase {
    std::int32_t index;
    std::vector<std::int32_t> expected;
    std::int32_t answer;
};

TEST(LArray, InsertCopiesClampsTheIndex) {
    constexpr std::int32_t A = 1, B = 2, X = 9;
    const InsertCase cases[] = {
        {2, {A, X, X, X, B}, 2},       {0, {X, X, X, A, B}, 1},  {INT_MAX, {A, B, X, X, X}, 3},
        {99, {A, B, X, X, X}, 3},      {-1, {A, B, X, X, X}, 3}, {1, {X, X, X, A, B}, 1},
    };
    for (const auto& c : cases) {
        LArray array;
        appendAll(array, {A, B});
        EXPECT_EQ(array.insertCopies(3, c.index, &X, 0), c.answer) << c.index;
        EXPECT_EQ(valuesOf(array), c.expected) << c.index;
    }
}

TEST(LArray, ReplaceRemoveTruncateAndPop) {
    LArray array;
    appendAll(array, {1, 2, 4});
    const std::int32_t x = 9;
    EXPECT_EQ(array.replaceItems(3, 2, &x, 0), 2);
    EXPECT_EQ(valuesOf(array), (std::vector<std::int32_t>{1, 9, 9}));
    EXPECT_EQ(array.replaceItems(1, 4, &x, 0), 0);

    array.removeItems(10, 2);  // cut at the end
    EXPECT_EQ(valuesOf(array), (std::vector<std::int32_t>{1}));

    LArray five;
    appendAll(five, {1, 2, 3, 4, 5});
    five.truncate(7);
    EXPECT_EQ(five.getCount(), 5);
    five.truncate(2);
    EXPECT_EQ(valuesOf(five), (std::vector<std::int32_t>{1, 2}));
    std::int32_t popped = 0;
    EXPECT_TRUE(five.popItem(&popped));
    EXPECT_EQ(popped, 2);
    five.truncate(0);
    EXPECT_EQ(five.getCount(), 0);
    EXPECT_FALSE(five.popItem(&popped));
}

TEST(LArray, FetchItemSizedCopiesAtMostOneItem) {
    LArray array;
    appendAll(array, {0x04030201});
    std::uint8_t out[8] = {};
    std::int32_t size = 2;
    EXPECT_TRUE(array.fetchItemSized(1, out, size));
    EXPECT_EQ(size, 2);
    EXPECT_EQ(out[1], 2);
    EXPECT_EQ(out[2], 0);
    size = 8;
    EXPECT_TRUE(array.fetchItemSized(1, out, size));
    EXPECT_EQ(size, 4);
    size = 8;
    EXPECT_FALSE(array.fetchItemSized(2, out, size));
    EXPECT_EQ(size, 0);
}

TEST(LArray, KeepSortedInsertsBeforeAnEqualItem) {
    LArray array(0, 4, nullptr, true);
    appendAll(array, {30, 10, 20});
    EXPECT_EQ(valuesOf(array), (std::vector<std::int32_t>{10, 20, 30}));
    const std::int32_t twenty = 20;
    EXPECT_EQ(array.appendItem(&twenty, 0), 2);
    EXPECT_EQ(valuesOf(array), (std::vector<std::int32_t>{10, 20, 20, 30}));
    EXPECT_TRUE(array.isSorted());
    EXPECT_EQ(array.indexOfItem(&twenty, 0) == 2 || array.indexOfItem(&twenty, 0) == 3, true);

    array.swapItems(1, 4);  // refused on keep-sorted arrays
    array.moveItem(1, 4);
    EXPECT_EQ(valuesOf(array), (std::vector<std::int32_t>{10, 20, 20, 30}));

    const std::int32_t five = 5;
    EXPECT_EQ(array.replaceItems(1, 4, &five, 0), 1);  // removal, then sorted insertion
    EXPECT_EQ(valuesOf(array), (std::vector<std::int32_t>{5, 10, 20, 20}));
}

TEST(LArray, SortAndSearches) {
    LArray array;
    appendAll(array, {5, 1, 4, 1});
    EXPECT_FALSE(array.isSorted());
    const std::int32_t four = 4, seven = 7;
    EXPECT_EQ(array.indexOfItem(&four, 0), 3);  // linear while unsorted
    EXPECT_EQ(array.insertionIndexOf(&four, 0), INT_MAX);
    array.sort();
    EXPECT_TRUE(array.isSorted());
    EXPECT_EQ(valuesOf(array), (std::vector<std::int32_t>{1, 1, 4, 5}));
    EXPECT_EQ(array.indexOfItem(&four, 0), 3);  // binary once sorted
    EXPECT_EQ(array.indexOfItem(&seven, 0), 0);
    EXPECT_EQ(array.insertionIndexOf(&seven, 0), 5);
    EXPECT_EQ(LArray().insertionIndexOf(&seven, 0), 1);

    // The base comparator knows no keys.
    LArray bytes(0, 3, nullptr, false);
    bytes.appendItem("ab", 3);
    EXPECT_EQ(bytes.indexOfKey("ab"), 0);
}

TEST(LArray, ShellSortOrdersALargeArray) {
    LArray array;
    std::vector<std::int32_t> expected;
    for (std::int32_t i = 0; i < 1000; ++i) {
        const std::int32_t v = (i * 7919) % 1000 - 500;
        array.appendItem(&v, 0);
        expected.push_back(v);
    }
    std::sort(expected.begin(), expected.end());
    array.sort();
    EXPECT_EQ(valuesOf(array), expected);
}

TEST(LArray, SwapAndMove) {
    LArray array;
    appendAll(array, {1, 2, 3, 4});
    array.swapItems(1, INT_MAX);
    EXPECT_EQ(valuesOf(array), (std::vector<std::int32_t>{4, 2, 3, 1}));
    array.moveItem(1, 3);
    EXPECT_EQ(valuesOf(array), (std::vector<std::int32_t>{2, 3, 4, 1}));
    array.moveItem(4, 1);
    EXPECT_EQ(valuesOf(array), (std::vector<std::int32_t>{1, 2, 3, 4}));
    array.moveItem(1, 9);
    EXPECT_EQ(valuesOf(array), (std::vector<std::int32_t>{1, 2, 3, 4}));
}

TEST(LArray, LockFreezesTheCountOnly) {
    LArray array;
    appendAll(array, {1, 2, 3});
    array.lock();
    EXPECT_TRUE(array.isLocked());
    const std::int32_t x = 9;
    EXPECT_EQ(array.appendItem(&x, 0), 0);
    EXPECT_EQ(array.insertCopies(1, 1, &x, 0), 0);
    std::int32_t out = 0;
    EXPECT_FALSE(array.popItem(&out));
    array.removeItems(1, 1);
    array.truncate(0);
    EXPECT_EQ(array.replaceItems(1, 1, &x, 0), 1);  // replacing is still allowed
    EXPECT_EQ(valuesOf(array), (std::vector<std::int32_t>{9, 2, 3}));
    array.unlock();
    EXPECT_FALSE(array.isLocked());
    EXPECT_EQ(array.appendItem(&x, 0), 4);
}

TEST(LArray, CompareBytesOrdersByContentThenLength) {
    EXPECT_LT(compareBytes("ab", "abc", 2, 3), 0);
    EXPECT_GT(compareBytes("b", "abc", 1, 3), 0);
    EXPECT_EQ(compareBytes("abc", "abc", 3, 3), 0);
    EXPECT_GT(compareBytes("\xff", "\x01", 1, 1), 0);  // unsigned bytes
}

struct RecordingIterator : LArrayIterator {
    void setNext(LArrayIterator* n) override { next = n; }
    LArrayIterator* getNext() const override { return next; }
    void arrayGone() override { gone = true; }
    void itemsInserted(std::int32_t n, std::int32_t index) override { events.push_back({+n, index}); }
    void itemsRemoved(std::int32_t n, std::int32_t index) override { events.push_back({-n, index}); }
    LArrayIterator* next = nullptr;
    bool gone = false;
    std::vector<std::pair<std::int32_t, std::int32_t>> events;
};

TEST(LArray, IteratorsAreToldOfInsertionsRemovalsAndTheEnd) {
    RecordingIterator first, second;
    {
        LArray array;
        array.attachIterator(&first);
        array.attachIterator(&second);
        appendAll(array, {1, 2});
        array.removeItems(1, 1);
        array.detachIterator(&second);
        array.appendItem(&first, 4);
    }
    EXPECT_EQ(first.events, (std::vector<std::pair<std::int32_t, std::int32_t>>{{1, 1}, {1, 2}, {-1, 1}, {1, 2}}));
    EXPECT_EQ(second.events.size(), 3u);
    EXPECT_TRUE(first.gone);
    EXPECT_FALSE(second.gone);
}

TEST(LArray, CopyFromClonesAnOwnedComparatorAndTheItems) {
    LArray source(0, 4, new LLongComparator, true);
    appendAll(source, {3, 1, 2});
    LArray copy;
    copy.copyFrom(source, true);
    EXPECT_EQ(valuesOf(copy), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_TRUE(copy.isKeepSorted());
    EXPECT_NE(copy.currentComparator(), source.currentComparator());

    // A refused copy leaves the target as it was.
    LArray target;
    appendAll(target, {42});
    try {
        platform::ScopedAllocationFailure failNext(1);
        target.copyFrom(source, true);
        FAIL() << "copy was not refused";
    } catch (const CFail& failure) {
        EXPECT_EQ(failure.error, 12);
        EXPECT_STREQ(failure.fileName, "BArray");
    }
    EXPECT_EQ(valuesOf(target), (std::vector<std::int32_t>{42}));
}

TEST(LArray, GrowthRetriesTheExactSizeOnce) {
    LArray array;
    appendAll(array, {1, 2, 3, 4});  // 16 bytes, full
    const std::int32_t five = 5;
    {
        platform::ScopedAllocationFailure failNext(1);  // the doubling is refused, the exact size is not
        EXPECT_EQ(array.appendItem(&five, 0), 5);
    }
    EXPECT_EQ(array.allocatedBytes(), 20);
    EXPECT_EQ(valuesOf(array), (std::vector<std::int32_t>{1, 2, 3, 4, 5}));
}

// 0x10000000 items of 8 bytes are 2 GiB, one byte more than a block's size can say: once narrowed to
// 32 bits that size was negative and became a 4-byte block, which the next appends overran.
TEST(LArray, AReservationThatDoesNotFitIsRefused) {
    EXPECT_EQ(failureCode([] { LArray huge(0x10000000, 8, new LLongComparator, false); }), 12);
    EXPECT_EQ(failureCode([] { LArray noSize(0, 0, new LLongComparator, false); }), 22);

    LArray array(0, 8, nullptr, false);
    const std::int64_t item = 0x0102030405060708;
    array.appendItem(&item, 0);
    EXPECT_EQ(failureCode([&] { array.reserveExtra(0x10000000); }), 12);
    EXPECT_EQ(failureCode([&] { array.reserveExtra(-1); }), 22) << "less room than the items take";
    EXPECT_EQ(array.allocatedBytes(), 8);
    array.appendItem(&item, 0);
    array.appendItem(&item, 0);
    std::int64_t last = 0;
    EXPECT_TRUE(array.fetchItem(3, &last));
    EXPECT_EQ(last, item);
}

}  // namespace
