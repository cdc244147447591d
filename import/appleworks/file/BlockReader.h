#pragma once
// The reading primitives every part of an AppleWorks file is built from: a block (a u32 length, then that
// many bytes) becomes a block of the table, and its handle goes into the slot that was to receive it. An
// empty block allocates nothing and leaves the slot at kNoBlock.
#include <cstdint>

#include "import/appleworks/file/BlockTable.h"
#include "import/appleworks/file/FileCursor.h"

namespace appleworks {

struct AppleWorksFamily;

class BlockReader {
public:
    BlockReader(FileCursor& input, BlockTable& table, const AppleWorksFamily& fileFamily)
        : cursor(input), blocks(table), family(fileFamily) {}

    // The next block as a new block of the table; kNoBlock when it is empty.
    BlockHandle readBlock();
    // The next block, its handle stored in the slot at offset of the parent block.
    BlockHandle readBlockInto(BlockHandle parent, std::int32_t offset);
    // Moves past the next block.
    void skipBlock();
    // A list block must at least hold its 16-byte head to be read as a list.
    BlockHandle readListBlock();
    BlockHandle readListBlockInto(BlockHandle parent, std::int32_t offset);

    BlockView view(BlockHandle handle) const { return blocks.view(handle); }

    FileCursor& cursor;
    BlockTable& blocks;
    const AppleWorksFamily& family;
};

// The head of a list block: the entry count at offset 0, 16 bytes in all.
constexpr std::int32_t kListHeadSize = 16;

}  // namespace appleworks
