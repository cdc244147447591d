#pragma once
// A file whose contents are bytes in memory, for the fuzz targets whose reader takes a CFile (the storage,
// the compound file): the reader goes through CFile's open, getSize and read, and the fuzzer's input is
// handed to it without touching the disk.
#include <cstdint>
#include <span>

#include "foundation/files/CFile.h"

class MemoryFile : public CFile {
public:
    // The bytes stay with the caller and must outlive the file.
    explicit MemoryFile(std::span<const std::uint8_t> contents);

    std::int16_t open() override;
    std::int16_t close() override;
    std::int16_t getSize(std::uint32_t& size) override;
    std::int16_t read(void* buffer, std::int32_t count, std::int16_t origin, std::int32_t offset) override;

private:
    std::span<const std::uint8_t> contents;
};
