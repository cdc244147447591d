#include "platform/process/AllocationFailure.h"

#include <cstdlib>
#include <new>

namespace platform {
namespace {

enum class Mode { Off, Nth, Every };
Mode mode = Mode::Off;
std::int64_t remaining = 0;
std::int64_t counted = 0;
bool throwingNewCounted = false;

}  // namespace

void failNthAllocation(std::int64_t n, ThrowingNew throwingNew) {
    mode = n > 0 ? Mode::Nth : Mode::Off;
    throwingNewCounted = throwingNew == ThrowingNew::kCounted;
    remaining = n;
    counted = 0;
}

void failEveryAllocation() {
    mode = Mode::Every;
    throwingNewCounted = false;
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

bool throwingNewShouldFail() {
    return throwingNewCounted && allocationShouldFail();
}

std::int64_t allocationsCountedSinceArmed() {
    return counted;
}

}  // namespace platform

// Every form of operator new consults the switch: the nothrow forms answer null, the throwing forms
// raise std::bad_alloc when the switch counts them (ThrowingNew::kCounted), so an injected failure can
// reach the code that allocates with the standard library (strings, containers, plain `new`). All of them take their memory from
// malloc and the matching operator delete gives it back with free, so allocation and deallocation stay
// paired under the sanitizers. The aligned forms are left to the library.
namespace {

// The standard's allocation loop: malloc, and while it fails the new handler, if there is one, frees
// memory or raises; with none, std::bad_alloc.
void* allocateFromMalloc(std::size_t bytes) {
    if (bytes == 0) bytes = 1;
    for (;;) {
        if (void* block = std::malloc(bytes)) return block;
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) throw std::bad_alloc();
        handler();
    }
}

void* allocateOrThrow(std::size_t bytes) {
    if (platform::throwingNewShouldFail()) throw std::bad_alloc();
    return allocateFromMalloc(bytes);
}

void* allocateNoThrow(std::size_t bytes) noexcept {
    if (platform::allocationShouldFail()) return nullptr;
    try {
        return allocateFromMalloc(bytes);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

void* operator new(std::size_t bytes) {
    return allocateOrThrow(bytes);
}

void* operator new[](std::size_t bytes) {
    return allocateOrThrow(bytes);
}

void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
    return allocateNoThrow(bytes);
}

void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept {
    return allocateNoThrow(bytes);
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete[](void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
