#pragma once
// The layout of a compound file (OLE2 structured storage) as the reader uses it, and the codes its
// failures carry. All numbers in the file are little-endian.
//
//   header (first sector)   signature, sector size, FAT sector count, first directory sector,
//                           first mini FAT sector, first FAT-list sector, the first 109 FAT sector numbers
//   sector n                at byte (n + 1) x sector size
//   FAT                     entry n = the sector after sector n in its chain
//   FAT-list sectors        the further FAT sector numbers, chained through their last slot
//   mini FAT                entry n = the mini sector after mini sector n (64-byte sectors inside the
//                           root entry's stream, the mini stream)
//   directory               128-byte entries: name, type, left/right sibling and child ids, start, size
#include <cstdint>

namespace compound {

constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

constexpr std::int32_t kHeaderBytes = 512;
constexpr std::int32_t kSectorSizeShiftOffset = 0x1E;
constexpr std::int32_t kFatSectorCountOffset = 0x2C;
constexpr std::int32_t kFirstDirectorySectorOffset = 0x30;
constexpr std::int32_t kFirstMiniFatSectorOffset = 0x3C;
constexpr std::int32_t kFirstFatListSectorOffset = 0x44;
constexpr std::int32_t kHeaderFatListOffset = 0x4C;
constexpr std::int32_t kHeaderFatListSlots = 109;

constexpr std::int32_t kMiniSectorSize = 64;
// Streams smaller than this live in the mini stream.
constexpr std::uint32_t kMiniStreamCutoff = 4096;
constexpr std::int32_t kDirectoryEntryBytes = 128;

// Special sector numbers met in chains.
constexpr std::uint32_t kFreeSector = 0xFFFFFFFFu;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFEu;
constexpr std::uint32_t kFatListSector = 0xFFFFFFFDu;
constexpr std::int32_t kNoEntry = -1;

// Directory entry types.
constexpr std::uint8_t kStorageEntry = 1;
constexpr std::uint8_t kStreamEntry = 2;
constexpr std::uint8_t kRootEntry = 5;

// A name holds at most 32 UTF-16 units, its terminating unit included.
constexpr std::int32_t kNameUnits = 32;

// Failure codes of the reader.
constexpr std::int16_t kNotCompoundFile = -15000;
constexpr std::int16_t kBadMiniFatChain = -14999;
// The FAT cannot be gathered: a sector size the reader does not handle, more FAT sectors than the file
// holds, a FAT sector outside the file or a FAT-list chain that breaks off.
constexpr std::int16_t kBadFat = -14998;
constexpr std::int16_t kBadDirectoryChain = -14997;
constexpr std::int16_t kNoDirectory = -14996;
constexpr std::int16_t kNoRootEntry = -14995;

}  // namespace compound

// One directory entry as read. The name is the 8-bit form the reader searches by: a UTF-16 unit from 1
// to 31 becomes the byte unit + 97 (the leading 5 of "\x05SummaryInformation" becomes 'f'), any other
// unit its low byte.
struct PPSDirEntry {
    char name[compound::kNameUnits + 1];
    std::uint8_t type;
    std::int32_t leftSibling;   // kNoEntry when none
    std::int32_t rightSibling;  // kNoEntry when none
    std::int32_t child;         // kNoEntry when none
    std::uint32_t startSector;
    std::uint32_t size;
};
