#include "picture/shapes/NameCodeTable.h"

#include <cstring>

std::optional<std::int32_t> codeOfName(std::span<const NameCode> table, const char* name) {
    if (name == nullptr) return std::nullopt;
    for (const NameCode& row : table) {
        if (std::strcmp(row.name, name) == 0) return row.code;
    }
    return std::nullopt;
}
