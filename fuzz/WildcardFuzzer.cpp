// The wildcard matcher over any pattern and text (the input up to its first 0 byte is the pattern, the
// rest up to the next 0 the text). Where the pattern uses only the syntax the matcher shares with the C
// library's fnmatch ('*', '?' and plain characters; no sets and no escapes), the two must agree on
// whether the text matches; a disagreement traps.
#include <fnmatch.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "foundation/text/Wildcard.h"

namespace {

bool usesSharedSyntaxOnly(std::string_view text) {
    return text.find_first_of("[]\\") == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string pattern(input.substr(0, split));
    std::string text;
    if (split != std::string_view::npos) {
        const std::string_view rest = input.substr(split + 1);
        text = std::string(rest.substr(0, rest.find('\0')));
    }

    const std::int16_t result = matchWildcard(pattern.c_str(), text.c_str());
    if (result < kWildMatch || result > kWildBadPattern) __builtin_trap();
    if (!usesSharedSyntaxOnly(pattern)) return 0;

    const bool matches = result == kWildMatch;
    const bool libraryMatches = fnmatch(pattern.c_str(), text.c_str(), 0) == 0;
    if (matches != libraryMatches) {
        std::fprintf(stderr, "wildcard: pattern \"%s\" text \"%s\": matcher %d, fnmatch %s\n", pattern.c_str(),
                     text.c_str(), result, libraryMatches ? "matches" : "does not match");
        __builtin_trap();
    }
    return 0;
}
