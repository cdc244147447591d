#pragma once
// What tells the two AppleWorks file families apart. Version 5 and version 6 files share one layout with
// a handful of differences in record sizes, offsets and optional parts; every reader and walker takes
// these figures from the family it is given instead of keeping a copy of itself per family.
#include <cstdint>

namespace appleworks {

constexpr const char* kUnit = "BL_AppleWorks(imp)";
// A file that is not of the expected family, or whose bytes contradict themselves.
constexpr std::int16_t kBadFile = -120;

struct AppleWorksFamily {
    std::uint8_t version;  // byte 0 of the file header
    const char* name;

    // Document record, as kept in memory: version 6 keeps a 4-byte slot where its variable-length piece
    // lies in the file, so its later fields sit 4 bytes further on than version 5's.
    std::int32_t recordSize;
    std::int32_t recordKindOffset;
    std::int32_t recordPlaceholderOffset;  // slot of the block read after the globals record
    std::int32_t recordTailShift;          // add to a version-5 record offset of 76 or more
    bool hasSizedRecord;                   // version 6: a length-prefixed record follows the document record
    std::int32_t skipBeforeGlobals;        // version 5: two unused bytes
    std::int32_t docInfoSize;
    std::int32_t docInfoCopySize;  // a document header with its 8 trailing bytes
    // Record fields past the variable piece (offsets as kept in memory).
    std::int32_t recordColumnsOffset;       // i16: the document's column count
    std::int32_t recordEndnotesOffset;      // u8: notes stand at the end of the document when not 0
    std::int32_t recordFirstNoteOffset;     // i16: the number of the first note

    // Text zones.
    std::int32_t charRunEntrySize;  // entries of slot 40
    std::int32_t variableEntrySize;  // entries of slot 44
    bool variableType4HasValue;

    // Drawing zones.
    bool objectsCarryText;      // a length-prefixed text after each object record
    bool hasPictureObjects;     // object type 18
    bool skipsBlockAfterObject;
    std::int32_t groupInnerSlot;     // object type 9
    std::int32_t groupEntryBase;

    // Spreadsheet zones: the two leading blocks go into the zone (version 5) or a record of their own.
    bool spreadsheetOwnRecord;
    std::int32_t spreadsheetTrailingSlots[9];
    std::int32_t spreadsheetTrailingCount;

    bool hasKind5Lists;
    bool hasTableRecords;  // version 6 tables; version 5 keeps two plain blocks

    std::int32_t zoneExtraEntrySize;

    // Style section.
    std::int32_t styleRecordSize;
    std::int32_t styleRecordsOffset;
    std::int32_t styleValuesOffset;  // the root's i16 values
    std::int32_t styleValuesCount;
    std::int32_t table1EntrySize;
    bool hasTable5;
    std::int32_t styleSlotMapSlot;  // list of u16 values
    std::int32_t middleListSlots[3];
    std::int32_t trailingListSlots[3];

    // Style resolution: the number of low bits of the u16 at offset 14 of a 108-byte record that belong to
    // property group 0 (the rest belong to group 1), and the face bits of each style-mask bit.
    std::int32_t group0Bits;
    std::uint32_t faceBits[14];
};

extern const AppleWorksFamily kAppleWorks5;
extern const AppleWorksFamily kAppleWorks6;

}  // namespace appleworks
