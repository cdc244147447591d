#pragma once
// The boundary between code that raises failures and callers that expect a result code: run the work,
// and answer what it raised as a code instead of letting it escape.
#include <cstdint>
#include <functional>
#include <new>
#include <type_traits>
#include <utility>

#include "foundation/CFail.h"

// Runs work and answers 0, the code of the CFail it raised, or 12 when it ran out of memory
// (std::bad_alloc from the standard library). Work that answers a code of its own (an integer) has
// that code answered when it raises nothing. Any other exception passes on: it is a fault, not a
// failure to report.
template <typename Work>
std::int16_t failureCode(Work&& work) {
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Work&&>>) {
            std::invoke(std::forward<Work>(work));
            return result::kSuccess;
        } else {
            return static_cast<std::int16_t>(std::invoke(std::forward<Work>(work)));
        }
    } catch (const CFail& failure) {
        return failure.error;
    } catch (const std::bad_alloc&) {
        return result::kOutOfMemory;
    }
}

// The other direction, for code that raises failures: runs work and answers what it answers; a lack of
// memory reported by the standard library (std::bad_alloc) is raised as CFail 12 at the caller's line and
// unit, and a CFail passes on as it is.
template <typename Work>
decltype(auto) raisingOutOfMemory(std::int32_t line, const char* unit, Work&& work) {
    try {
        return std::invoke(std::forward<Work>(work));
    } catch (const std::bad_alloc&) {
        throwFail(result::kOutOfMemory, line, unit);
    }
}
