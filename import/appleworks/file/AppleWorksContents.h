#pragma once
// Everything an AppleWorks file holds once read: the blocks, and the handles of the document-wide ones.
// The file reader fills it; AppleWorksDocument owns it and gives the walkers their way in.
#include <cstdint>
#include <vector>

#include "import/appleworks/file/BlockTable.h"

namespace appleworks {

constexpr std::int32_t kLeadingBlockCount = 7;
constexpr std::int32_t kGlobalsRecordSize = 28;
constexpr std::int32_t kSizedRecordCapacity = 1046;
constexpr std::int32_t kDocInfoTailSize = 8;

struct AppleWorksContents {
    BlockTable blocks;
    BlockHandle record = kNoBlock;       // the document record, in the family's memory layout
    BlockHandle sizedRecord = kNoBlock;  // version 6: up to 1046 bytes, its length field included
    BlockHandle leading[kLeadingBlockCount] = {};
    BlockHandle globalsRecord = kNoBlock;
    // The document's own fill patterns, read before the colour table: a 16-byte head (count at 0), then
    // one 8 x 8 bit pattern of 8 bytes per entry. Like the colour table, absent when the document keeps
    // to the standard patterns.
    BlockHandle patternList = kNoBlock;
    BlockHandle colorTable = kNoBlock;    // the file's, or the default one
    BlockHandle afterColors = kNoBlock;
    BlockHandle docInfo = kNoBlock;
    BlockHandle docInfoTail = kNoBlock;
    std::vector<BlockHandle> zones;  // zone number n is item n - 1; kNoBlock where no zone stands
    BlockHandle zoneExtras = kNoBlock;
    BlockHandle styleRoot = kNoBlock;
    BlockHandle hdni = kNoBlock;
    BlockHandle wmbt = kNoBlock;
    bool colorTableIsDefault = false;
};

}  // namespace appleworks
