#include "foundation/memory/CArray.h"

#include <cstring>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"

namespace {

constexpr const char* kUnit = "BArray1";
constexpr std::int32_t kGrowQuantum = 24;

std::int16_t slotShiftFor(std::int16_t itemSize) {
    std::int16_t shift = 0;
    while ((std::int32_t{1} << shift) < itemSize) ++shift;
    return shift;
}

}  // namespace

std::int16_t defaultArraySearch(std::int32_t index, const void* key, const CArray* array) {
    return static_cast<std::int16_t>(array->compareItems(key, array->itemAt(index)));
}

CArray::CArray(std::int32_t initialCapacity, std::int16_t size)
    : count(0), itemSize(size), slotShift(slotShiftFor(size)), growQuantum(kGrowQuantum), capacity(0), data(nullptr) {
    if (size < 1) throwFail(result::kNullObject, __LINE__, kUnit);
    // CArray's own setCapacity: an override is not reached from a constructor. No destructor runs after
    // a failed constructor, so the block is given back here.
    try {
        CArray::setCapacity(initialCapacity);
    } catch (const CFail&) {
        freeMemory(data);
        rethrowFailure();
    }
}

CArray::~CArray() {
    freeMemory(data);
}

std::int32_t CArray::getCount() const {
    return count;
}

std::int64_t CArray::capacityFor(std::int32_t items) const {
    if (items <= capacity && capacity - items < growQuantum) return capacity;
    return static_cast<std::int64_t>(items) + growQuantum - items % growQuantum;
}

bool CArray::resizeBlock(std::int64_t newCapacity) {
    if (newCapacity == capacity) return true;
    const std::int64_t bytes = newCapacity << slotShift;
    if (bytes > INT32_MAX) return false;
    void* resized = resizeMemory(data, static_cast<std::int32_t>(bytes));
    if (!resized) return false;
    data = static_cast<std::uint8_t*>(resized);
    capacity = static_cast<std::int32_t>(newCapacity);
    return true;
}

void CArray::setCapacity(std::int32_t items) {
    if (items < count) throwFail(result::kNullObject, __LINE__, kUnit);
    if (!data) {
        data = static_cast<std::uint8_t*>(allocMemory(0));
        throwIfNull(data, __LINE__, kUnit);
    }
    if (!resizeBlock(capacityFor(items))) throwFail(result::kOutOfMemory, __LINE__, kUnit);
}

void CArray::append(const void* item) {
    insertAt(count + 1, item, 1);
}

void CArray::appendOwnedBlock(void* block) {
    try {
        append(&block);
    } catch (const CFail&) {
        freeMemory(block);
        rethrowFailure();
    }
}

void CArray::freeOwnedBlocks() {
    for (std::int32_t i = 1; i <= count; ++i) {
        void* block = pointerAt<void>(i);
        freeMemory(block);
    }
    count = 0;
}

void CArray::insertAt(std::int32_t index, const void* items, std::int32_t n) {
    if (n < 0 || index < 1 || index > static_cast<std::int64_t>(count) + 1) throwFail(result::kNullObject, __LINE__, kUnit);
    if (n == 0) return;
    throwIfNullObject(items, __LINE__, kUnit);
    const std::int64_t newCount = static_cast<std::int64_t>(count) + n;
    if (newCount > INT32_MAX) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    if (newCount > capacity) setCapacity(static_cast<std::int32_t>(newCount));
    if (index <= count) std::memmove(slot(index + n), slot(index), static_cast<std::size_t>(count - index + 1) << slotShift);
    count = static_cast<std::int32_t>(newCount);
    storeItems(index, items, n);
}

void CArray::storeItems(std::int32_t index, const void* items, std::int32_t n) {
    if (n < 0 || index < 1 || static_cast<std::int64_t>(index) + n - 1 > count) throwFail(result::kNullObject, __LINE__, kUnit);
    if (n == 0) return;
    throwIfNullObject(items, __LINE__, kUnit);
    // The caller's items lie one slot apart; only itemSize bytes of the last one are read.
    const std::size_t bytes = (static_cast<std::size_t>(n - 1) << slotShift) + static_cast<std::size_t>(itemSize);
    std::memcpy(slot(index), items, bytes);
}

void CArray::insertSorted(const void* item, CArraySearchFn searchFn) {
    std::int32_t place = 0;
    binarySearch(searchFn ? searchFn : defaultArraySearch, item, place);
    if (place == 0) place = 1;
    insertAt(place, item, 1);
}

void CArray::removeAt(std::int32_t index, std::int32_t n) {
    if (n < 0 || index < 1 || static_cast<std::int64_t>(index) + n - 1 > count) throwFail(result::kNullObject, __LINE__, kUnit);
    if (n == 0) return;
    const std::int32_t following = count - (index + n - 1);
    if (following > 0) std::memmove(slot(index), slot(index + n), static_cast<std::size_t>(following) << slotShift);
    count -= n;
    // Giving back spare room is a saving, not a duty: a refused smaller block keeps the larger one.
    static_cast<void>(resizeBlock(capacityFor(count)));
}

std::int32_t CArray::removeSorted(const void* key) {
    std::int32_t place = 0;
    if (binarySearch(defaultArraySearch, key, place)) removeAt(place, 1);
    return place;
}

void CArray::removeAll() {
    if (count > 0) removeAt(1, count);
}

bool CArray::fetchItems(std::int32_t index, void* out, std::int32_t n) const {
    if (index < 1 || n < 1 || static_cast<std::int64_t>(index) + n - 1 > count || !out) return false;
    const std::size_t bytes = (static_cast<std::size_t>(n - 1) << slotShift) + static_cast<std::size_t>(itemSize);
    std::memcpy(out, slot(index), bytes);
    return true;
}

std::int32_t CArray::indexOfSorted(const void* key) const {
    std::int32_t place = 0;
    return binarySearch(defaultArraySearch, key, place) ? place : 0;
}

void* CArray::itemAt(std::int32_t index) const {
    if (index < 1 || index > count) return nullptr;
    return slot(index);
}

bool CArray::isEmpty() const {
    return count == 0;
}

std::int32_t CArray::compareItems(const void* a, const void* b) const {
    // Items narrower than 4 bytes are read as far as they reach, so the last slot is never overrun.
    const std::size_t width = itemSize < 4 ? static_cast<std::size_t>(itemSize < 0 ? 0 : itemSize) : 4;
    std::int32_t first = 0;
    std::int32_t second = 0;
    std::memcpy(&first, a, width);
    std::memcpy(&second, b, width);
    return first < second ? -1 : (first > second ? 1 : 0);
}

bool CArray::binarySearch(CArraySearchFn searchFn, const void* key, std::int32_t& place) const {
    if (count == 0) {
        place = 0;
        return false;
    }
    std::int32_t lo = 1;
    std::int32_t hi = count;
    std::int32_t mid = 0;
    std::int16_t r = 0;
    do {
        mid = lo + (hi - lo) / 2;
        r = searchFn(mid, key, this);
        if (r < 0) hi = mid - 1;
        else lo = mid + 1;
    } while (r != 0 && lo <= hi);
    place = r > 0 ? mid + 1 : mid;
    return r == 0;
}
