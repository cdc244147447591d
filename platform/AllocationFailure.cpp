#include "platform/AllocationFailure.h"

#include <new>

namespace platform {
namespace {

enum class Mode { Off, Nth, Every };
Mode mode = Mode::Off;
std::int64_t remaining = 0;
std::int64_t counted = 0;

}  // namespace

void failNthAllocation(std::int64_t n) {
    mode = n > 0 ? Mode::Nth : Mode::Off;
    remaining = n;
    counted = 0;
}

void failEveryAllocation() {
    mode = Mode::Every;
    counted = 0;
}

void disarmAllocationFailure() {
    mode = Mode::Off;
}

bool allocationShouldFail() {
    switch (mode) {
        case Mode::Off:
            return false;
        case Mode::Every:
            ++counted;
            return true;
        case Mode::Nth:
            ++counted;
            if (--remaining == 0) {
                mode = Mode::Off;
                return true;
            }
            return false;
    }
    return false;
}

std::int64_t allocationsCountedSinceArmed() {
    return counted;
}

}  // namespace platform

// The nothrow forms of new consult the switch, then behave as the standard ones do. They call the
// throwing operator new so that allocation and deallocation stay paired under the sanitizers.
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
    if (platform::allocationShouldFail()) return nullptr;
    try {
        return ::operator new(bytes);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept {
    if (platform::allocationShouldFail()) return nullptr;
    try {
        return ::operator new[](bytes);
    } catch (...) {
        return nullptr;
    }
}
