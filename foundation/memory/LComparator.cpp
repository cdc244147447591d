#include "foundation/memory/LComparator.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "foundation/CFail.h"

namespace {

constexpr const char* kUnit = "BArray";

LComparator* sharedByteInstance = nullptr;
LComparator* sharedLongInstance = nullptr;

std::int32_t readLong(const void* item) {
    std::int32_t value = 0;
    std::memcpy(&value, item, sizeof value);
    return value;
}

}  // namespace

std::int32_t compareBytes(const void* item1, const void* item2, std::int32_t size1, std::int32_t size2) {
    const auto* a = static_cast<const unsigned char*>(item1);
    const auto* b = static_cast<const unsigned char*>(item2);
    const std::int32_t common = std::min(size1, size2);
    for (std::int32_t i = 0; i < common; ++i) {
        if (a[i] != b[i]) return static_cast<std::int32_t>(a[i]) - static_cast<std::int32_t>(b[i]);
    }
    return size1 - size2;
}

LComparator::~LComparator() {
    if (sharedByteInstance == this) sharedByteInstance = nullptr;
}

std::int32_t LComparator::compare(const void* item1, const void* item2, std::int32_t size1, std::int32_t size2) const {
    return compareBytes(item1, item2, size1, size2);
}

bool LComparator::isEqual(const void* item1, const void* item2, std::int32_t size1, std::int32_t size2) const {
    return compare(item1, item2, size1, size2) == 0;
}

std::int32_t LComparator::compareToKey(const void*, std::int32_t, const void*) const {
    return 1;
}

bool LComparator::isEqualToKey(const void* item, std::int32_t size, const void* key) const {
    return compareToKey(item, size, key) == 0;
}

LComparator* LComparator::clone() const {
    return new (std::nothrow) LComparator;
}

LLongComparator::~LLongComparator() {
    if (sharedLongInstance == this) sharedLongInstance = nullptr;
}

std::int32_t LLongComparator::compare(const void* item1, const void* item2, std::int32_t, std::int32_t) const {
    const std::int32_t a = readLong(item1);
    const std::int32_t b = readLong(item2);
    return a < b ? -1 : (a > b ? 1 : 0);
}

bool LLongComparator::isEqual(const void* item1, const void* item2, std::int32_t, std::int32_t) const {
    return readLong(item1) == readLong(item2);
}

LComparator* LLongComparator::clone() const {
    return new (std::nothrow) LLongComparator;
}

LComparator* sharedComparator() {
    if (!sharedByteInstance) {
        sharedByteInstance = new (std::nothrow) LComparator;
        throwIfNull(sharedByteInstance, __LINE__, kUnit);
    }
    return sharedByteInstance;
}

LComparator* sharedLongComparator() {
    if (!sharedLongInstance) {
        sharedLongInstance = new (std::nothrow) LLongComparator;
        throwIfNull(sharedLongInstance, __LINE__, kUnit);
    }
    return sharedLongInstance;
}
