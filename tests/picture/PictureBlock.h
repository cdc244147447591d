#pragma once
// Picture bytes in a block of the memory layer, as the picture operations take them (they may replace
// the block), freed when the test ends.
#include <cstdint>
#include <cstring>
#include <vector>

#include "foundation/memory/Memory.h"

struct PictureBlock {
    std::uint8_t* data = nullptr;
    std::int32_t length = 0;

    explicit PictureBlock(const std::vector<std::uint8_t>& bytes) : length(static_cast<std::int32_t>(bytes.size())) {
        data = static_cast<std::uint8_t*>(allocMemory(length));
        if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
    }
    ~PictureBlock() { freeMemory(data); }
    PictureBlock(const PictureBlock&) = delete;
    PictureBlock& operator=(const PictureBlock&) = delete;

    std::vector<std::uint8_t> bytes() const { return std::vector<std::uint8_t>(data, data + length); }
};
