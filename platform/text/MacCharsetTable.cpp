#include "platform/text/MacCharsetTable.h"

#include <strings.h>

#include <algorithm>

namespace platform {

namespace {
constexpr std::uint8_t kFirstTableByte = 0x80;
}  // namespace

const MacCharsetTable* findMacCharsetTable(const char* name) {
    if (!name) return nullptr;
    for (std::size_t i = 0; i < kMacCharsetTableCount; ++i) {
        if (strcasecmp(kMacCharsetTables[i].name, name) == 0) return &kMacCharsetTables[i];
    }
    return nullptr;
}

char16_t decodeMacByte(const MacCharsetTable& table, std::uint8_t byte) {
    if (byte < kFirstTableByte) return byte;
    return table.upperHalf[byte - kFirstTableByte];
}

bool encodeMacUnit(const MacCharsetTable& table, char16_t unit, std::uint8_t* byte) {
    if (unit < kFirstTableByte) {
        *byte = static_cast<std::uint8_t>(unit);
        return true;
    }
    const auto* first = table.written;
    const auto* last = table.written + table.writtenCount;
    const auto* found = std::lower_bound(first, last, unit, [](const MacCharsetTable::WrittenAs& entry, char16_t wanted) {
        return entry.unit < wanted;
    });
    if (found == last || found->unit != unit) return false;
    *byte = found->byte;
    return true;
}

}  // namespace platform
