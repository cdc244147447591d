#include "tests/package/CompoundFileBuilder.h"

#include <algorithm>

namespace testsupport {

namespace {

constexpr std::uint32_t kFree = 0xFFFFFFFFu;
constexpr std::uint32_t kEnd = 0xFFFFFFFEu;
constexpr std::uint32_t kFatMark = 0xFFFFFFFDu;
constexpr std::uint32_t kFatListMark = 0xFFFFFFFCu;
constexpr std::size_t kEntryBytes = 128;
constexpr std::uint32_t kHeaderSlots = 109;

void put16(std::string& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

CompoundFileBuilder::CompoundFileBuilder(std::int32_t sectorShift) : sectorSize(1 << sectorShift), shift(sectorShift) {
    entries.push_back(Entry{u"Root Entry", 5});
}

std::int32_t CompoundFileBuilder::addStream(const std::u16string& name, const std::string& bytes) {
    Entry entry{name, 2};
    entry.data = bytes;
    entries.push_back(entry);
    return static_cast<std::int32_t>(entries.size() - 1);
}

std::int32_t CompoundFileBuilder::addStorage(const std::u16string& name) {
    entries.push_back(Entry{name, 1});
    return static_cast<std::int32_t>(entries.size() - 1);
}

void CompoundFileBuilder::setChildren(std::int32_t parent, const std::vector<std::int32_t>& children) {
    entries[static_cast<std::size_t>(parent)].child = children.empty() ? -1 : children.front();
    for (std::size_t i = 0; i + 1 < children.size(); ++i) {
        entries[static_cast<std::size_t>(children[i])].right = children[i + 1];
    }
}

void CompoundFileBuilder::setSiblings(std::int32_t entry, std::int32_t left, std::int32_t right) {
    entries[static_cast<std::size_t>(entry)].left = left;
    entries[static_cast<std::size_t>(entry)].right = right;
}

void CompoundFileBuilder::setNameLength(std::int32_t entry, std::uint16_t bytes) {
    entries[static_cast<std::size_t>(entry)].nameLength = bytes;
}

std::uint32_t CompoundFileBuilder::addChain(const std::string& data) {
    if (data.empty()) return kEnd;
    const std::size_t size = static_cast<std::size_t>(sectorSize);
    const auto first = static_cast<std::uint32_t>(sectors.size());
    for (std::size_t at = 0; at < data.size(); at += size) {
        std::string sector = data.substr(at, size);
        sector.resize(size, '\0');
        sectors.push_back(sector);
        table.push_back(static_cast<std::uint32_t>(sectors.size()));
    }
    table.back() = kEnd;
    return first;
}

std::uint32_t CompoundFileBuilder::addMiniChain(const std::string& data) {
    const auto first = static_cast<std::uint32_t>(miniTable.size());
    for (std::size_t at = 0; at < data.size(); at += 64) {
        std::string sector = data.substr(at, 64);
        sector.resize(64, '\0');
        miniStream += sector;
        miniTable.push_back(static_cast<std::uint32_t>(miniTable.size() + 1));
    }
    miniTable.back() = kEnd;
    return first;
}

void CompoundFileBuilder::layOut() {
    sectors.assign(padding, std::string(static_cast<std::size_t>(sectorSize), '\0'));
    table.assign(padding, kFree);
    for (std::size_t i = 1; i < entries.size(); ++i) {
        Entry& entry = entries[i];
        if (entry.type != 2) continue;
        entry.start = entry.data.size() >= 4096 ? addChain(entry.data) : entry.data.empty() ? kEnd : addMiniChain(entry.data);
    }
    entries[0].data = miniStream;
    entries[0].start = addChain(miniStream);
    if (!miniTable.empty()) {
        const std::size_t slots = static_cast<std::size_t>(sectorSize) / 4;
        const std::size_t count = (miniTable.size() + slots - 1) / slots * slots;
        miniFatFirst = addChain(std::string(count * 4, '\0'));
    }
    const std::size_t perSector = static_cast<std::size_t>(sectorSize) / kEntryBytes;
    const std::size_t needed = std::max<std::size_t>((entries.size() + perSector - 1) / perSector, directorySectors);
    directoryFirst = addChain(std::string(needed * static_cast<std::size_t>(sectorSize), '\0'));
    writeSector(directoryFirst, directoryBytes());

    const std::uint32_t slotsPerSector = static_cast<std::uint32_t>(sectorSize) / 4;
    const auto used = static_cast<std::uint32_t>(sectors.size());
    std::uint32_t fatCount = 1;
    std::uint32_t listCount = 0;
    while (true) {
        listCount = fatCount > kHeaderSlots ? (fatCount - kHeaderSlots + slotsPerSector - 2) / (slotsPerSector - 1) : 0;
        if (fatCount * slotsPerSector >= used + fatCount + listCount) break;
        ++fatCount;
    }
    table.resize(static_cast<std::size_t>(fatCount) * slotsPerSector, kFree);
    for (std::uint32_t i = 0; i < fatCount; ++i) {
        fatSectors.push_back(used + i);
        table[used + i] = kFatMark;
    }
    for (std::uint32_t i = 0; i < listCount; ++i) {
        fatListSectors.push_back(used + fatCount + i);
        table[used + fatCount + i] = kFatListMark;
    }
    sectors.resize(used + fatCount + listCount, std::string(static_cast<std::size_t>(sectorSize), '\0'));
}

// Writes data over the chain of sectors from `sector`.
void CompoundFileBuilder::writeSector(std::uint32_t sector, const std::string& data) {
    const std::size_t size = static_cast<std::size_t>(sectorSize);
    for (std::size_t at = 0; at < data.size() && sector < sectors.size(); at += size, sector = table[sector]) {
        sectors[sector] = data.substr(at, size);
        sectors[sector].resize(size, '\0');
    }
}

std::string CompoundFileBuilder::directoryBytes() const {
    const std::size_t perSector = static_cast<std::size_t>(sectorSize) / kEntryBytes;
    const std::size_t count = std::max<std::size_t>((entries.size() + perSector - 1) / perSector, directorySectors) * perSector;
    std::string bytes(count * kEntryBytes, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = i * kEntryBytes;
        put32(bytes, at + 68, kFree);
        put32(bytes, at + 72, kFree);
        put32(bytes, at + 76, kFree);
        if (i >= entries.size()) continue;
        const Entry& entry = entries[i];
        const std::size_t units = std::min<std::size_t>(entry.name.size(), 32);
        for (std::size_t u = 0; u < units; ++u) put16(bytes, at + 2 * u, static_cast<std::uint16_t>(entry.name[u]));
        put16(bytes, at + 64, entry.nameLength != 0 ? entry.nameLength : static_cast<std::uint16_t>((units + 1) * 2));
        bytes[at + 66] = static_cast<char>(entry.type);
        bytes[at + 67] = 1;
        put32(bytes, at + 68, static_cast<std::uint32_t>(entry.left));
        put32(bytes, at + 72, static_cast<std::uint32_t>(entry.right));
        put32(bytes, at + 76, static_cast<std::uint32_t>(entry.child));
        put32(bytes, at + 116, entry.start);
        put32(bytes, at + 120, static_cast<std::uint32_t>(entry.data.size()));
    }
    return bytes;
}

std::string CompoundFileBuilder::bytes() const {
    const std::size_t size = static_cast<std::size_t>(sectorSize);
    const std::uint32_t slotsPerSector = static_cast<std::uint32_t>(sectorSize) / 4;
    std::vector<std::string> out = sectors;

    auto tableBytes = [&](const std::vector<std::uint32_t>& values, std::size_t from) {
        std::string sector(size, '\xFF');
        for (std::size_t i = 0; i < slotsPerSector && from + i < values.size(); ++i) put32(sector, 4 * i, values[from + i]);
        return sector;
    };
    for (std::size_t i = 0; i < fatSectors.size(); ++i) out[fatSectors[i]] = tableBytes(table, i * slotsPerSector);
    if (miniFatFirst != kEnd) {
        std::uint32_t sector = miniFatFirst;
        for (std::size_t from = 0; from < miniTable.size() && sector < out.size(); from += slotsPerSector) {
            out[sector] = tableBytes(miniTable, from);
            sector = table[sector];
        }
    }
    std::vector<std::uint32_t> beyondHeader(fatSectors.begin() + std::min<std::size_t>(fatSectors.size(), kHeaderSlots),
                                            fatSectors.end());
    for (std::size_t i = 0; i < fatListSectors.size(); ++i) {
        std::string sector = tableBytes(beyondHeader, i * (slotsPerSector - 1));
        put32(sector, 4 * (slotsPerSector - 1), i + 1 < fatListSectors.size() ? fatListSectors[i + 1] : kEnd);
        out[fatListSectors[i]] = sector;
    }

    std::string header(size, '\0');
    const char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    header.replace(0, 8, signature, 8);
    put16(header, 0x18, 0x3E);
    put16(header, 0x1A, shift == 9 ? 3 : 4);
    put16(header, 0x1C, 0xFFFE);
    put16(header, 0x1E, static_cast<std::uint16_t>(shift));
    put16(header, 0x20, 6);
    put32(header, 0x2C, static_cast<std::uint32_t>(fatSectors.size()));
    put32(header, 0x30, directoryFirst);
    put32(header, 0x38, 4096);
    put32(header, 0x3C, miniFatFirst);
    put32(header, 0x40, miniFatFirst == kEnd ? 0 : static_cast<std::uint32_t>((miniTable.size() + slotsPerSector - 1) / slotsPerSector));
    put32(header, 0x44, fatListSectors.empty() ? kEnd : fatListSectors.front());
    put32(header, 0x48, static_cast<std::uint32_t>(fatListSectors.size()));
    for (std::uint32_t i = 0; i < kHeaderSlots; ++i) {
        put32(header, 0x4C + 4 * i, i < fatSectors.size() ? fatSectors[i] : kFree);
    }
    std::string file = header;
    for (const std::string& sector : out) file += sector;
    return file;
}

}  // namespace testsupport
