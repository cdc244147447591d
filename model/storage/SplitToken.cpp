#include "model/storage/SplitToken.h"

#include <cstring>

char* splitToken(char* text, const char* separators, char** cursor) {
    if (cursor == nullptr || separators == nullptr) return nullptr;
    char* at = text != nullptr ? text : *cursor;
    if (at == nullptr) return nullptr;
    at += std::strspn(at, separators);
    if (*at == '\0') {
        *cursor = at;
        return nullptr;
    }
    char* token = at;
    at += std::strcspn(at, separators);
    if (*at != '\0') {
        *at = '\0';
        ++at;
    }
    *cursor = at;
    return token;
}
