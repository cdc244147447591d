#include "import/appleworks/file/ZoneReader.h"

#include <cstring>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "import/appleworks/file/AppleWorksByteStream.h"
#include "import/appleworks/file/AppleWorksFamily.h"
#include "import/appleworks/file/PageRecords.h"
#include "picture/PictureConversion.h"
#include "picture/PictureDetection.h"

namespace appleworks {
namespace {

constexpr std::uint32_t kPictureGroupTag = 0x50474F42u;  // "PGOB": an object without a picture
constexpr std::uint32_t kQuickTimeTag = 0x5154494Du;     // "QTIM": a picture follows

namespace object {
constexpr std::int32_t kType = 0;
constexpr std::int32_t kFlags = 2;
constexpr std::int32_t kFirstSlot = 30;
constexpr std::int32_t kSecondSlot = 34;
constexpr std::int32_t kPictureFormat = 38;
constexpr std::uint16_t kNoSecondBlockFlag = 0x2000;
constexpr std::uint8_t kPictureFormatFrame = 8;
}  // namespace object

constexpr std::int32_t kGroupEntryStride = 208;
constexpr std::int32_t kObjectListUsedFlag = 40;
constexpr std::int32_t kObjectListSlots[] = {32, 36};
constexpr std::int32_t kSpreadsheetColumns = 20;
constexpr std::int32_t kColumnSlotsStart = 8;
constexpr std::int32_t kSpreadsheetLeadingSlots[] = {40, 44};
constexpr std::int32_t kPaintingSlots[] = {20, 40};
constexpr std::int32_t kKind5ListSlots[] = {16, 20, 24, 28};
constexpr std::int32_t kKind5RecordSize = 16;
constexpr std::int32_t kTable5Slots[] = {34, 38};
constexpr std::int32_t kTableListSlots[] = {30, 38, 42, 46};
constexpr std::int32_t kTableCellLists = 66;
constexpr std::int32_t kTableCellEntrySize = 16;

std::int32_t objectSize(const AppleWorksFamily& family) {
    return zone::kObjectSize + (family.objectsCarryText ? 4 : 0);
}

}  // namespace

BlockHandle ZoneReader::readZone() {
    FileCursor& cursor = reader.cursor;
    // Where no zone stands the cursor stays put: the tagged sections start right there.
    if (cursor.remaining() < 4) return kNoBlock;
    if (cursor.readU32() != kZoneTag) {
        cursor.skip(-4);
        return kNoBlock;
    }
    const BlockHandle data = reader.readListBlock();
    if (data == kNoBlock) return kNoBlock;
    switch (reader.view(data).u8(zone::kKind)) {
    case zonekind::kDrawing: readDrawZone(data); break;
    case zonekind::kText: readTextZone(data); break;
    case zonekind::kSpreadsheet: readSpreadsheetZone(data); break;
    case zonekind::kPainting:
        for (const std::int32_t slot : kPaintingSlots) reader.readBlockInto(data, slot);
        break;
    case zonekind::kKind5:
        if (reader.family.hasKind5Lists) readZoneKind5(data);
        break;
    case zonekind::kTable: readTableZone(data); break;
    default: break;  // databases and unknown kinds carry nothing more
    }
    return data;
}

void ZoneReader::readBlocksIntoUsedSlots(BlockHandle parent, std::int32_t offset, std::int32_t count,
                                         std::int32_t stride) {
    const std::int32_t fitting = reader.view(parent).entriesThatFit(count, offset, stride);
    for (std::int32_t i = 0; i < fitting; ++i) {
        const std::int32_t slot = offset + i * stride;
        if (reader.view(parent).u32(slot) != 0) reader.readBlockInto(parent, slot);
    }
}

// The text itself lies in the indexed blocks; runs, variables and sections are tables of entries.
void ZoneReader::readTextZone(BlockHandle data) {
    reader.readBlockInto(data, zone::kParaRuns);
    reader.readBlockInto(data, zone::kCharRuns);
    reader.readBlockInto(data, zone::kVariables);
    const BlockHandle blocks = reader.readBlockInto(data, zone::kTextBlocks);
    const std::int32_t blockCount = reader.view(data).u16(zone::kTextBlockCount);
    const std::int32_t fitting = reader.view(blocks).entriesThatFit(blockCount, 0, zone::kTextBlockEntrySize);
    for (std::int32_t i = 0; i < fitting; ++i) reader.readBlockInto(blocks, i * zone::kTextBlockEntrySize + 6);
    reader.readListBlockInto(data, zone::kSections);
    // Each page record holds a slot of its own; the records start before the slots do, so the last
    // record's slot lies within the data whenever the record does.
    const std::int32_t pages = pageRecordCount(reader.view(data));
    for (std::int32_t page = 0; page < pages; ++page) {
        const std::int32_t slot = zone::kPageRecordSlots + page * zone::kPageRecordSize;
        if (reader.view(data).u32(slot) != 0) reader.readBlockInto(data, slot);
    }
}

// Object records are laid out again before anything else is read: version 5 keeps exactly the records,
// version 6 puts a slot for each object's text where the text stood.
void ZoneReader::rebuildDrawZone(BlockHandle data) {
    const BlockView original = reader.view(data);
    const std::int32_t objects = original.u16(zone::kObjectCount);
    AppleWorksByteStream output;
    output.writeOrFail(original.bytes(0, zone::kObjectsStart), zone::kObjectsStart);
    std::int32_t at = zone::kObjectsStart;
    for (std::int32_t i = 0; i < objects; ++i) {
        output.writeOrFail(reader.view(data).bytes(at, zone::kObjectSize), zone::kObjectSize);
        at += zone::kObjectSize;
        if (!reader.family.objectsCarryText) continue;
        const std::int32_t textLength = reader.view(data).i32(at);
        at += 4;
        BlockHandle text = kNoBlock;
        if (textLength > 0) {
            const std::uint8_t* bytes = reader.view(data).bytes(at, textLength);
            text = reader.blocks.add(textLength + 1);
            std::memcpy(reader.blocks.writable(text, 0, textLength), bytes, static_cast<std::size_t>(textLength));
            at += textLength;
        }
        std::uint8_t slot[4];
        storeBigEndian32(slot, text);
        output.writeOrFail(slot, 4);
    }
    const std::int32_t length = output.getSize();
    std::uint8_t* rebuilt = output.detachData();
    try {
        reader.blocks.replace(data, rebuilt, length);
    } catch (...) {
        freeMemory(rebuilt);
        throw;
    }
    freeMemory(rebuilt);
}

void ZoneReader::readDrawZone(BlockHandle data) {
    rebuildDrawZone(data);
    const BlockHandle list = reader.readListBlockInto(data, zone::kObjectList);
    if (list == kNoBlock) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    const std::int32_t entries = reader.view(list).entriesThatFit(
        reader.view(list).u16(0), zone::kListEntriesStart, zone::kObjectListEntrySize);
    for (std::int32_t i = 0; i < entries; ++i) {
        const std::int32_t entry = zone::kListEntriesStart + i * zone::kObjectListEntrySize;
        if (reader.view(list).u8(entry + kObjectListUsedFlag) == 0) continue;
        for (const std::int32_t slot : kObjectListSlots) reader.readBlockInto(list, entry + slot);
    }
    const std::int32_t objects = reader.view(data).entriesThatFit(reader.view(data).u16(zone::kObjectCount),
                                                                  zone::kObjectsStart, objectSize(reader.family));
    for (std::int32_t i = 0; i < objects; ++i) {
        readDrawObject(data, zone::kObjectsStart + i * objectSize(reader.family));
        if (reader.family.skipsBlockAfterObject) reader.skipBlock();
    }
}

void ZoneReader::readDrawObject(BlockHandle data, std::int32_t at) {
    const std::uint8_t type = reader.view(data).u8(at + object::kType);
    switch (type) {
    case 7: reader.readBlockInto(data, at + object::kFirstSlot); break;
    case 8:
        reader.readBlockInto(data, at + object::kFirstSlot);
        *reader.blocks.writable(data, at + object::kPictureFormat, 1) = object::kPictureFormatFrame;
        if ((reader.view(data).u16(at + object::kFlags) & object::kNoSecondBlockFlag) == 0) {
            reader.readBlockInto(data, at + object::kSecondSlot);
        } else {
            reader.skipBlock();
        }
        break;
    case 9: {
        const BlockHandle group = reader.readBlockInto(data, at + object::kFirstSlot);
        if (group == kNoBlock) break;
        reader.readBlockInto(group, reader.family.groupInnerSlot);
        readBlocksIntoUsedSlots(group, reader.family.groupEntryBase, reader.view(group).u16(0), kGroupEntryStride);
        break;
    }
    case 14:
        reader.readBlockInto(data, at + object::kFirstSlot);
        reader.readBlockInto(data, at + object::kSecondSlot);
        break;
    case 15:
        reader.readBlockInto(data, at + object::kFirstSlot);
        reader.skipBlock();
        break;
    case 18:
        if (reader.family.hasPictureObjects) readPictureObject(data, at);
        break;
    default: break;
    }
}

void ZoneReader::readPictureObject(BlockHandle data, std::int32_t at) {
    reader.blocks.setSlot(data, at + object::kFirstSlot, kNoBlock);
    *reader.blocks.writable(data, at + object::kPictureFormat, 1) = 0;
    const std::uint32_t tag = reader.cursor.readU32();
    if (tag == kPictureGroupTag) {
        reader.cursor.skip(4);
        return;
    }
    if (tag != kQuickTimeTag) throwFail(kBadFile, __LINE__, kUnit);
    reader.cursor.skip(8);  // a value and the picture-type code, which the picture's own bytes tell better
    const BlockHandle picture = reader.readBlock();
    if (picture == kNoBlock) return;
    const BlockView original = reader.view(picture);
    std::uint8_t* bytes = static_cast<std::uint8_t*>(allocMemory(original.size()));
    throwIfNull(bytes, __LINE__, kUnit);
    std::memcpy(bytes, original.bytes(0, original.size()), static_cast<std::size_t>(original.size()));
    std::int32_t length = original.size();
    PictureInfo info{};
    pictureToPng(bytes, length, info, 1);
    try {
        // A picture that could not be re-encoded keeps its own bytes and is marked with the type they
        // show; bytes of no known type leave the object without a picture.
        if (info.type != picturetype::kPng) {
            clearPictureInfo(info);
            detectPictureType(bytes, length, info);
        }
        if (bytes != nullptr && length > 0 && info.type > 0 && info.type <= 0xFF) {
            reader.blocks.replace(picture, bytes, length);
            reader.blocks.setSlot(data, at + object::kFirstSlot, picture);
            *reader.blocks.writable(data, at + object::kPictureFormat, 1) = static_cast<std::uint8_t>(info.type);
        }
    } catch (...) {
        freeMemory(bytes);
        throw;
    }
    freeMemory(bytes);
}

void ZoneReader::readSpreadsheetZone(BlockHandle data) {
    if (reader.family.spreadsheetOwnRecord) {
        const BlockHandle own = reader.blocks.add(8);
        reader.blocks.setSlot(data, kSpreadsheetLeadingSlots[0], own);
        reader.readBlockInto(own, 0);
        reader.readBlockInto(own, 4);
    } else {
        for (const std::int32_t slot : kSpreadsheetLeadingSlots) reader.readBlockInto(data, slot);
    }
    reader.cursor.skip(6);  // a u32 and a u16 nothing uses
    readSpreadsheetColumns(data);
    for (std::int32_t i = 0; i < reader.family.spreadsheetTrailingCount; ++i) {
        reader.readBlockInto(data, reader.family.spreadsheetTrailingSlots[i]);
    }
}

// Counts are taken in 32 bits, so a last row below the first means no rows rather than a wrapped count.
void ZoneReader::readSpreadsheetColumns(BlockHandle data) {
    const BlockHandle directory = reader.readBlockInto(data, kSpreadsheetColumns);
    if (directory == kNoBlock) return;
    const std::int32_t columns = static_cast<std::int32_t>(reader.view(directory).u16(4)) + 1;
    const std::int32_t fitting = reader.view(directory).entriesThatFit(columns, kColumnSlotsStart, 4);
    for (std::int32_t c = 0; c < fitting; ++c) {
        const std::int32_t slot = kColumnSlotsStart + 4 * c;
        if (reader.view(directory).u32(slot) == 0) continue;
        const BlockHandle column = reader.readBlockInto(directory, slot);
        if (column == kNoBlock) continue;
        const std::int32_t rows = static_cast<std::int32_t>(reader.view(column).i16(6)) - reader.view(column).i16(4) + 1;
        readBlocksIntoUsedSlots(column, kColumnSlotsStart, rows, 4);
    }
}

// Four counted lists of records, each kept as one block of 16-byte records (two values, a block's handle,
// and a third value where the list has one).
void ZoneReader::readZoneKind5(BlockHandle data) {
    for (std::int32_t list = 0; list < 4; ++list) {
        const bool hasThirdValue = list < 3;
        const std::uint32_t count = reader.cursor.readU32();
        // Each record takes at least its fixed fields from the file: a count beyond that is refused before
        // anything is allocated for it.
        const std::int64_t minimum = static_cast<std::int64_t>(count) * (hasThirdValue ? 16 : 12);
        if (minimum > reader.cursor.remaining()) throwFail(kBadFile, __LINE__, kUnit);
        const BlockHandle records =
            count == 0 ? kNoBlock : reader.blocks.add(static_cast<std::int32_t>(count) * kKind5RecordSize);
        reader.blocks.setSlot(data, kKind5ListSlots[list], records);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::int32_t at = static_cast<std::int32_t>(i) * kKind5RecordSize;
            reader.blocks.setU32(records, at, reader.cursor.readU32());
            reader.blocks.setU32(records, at + 4, reader.cursor.readU32());
            reader.readBlockInto(records, at + 8);
            if (hasThirdValue) reader.blocks.setU32(records, at + 12, reader.cursor.readU32());
        }
    }
}

void ZoneReader::readTableZone(BlockHandle data) {
    if (!reader.family.hasTableRecords) {
        for (const std::int32_t slot : kTable5Slots) reader.readBlockInto(data, slot);
        return;
    }
    for (const std::int32_t slot : kTableListSlots) reader.readListBlockInto(data, slot);
    const BlockHandle cells = reader.readListBlockInto(data, kTableCellLists);
    if (cells == kNoBlock) return;
    const std::int32_t entries =
        reader.view(cells).entriesThatFit(reader.view(cells).u16(0), zone::kListEntriesStart, kTableCellEntrySize);
    for (std::int32_t i = 0; i < entries; ++i) {
        for (std::int32_t s = 0; s < 4; ++s) {
            reader.readListBlockInto(cells, zone::kListEntriesStart + i * kTableCellEntrySize + 4 * s);
        }
    }
}

}  // namespace appleworks
