#pragma once
// The memory layer: raw blocks with a 4-byte minimum and an exact size query. It never throws; a null
// answer is turned into CFail 12 by the caller's guard, with the caller's unit and line.
#include <cstdint>

#include "foundation/CBase.h"

void* heapAllocRaw(std::int32_t bytes);
void* heapReAllocRaw(void* block, std::int32_t bytes);
void heapFreeRaw(void* block);
std::int32_t heapSizeRaw(const void* block);

// A new block of at least 4 bytes, not cleared; null when the heap refuses or the size is negative.
void* allocMemory(std::int32_t bytes);
// Null block: allocated afresh. On failure (a negative size included) answers null and the old block
// stays valid and unchanged.
void* resizeMemory(void* block, std::int32_t bytes);
// The size of the block as asked for; -1 for null.
std::int32_t memorySize(const void* block);
// A block of exactly the old block's size holding a copy; null for null or when the heap refuses.
void* duplicateMemory(const void* block);
char* duplicateCString(const char* text);
char16_t* duplicateWString(const char16_t* text);
bool validateHeap();

// Frees the block the variable holds, if any, and nulls the variable.
template <typename T>
void freeMemory(T*& block) {
    heapFreeRaw(const_cast<void*>(static_cast<const void*>(block)));
    block = nullptr;
}

// Deletes the object the variable holds, if any, and nulls the variable.
template <typename T>
void disposeObject(T*& object) {
    delete object;
    object = nullptr;
}
