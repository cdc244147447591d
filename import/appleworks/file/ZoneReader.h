#pragma once
// Reads one zone of an AppleWorks file with every block that hangs from it. A zone begins with the tag
// "DSET" and its data (a list block whose byte 12 is the zone kind); what follows depends on the kind.
// A zone position without the tag holds no zone: the cursor stays where it was.
#include <cstdint>

#include "import/appleworks/file/BlockReader.h"

namespace appleworks {

constexpr std::uint32_t kZoneTag = 0x44534554u;  // "DSET"

namespace zonekind {
constexpr std::uint8_t kDrawing = 0;
constexpr std::uint8_t kText = 1;
constexpr std::uint8_t kSpreadsheet = 2;
constexpr std::uint8_t kDatabase = 3;
constexpr std::uint8_t kPainting = 4;
constexpr std::uint8_t kKind5 = 5;
constexpr std::uint8_t kTable = 6;
}  // namespace zonekind

// Offsets within zone data.
namespace zone {
constexpr std::int32_t kKind = 12;
// Text zones.
constexpr std::int32_t kPageRecordCount = 0;  // 30-byte page records (PageRecords.h)
constexpr std::int32_t kPageRecords = 54;
constexpr std::int32_t kTextLength = 20;
constexpr std::int32_t kTextBlockCount = 24;
constexpr std::int32_t kParaRunCount = 26;
constexpr std::int32_t kCharRunCount = 28;
constexpr std::int32_t kVariableCount = 30;
constexpr std::int32_t kTextBlocks = 32;     // 10-byte entries: i32 start, i16 length, slot at 6
constexpr std::int32_t kParaRuns = 36;       // 8-byte entries
constexpr std::int32_t kCharRuns = 40;       // 12-byte entries (version 6: 18)
constexpr std::int32_t kVariables = 44;      // 32-byte entries (version 6: 36)
constexpr std::int32_t kSections = 50;       // list block of 78-byte entries from 12
constexpr std::int32_t kPageRecordSlots = 78;  // a slot 24 bytes into each page record
constexpr std::int32_t kTextBlockEntrySize = 10;
constexpr std::int32_t kParaRunEntrySize = 8;
constexpr std::int32_t kSectionEntrySize = 78;
constexpr std::int32_t kPageRecordSize = 30;
// Drawing zones.
constexpr std::int32_t kObjectCount = 0;
constexpr std::int32_t kObjectList = 34;
constexpr std::int32_t kObjectsStart = 84;
constexpr std::int32_t kObjectSize = 46;
constexpr std::int32_t kObjectListEntrySize = 42;
// Lists whose entries start after a 12-byte head.
constexpr std::int32_t kListEntriesStart = 12;
}  // namespace zone

class ZoneReader {
public:
    explicit ZoneReader(BlockReader& blockReader) : reader(blockReader) {}

    // The zone's data with everything hanging from it; kNoBlock where no zone stands or its data is empty.
    BlockHandle readZone();

private:
    void readTextZone(BlockHandle zone);
    void readDrawZone(BlockHandle zone);
    void rebuildDrawZone(BlockHandle zone);
    void readDrawObject(BlockHandle zone, std::int32_t objectOffset);
    void readPictureObject(BlockHandle zone, std::int32_t objectOffset);
    void readSpreadsheetZone(BlockHandle zone);
    void readSpreadsheetColumns(BlockHandle zone);
    void readZoneKind5(BlockHandle zone);
    void readTableZone(BlockHandle zone);
    // Reads count blocks into the slots of a parent block, one slot every stride bytes from offset, for
    // each slot whose file content is not 0.
    void readBlocksIntoUsedSlots(BlockHandle parent, std::int32_t offset, std::int32_t count, std::int32_t stride);

    BlockReader& reader;
};

// The indexed text-block entry of a text zone, or zeros when the zone is no text zone or the index is
// beyond its entries.
struct TextBlockEntry {
    std::int32_t start;
    std::int16_t length;
    BlockHandle text;
};
TextBlockEntry textZoneEntryAt(const BlockView& zoneData, std::uint16_t index);

}  // namespace appleworks
