#include "foundation/CFail.h"

#include <cstring>

#include "foundation/text/TextSearch.h"

CFail::CFail(std::int32_t errorCode, std::int32_t sourceLine, const char* sourceName)
    : error(static_cast<std::int16_t>(errorCode)),
      line(static_cast<std::int16_t>(sourceLine)),
      fileName(nullptr),
      nameBuffer{} {
    if (!sourceName) return;
    // "Disk:Sources:BArray" keeps only "BArray".
    const char* lastColon = findLastChar(sourceName, ':');
    const char* unit = lastColon ? lastColon + 1 : sourceName;
    std::strncpy(nameBuffer, unit, sizeof nameBuffer - 1);
    nameBuffer[sizeof nameBuffer - 1] = '\0';
    fileName = nameBuffer;
}

// fileName must point into this object's own buffer, never into the source's.
CFail::CFail(const CFail& other)
    : CBase(other), error(other.error), line(other.line), fileName(nullptr), nameBuffer{} {
    std::memcpy(nameBuffer, other.nameBuffer, sizeof nameBuffer);
    if (other.fileName) fileName = nameBuffer;
}

CFail& CFail::operator=(const CFail& other) {
    if (this != &other) {
        error = other.error;
        line = other.line;
        std::memcpy(nameBuffer, other.nameBuffer, sizeof nameBuffer);
        fileName = other.fileName ? nameBuffer : nullptr;
    }
    return *this;
}

void throwFail(std::int32_t error, std::int32_t line, const char* sourceName) {
    throw CFail(error, line, sourceName);
}

void throwIfError(std::int32_t resultCode, std::int32_t line, const char* sourceName) {
    if (static_cast<std::int16_t>(resultCode) != 0) throwFail(resultCode, line, sourceName);
}

void throwIfNull(const void* pointer, std::int32_t line, const char* sourceName) {
    if (!pointer) throwFail(result::kOutOfMemory, line, sourceName);
}

void throwIfNullObject(const void* pointer, std::int32_t line, const char* sourceName) {
    if (!pointer) throwFail(result::kNullObject, line, sourceName);
}
