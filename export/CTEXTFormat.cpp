#include "export/CTEXTFormat.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "foundation/CFail.h"
#include "foundation/files/CFile.h"
#include "foundation/memory/Memory.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"

namespace {

constexpr const char* kUnit = "BL_TEXT(exp)";
constexpr std::int32_t kCountBytes = 2;
constexpr std::int16_t kAscent = 12;
constexpr std::int16_t kLineHeight = 16;
constexpr std::int16_t kDoubleLineHeight = 32;
constexpr std::int16_t kLeadingPerLine = 240;

// The line height of the element: 16 for one line, 32 for a double-spaced paragraph; an exact leading
// gives its value in 240ths. Units the table does not know count as one line.
std::int16_t lineHeight(const TextStyleKey& key) {
    const std::int16_t lines = static_cast<std::int16_t>(key.leading / kLeadingPerLine);
    if (key.leadingUnit == 1) return lines;
    if (key.leadingUnit == -1 && lines == 2) return kDoubleLineHeight;
    return kLineHeight;
}

template <typename Value>
std::uint8_t* put(std::uint8_t* at, Value value) {
    std::memcpy(at, &value, sizeof value);
    return at + sizeof value;
}

}  // namespace

bool operator==(const TextStyleKey& a, const TextStyleKey& b) {
    return a.leading == b.leading && a.leadingUnit == b.leadingUnit && a.font == b.font && a.face == b.face &&
           a.size == b.size && a.color.red == b.color.red && a.color.green == b.color.green &&
           a.color.blue == b.color.blue;
}

CTEXTFormat::~CTEXTFormat() {
    freeMemory(table);
}

TextStyleKey CTEXTFormat::makeStyleKey(const XRule& rule, const XForm& form) {
    return TextStyleKey{rule.leading, rule.leadingUnit, selectFontByHint(form),
                        static_cast<std::int16_t>(form.txtFace & 0xFF), form.txtSize, form.txtFore};
}

bool CTEXTFormat::isNewStyle(const TextStyleKey& key) const {
    return !(key == last);
}

void CTEXTFormat::addStyle(const TextStyleKey& key, std::int64_t start) {
    if (count >= kMaxElements) return;
    makeRoom();
    std::uint8_t* at = table + kCountBytes + kElementBytes * count;
    at = put(at, static_cast<std::int32_t>(std::min<std::int64_t>(start, std::numeric_limits<std::int32_t>::max())));
    at = put(at, lineHeight(key));
    at = put(at, kAscent);
    at = put(at, key.font);
    at = put(at, static_cast<std::int16_t>(key.face << 8));
    at = put(at, static_cast<std::int16_t>(key.size / 10));
    at = put(at, key.color.red);
    at = put(at, key.color.green);
    put(at, key.color.blue);
    ++count;
    last = key;
    put(table, static_cast<std::int16_t>(count));
}

void CTEXTFormat::makeRoom() {
    if (table == nullptr) {
        table = static_cast<std::uint8_t*>(allocMemory(kCountBytes + kGrowthBytes));
        throwIfNull(table, __LINE__, kUnit);
        capacity = kCountBytes + kGrowthBytes;
        return;
    }
    if (capacity >= kCountBytes + kElementBytes * (count + 1)) return;
    void* grown = resizeMemory(table, capacity + kGrowthBytes);
    throwIfNull(grown, __LINE__, kUnit);
    table = static_cast<std::uint8_t*>(grown);
    capacity += kGrowthBytes;
}

std::int16_t CTEXTFormat::storeStyleResource(CFile& file, std::uint32_t type, std::int16_t id) const {
    if (table == nullptr) return 0;
    return file.writeResource(table, kCountBytes + kElementBytes * count, type, id, 0);
}
