#pragma once
// Paths built from PascalWStrings. A folder string ends with the separator, so a full path is the
// folder followed by the name. Builders that would overflow the string refuse with 206 instead of
// cutting a path (a cut path names another file).
#include <cstdint>

#include "foundation/text/PascalWString.h"
#include "platform/files/Folders.h"

constexpr char16_t pathSeparator = static_cast<char16_t>(platform::kPathSeparator);

// Drops one trailing separator; an empty string is left alone.
void stripSeparator(PascalWString& path);
// Adds a separator unless the text ends with one (the empty string becomes a single separator).
// Answers 0, or 206 when there is no room (the path is then unchanged).
std::int16_t appendSeparator(PascalWString& path);
// out = folder followed by name. Answers 0, or 206 when the result would not fit (out is then empty).
std::int16_t joinPath(const PascalWString& name, const PascalWString& folder, PascalWString& out);
// Splits a full path into the text after the last separator and the folder up to and including it.
// With ignoreTrailingSeparator 1 a path naming a folder ("/docs/sub/") splits before its last
// component; a path without a separator becomes a folder with an empty name.
void splitPath(const PascalWString& path, PascalWString& name, PascalWString& folder, std::int16_t ignoreTrailingSeparator);
void splitWStringPath(const char16_t* path, PascalWString& name, PascalWString& folder, std::int16_t ignoreTrailingSeparator);
void splitCStringPath(const char* path, PascalWString& name, PascalWString& folder, std::int16_t ignoreTrailingSeparator);
