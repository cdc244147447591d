#include "foundation/text/Wildcard.h"

namespace {

signed char characterAt(const char* p) {
    return static_cast<signed char>(*p);
}

// Reads one end of a set member at p (an escaped character after '\'), advancing p past it;
// false at the end of the pattern.
bool readSetCharacter(const char*& p, signed char& character) {
    if (*p == '\\') ++p;
    if (*p == '\0') return false;
    character = characterAt(p++);
    return true;
}

// Matches one set at p (just after its '['), advancing p to its closing ']'.
std::int16_t matchSet(const char*& p, signed char textCharacter) {
    bool inverted = false;
    if (*p == '!' || *p == '^') {
        inverted = true;
        ++p;
    }
    if (*p == ']') return kWildBadPattern;  // an empty set
    bool member = false;
    while (*p != ']') {
        signed char low = 0;
        if (!readSetCharacter(p, low)) return kWildBadPattern;
        signed char high = low;
        if (*p == '-') {
            ++p;
            if (*p == ']' || !readSetCharacter(p, high)) return kWildBadPattern;
        }
        if ((low <= textCharacter && textCharacter <= high) || (high <= textCharacter && textCharacter <= low)) {
            member = true;
            break;
        }
    }
    if (member == inverted) return kWildSetFailed;
    // The character was found: step over the rest of the set.
    while (*p != ']') {
        if (*p == '\\') ++p;
        if (*p == '\0') return kWildBadPattern;
        ++p;
    }
    return kWildMatch;
}

// True when the pattern at p is a run of '*' to its end: each '*' may take the empty run, so such a
// rest matches an ended text.
bool onlyStarsRemain(const char* p) {
    while (*p == '*') ++p;
    return *p == '\0';
}

}  // namespace

std::int16_t matchWildcard(const char* pattern, const char* text) {
    if (!pattern) return kWildBadPattern;
    const char* p = pattern;
    const char* t = text ? text : "";
    for (; *p != '\0'; ++p, ++t) {
        if (*t == '\0') return onlyStarsRemain(p) ? kWildMatch : kWildTextEnded;
        switch (*p) {
            case '?':
                break;
            case '*':
                return matchWildcardStar(p, t);
            case '[': {
                ++p;
                const std::int16_t result = matchSet(p, characterAt(t));
                if (result != kWildMatch) return result;
                break;
            }
            case '\\':
                ++p;
                if (*p == '\0') return kWildBadPattern;
                if (*p != *t) return kWildCharFailed;
                break;
            default:
                if (*p != *t) return kWildCharFailed;
                break;
        }
    }
    return *t != '\0' ? kWildTextLeft : kWildMatch;
}

std::int16_t matchWildcardStar(const char* pattern, const char* text) {
    if (!pattern) return kWildBadPattern;
    const char* p = pattern;
    const char* t = text ? text : "";
    for (; *p == '*' || *p == '?'; ++p) {
        if (*p == '?') {
            if (*t == '\0') return kWildTextEnded;
            ++t;
        }
    }
    if (*p == '\0') return kWildMatch;
    char wanted = *p;
    if (*p == '\\') {
        if (p[1] == '\0') return kWildBadPattern;
        wanted = p[1];
    }
    for (;; ++t) {
        if (*t == '\0') return kWildTextEnded;
        if (*t == wanted || *p == '[') {
            const std::int16_t result = matchWildcard(p, t);
            if (result == kWildMatch || result == kWildTextEnded || result == kWildBadPattern) return result;
        }
    }
}
