#pragma once
// The names of page-border art ("apples", "zig-zag-stitch" ...), each with its code, 1 to 164. A name
// must begin with a lower-case letter; it is then compared with the name rule (case ignored, '-'
// stepped over), so peopleWaving finds "people-waving".
#include <cstdint>

// The art code of the name; 0 for a name the table does not hold.
std::int32_t lookupBorderArt(const char* name);
