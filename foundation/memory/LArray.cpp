#include "foundation/memory/LArray.h"

#include <algorithm>
#include <cstring>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"

namespace {

constexpr const char* kUnit = "BArray";

// A scratch block of one item, freed on every path out.
class TemporaryItem {
public:
    TemporaryItem(std::int32_t size, int line) : block(allocMemory(size)) { throwIfNull(block, line, kUnit); }
    ~TemporaryItem() { freeMemory(block); }
    TemporaryItem(const TemporaryItem&) = delete;
    TemporaryItem& operator=(const TemporaryItem&) = delete;
    void* get() const { return block; }

private:
    void* block;
};

}  // namespace

// Constructors and the destructor name LArray's own functions: an override in a derived class is not
// reached from here, and the calls say so.
LArray::LArray() {
    LArray::init(4, nullptr, true, false);
}

LArray::LArray(std::int32_t reserveItems, std::int32_t size, LComparator* newComparator, bool keep) {
    LArray::init(size, newComparator, true, keep);
    // No destructor runs after a failed constructor: the comparator taken over is given back here.
    try {
        if (size < 1) throwFail(result::kNullObject, __LINE__, kUnit);
        LArray::reserveExtra(reserveItems);
    } catch (const CFail&) {
        LArray::freeAll();
        rethrowFailure();
    }
}

LArray::~LArray() {
    LArray::freeAll();
}

void LArray::init(std::int32_t size, LComparator* newComparator, bool isSortedNow, bool keep) {
    itemSize = size;
    count = 0;
    bytesUsed = 0;
    bytesAllocated = 0;
    lockCount = 0;
    data = nullptr;
    iterators = nullptr;
    comparator = newComparator;
    ownsComparator = true;
    sorted = isSortedNow;
    keepSorted = keep;
    if (!comparator) {
        ownsComparator = false;
        comparator = itemSize == 4 ? sharedLongComparator() : sharedComparator();
    }
}

std::int32_t LArray::clampedSize(std::int32_t size) const {
    return size <= 0 || size > itemSize ? itemSize : size;
}

bool LArray::validateIndex(std::int32_t& index) const {
    if (index == kLastItem) index = count;
    return index >= 1 && index <= count;
}

std::int32_t LArray::getItemSize() const { return itemSize; }
std::int32_t LArray::getItemSizeAt(std::int32_t) const { return itemSize; }
std::int32_t LArray::getCount() const { return count; }
bool LArray::isSorted() const { return sorted; }
void LArray::markUnsorted() { sorted = false; }
bool LArray::isKeepSorted() const { return keepSorted; }

void* LArray::compactData() {
    reserveExtra(0);
    return data;
}

bool LArray::fetchItem(std::int32_t index, void* out) const {
    if (!validateIndex(index)) return false;
    copyItemOut(index, out);
    return true;
}

bool LArray::fetchItemSized(std::int32_t index, void* out, std::int32_t& size) const {
    if (!validateIndex(index)) {
        size = 0;
        return false;
    }
    size = std::min(itemSize, size);
    std::memcpy(out, itemPointer(index), static_cast<std::size_t>(std::max(size, 0)));
    return true;
}

std::int32_t LArray::indexOfItem(const void* item, std::int32_t size) const {
    if (count == 0) return 0;
    return sorted ? binaryIndexOf(item, size) : linearIndexOf(item, size);
}

bool LArray::containsItem(const void* item, std::int32_t size) const {
    return indexOfItem(item, size) != 0;
}

std::int32_t LArray::appendItem(const void* item, std::int32_t size) {
    if (keepSorted) return insertCopies(1, 0, item, size);
    if (lockCount != 0) return 0;
    size = clampedSize(size);
    const std::int32_t index = count + 1;
    sorted = false;
    adjustCount(1);
    storeItem(index, item, size);
    notifyInserted(1, index);
    return index;
}

std::int32_t LArray::insertCopies(std::int32_t n, std::int32_t index, const void* item, std::int32_t size) {
    if (n <= 0 || lockCount != 0 || (keepSorted && !item)) return 0;
    size = clampedSize(size);
    if (keepSorted) {
        sort();
        index = insertionIndexOf(item, size);
    }
    // Compared as unsigned, INT_MAX and every negative index land at the end.
    if (static_cast<std::uint32_t>(index) > static_cast<std::uint32_t>(count)) index = count + 1;
    else if (index < 1) index = 1;
    const std::int32_t oldCount = count;
    adjustCount(n);
    if (index <= oldCount && oldCount != 0) shiftItems(index, oldCount, n);
    sorted = keepSorted;
    if (item) storeCopies(n, index, item, size);
    notifyInserted(n, index);
    return index;
}

void LArray::removeItems(std::int32_t n, std::int32_t index) {
    if (lockCount != 0 || n <= 0 || !validateIndex(index)) return;
    if (static_cast<std::int64_t>(index) + n > count) n = count - index + 1;
    if (index + n <= count) shiftItems(index + n, count, -n);
    adjustCount(-n);
    notifyRemoved(n, index);
    if (keepSorted) sort();
}

void LArray::truncate(std::int32_t newCount) {
    if (newCount < 0) newCount = 0;
    if (newCount < count) removeItems(count - newCount, newCount + 1);
}

bool LArray::popItem(void* out) {
    if (count == 0 || lockCount != 0) return false;
    copyItemOut(count, out);
    removeItems(1, count);
    return true;
}

bool LArray::popItemSized(void* out, std::int32_t& size) {
    if (count == 0 || lockCount != 0) return false;
    fetchItemSized(count, out, size);
    removeItems(1, count);
    return true;
}

std::int32_t LArray::replaceItems(std::int32_t n, std::int32_t index, const void* item, std::int32_t size) {
    if (n <= 0 || !validateIndex(index)) return 0;
    if (keepSorted) {
        removeItems(n, index);
        return insertCopies(n, index, item, size);
    }
    const std::int32_t last = static_cast<std::int32_t>(std::min<std::int64_t>(static_cast<std::int64_t>(index) + n - 1, count));
    size = clampedSize(size);
    for (std::int32_t i = index; i <= last; ++i) storeItem(i, item, size);
    sorted = false;
    return index;
}

void LArray::swapItems(std::int32_t index1, std::int32_t index2) {
    if (keepSorted || !validateIndex(index1) || !validateIndex(index2)) return;
    TemporaryItem temp(itemSize, __LINE__);
    exchangeItems(index1, index2, temp.get());
    sorted = false;
}

void LArray::moveItem(std::int32_t fromIndex, std::int32_t toIndex) {
    if (keepSorted || !validateIndex(fromIndex) || !validateIndex(toIndex) || fromIndex == toIndex) return;
    TemporaryItem temp(itemSize, __LINE__);
    relocateItem(fromIndex, toIndex, temp.get());
    sorted = false;
}

void LArray::removeItem(const void* item, std::int32_t size) {
    const std::int32_t index = indexOfItem(item, size);
    if (index != 0) removeItems(1, index);
}

void LArray::lock() { ++lockCount; }
void LArray::unlock() { --lockCount; }
bool LArray::isLocked() const { return lockCount != 0; }

void* LArray::itemPointer(std::int32_t index) const {
    return data + static_cast<std::int64_t>(index - 1) * itemSize;
}

void LArray::reserveExtra(std::int32_t extraItems) {
    // Fewer than no extra items would cut off items in use.
    if (extraItems < 0) throwFail(result::kNullObject, __LINE__, kUnit);
    const std::int64_t bytes = (static_cast<std::int64_t>(count) + extraItems) * itemSize;
    if (bytes > INT32_MAX) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    setAllocatedBytes(static_cast<std::int32_t>(bytes));
}

void LArray::sort() {
    if (sorted || count <= 1) {
        sorted = true;
        return;
    }
    TemporaryItem temp(itemSize, __LINE__);
    std::int32_t gap = 1;
    while (gap < count / 9) gap = 3 * gap + 1;
    for (; gap > 0; gap /= 3) {
        for (std::int32_t i = gap + 1; i <= count; ++i) {
            copyItemOut(i, temp.get());
            std::int32_t j = i - gap;
            while (j > 0 && comparator->compare(temp.get(), itemPointer(j), itemSize, itemSize) < 0) {
                copyItem(j, j + gap);
                j -= gap;
            }
            storeItem(j + gap, temp.get(), itemSize);
        }
    }
    sorted = true;
}

void LArray::setKeepSorted(bool keep) {
    keepSorted = keep;
    if (keep) sort();
}

void LArray::setComparator(LComparator* newComparator, bool owns) {
    if (!newComparator) return;
    if (ownsComparator) delete comparator;
    comparator = newComparator;
    ownsComparator = owns;
    if (count > 1) sorted = false;
    if (keepSorted) sort();
}

std::int32_t LArray::indexOfKey(const void* key) const {
    if (count == 0) return 0;
    return sorted ? binaryIndexOfKey(key) : linearIndexOfKey(key);
}

// The stored item is always the comparator's first argument.
template <typename Compare>
std::int32_t LArray::binarySearchIndex(Compare compareMid) const {
    std::int32_t lo = 1;
    std::int32_t hi = count;
    while (lo <= hi) {
        const std::int32_t mid = lo + (hi - lo) / 2;
        const std::int32_t r = compareMid(mid);
        if (r == 0) return mid;
        if (r > 0) hi = mid - 1;
        else lo = mid + 1;
    }
    return 0;
}

template <typename Compare>
std::int32_t LArray::insertionIndex(Compare compareMid) const {
    std::int32_t lo = 1;
    std::int32_t hi = count;
    std::int32_t mid = 1;
    std::int32_t r = 0;
    while (lo <= hi) {
        mid = lo + (hi - lo) / 2;
        r = compareMid(mid);
        if (r == 0) break;
        if (r > 0) hi = mid - 1;
        else lo = mid + 1;
    }
    return r < 0 ? mid + 1 : mid;
}

std::int32_t LArray::binaryIndexOf(const void* item, std::int32_t size) const {
    return binarySearchIndex([&](std::int32_t mid) { return comparator->compare(itemPointer(mid), item, itemSize, size); });
}

std::int32_t LArray::binaryIndexOfKey(const void* key) const {
    return binarySearchIndex([&](std::int32_t mid) { return comparator->compareToKey(itemPointer(mid), itemSize, key); });
}

std::int32_t LArray::insertionIndexOf(const void* item, std::int32_t size) const {
    if (!sorted || !item) return kLastItem;
    return insertionIndex([&](std::int32_t mid) { return comparator->compare(itemPointer(mid), item, itemSize, size); });
}

std::int32_t LArray::insertionIndexOfKey(const void* key) const {
    if (!sorted) return kLastItem;
    return insertionIndex([&](std::int32_t mid) { return comparator->compareToKey(itemPointer(mid), itemSize, key); });
}

std::int32_t LArray::linearIndexOf(const void* item, std::int32_t size) const {
    for (std::int32_t i = 1; i <= count; ++i) {
        if (comparator->isEqual(item, itemPointer(i), size, itemSize)) return i;
    }
    return 0;
}

std::int32_t LArray::linearIndexOfKey(const void* key) const {
    for (std::int32_t i = 1; i <= count; ++i) {
        if (comparator->isEqualToKey(itemPointer(i), itemSize, key)) return i;
    }
    return 0;
}

void LArray::attachIterator(LArrayIterator* iterator) {
    iterator->setNext(iterators);
    iterators = iterator;
}

void LArray::detachIterator(LArrayIterator* iterator) {
    LArrayIterator* previous = nullptr;
    for (LArrayIterator* it = iterators; it; previous = it, it = it->getNext()) {
        if (it != iterator) continue;
        if (previous) previous->setNext(it->getNext());
        else iterators = it->getNext();
        it->setNext(nullptr);
        return;
    }
}

void LArray::notifyInserted(std::int32_t n, std::int32_t index) {
    for (LArrayIterator* it = iterators; it; it = it->getNext()) it->itemsInserted(n, index);
}

void LArray::notifyRemoved(std::int32_t n, std::int32_t index) {
    for (LArrayIterator* it = iterators; it; it = it->getNext()) it->itemsRemoved(n, index);
}

void LArray::copyItemOut(std::int32_t index, void* out) const {
    std::memcpy(out, itemPointer(index), static_cast<std::size_t>(itemSize));
}

void LArray::storeItem(std::int32_t index, const void* item, std::int32_t size) {
    std::memcpy(itemPointer(index), item, static_cast<std::size_t>(size));
}

void LArray::setAllocatedBytes(std::int32_t bytes) {
    if (bytes == bytesAllocated) return;
    void* block = data ? resizeMemory(data, bytes) : allocMemory(bytes);
    throwIfNull(block, __LINE__, kUnit);
    data = static_cast<std::uint8_t*>(block);
    bytesAllocated = bytes;
}

void LArray::adjustCount(std::int32_t deltaItems) {
    const std::int64_t newCount = static_cast<std::int64_t>(count) + deltaItems;
    const std::int64_t newBytes = newCount * itemSize;
    if (newBytes > INT32_MAX) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    if (newBytes > bytesAllocated) {
        // Grow by at least the current size, so appending costs amortised constant time; when that
        // much is refused, try the exact size once.
        const std::int64_t growth = std::max<std::int64_t>(static_cast<std::int64_t>(deltaItems) * itemSize, bytesAllocated);
        const std::int64_t wanted = bytesAllocated + growth;
        try {
            if (wanted > INT32_MAX) throwFail(result::kOutOfMemory, __LINE__, kUnit);
            setAllocatedBytes(static_cast<std::int32_t>(wanted));
        } catch (const CFail&) {
            setAllocatedBytes(static_cast<std::int32_t>(newBytes));
        }
    } else if (deltaItems < 0) {
        setAllocatedBytes(static_cast<std::int32_t>(newBytes) + (bytesAllocated - bytesUsed));
    }
    count = static_cast<std::int32_t>(newCount);
    bytesUsed = static_cast<std::int32_t>(newBytes);
}

void LArray::shiftItems(std::int32_t first, std::int32_t last, std::int32_t deltaItems) {
    std::memmove(itemPointer(first + deltaItems), itemPointer(first), static_cast<std::size_t>(byteSizeOfRange(first, last)));
}

void LArray::storeCopies(std::int32_t n, std::int32_t index, const void* item, std::int32_t size) {
    for (std::int32_t i = 0; i < n; ++i) storeItem(index + i, item, size);
}

void LArray::exchangeItems(std::int32_t index1, std::int32_t index2, void* temp) {
    copyItemOut(index1, temp);
    copyItem(index2, index1);
    storeItem(index2, temp, itemSize);
}

void LArray::relocateItem(std::int32_t fromIndex, std::int32_t toIndex, void* temp) {
    copyItemOut(fromIndex, temp);
    if (fromIndex < toIndex) shiftItems(fromIndex + 1, toIndex, -1);
    else shiftItems(toIndex, fromIndex - 1, 1);
    storeItem(toIndex, temp, itemSize);
}

void LArray::copyItem(std::int32_t fromIndex, std::int32_t toIndex) {
    std::memcpy(itemPointer(toIndex), itemPointer(fromIndex), static_cast<std::size_t>(itemSize));
}

std::int32_t LArray::byteSizeOfRange(std::int32_t first, std::int32_t last) const {
    return (last - first + 1) * itemSize;
}

void LArray::copyFrom(const LArray& other, bool freeFirst) {
    std::uint8_t* block = nullptr;
    if (other.count > 0) {
        block = static_cast<std::uint8_t*>(allocMemory(other.bytesUsed));
        throwIfNull(block, __LINE__, kUnit);
        std::memcpy(block, other.data, static_cast<std::size_t>(other.bytesUsed));
    }
    LComparator* newComparator = other.comparator;
    if (other.ownsComparator) {
        newComparator = other.comparator->clone();
        if (!newComparator) {
            freeMemory(block);
            throwFail(result::kOutOfMemory, __LINE__, kUnit);
        }
    }
    if (freeFirst) freeAll();
    itemSize = other.itemSize;
    count = other.count;
    bytesUsed = other.bytesUsed;
    bytesAllocated = block ? other.bytesUsed : 0;
    data = block;
    comparator = newComparator;
    ownsComparator = other.ownsComparator;
    sorted = other.sorted;
    keepSorted = other.keepSorted;
    lockCount = 0;
    iterators = nullptr;
}

void LArray::freeAll() {
    if (ownsComparator) {
        delete comparator;
        comparator = nullptr;
        ownsComparator = false;
    }
    freeMemory(data);
    bytesAllocated = 0;
    for (LArrayIterator* it = iterators; it; it = it->getNext()) it->arrayGone();
}
