#pragma once
// The name rule of XML element names, keys and switches: ASCII letters compare without regard to
// case and a single '-' at the current place of either text is stepped over, so "TargetMode" equals
// "targetmode" and "-1" equals "1".

// 0 when equal under the rule, else the difference of the first differing folded bytes (a minus b).
int compareNames(const char* a, const char* b);
