#include "foundation/text/TextSearch.h"

#include <cstring>

const char* findChar(const char* text, char ch) {
    return std::strchr(text, ch);
}

char* findChar(char* text, char ch) {
    return std::strchr(text, ch);
}

const char* findLastChar(const char* text, char ch) {
    return std::strrchr(text, ch);
}

char* findLastChar(char* text, char ch) {
    return std::strrchr(text, ch);
}

const char* findSubstring(const char* text, const char* pattern) {
    return std::strstr(text, pattern);
}
