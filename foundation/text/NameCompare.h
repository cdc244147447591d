#pragma once
// The name rule of XML element names, keys and switches: ASCII letters compare without regard to
// case and a single '-' at the current place of either text is stepped over, so "TargetMode" equals
// "targetmode" and "-1" equals "1".

// 0 when equal under the rule, else the difference of the first differing folded bytes (a minus b).
int compareNames(const char* a, const char* b);

// True when compareNames(a, b) is 0, answered byte by byte for names spelled alike or differing in a
// plain character (nearly every name an element test meets): while two texts agree byte for byte the
// rule steps through them alike, so at the first differing byte it compares the same two bytes, and
// only a difference of letter case or at a '-' needs the full rule. Neither may be null.
bool sameName(const char* a, const char* b);
