#pragma once
// Byte-for-byte comparison of two values, allowed only for types without padding: for them equal bytes
// and equal members are the same thing, so the comparison never looks at bytes no member owns.
#include <cstring>
#include <type_traits>

template <typename T>
bool sameBytes(const T& a, const T& b) {
    static_assert(std::has_unique_object_representations_v<T>, "a type with padding is compared member by member");
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}
