#include "foundation/language/UIStrings.h"

#include <algorithm>

#include "foundation/encoding/WideApiFlag.h"
#include "foundation/language/ResourceModule.h"
#include "foundation/text/DefaultTextBuffers.h"
#include "foundation/text/UniText.h"

char* loadTextInto(char* buffer, std::int32_t capacity, std::uint16_t id) {
    char* out = buffer ? buffer : defaultTextBuffer();
    if (!buffer) capacity = kDefaultTextSize;
    resourceModule().loadStringA(id, out, std::min(capacity, kLoadStringSize));
    return out;
}

char16_t* loadUniTextInto(char16_t* buffer, std::int32_t capacity, std::uint16_t id) {
    char16_t* out = buffer ? buffer : defaultUniTextBuffer();
    if (!buffer) capacity = kDefaultUniTextSize;
    if (capacity <= 0) return out;
    if (useWideApi == 1) {
        resourceModule().loadStringW(id, out, std::min(capacity, kLoadStringSize));
        return out;
    }
    char bytes[kLoadStringSize + 1];
    resourceModule().loadStringA(id, bytes, kLoadStringSize);
    // Room for the 0 unit is part of the capacity: at most 254 units and the 0, as on the wide path.
    return utf8ToUni(bytes, out, std::min(capacity, kLoadStringSize) * 2);
}
