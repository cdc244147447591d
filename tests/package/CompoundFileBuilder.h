#pragma once
// Builds small compound files for the reader's tests: streams and storages in a directory, streams
// under 4096 bytes in the mini stream, the FAT (with FAT-list sectors when it needs more than the
// header's 109 slots) at the end. Tests reach into the sector table to break chains before building.
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

class CompoundFileBuilder {
public:
    explicit CompoundFileBuilder(std::int32_t sectorShift = 9);

    // Directory entries; the root is entry 0. Answers the new entry's id.
    std::int32_t addStream(const std::u16string& name, const std::string& bytes);
    std::int32_t addStorage(const std::u16string& name);
    // Makes the children one chain along right-sibling links under the parent.
    void setChildren(std::int32_t parent, const std::vector<std::int32_t>& children);
    void setSiblings(std::int32_t entry, std::int32_t left, std::int32_t right);
    // Overrides the name-length field of an entry (bytes, terminator included).
    void setNameLength(std::int32_t entry, std::uint16_t bytes);

    // Free sectors put before the streams, so that their sectors get high numbers.
    void padSectors(std::uint32_t count) { padding = count; }
    // Directory entries written beyond the ones added (empty), to make the directory span sectors.
    void setDirectorySectors(std::uint32_t count) { directorySectors = count; }

    // Lays out the file. Afterwards startSector() names where each entry's data begins, and fat() can
    // be edited before bytes() writes the file.
    void layOut();
    std::uint32_t startSector(std::int32_t entry) const { return entries[static_cast<std::size_t>(entry)].start; }
    std::uint32_t directoryStart() const { return directoryFirst; }
    std::uint32_t fatSectorCount() const { return static_cast<std::uint32_t>(fatSectors.size()); }
    std::vector<std::uint32_t>& fat() { return table; }
    std::vector<std::uint32_t>& miniFat() { return miniTable; }
    std::string bytes() const;

private:
    struct Entry {
        std::u16string name;
        std::uint8_t type;
        std::int32_t left = -1;
        std::int32_t right = -1;
        std::int32_t child = -1;
        std::string data;
        std::uint32_t start = 0xFFFFFFFEu;
        std::uint16_t nameLength = 0;
    };
    std::uint32_t addChain(const std::string& data);
    std::uint32_t addMiniChain(const std::string& data);
    std::string directoryBytes() const;
    void writeSector(std::uint32_t sector, const std::string& data);

    std::int32_t sectorSize;
    std::int32_t shift;
    std::vector<Entry> entries;
    std::vector<std::string> sectors;
    std::vector<std::uint32_t> table;
    std::vector<std::uint32_t> miniTable;
    std::string miniStream;
    std::vector<std::uint32_t> fatSectors;
    std::vector<std::uint32_t> fatListSectors;
    std::uint32_t padding = 0;
    std::uint32_t directorySectors = 0;
    std::uint32_t directoryFirst = 0xFFFFFFFEu;
    std::uint32_t miniFatFirst = 0xFFFFFFFEu;
};

}  // namespace testsupport
