#pragma once
// The charset names the program uses (the GNU names: "MacRoman", "SHIFT-JIS", "Big5" ...) and the names
// under which this system's iconv (glibc's) knows the same charsets.

namespace platform {

// glibc's name for a charset, matched ignoring case; a name without an entry is passed on as it stands
// ("WINDOWS-1252", "UTF-8", "GBK" are the same in both). Null for null.
const char* systemCharsetName(const char* name);

}  // namespace platform
