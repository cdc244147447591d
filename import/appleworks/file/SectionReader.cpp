#include "import/appleworks/file/SectionReader.h"

#include <iterator>

#include "foundation/CFail.h"
#include "import/appleworks/file/AppleWorksFamily.h"

namespace appleworks {
namespace {

constexpr std::uint32_t tag(const char (&text)[5]) {
    return (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[0])) << 24) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[1])) << 16) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[2])) << 8) |
           static_cast<std::uint8_t>(text[3]);
}

constexpr std::int32_t kExtrasEntriesStart = 12;
constexpr std::int32_t kExtrasSlot = 6;
constexpr std::int32_t kEndTableHeader = 16;
constexpr std::int32_t kSkippedBlocksPerEntry = 3;
constexpr std::size_t kComparedMarkerWords = 3;

}  // namespace

void SectionReader::readZoneExtras() {
    const BlockHandle extras = reader.readBlock();
    contents.zoneExtras = extras;
    if (extras == kNoBlock) return;
    const std::int32_t entrySize = reader.family.zoneExtraEntrySize;
    const std::int32_t entries =
        reader.view(extras).entriesThatFit(reader.view(extras).u16(0), kExtrasEntriesStart, entrySize);
    for (std::int32_t i = 0; i < entries; ++i) {
        const std::int32_t entry = kExtrasEntriesStart + i * entrySize;
        if (reader.view(extras).u8(entry) != 0) continue;
        const BlockHandle first = reader.readBlockInto(extras, entry + kExtrasSlot);
        // The second block's handle goes into the first 4 bytes of the first block's data.
        if (first != kNoBlock) reader.readBlockInto(first, 0);
    }
}

bool SectionReader::readSection() {
    FileCursor& cursor = reader.cursor;
    const std::uint32_t sectionTag = cursor.readU32();
    switch (sectionTag) {
    case tag("ETBL"): {
        const std::uint32_t length = cursor.readU32();
        cursor.skip(static_cast<std::int64_t>(length) - kEndTableHeader);
        return false;
    }
    case tag("HDNI"): contents.hdni = reader.readBlock(); return true;
    case tag("STYL"): readStyleSection(); return true;
    case tag("WMBT"):
        cursor.skip(4);
        contents.wmbt = reader.readBlock();
        return true;
    case kEndMarker[0]:
        cursor.skip(-4);  // the end-marker check reads the marker whole
        return false;
    default:  // "BBAR", "DSUM", "MARK", "MCRO", "oBlN" and any other tag: a block nothing uses
        reader.skipBlock();
        return true;
    }
}

// Files that AppleWorks 6 itself wrote end with the marker's first twelve bytes and another value in
// place of its last word (seen as 6A 23 E7 A3, AE 3E A2 C6, 80 41 6C 5D), so the last word is read but not
// compared: the first three words already tell a whole file from a truncated or misread one.
bool SectionReader::checkEndMarker() {
    for (std::size_t i = 0; i < std::size(kEndMarker); ++i) {
        if (reader.cursor.remaining() < 4) return false;
        const std::uint32_t word = reader.cursor.readU32();
        if (i < kComparedMarkerWords && word != kEndMarker[i]) return false;
    }
    return true;
}

BlockHandle SectionReader::readStyleTable(BlockHandle root, std::int32_t slot) {
    const BlockHandle table = reader.readListBlockInto(root, slot);
    if (table != kNoBlock) reader.readListBlockInto(table, style::kTableInnerList);
    return table;
}

// Each entry slot of the last list receives a block; a non-empty one is followed by three blocks that
// nothing uses.
void SectionReader::readPerEntryBlocks(BlockHandle list) {
    if (list == kNoBlock) return;
    const std::int32_t entries = reader.view(list).entriesThatFit(reader.view(list).u16(0), style::kPerEntrySlotsStart, 4);
    for (std::int32_t i = 0; i < entries; ++i) {
        if (reader.readBlockInto(list, style::kPerEntrySlotsStart + 4 * i) == kNoBlock) continue;
        for (std::int32_t s = 0; s < kSkippedBlocksPerEntry; ++s) reader.skipBlock();
    }
}

void SectionReader::readStyleSection() {
    const AppleWorksFamily& family = reader.family;
    reader.cursor.skip(8);
    const BlockHandle root = reader.readListBlock();
    if (root == kNoBlock) return;
    // A later style section replaces an earlier one; its blocks stay owned by the table.
    contents.styleRoot = root;
    reader.readListBlockInto(root, style::kHeadOnlyList);
    readStyleTable(root, style::kTable1);
    readStyleTable(root, style::kTable2);
    readStyleTable(root, style::kTable3);
    readStyleTable(root, style::kTable4);
    if (family.hasTable5) readStyleTable(root, style::kTable5);
    reader.readListBlockInto(root, family.styleSlotMapSlot);
    reader.readListBlockInto(root, family.middleListSlots[0]);
    reader.readListBlockInto(root, family.middleListSlots[1]);
    readPerEntryBlocks(reader.readListBlockInto(root, family.middleListSlots[2]));
    for (const std::int32_t slot : family.trailingListSlots) reader.readListBlockInto(root, slot);
}

}  // namespace appleworks
