#pragma once
// A test seam: make the n-th allocation from now fail. It covers the heap of Heap.h and every
// `new (std::nothrow)`, which is how the program creates its objects (they answer null), so tests can
// prove that each allocation failure becomes a clean failure and no leak. Armed with
// ThrowingNew::kCounted it covers the throwing `new` behind strings and containers as well (it raises
// std::bad_alloc), so a sweep reaches every allocation of the code under test; without it those
// allocations are neither counted nor failed, and the n-th allocation is the n-th object or block.
#include <cstdint>

namespace platform {

// Whether the throwing forms of operator new take part in the switch.
enum class ThrowingNew { kIgnored, kCounted };

// Arms the switch: the n-th allocation from now (1 = the next one) fails, later ones succeed.
void failNthAllocation(std::int64_t n, ThrowingNew throwingNew = ThrowingNew::kIgnored);
// Every allocation from now fails until disarmed.
void failEveryAllocation();
void disarmAllocationFailure();
// Counts one allocation and answers whether it must fail.
bool allocationShouldFail();
// The same for an allocation by the throwing operator new: false, and not counted, unless the switch
// was armed with ThrowingNew::kCounted.
bool throwingNewShouldFail();
// How many allocations were counted since the switch was last armed (for failure sweeps).
std::int64_t allocationsCountedSinceArmed();

// Arms the switch for one scope.
class ScopedAllocationFailure {
public:
    explicit ScopedAllocationFailure(std::int64_t n, ThrowingNew throwingNew = ThrowingNew::kIgnored) {
        failNthAllocation(n, throwingNew);
    }
    ~ScopedAllocationFailure() { disarmAllocationFailure(); }
    ScopedAllocationFailure(const ScopedAllocationFailure&) = delete;
    ScopedAllocationFailure& operator=(const ScopedAllocationFailure&) = delete;
};

}  // namespace platform
