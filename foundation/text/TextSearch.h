#pragma once
// Searches in NUL-terminated narrow texts.

// The first occurrence of ch; searching for 0 finds the terminator; null when absent.
const char* findChar(const char* text, char ch);
char* findChar(char* text, char ch);
// The last occurrence of ch; searching for 0 finds the terminator; null when absent.
const char* findLastChar(const char* text, char ch);
char* findLastChar(char* text, char ch);
// The first occurrence of pattern; an empty pattern finds the start of the text; null when absent.
const char* findSubstring(const char* text, const char* pattern);
