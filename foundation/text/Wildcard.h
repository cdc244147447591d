#pragma once
// Matches an 8-bit (UTF-8) text against a wildcard pattern, and tells by a result code whether it
// matches and, if not, why. The translator registry counts only kWildMatch as a match.
//
//   ?            any one character (one byte)
//   *            any run of characters, the empty run included
//   [set]        one character of the set; [!set] or [^set] one character not in it
//   \x           the character x itself (also ? * [ ] ! ^ - \)
//   other        itself, exactly: upper and lower case differ
//
// Inside a set, members are single characters or ranges a-b (z-a means the same as a-z); either end may
// be escaped with '\'; a set may not be empty, and ']' enters one only escaped. Characters compare as
// signed 8-bit values. Every construct is checked against the end of the pattern: an unterminated set
// or a trailing '\' gives kWildBadPattern.
#include <cstdint>

constexpr std::int16_t kWildMatch = 1;
constexpr std::int16_t kWildTextLeft = 2;     // the pattern ended while text remained
constexpr std::int16_t kWildTextEnded = 3;    // the text ended while pattern remained
constexpr std::int16_t kWildSetFailed = 4;    // a set did not take the character
constexpr std::int16_t kWildCharFailed = 5;   // a literal (or escaped) character differed
constexpr std::int16_t kWildBadPattern = 6;   // the pattern is malformed (or null)

// A null text counts as the empty text.
std::int16_t matchWildcard(const char* pattern, const char* text);
// What follows a run of '*' and '?' (the pattern points at its first character).
std::int16_t matchWildcardStar(const char* pattern, const char* text);
