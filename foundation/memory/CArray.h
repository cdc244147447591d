#pragma once
// The light array: items of one size in power-of-two slots, 1-based, in one heap block that grows
// in steps of 24 items; sorted insertion and lookup through a caller's search function. Document
// tables and most other table classes derive from it and keep pointers to records of their own in it.
#include <cstdint>

#include "foundation/CBase.h"

class CArray;

// Negative when the key orders before the item at index, 0 when equal, positive after it.
using CArraySearchFn = std::int16_t (*)(std::int32_t index, const void* key, const CArray* array);

// Item size of arrays whose items are pointers (8 bytes on this build).
constexpr std::int16_t kPointerItemSize = static_cast<std::int16_t>(sizeof(void*));

class CArray : public CBase {
public:
    // An item size below 1 or a negative capacity raises CFail 22.
    CArray(std::int32_t initialCapacity, std::int16_t itemSize);
    ~CArray() override;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;

    virtual std::int32_t getCount() const;
    // Room for at least `items` items, in steps of 24. Fewer items than the array holds raise CFail 22;
    // a block larger than 32 bits can size, or one the heap refuses, raises CFail 12.
    virtual void setCapacity(std::int32_t items);
    virtual void append(const void* item);
    // Inserts n items (read one slot apart) before index; index count + 1 appends. An index outside
    // 1..count + 1, a negative n or null items raise CFail 22; a count the array cannot hold, CFail 12.
    // Nothing changes when it fails.
    virtual void insertAt(std::int32_t index, const void* items, std::int32_t n);
    virtual void insertSorted(const void* item, CArraySearchFn searchFn);
    // Overwrites items index..index + n - 1; a range outside the array or null items raise CFail 22.
    virtual void storeItems(std::int32_t index, const void* items, std::int32_t n);
    // Removes items index..index + n - 1; a range outside the array raises CFail 22 and removes nothing.
    virtual void removeAt(std::int32_t index, std::int32_t n);
    virtual std::int32_t removeSorted(const void* key);
    virtual void removeAll();
    // Copies items index..index + n - 1 out; false, copying nothing, when that range is not all inside.
    virtual bool fetchItems(std::int32_t index, void* out, std::int32_t n) const;
    virtual std::int32_t indexOfSorted(const void* key) const;
    virtual void* itemAt(std::int32_t index) const;
    virtual bool isEmpty() const;
    virtual std::int32_t compareItems(const void* a, const void* b) const;
    virtual bool binarySearch(CArraySearchFn searchFn, const void* key, std::int32_t& place) const;

    // The pointer stored in slot index of an array of pointers; null outside 1..count.
    template <typename T>
    T* pointerAt(std::int32_t index) const {
        void* const* slot = static_cast<void* const*>(itemAt(index));
        return slot ? static_cast<T*>(*slot) : nullptr;
    }

    // For arrays of pointers to heap blocks the array's owner frees with freeMemory: appends the
    // pointer, and when the array cannot grow frees the block before the failure goes on.
    void appendOwnedBlock(void* block);
    // Frees every item's block and forgets the items (for the owner's destructor: it never asks the
    // heap for a smaller array block, so it cannot fail).
    void freeOwnedBlocks();

    std::int32_t capacityInItems() const { return capacity; }
    std::int32_t slotSize() const { return std::int32_t{1} << slotShift; }
    const void* block() const { return data; }

protected:
    std::int32_t count;
    std::int16_t itemSize;
    std::int16_t slotShift;
    std::int32_t growQuantum;
    std::int32_t capacity;
    std::uint8_t* data;

private:
    // The capacity that holds `items`: the present one while it leaves less than a step spare, else
    // the next multiple of the step above items.
    std::int64_t capacityFor(std::int32_t items) const;
    // Resizes the block to newCapacity items; false, changing nothing, when that cannot be done.
    bool resizeBlock(std::int64_t newCapacity);
    std::uint8_t* slot(std::int32_t index) const { return data + (static_cast<std::int64_t>(index - 1) << slotShift); }
};

// Orders by the signed 32-bit value at the start of each slot.
std::int16_t defaultArraySearch(std::int32_t index, const void* key, const CArray* array);
