#pragma once
// Equality under the name rule (compareNames), answered quickly for the names element tests meet.
//
// Element tests run millions of times over a long document, and nearly every name they compare is
// spelled exactly as asked or differs from it in a plain character. Those are settled byte by byte;
// only a difference in letter case or at a '-' takes the full rule. While two texts agree byte for
// byte the rule steps through them alike, so at the first differing byte it compares the same two
// bytes: when neither is '-' and they are not one letter in two cases, the rule says "different" too.

// True when compareNames(a, b) is 0. Neither may be null.
bool sameName(const char* a, const char* b);
