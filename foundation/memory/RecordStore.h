#pragma once
// Records of one kind kept by value in one heap block that grows as records are added, numbered from
// 1. Tables whose search trees hold 32-bit values keep their records here and store the number: a
// pointer does not fit in 32 bits on this build. Pointers to records stay valid until the next record
// is added or the store is cleared.
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "foundation/memory/Memory.h"

template <typename T>
class RecordStore {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    RecordStore() = default;
    ~RecordStore() { clear(); }
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // Makes room for one more record; false when the heap refuses (the store is unchanged).
    bool reserveOne() {
        if (used < capacity) return true;
        constexpr std::int32_t kFirstCapacity = 16;
        constexpr std::int32_t kMostRecords = INT32_MAX / 2 / static_cast<std::int32_t>(sizeof(T));
        if (capacity >= kMostRecords) return false;
        const std::int32_t wanted = capacity == 0 ? kFirstCapacity : capacity * 2;
        void* grown = resizeMemory(records, wanted * static_cast<std::int32_t>(sizeof(T)));
        if (!grown) return false;
        records = static_cast<T*>(grown);
        capacity = wanted;
        return true;
    }

    // Adds a copy of the record in the room reserveOne made; answers its number.
    std::int32_t append(const T& record) {
        std::memcpy(&records[used], &record, sizeof(T));
        return ++used;
    }

    // The record with the number, or null outside 1 to count().
    T* at(std::int32_t number) const { return number >= 1 && number <= used ? &records[number - 1] : nullptr; }
    std::int32_t count() const { return used; }
    // The number the next record will get.
    std::int32_t nextNumber() const { return used + 1; }

    void clear() {
        freeMemory(records);
        used = 0;
        capacity = 0;
    }

private:
    T* records = nullptr;
    std::int32_t used = 0;
    std::int32_t capacity = 0;
};
