#pragma once
// A test seam: make the n-th attribute write of the storage from now fail, the way a storage that cannot
// set an attribute fails (CFail 12, unit "BStorage"). Every attribute the program writes goes through
// CStream::writeAttribute, which asks this switch first, so a test can stop a record writer at any key
// and look at what it left behind. Nothing but tests arms it; disarmed, it costs one comparison per
// attribute.
#include <cstdint>

// Arms the switch: the n-th attribute write from now (1 = the next one) fails, later ones succeed. A
// number of 0 or less disarms it.
void failNthAttributeWrite(std::int64_t n);
void disarmAttributeWriteFailure();
// Counts one attribute write while the switch is armed and answers whether it must fail.
bool attributeWriteShouldFail();
// How many attribute writes were counted since the switch was last armed (for failure sweeps).
std::int64_t attributeWritesCountedSinceArmed();

// Arms the switch for one scope.
class ScopedAttributeWriteFailure {
public:
    explicit ScopedAttributeWriteFailure(std::int64_t n) { failNthAttributeWrite(n); }
    ~ScopedAttributeWriteFailure() { disarmAttributeWriteFailure(); }
    ScopedAttributeWriteFailure(const ScopedAttributeWriteFailure&) = delete;
    ScopedAttributeWriteFailure& operator=(const ScopedAttributeWriteFailure&) = delete;
};
