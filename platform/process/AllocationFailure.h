#pragma once
// A test seam: make the n-th allocation from now fail. It covers the heap of Heap.h, every
// `new (std::nothrow)`, which is how the program creates its objects (they answer null), and the throwing
// `new` behind strings and containers (it raises std::bad_alloc), so a sweep reaches every allocation of
// the code under test and can prove that each failure becomes a clean failure and no leak. Armed with
// ThrowingNew::kIgnored the throwing `new` is neither counted nor failed, so the n-th allocation is the
// n-th object or block (for tests that fail one chosen object).
#include <cstdint>

namespace platform {

// Whether the throwing forms of operator new take part in the switch.
enum class ThrowingNew { kIgnored, kCounted };

// Arms the switch: the n-th allocation from now (1 = the next one) fails, later ones succeed.
void failNthAllocation(std::int64_t n, ThrowingNew throwingNew = ThrowingNew::kCounted);
// Every allocation from now fails until disarmed.
void failEveryAllocation();
void disarmAllocationFailure();
// Counts one allocation and answers whether it must fail.
bool allocationShouldFail();
// The same for an allocation by the throwing operator new: false, and not counted, when the switch was
// armed with ThrowingNew::kIgnored.
bool throwingNewShouldFail();
// How many allocations were counted since the switch was last armed (for failure sweeps).
std::int64_t allocationsCountedSinceArmed();

// Arms the switch for one scope.
class ScopedAllocationFailure {
public:
    explicit ScopedAllocationFailure(std::int64_t n, ThrowingNew throwingNew = ThrowingNew::kCounted) {
        failNthAllocation(n, throwingNew);
    }
    ~ScopedAllocationFailure() { disarmAllocationFailure(); }
    ScopedAllocationFailure(const ScopedAllocationFailure&) = delete;
    ScopedAllocationFailure& operator=(const ScopedAllocationFailure&) = delete;
};

}  // namespace platform
