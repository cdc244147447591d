#pragma once
// The output that a writer holds until it writes it: 8-bit bytes for the plain-text and CSV writers,
// UTF-16 units for the Unicode writer, gathered in one growing buffer and written to the output file in
// order, in blocks of up to 64 KB, so that a flush costs a write per block. Units not written when the
// buffer goes are dropped unwritten.
//
// Writers put their output a unit at a time: one buffer, grown by doubling, keeps that to a store and a
// comparison, where a list of small chunks cost an allocation every few hundred units.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/files/CFile.h"

template <typename Unit>
class PendingChunks {
public:
    // unit: the source unit named by the failures this buffer raises.
    explicit PendingChunks(const char* unit) : unit(unit) {}

    // Lack of memory to grow raises CFail 12.
    void put(Unit character) {
        if (size == capacity) makeRoom(1);
        storage[size++] = character;
    }

    // put for each of the units in turn.
    void putAll(const Unit* characters, std::size_t count) {
        if (capacity - size < count) makeRoom(count);
        std::copy(characters, characters + count, storage.get() + size);
        size += count;
    }

    // Room for up to count more units, written through the pointer answered and kept up to the end that
    // commit then gives: a writer that turns each input unit into a few output units checks room once a
    // run rather than once a unit. Nothing else may be put between the two.
    Unit* claim(std::size_t count) {
        if (capacity - size < count) makeRoom(count);
        claimedEnd = size + count;
        return storage.get() + size;
    }
    // end: one past the last unit written since claim. An end outside the room claimed is a writer's
    // fault, raised as CFail 22 rather than kept.
    void commit(const Unit* end) {
        const auto written = static_cast<std::size_t>(end - storage.get());
        if (written < size || written > claimedEnd) throwFail(result::kNullObject, __LINE__, unit);
        size = written;
    }

    bool isEmpty() const { return size == 0; }
    // Whether the pending output fills a block: a writer that writes as it goes waits for this, so that
    // its file takes a write per block rather than one per run or paragraph.
    bool fillsBlock() const { return size * sizeof(Unit) >= kBlockSize; }

    // Writes every pending unit at the file's position, in order, and forgets them. A write that fails
    // raises CFail with the file layer's code; the units stay pending and go with the buffer.
    void flush(CFile* file) {
        throwIfNullObject(file, __LINE__, unit);
        constexpr std::size_t kBlockUnits = kBlockSize / sizeof(Unit);
        for (std::size_t start = 0; start < size; start += kBlockUnits)
            writeBlock(*file, storage.get() + start, std::min(kBlockUnits, size - start));
        size = 0;
    }

private:
    static constexpr std::size_t kBlockSize = 65536;

    void makeRoom(std::size_t count) {
        const std::size_t wanted = std::max({size + count, capacity * 2, kBlockSize / sizeof(Unit)});
        std::unique_ptr<Unit[]> grown;
        // Units are written before they are read, so the new storage is left as it comes.
        raisingOutOfMemory(__LINE__, unit, [&] { grown = std::make_unique_for_overwrite<Unit[]>(wanted); });
        std::copy(storage.get(), storage.get() + size, grown.get());
        storage = std::move(grown);
        capacity = wanted;
    }

    void writeBlock(CFile& file, const Unit* block, std::size_t count) {
        if constexpr (sizeof(Unit) == 1) {
            write(file, block, count);
        } else {
            // UTF-16 goes out little-endian whatever the machine's order.
            std::vector<std::uint8_t> bytes;
            raisingOutOfMemory(__LINE__, unit, [&] { bytes.reserve(count * sizeof(Unit)); });
            for (std::size_t index = 0; index < count; ++index) {
                const auto character = static_cast<std::uint32_t>(block[index]);
                for (std::size_t shift = 0; shift < sizeof(Unit); ++shift)
                    bytes.push_back(static_cast<std::uint8_t>(character >> (8 * shift)));
            }
            write(file, bytes.data(), bytes.size());
        }
    }

    void write(CFile& file, const void* bytes, std::size_t count) {
        if (count == 0) return;
        throwIfError(file.write(bytes, static_cast<std::int32_t>(count), kFromCurrent, 0), __LINE__, unit);
    }

    std::unique_ptr<Unit[]> storage;
    std::size_t size = 0;      // units pending
    std::size_t capacity = 0;  // units the storage holds
    std::size_t claimedEnd = 0;  // the end of the room the last claim gave
    const char* unit;
};
