#pragma once
// The blocks of one AppleWorks file, owned by its document. A block keeps the bytes and the size it has
// in the file, big-endian fields included; fields are read through the checked accessors of BlockView,
// which decode them on every read, so no field is ever converted twice or outside its block.
//
// A "slot" is a 4-byte field whose file content only says whether a block follows; once read it holds a
// BlockHandle, the 1-based index of that block in the table (0 = none), written big-endian like every
// other field. Handles are 32-bit on every build: no pointer ever sits in a 4-byte field.
//
// Every accessor checks its offset against the block and every handle against the table: a field or a
// handle out of range fails the file with CFail -120, unit "BL_AppleWorks(imp)".
#include <cstdint>
#include <memory>
#include <vector>

namespace appleworks {

using BlockHandle = std::uint32_t;
constexpr BlockHandle kNoBlock = 0;

// A read-only look at one block (or at no block: size 0, handle kNoBlock).
class BlockView {
public:
    BlockView() = default;
    BlockView(const std::uint8_t* bytes, std::int32_t length, BlockHandle owner)
        : data_(bytes), size_(length), handle_(owner) {}

    bool empty() const { return size_ == 0; }
    std::int32_t size() const { return size_; }
    BlockHandle handle() const { return handle_; }
    // Whether count bytes from offset lie inside the block (never overflows).
    bool holds(std::int32_t offset, std::int32_t count) const;
    // How many entries of entrySize fit from offset, at most count: counts that claim more entries than
    // the block holds are cut to what it holds.
    std::int32_t entriesThatFit(std::int32_t count, std::int32_t offset, std::int32_t entrySize) const;

    std::uint8_t u8(std::int32_t offset) const;
    std::uint16_t u16(std::int32_t offset) const;
    std::int16_t i16(std::int32_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
    std::uint32_t u32(std::int32_t offset) const;
    std::int32_t i32(std::int32_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
    BlockHandle slot(std::int32_t offset) const { return u32(offset); }
    // The count bytes at offset, checked.
    const std::uint8_t* bytes(std::int32_t offset, std::int32_t count) const;

private:
    const std::uint8_t* data_ = nullptr;
    std::int32_t size_ = 0;
    BlockHandle handle_ = kNoBlock;
};

class BlockTable {
public:
    // A new block of length bytes, cleared; its handle. Lack of memory raises CFail 12 and leaves the table
    // as it was.
    BlockHandle add(std::int32_t length);
    // A new block holding a copy of the bytes.
    BlockHandle add(const std::uint8_t* source, std::int32_t length);
    // Puts new contents in the place of a block, so every slot that names it sees the new bytes.
    void replace(BlockHandle handle, const std::uint8_t* source, std::int32_t length);

    std::uint32_t count() const { return static_cast<std::uint32_t>(blocks.size()); }
    // The block of the handle; the empty view for kNoBlock; -120 for a handle the table does not hold.
    BlockView view(BlockHandle handle) const;
    // Writable bytes of a block, checked like the views.
    std::uint8_t* writable(BlockHandle handle, std::int32_t offset, std::int32_t count);

    void setU16(BlockHandle handle, std::int32_t offset, std::uint16_t value);
    void setU32(BlockHandle handle, std::int32_t offset, std::uint32_t value);
    void setSlot(BlockHandle handle, std::int32_t offset, BlockHandle value) { setU32(handle, offset, value); }

private:
    struct Block {
        std::unique_ptr<std::uint8_t[]> bytes;
        std::int32_t size;
    };
    Block& blockOf(BlockHandle handle);
    std::vector<Block> blocks;
};

// Big-endian decoding of bytes already checked by the caller.
inline std::uint16_t loadBigEndian16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}
inline std::uint32_t loadBigEndian32(const std::uint8_t* bytes) {
    return (static_cast<std::uint32_t>(bytes[0]) << 24) | (static_cast<std::uint32_t>(bytes[1]) << 16) |
           (static_cast<std::uint32_t>(bytes[2]) << 8) | bytes[3];
}
inline void storeBigEndian16(std::uint8_t* bytes, std::uint16_t value) {
    bytes[0] = static_cast<std::uint8_t>(value >> 8);
    bytes[1] = static_cast<std::uint8_t>(value);
}
inline void storeBigEndian32(std::uint8_t* bytes, std::uint32_t value) {
    storeBigEndian16(bytes, static_cast<std::uint16_t>(value >> 16));
    storeBigEndian16(bytes + 2, static_cast<std::uint16_t>(value));
}

}  // namespace appleworks
