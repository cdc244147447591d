#pragma once
// The value tables of the shape translators: a value name and the code it stands for. Names are
// compared exactly, as the shape vocabulary spells them.
#include <cstdint>
#include <optional>
#include <span>

struct NameCode {
    const char* name;
    std::int32_t code;
};

// The code of the first row of exactly that name; no value for a null or unknown name.
std::optional<std::int32_t> codeOfName(std::span<const NameCode> table, const char* name);
