#include "import/appleworks/StyleResolution.h"

#include <cstring>

#include "import/appleworks/file/SectionReader.h"

namespace appleworks {
namespace {

constexpr std::int32_t kDefinedMask = 6;
constexpr std::int32_t kInheritMask = 8;
constexpr std::int32_t kSecondBase = 14;
constexpr std::int32_t kFirstBase = 16;
constexpr std::int32_t kStyleMapStart = 16;
constexpr std::int32_t kTabCount = 26;
constexpr std::int32_t kTabsStart = 28;
constexpr std::int32_t kTabSize = 4;
constexpr std::int32_t kFaceWord = 14;
// A chain of base styles deeper than this is taken as damaged: real documents nest a few levels.
constexpr std::int32_t kMaxDepth = 32;

struct ByteRange {
    std::int32_t offset;
    std::int32_t length;
};
// One property group: up to two byte ranges copied whole.
struct Group {
    ByteRange first;
    ByteRange second;
};

constexpr Group kGroups108[] = {
    {{0, 0}, {}},    // bits of the u16 at 14, handled apart
    {{0, 0}, {}},    // the other bits of the u16 at 14
    {{16, 2}, {}}, {{18, 2}, {}}, {{20, 2}, {}}, {{22, 2}, {}}, {{24, 2}, {}},
    {{0, 0}, {}},    // tab list, handled apart
    {{10, 1}, {}}, {{11, 1}, {}},
};
constexpr Group kGroups28[] = {
    {{10, 2}, {}}, {{12, 1}, {}}, {{13, 1}, {}}, {{14, 2}, {}}, {{16, 2}, {}},
    {{20, 1}, {26, 1}}, {{21, 1}, {}}, {{22, 1}, {18, 2}}, {{23, 1}, {}}, {{24, 2}, {}},
};
constexpr Group kGroups14[] = {{{10, 1}, {}}, {{11, 1}, {}}, {{12, 1}, {}}, {{13, 1}, {}}};

constexpr std::uint32_t kUnderlineBits[] = {0, 0x4, 0x400, 0x4, 0x4, 0x400, 0x4, 0x400, 0x4, 0x4, 0x4};
constexpr std::uint32_t kStrikeBits[] = {0, 0x800, 0x1000, 0x800, 0x800, 0x1000, 0x800, 0x1000, 0x800, 0x800, 0x800};

const Group* groupsOf(StyleRecordKind kind) {
    switch (kind) {
    case StyleRecordKind::kRuler108: return kGroups108;
    case StyleRecordKind::kCharacter28: return kGroups28;
    case StyleRecordKind::kRecord14: return kGroups14;
    }
    return kGroups14;
}

void copyRange(const BlockView& source, std::int32_t recordStart, const ByteRange& range, std::uint8_t* result) {
    if (range.length == 0) return;
    std::memcpy(result + range.offset, source.bytes(recordStart + range.offset, range.length),
                static_cast<std::size_t>(range.length));
}

class Resolver {
public:
    Resolver(const AppleWorksDocument& doc, StyleRecordKind recordKind, std::uint8_t* out)
        : document(doc), kind(recordKind), layout(styleRecordLayout(recordKind)), result(out) {}

    void resolve(std::int32_t entry, std::uint16_t mask, std::int32_t depth) {
        if (depth >= kMaxDepth || onPath(entry, depth)) return;
        path[depth] = entry;
        const BlockView root = document.styleBlock();
        const std::int32_t entryAt = document.family().styleRecordsOffset + entry * document.family().styleRecordSize;
        const BlockView table = document.styleTable(layout.tableSlot);
        const std::int32_t index = root.u16(entryAt + layout.indexOffset);
        if (table.empty() || index >= table.entriesThatFit(table.u16(0), style::kTableEntriesStart, layout.recordSize)) {
            return;
        }
        const std::int32_t recordAt = style::kTableEntriesStart + index * layout.recordSize;
        const std::uint16_t inherit = mask & table.u16(recordAt + kInheritMask);
        for (const std::int32_t baseOffset : {kFirstBase, kSecondBase}) {
            const std::int32_t base = styleSlot(document, root.i16(entryAt + baseOffset));
            if (root.i16(entryAt + baseOffset) != -1 && inherit != 0 && isEntry(base)) resolve(base, inherit, depth + 1);
        }
        const std::uint16_t defined = mask & table.u16(recordAt + kDefinedMask);
        for (std::int32_t group = 0; group < layout.groupCount; ++group) {
            if ((defined & (1u << group)) != 0) copyGroup(table, recordAt, group);
        }
    }

    bool isEntry(std::int32_t entry) const {
        const BlockView root = document.styleBlock();
        const std::int32_t count = root.entriesThatFit(root.u16(style::kRecordCount), document.family().styleRecordsOffset,
                                                       document.family().styleRecordSize);
        return entry >= 0 && entry < count;
    }

private:
    bool onPath(std::int32_t entry, std::int32_t depth) const {
        for (std::int32_t i = 0; i < depth; ++i) {
            if (path[i] == entry) return true;
        }
        return false;
    }

    void copyGroup(const BlockView& table, std::int32_t recordAt, std::int32_t group) {
        if (kind == StyleRecordKind::kRuler108 && (group == 0 || group == 1)) {
            const std::uint16_t low = static_cast<std::uint16_t>((1u << document.family().group0Bits) - 1);
            const std::uint16_t bits = group == 0 ? low : static_cast<std::uint16_t>(~low);
            const std::uint16_t current = loadBigEndian16(result + kFaceWord);
            const std::uint16_t source = table.u16(recordAt + kFaceWord);
            storeBigEndian16(result + kFaceWord, static_cast<std::uint16_t>((current & ~bits) | (source & bits)));
            return;
        }
        if (kind == StyleRecordKind::kRuler108 && group == 7) {
            std::int16_t tabs = table.i16(recordAt + kTabCount);
            if (tabs < 0) tabs = 0;
            if (tabs > kMaxTabs) tabs = kMaxTabs;
            storeBigEndian16(result + kTabCount, static_cast<std::uint16_t>(tabs));
            copyRange(table, recordAt, {kTabsStart, tabs * kTabSize}, result);
            return;
        }
        copyRange(table, recordAt, groupsOf(kind)[group].first, result);
        copyRange(table, recordAt, groupsOf(kind)[group].second, result);
    }

    const AppleWorksDocument& document;
    StyleRecordKind kind;
    StyleRecordLayout layout;
    std::uint8_t* result;
    std::int32_t path[kMaxDepth] = {};
};

}  // namespace

StyleRecordLayout styleRecordLayout(StyleRecordKind kind) {
    switch (kind) {
    case StyleRecordKind::kRuler108: return {style::kTable4, 108, 24, 10};
    case StyleRecordKind::kCharacter28: return {style::kTable3, 28, 22, 10};
    case StyleRecordKind::kRecord14: return {style::kTable5, 14, 26, 4};
    }
    return {style::kTable5, 14, 26, 4};
}

std::uint32_t convertFaceMask(const AppleWorksFamily& family, std::uint16_t mask) {
    std::uint32_t bits = 0;
    for (std::int32_t bit = 0; bit < 14; ++bit) {
        if ((mask & (1u << bit)) != 0) bits |= family.faceBits[bit];
    }
    return bits;
}

std::uint32_t convertLineCodes(std::uint16_t value, std::uint32_t faceBits) {
    const std::uint32_t underline = value & 0x1F;
    const std::uint32_t strike = (value >> 5) & 0x1F;
    if (underline < std::size(kUnderlineBits)) faceBits |= kUnderlineBits[underline];
    if (strike < std::size(kStrikeBits)) faceBits |= kStrikeBits[strike];
    return faceBits;
}

std::int32_t styleSlot(const AppleWorksDocument& document, std::int16_t styleNumber) {
    const BlockView map = document.styleTable(document.family().styleSlotMapSlot);
    if (map.empty()) return -1;
    const std::int32_t entry = styleNumber < 0 ? 0 : styleNumber;
    if (entry >= map.entriesThatFit(map.u16(0), kStyleMapStart, 2)) return -1;
    return map.u16(kStyleMapStart + 2 * entry);
}

void resolveAppleWorksStyle(const AppleWorksDocument& document, std::int16_t styleNumber, StyleRecordKind kind,
                            std::uint8_t* result) {
    if (styleNumber == -1 || document.styleBlock().empty()) return;
    if (kind != StyleRecordKind::kRuler108 && !document.family().hasTable5) return;
    Resolver resolver(document, kind, result);
    const std::int32_t entry = styleSlot(document, styleNumber);
    if (resolver.isEntry(entry)) resolver.resolve(entry, 0xFFFF, 0);
}

}  // namespace appleworks
