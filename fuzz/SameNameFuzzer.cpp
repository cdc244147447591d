// The quick name equality over any two names (the input split at its first NUL byte) against the full
// name rule: a disagreement traps.
#include <cstdint>
#include <cstring>
#include <string>

#include "foundation/text/NameCompare.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string first = input.substr(0, split);
    const std::string second = split == std::string::npos ? std::string() : input.substr(split + 1);
    // Names hold no NUL: the second ends at its own.
    const char* a = first.c_str();
    const char* b = second.c_str();
    if (sameName(a, b) != (compareNames(a, b) == 0) || sameName(b, a) != (compareNames(b, a) == 0)) __builtin_trap();
    return 0;
}
