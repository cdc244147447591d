#pragma once
// A test seam: make the n-th attribute write of the storage from now fail, the way a storage that cannot
// set an attribute fails (CStream::writeAttribute raises CFail 12 in unit "BStorage"). Every attribute the
// program writes goes through that one call, so the record writers' tests can show what a write that
// fails at any attribute leaves behind. Nothing but tests arms it.
#include <cstdint>

// Arms the switch: the n-th attribute write from now (1 = the next one) fails, later ones succeed. A
// number of 0 or less disarms it.
void failNthAttributeWrite(std::int64_t n);
void disarmAttributeWriteFailure();
// Counts one attribute write while the switch is armed and answers whether it must fail.
bool attributeWriteShouldFail();
// How many attribute writes were counted since the switch was last armed.
std::int64_t attributeWritesCountedSinceArmed();

// Arms the switch for one scope.
class ScopedAttributeWriteFailure {
public:
    explicit ScopedAttributeWriteFailure(std::int64_t n) { failNthAttributeWrite(n); }
    ~ScopedAttributeWriteFailure() { disarmAttributeWriteFailure(); }
    ScopedAttributeWriteFailure(const ScopedAttributeWriteFailure&) = delete;
    ScopedAttributeWriteFailure& operator=(const ScopedAttributeWriteFailure&) = delete;
};
