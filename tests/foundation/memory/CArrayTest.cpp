#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/memory/CArray.h"
#include "foundation/memory/Memory.h"
#include "platform/process/AllocationFailure.h"

namespace {

std::vector<std::int32_t> valuesOf(const CArray& array) {
    std::vector<std::int32_t> values;
    for (std::int32_t i = 1; i <= array.getCount(); ++i) values.push_back(*static_cast<std::int32_t*>(array.itemAt(i)));
    return values;
}

CArray* arrayOf(std::initializer_list<std::int32_t> values) {
    auto* array = new CArray(0, 4);
    for (std::int32_t v : values) array->append(&v);
    return array;
}

TEST(CArray, NewArrayHasAMinimalBlockAndNoItems) {
    CArray array(0, 4);
    EXPECT_EQ(array.capacityInItems(), 0);
    EXPECT_EQ(array.getCount(), 0);
    EXPECT_EQ(memorySize(array.block()), 4);
    EXPECT_EQ(array.itemAt(1), nullptr);
    EXPECT_TRUE(array.isEmpty());
}

TEST(CArray, SlotsArePowersOfTwo) {
    const std::pair<std::int16_t, std::int32_t> cases[] = {{1, 1}, {2, 2}, {3, 4}, {4, 4}, {5, 8}, {8, 8}, {12, 16}};
    for (const auto& [itemSize, slot] : cases) EXPECT_EQ(CArray(0, itemSize).slotSize(), slot) << itemSize;
}

TEST(CArray, GrowsAndShrinksInStepsOf24) {
    CArray array(0, 4);
    std::int32_t value = 0;
    array.append(&value);
    EXPECT_EQ(array.capacityInItems(), 24);
    for (value = 2; value <= 25; ++value) array.append(&value);
    EXPECT_EQ(array.capacityInItems(), 48);
    while (array.getCount() > 0) {
        array.removeAt(array.getCount(), 1);
        const std::int32_t expected = array.getCount() >= 24 ? 48 : 24;
        EXPECT_EQ(array.capacityInItems(), expected) << array.getCount() << " items";
    }
    EXPECT_EQ(array.capacityInItems(), 24);
}

TEST(CArray, PointerItemsArePointerSized) {
    CArray array(0, kPointerItemSize);
    std::vector<std::int32_t> records(30);
    for (auto& record : records) {
        void* pointer = &record;
        array.append(&pointer);
    }
    for (std::int32_t i = 1; i <= 30; ++i) EXPECT_EQ(array.pointerAt<std::int32_t>(i), &records[i - 1]);
    EXPECT_EQ(array.slotSize(), static_cast<std::int32_t>(sizeof(void*)));
    EXPECT_EQ(array.pointerAt<std::int32_t>(31), nullptr);
}

struct SearchCase {
    std::int32_t key;
    bool found;
    std::int32_t place;
};

TEST(CArray, BinarySearchAnswersThePlace) {
    std::unique_ptr<CArray> array(arrayOf({10, 20, 30}));
    const SearchCase cases[] = {{20, true, 2}, {25, false, 3}, {5, false, 1}, {35, false, 4}, {10, true, 1}, {30, true, 3}};
    for (const auto& c : cases) {
        std::int32_t place = -1;
        EXPECT_EQ(array->binarySearch(defaultArraySearch, &c.key, place), c.found) << c.key;
        EXPECT_EQ(place, c.place) << c.key;
    }
    CArray empty(0, 4);
    std::int32_t place = -1;
    std::int32_t key = 1;
    EXPECT_FALSE(empty.binarySearch(defaultArraySearch, &key, place));
    EXPECT_EQ(place, 0);
}

TEST(CArray, SortedInsertionRemovalAndLookup) {
    std::unique_ptr<CArray> array(arrayOf({10, 20, 30}));
    std::int32_t twenty = 20;
    array->insertSorted(&twenty, nullptr);
    EXPECT_EQ(valuesOf(*array), (std::vector<std::int32_t>{10, 20, 20, 30}));

    std::int32_t missing = 25;
    std::unique_ptr<CArray> plain(arrayOf({10, 20, 30}));
    EXPECT_EQ(plain->removeSorted(&missing), 3);
    EXPECT_EQ(plain->getCount(), 3);
    EXPECT_EQ(plain->indexOfSorted(&missing), 0);
    EXPECT_EQ(plain->removeSorted(&twenty), 2);
    EXPECT_EQ(valuesOf(*plain), (std::vector<std::int32_t>{10, 30}));

    CArray empty(0, 4);
    empty.insertSorted(&twenty, nullptr);
    EXPECT_EQ(valuesOf(empty), (std::vector<std::int32_t>{20}));
}

TEST(CArray, InsertAtMovesTheFollowingItems) {
    std::unique_ptr<CArray> array(arrayOf({1, 4}));
    const std::int32_t middle[] = {2, 3};
    array->insertAt(2, middle, 2);
    EXPECT_EQ(valuesOf(*array), (std::vector<std::int32_t>{1, 2, 3, 4}));
    array->removeAt(2, 2);
    EXPECT_EQ(valuesOf(*array), (std::vector<std::int32_t>{1, 4}));
    array->removeAll();
    EXPECT_TRUE(array->isEmpty());
}

TEST(CArray, FetchItemsChecksTheIndexAndTheCount) {
    std::unique_ptr<CArray> array(arrayOf({7, 8, 9}));
    std::int32_t out[2] = {};
    EXPECT_TRUE(array->fetchItems(2, out, 2));
    EXPECT_EQ(out[0], 8);
    EXPECT_EQ(out[1], 9);
    const std::pair<std::int32_t, std::int32_t> outside[] = {{4, 1}, {1, 0}, {0, 1}, {3, 2}, {2, INT32_MAX}, {-1, 1}};
    for (const auto& [index, n] : outside) EXPECT_FALSE(array->fetchItems(index, out, n)) << index << " " << n;
}

struct RangeCase {
    std::int32_t index;
    std::int32_t n;
    std::int16_t code;
};

// An index or a count outside the array is refused before anything moves; a count the array could
// never hold is refused as a size that does not fit.
TEST(CArray, InsertAndRemoveRefuseRangesOutsideTheArray) {
    const std::int32_t items[2] = {5, 6};
    const RangeCase inserts[] = {{0, 1, 22}, {5, 1, 22}, {100, 1, 22}, {-1, 1, 22}, {2, -1, 22}, {2, INT32_MAX, 12}};
    for (const auto& c : inserts) {
        std::unique_ptr<CArray> array(arrayOf({1, 2, 3}));
        EXPECT_EQ(failureCode([&] { array->insertAt(c.index, items, c.n); }), c.code) << c.index << " " << c.n;
        EXPECT_EQ(valuesOf(*array), (std::vector<std::int32_t>{1, 2, 3}));
    }
    std::unique_ptr<CArray> empty(arrayOf({}));
    EXPECT_EQ(failureCode([&] { empty->insertAt(100, items, 2); }), 22);
    EXPECT_EQ(failureCode([&] { empty->insertAt(1, nullptr, 1); }), 22);
    EXPECT_EQ(failureCode([&] { empty->insertAt(1, items, 2); }), 0);
    EXPECT_EQ(valuesOf(*empty), (std::vector<std::int32_t>{5, 6}));

    const RangeCase removals[] = {{0, 1, 22}, {4, 1, 22}, {3, 2, 22}, {1, -1, 22}, {2, INT32_MAX, 22}, {INT32_MAX, 2, 22}};
    for (const auto& c : removals) {
        std::unique_ptr<CArray> array(arrayOf({1, 2, 3}));
        EXPECT_EQ(failureCode([&] { array->removeAt(c.index, c.n); }), c.code) << c.index << " " << c.n;
        EXPECT_EQ(valuesOf(*array), (std::vector<std::int32_t>{1, 2, 3}));
    }
}

TEST(CArray, CapacitiesAndItemSizesThatCannotBeHeldAreRefused) {
    CArray array(0, 8);
    EXPECT_EQ(failureCode([&] { array.setCapacity(INT32_MAX); }), 12);
    EXPECT_EQ(failureCode([&] { array.setCapacity(-100); }), 22);
    EXPECT_EQ(array.capacityInItems(), 0);
    EXPECT_EQ(failureCode([] { CArray negative(-1, 4); }), 22);
    EXPECT_EQ(failureCode([] { CArray noSize(0, 0); }), 22);
}

// Giving back spare room is a saving, not a duty: when the heap refuses the smaller block the
// removal still holds.
TEST(CArray, RemovalHoldsWhenTheSmallerBlockIsRefused) {
    CArray array(0, 4);
    for (std::int32_t v = 1; v <= 25; ++v) array.append(&v);
    ASSERT_EQ(array.capacityInItems(), 48);
    {
        platform::ScopedAllocationFailure failNext(1);
        array.removeAt(1, 2);
    }
    std::vector<std::int32_t> expected;
    for (std::int32_t v = 3; v <= 25; ++v) expected.push_back(v);
    EXPECT_EQ(valuesOf(array), expected);
    EXPECT_EQ(array.capacityInItems(), 48);
}

TEST(CArray, RefusedGrowthRaises12AndKeepsTheArray) {
    CArray array(0, 4);
    for (std::int32_t v = 1; v <= 24; ++v) array.append(&v);
    std::int32_t extra = 25;
    try {
        platform::ScopedAllocationFailure failNext(1);
        array.append(&extra);
        FAIL() << "growth was not refused";
    } catch (const CFail& failure) {
        EXPECT_EQ(failure.error, 12);
        EXPECT_STREQ(failure.fileName, "BArray1");
    }
    EXPECT_EQ(array.getCount(), 24);
    EXPECT_EQ(array.capacityInItems(), 24);
    EXPECT_EQ(*static_cast<std::int32_t*>(array.itemAt(24)), 24);
}

}  // namespace
