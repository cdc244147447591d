#include "platform/text/CharsetNames.h"

#include <strings.h>

namespace platform {

namespace {

struct NameEntry {
    const char* ours;
    const char* system;
};

// Only the names that glibc spells differently. glibc has no MacGreek, MacArabic or MacHebrew (our own
// tables serve them, see MacCharsetTable.h) and no MacChineseSimp or MacMacChineseTrad (refused).
constexpr NameEntry kNames[] = {
    {"MacRoman", "MACINTOSH"},
    {"MacCentralEurope", "MAC-CENTRALEUROPE"},
    {"MacCyrillic", "MAC-CYRILLIC"},
    {"SHIFT-JIS", "SHIFT_JIS"},
    {"Big5", "BIG5"},
};

}  // namespace

const char* systemCharsetName(const char* name) {
    if (!name) return nullptr;
    for (const NameEntry& entry : kNames) {
        if (strcasecmp(entry.ours, name) == 0) return entry.system;
    }
    return name;
}

}  // namespace platform
