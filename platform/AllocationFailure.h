#pragma once
// A test seam: make the n-th allocation from now fail. It covers the heap of Heap.h and every
// `new (std::nothrow)`, which is how the program creates its objects, so tests can prove that each
// allocation failure becomes a clean failure and no leak.
#include <cstdint>

namespace platform {

// Arms the switch: the n-th allocation from now (1 = the next one) fails, later ones succeed.
void failNthAllocation(std::int64_t n);
// Every allocation from now fails until disarmed.
void failEveryAllocation();
void disarmAllocationFailure();
// Counts one allocation and answers whether it must fail.
bool allocationShouldFail();
// How many allocations were counted since the switch was last armed (for failure sweeps).
std::int64_t allocationsCountedSinceArmed();

// Arms the switch for one scope.
class ScopedAllocationFailure {
public:
    explicit ScopedAllocationFailure(std::int64_t n) { failNthAllocation(n); }
    ~ScopedAllocationFailure() { disarmAllocationFailure(); }
    ScopedAllocationFailure(const ScopedAllocationFailure&) = delete;
    ScopedAllocationFailure& operator=(const ScopedAllocationFailure&) = delete;
};

}  // namespace platform
