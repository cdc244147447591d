#pragma once
// Simple Unicode case folding, for comparisons that ignore case.

namespace platform {

// The simple lower-case mapping of a code point (the code point itself when it has none).
char32_t foldCase(char32_t codePoint);

}  // namespace platform
