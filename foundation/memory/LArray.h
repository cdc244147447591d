#pragma once
// The general array: items of one fixed size copied by value into one heap block, 1-based indexes
// (INT_MAX means the last item), an optional sorted order kept by a comparator, binary and linear
// search, a lock that freezes the number of items, and notifications to attached iterators.
#include <climits>
#include <cstdint>

#include "foundation/CBase.h"
#include "foundation/memory/LComparator.h"

// What an array tells the objects that walk it.
class LArrayIterator {
public:
    virtual ~LArrayIterator() = default;
    virtual void setNext(LArrayIterator* next) = 0;
    virtual LArrayIterator* getNext() const = 0;
    virtual void arrayGone() = 0;
    virtual void itemsInserted(std::int32_t n, std::int32_t index) = 0;
    virtual void itemsRemoved(std::int32_t n, std::int32_t index) = 0;
};

class LArray : public CBase {
public:
    static constexpr std::int32_t kLastItem = INT_MAX;

    LArray();
    // A given comparator becomes the array's own (and is deleted when the constructor fails). An item
    // size below 1 raises CFail 22; room for reserveItems that a block cannot hold raises CFail 12.
    LArray(std::int32_t reserveItems, std::int32_t itemSize, LComparator* comparator, bool keepSorted);
    ~LArray() override;
    LArray(const LArray&) = delete;
    LArray& operator=(const LArray&) = delete;

    virtual bool validateIndex(std::int32_t& index) const;
    virtual std::int32_t getItemSize() const;
    virtual std::int32_t getItemSizeAt(std::int32_t index) const;
    virtual std::int32_t getCount() const;
    virtual bool isSorted() const;
    virtual void markUnsorted();
    virtual bool isKeepSorted() const;
    virtual void* compactData();
    virtual bool fetchItem(std::int32_t index, void* out) const;
    virtual bool fetchItemSized(std::int32_t index, void* out, std::int32_t& size) const;
    virtual std::int32_t indexOfItem(const void* item, std::int32_t size) const;
    virtual bool containsItem(const void* item, std::int32_t size) const;
    virtual std::int32_t appendItem(const void* item, std::int32_t size);
    virtual std::int32_t insertCopies(std::int32_t n, std::int32_t index, const void* item, std::int32_t size);
    virtual void removeItems(std::int32_t n, std::int32_t index);
    virtual void truncate(std::int32_t newCount);
    virtual bool popItem(void* out);
    virtual bool popItemSized(void* out, std::int32_t& size);
    virtual std::int32_t replaceItems(std::int32_t n, std::int32_t index, const void* item, std::int32_t size);
    virtual void swapItems(std::int32_t index1, std::int32_t index2);
    virtual void moveItem(std::int32_t fromIndex, std::int32_t toIndex);
    virtual void removeItem(const void* item, std::int32_t size);
    virtual void lock();
    virtual void unlock();
    virtual bool isLocked() const;
    virtual void* itemPointer(std::int32_t index) const;
    // Makes the block hold exactly the items and extraItems more. A negative number raises CFail 22,
    // a block larger than 32 bits can size raises CFail 12 (the array is then unchanged).
    virtual void reserveExtra(std::int32_t extraItems);
    virtual void sort();
    virtual void setKeepSorted(bool keep);
    virtual void setComparator(LComparator* newComparator, bool owns);
    virtual std::int32_t indexOfKey(const void* key) const;
    virtual std::int32_t insertionIndexOf(const void* item, std::int32_t size) const;
    virtual std::int32_t insertionIndexOfKey(const void* key) const;
    virtual void attachIterator(LArrayIterator* iterator);
    virtual void detachIterator(LArrayIterator* iterator);
    virtual void copyFrom(const LArray& other, bool freeFirst);

    std::int32_t allocatedBytes() const { return bytesAllocated; }
    const LComparator* currentComparator() const { return comparator; }

protected:
    virtual void notifyInserted(std::int32_t n, std::int32_t index);
    virtual void notifyRemoved(std::int32_t n, std::int32_t index);
    virtual void copyItemOut(std::int32_t index, void* out) const;
    virtual void storeItem(std::int32_t index, const void* item, std::int32_t size);
    virtual void setAllocatedBytes(std::int32_t bytes);
    virtual void adjustCount(std::int32_t deltaItems);
    virtual void shiftItems(std::int32_t first, std::int32_t last, std::int32_t deltaItems);
    virtual void storeCopies(std::int32_t n, std::int32_t index, const void* item, std::int32_t size);
    virtual void exchangeItems(std::int32_t index1, std::int32_t index2, void* temp);
    virtual void relocateItem(std::int32_t fromIndex, std::int32_t toIndex, void* temp);
    virtual void copyItem(std::int32_t fromIndex, std::int32_t toIndex);
    virtual std::int32_t linearIndexOf(const void* item, std::int32_t size) const;
    virtual std::int32_t linearIndexOfKey(const void* key) const;
    virtual std::int32_t binaryIndexOf(const void* item, std::int32_t size) const;
    virtual std::int32_t binaryIndexOfKey(const void* key) const;
    virtual std::int32_t byteSizeOfRange(std::int32_t first, std::int32_t last) const;
    virtual void init(std::int32_t size, LComparator* newComparator, bool sorted, bool keep);
    virtual void freeAll();

    std::int32_t itemSize;
    std::int32_t count;
    std::int32_t bytesUsed;
    std::int32_t bytesAllocated;
    std::uint8_t* data;
    std::int32_t lockCount;
    LArrayIterator* iterators;
    LComparator* comparator;
    bool ownsComparator;
    bool sorted;
    bool keepSorted;

private:
    std::int32_t clampedSize(std::int32_t size) const;
    template <typename Compare>
    std::int32_t binarySearchIndex(Compare compareMid) const;
    template <typename Compare>
    std::int32_t insertionIndex(Compare compareMid) const;
};
