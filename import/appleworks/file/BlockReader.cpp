#include "import/appleworks/file/BlockReader.h"

#include "foundation/CFail.h"
#include "import/appleworks/file/AppleWorksFamily.h"

namespace appleworks {

BlockHandle BlockReader::readBlock() {
    const std::uint32_t length = cursor.readU32();
    if (length == 0) return kNoBlock;
    // The length is checked against the file before any memory is asked for.
    const std::uint8_t* bytes = cursor.take(length);
    return blocks.add(bytes, static_cast<std::int32_t>(length));
}

BlockHandle BlockReader::readBlockInto(BlockHandle parent, std::int32_t offset) {
    // The slot must lie inside its parent before the child is read.
    blocks.writable(parent, offset, 4);
    const BlockHandle child = readBlock();
    blocks.setSlot(parent, offset, child);
    return child;
}

void BlockReader::skipBlock() {
    cursor.skip(cursor.readU32());
}

BlockHandle BlockReader::readListBlock() {
    const BlockHandle handle = readBlock();
    if (handle != kNoBlock && view(handle).size() < kListHeadSize) throwFail(kBadFile, __LINE__, kUnit);
    return handle;
}

BlockHandle BlockReader::readListBlockInto(BlockHandle parent, std::int32_t offset) {
    blocks.writable(parent, offset, 4);
    const BlockHandle child = readListBlock();
    blocks.setSlot(parent, offset, child);
    return child;
}

}  // namespace appleworks
