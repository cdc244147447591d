#include "import/appleworks/file/BlockTable.h"

#include <cstring>
#include <new>

#include "foundation/CFail.h"
#include "import/appleworks/file/AppleWorksFamily.h"

namespace appleworks {

bool BlockView::holds(std::int32_t offset, std::int32_t count) const {
    return offset >= 0 && count >= 0 && offset <= size_ && count <= size_ - offset;
}

std::int32_t BlockView::entriesThatFit(std::int32_t count, std::int32_t offset, std::int32_t entrySize) const {
    if (count <= 0 || offset < 0 || offset >= size_ || entrySize <= 0) return 0;
    const std::int32_t room = (size_ - offset) / entrySize;
    return count < room ? count : room;
}

const std::uint8_t* BlockView::bytes(std::int32_t offset, std::int32_t count) const {
    if (!holds(offset, count)) throwFail(kBadFile, __LINE__, kUnit);
    return data_ + offset;
}

std::uint8_t BlockView::u8(std::int32_t offset) const {
    return *bytes(offset, 1);
}

std::uint16_t BlockView::u16(std::int32_t offset) const {
    return loadBigEndian16(bytes(offset, 2));
}

std::uint32_t BlockView::u32(std::int32_t offset) const {
    return loadBigEndian32(bytes(offset, 4));
}

BlockHandle BlockTable::add(std::int32_t length) {
    if (length < 0) throwFail(kBadFile, __LINE__, kUnit);
    // Room in the table first, then the bytes: a failure leaves no half-added block behind.
    try {
        blocks.reserve(blocks.size() + 1);
    } catch (const std::bad_alloc&) {
        throwFail(result::kOutOfMemory, __LINE__, kUnit);
    }
    std::uint8_t* bytes = new (std::nothrow) std::uint8_t[length > 0 ? length : 1]();
    throwIfNull(bytes, __LINE__, kUnit);
    blocks.push_back(Block{std::unique_ptr<std::uint8_t[]>(bytes), length});
    return static_cast<BlockHandle>(blocks.size());
}

BlockHandle BlockTable::add(const std::uint8_t* source, std::int32_t length) {
    const BlockHandle handle = add(length);
    if (length > 0) std::memcpy(blocks.back().bytes.get(), source, static_cast<std::size_t>(length));
    return handle;
}

void BlockTable::replace(BlockHandle handle, const std::uint8_t* source, std::int32_t length) {
    Block& block = blockOf(handle);
    if (length < 0) throwFail(kBadFile, __LINE__, kUnit);
    std::uint8_t* bytes = new (std::nothrow) std::uint8_t[length > 0 ? length : 1]();
    throwIfNull(bytes, __LINE__, kUnit);
    if (length > 0) std::memcpy(bytes, source, static_cast<std::size_t>(length));
    block.bytes.reset(bytes);
    block.size = length;
}

BlockTable::Block& BlockTable::blockOf(BlockHandle handle) {
    if (handle == kNoBlock || handle > blocks.size()) throwFail(kBadFile, __LINE__, kUnit);
    return blocks[handle - 1];
}

BlockView BlockTable::view(BlockHandle handle) const {
    if (handle == kNoBlock) return {};
    if (handle > blocks.size()) throwFail(kBadFile, __LINE__, kUnit);
    const Block& block = blocks[handle - 1];
    return {block.bytes.get(), block.size, handle};
}

std::uint8_t* BlockTable::writable(BlockHandle handle, std::int32_t offset, std::int32_t count) {
    Block& block = blockOf(handle);
    const BlockView checked(block.bytes.get(), block.size, handle);
    return const_cast<std::uint8_t*>(checked.bytes(offset, count));
}

void BlockTable::setU16(BlockHandle handle, std::int32_t offset, std::uint16_t value) {
    storeBigEndian16(writable(handle, offset, 2), value);
}

void BlockTable::setU32(BlockHandle handle, std::int32_t offset, std::uint32_t value) {
    storeBigEndian32(writable(handle, offset, 4), value);
}

}  // namespace appleworks
