#pragma once
// The output that a writer holds until it writes it: a list of chunks filled one character at a time and
// written to the output file in order, gathered into blocks of up to 64 KB so that a flush costs a write
// per block, not one per chunk. Chunks not written when the list goes are dropped unwritten.
#include <cstdint>
#include <new>
#include <vector>

#include "export/OutputChunk.h"
#include "export/OwnedList.h"
#include "foundation/CFail.h"
#include "foundation/CFile.h"
#include "foundation/FailureCode.h"

template <typename Unit>
class PendingChunks {
public:
    // unit: the source unit named by the failures this list raises.
    explicit PendingChunks(const char* unit) : unit(unit) {}

    // Lack of memory for a new chunk raises CFail 12.
    void put(Unit character) {
        if (current == nullptr || current->isFull()) startChunk();
        current->append(character);
    }

    // put for each of the units in turn.
    void putAll(const Unit* units, std::size_t count) {
        while (count > 0) {
            if (current == nullptr || current->isFull()) startChunk();
            const std::size_t taken = current->appendSome(units, count);
            units += taken;
            count -= taken;
        }
    }

    bool isEmpty() const { return chunks.isEmpty(); }
    // Whether the chunks fill a block: a writer that writes as it goes waits for this, so that its file
    // takes a write per block rather than one per run or paragraph.
    bool fillsBlock() const { return static_cast<std::size_t>(chunks.count()) * kChunkBytes >= kBlockSize; }

    // Writes every chunk at the file's position, in order, and forgets them. A write that fails raises
    // CFail with the file layer's code; the chunks stay listed and go with the list.
    void flush(CFile* file) {
        throwIfNullObject(file, __LINE__, unit);
        std::vector<std::uint8_t> block;
        raisingOutOfMemory(__LINE__, unit, [&] { block.reserve(kBlockSize); });
        for (std::int32_t index = 1; index <= chunks.count(); ++index) {
            if (block.size() + kChunkBytes > kBlockSize) writeBlock(*file, block);
            appendChunk(block, *chunks.at(index));
        }
        writeBlock(*file, block);
        chunks.clear();
        current = nullptr;
    }

private:
    void startChunk() {
        auto* fresh = new (std::nothrow) OutputChunk<Unit>();
        throwIfNull(fresh, __LINE__, unit);
        chunks.append(fresh);
        current = fresh;
    }

    static constexpr std::size_t kChunkBytes = OutputChunk<Unit>::kCapacity * sizeof(Unit);
    static constexpr std::size_t kBlockSize = 65536;

    // The block was reserved for a whole block of chunks: appending allocates nothing.
    static void appendChunk(std::vector<std::uint8_t>& block, const OutputChunk<Unit>& chunk) {
        if constexpr (sizeof(Unit) == 1) {
            block.insert(block.end(), chunk.getData(), chunk.getData() + chunk.getLength());
            return;
        }
        // UTF-16 goes out little-endian whatever the machine's order.
        for (std::int16_t index = 0; index < chunk.getLength(); ++index) {
            const auto character = static_cast<std::uint32_t>(chunk.getData()[index]);
            for (std::size_t shift = 0; shift < sizeof(Unit); ++shift)
                block.push_back(static_cast<std::uint8_t>(character >> (8 * shift)));
        }
    }

    void writeBlock(CFile& file, std::vector<std::uint8_t>& block) {
        if (block.empty()) return;
        throwIfError(file.write(block.data(), static_cast<std::int32_t>(block.size()), kFromCurrent, 0), __LINE__,
                     unit);
        block.clear();
    }

    OwnedList<OutputChunk<Unit>> chunks;
    OutputChunk<Unit>* current = nullptr;  // the last chunk, which put fills
    const char* unit;
};
