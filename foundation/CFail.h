#pragma once
// The one failure type of the program and the guards that raise it. Operations answer 16-bit result
// codes (0 = success); a guard turns a non-zero code or a null pointer into a CFail carrying the code,
// the source unit and the line of the guard.
#include <cstdint>

#include "foundation/CBase.h"

namespace result {
constexpr std::int16_t kSuccess = 0;
constexpr std::int16_t kNotOpen = 6;
constexpr std::int16_t kNumberTextTooLong = 7;
constexpr std::int16_t kShellFailed = 8;
constexpr std::int16_t kOutOfMemory = 12;  // allocation failed or a required pointer is null
constexpr std::int16_t kOutputExists = 17;
constexpr std::int16_t kFileBlocksFolder = 20;
constexpr std::int16_t kNullObject = 22;  // a required object is missing, or bad data
constexpr std::int16_t kNameTooLong = 206;
constexpr std::int16_t kStopQuietly = -9999;
}  // namespace result

class CFail : public CBase {
public:
    // Keeps the low 16 bits of error and line, and the part of sourceName after its last ':'.
    CFail(std::int32_t error, std::int32_t line, const char* sourceName);
    CFail(const CFail& other);
    CFail& operator=(const CFail& other);

    std::int16_t error;
    std::int16_t line;
    const char* fileName;  // points at nameBuffer when a source name was given, else null
    char nameBuffer[256];
};

[[noreturn]] void throwFail(std::int32_t error, std::int32_t line, const char* sourceName);
// Throws when the low 16 bits of result are not 0.
void throwIfError(std::int32_t result, std::int32_t line, const char* sourceName);
// Throws CFail 12 for a null pointer.
void throwIfNull(const void* pointer, std::int32_t line, const char* sourceName);
// Throws CFail 22 for a null pointer.
void throwIfNullObject(const void* pointer, std::int32_t line, const char* sourceName);

// Passes on the failure being handled; for clean-up handlers that freed what they had taken.
[[noreturn]] inline void rethrowFailure() {
    throw;
}
