#include "foundation/files/CTypeArray.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/TextCompare.h"

namespace {

constexpr const char* kUnit = "BArrays";

const FileSpec* specInSlot(const void* slot) {
    const FileSpec* spec = nullptr;
    std::memcpy(&spec, slot, sizeof spec);
    return spec;
}

// Null entries (only a caller's raw append can make one) order first and never crash a search.
std::int32_t compareEntries(const FileSpec* a, const FileSpec* b) {
    if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
    return compareFileSpecs(*a, *b);
}

LComparator* newTypeComparator() {
    LComparator* comparator = new (std::nothrow) CTypeComparator;
    throwIfNull(comparator, __LINE__, kUnit);
    return comparator;
}

}  // namespace

std::int32_t compareFileSpecs(const FileSpec& a, const FileSpec& b) {
    constexpr std::int16_t kIgnoreCase = 0;
    constexpr std::int16_t kExact = 1;
    if (const std::int32_t r = compareUniText(a.name, b.name, kIgnoreCase)) return r;
    if (const std::int32_t r = compareUniText(a.folder, b.folder, kIgnoreCase)) return r;
    if (const std::int32_t r = compareUniText(a.folder, b.folder, kExact)) return r;
    return compareUniText(a.name, b.name, kExact);
}

CTypeComparator::~CTypeComparator() = default;

std::int32_t CTypeComparator::compare(const void* item1, const void* item2, std::int32_t, std::int32_t) const {
    return compareEntries(specInSlot(item1), specInSlot(item2));
}

std::int32_t CTypeComparator::compareToKey(const void* item, std::int32_t, const void* key) const {
    return compareEntries(specInSlot(item), static_cast<const FileSpec*>(key));
}

LComparator* CTypeComparator::clone() const {
    return new (std::nothrow) CTypeComparator;
}

CTypeArray::CTypeArray() : LArray(0, static_cast<std::int32_t>(sizeof(FileSpec*)), newTypeComparator(), true) {}

CTypeArray::~CTypeArray() {
    freeAllFileSpecs();
}

std::int32_t CTypeArray::addFileSpec(const FileSpec& spec) {
    const FileSpec* probe = &spec;
    if (indexOfItem(&probe, itemSize) != 0) return count;
    auto* copy = static_cast<FileSpec*>(allocMemory(sizeof(FileSpec)));
    throwIfNull(copy, __LINE__, kUnit);
    copyFileSpec(*copy, spec);
    try {
        // A locked list takes nothing: the copy is not kept then.
        if (appendItem(&copy, itemSize) == 0) freeMemory(copy);
    } catch (const CFail&) {
        freeMemory(copy);
        rethrowFailure();
    }
    return count;
}

std::int32_t CTypeArray::removeFileSpec(const FileSpec& spec) {
    const FileSpec* probe = &spec;
    const std::int32_t position = indexOfItem(&probe, itemSize);
    if (position == 0) return 0;
    FileSpec* entry = fileSpecAt(position);
    const std::int32_t before = count;
    removeItems(1, position);
    if (count == before) return 0;  // locked
    freeMemory(entry);
    return position;
}

std::int32_t CTypeArray::indexOfFileSpec(const FileSpec& spec) const {
    const FileSpec* probe = &spec;
    return indexOfItem(&probe, itemSize);
}

FileSpec* CTypeArray::fileSpecAt(std::int32_t position) const {
    if (position < 1 || position > count) return nullptr;
    return const_cast<FileSpec*>(specInSlot(itemPointer(position)));
}

FileSpec* CTypeArray::findByFileId(std::uint32_t id) const {
    if (id == 0) return nullptr;
    for (std::int32_t i = 1; i <= count; ++i) {
        FileSpec* entry = fileSpecAt(i);
        if (entry && fileIdOf(*entry) == id) return entry;
    }
    return nullptr;
}

std::uint32_t CTypeArray::nextFreeFileId() const {
    // The ids in use, sorted; the first gap from kFirstFileId on is the answer.
    auto* ids = static_cast<std::uint32_t*>(allocMemory(static_cast<std::int32_t>(sizeof(std::uint32_t)) * std::max(count, 1)));
    throwIfNull(ids, __LINE__, kUnit);
    std::int32_t n = 0;
    for (std::int32_t i = 1; i <= count; ++i) {
        const FileSpec* entry = fileSpecAt(i);
        if (entry && fileIdOf(*entry) >= kFirstFileId) ids[n++] = fileIdOf(*entry);
    }
    std::sort(ids, ids + n);
    std::uint32_t candidate = kFirstFileId;
    for (std::int32_t i = 0; i < n && ids[i] <= candidate; ++i) {
        if (ids[i] == candidate) ++candidate;
    }
    freeMemory(ids);
    return candidate <= kFileIdMask ? candidate : 0;
}

void CTypeArray::freeAllFileSpecs() {
    for (std::int32_t i = 1; i <= count; ++i) {
        FileSpec* entry = fileSpecAt(i);
        freeMemory(entry);
    }
    const std::int32_t removed = count;
    count = 0;
    bytesUsed = 0;
    if (removed > 0) notifyRemoved(removed, 1);
}
