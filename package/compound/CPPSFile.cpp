#include "package/compound/CPPSFile.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/encoding/FourCharCode.h"
#include "platform/files/FileSystem.h"

namespace {

constexpr const char* kUnit = "BPPS";
constexpr std::uint32_t kReadWrite = kGenericRead | kGenericWrite;

std::uint32_t littleEndian32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

std::uint16_t littleEndian16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

void throwIfFailed(std::int16_t code, std::int32_t line) {
    if (code != result::kSuccess) throwFail(code, line, kUnit);
}

bool isStorage(const PPSDirEntry& entry) {
    return entry.type == compound::kStorageEntry || entry.type == compound::kRootEntry;
}

// The 8-bit search name of a directory entry's UTF-16 name, at most 32 units whatever the length says.
void readEntryName(const std::uint8_t* raw, char* name) {
    const std::int32_t units = std::min<std::int32_t>(littleEndian16(raw + 64) / 2, compound::kNameUnits);
    for (std::int32_t i = 0; i < units; ++i) {
        const std::uint16_t unit = littleEndian16(raw + 2 * i);
        name[i] = static_cast<char>(unit >= 1 && unit <= 31 ? unit + 97 : unit & 0xFF);
    }
    name[units] = '\0';
}

PPSDirEntry readEntry(const std::uint8_t* raw, std::size_t entryTotal) {
    // A sibling or child id that names no entry is taken as none.
    auto entryId = [entryTotal](std::uint32_t id) {
        return id < entryTotal ? static_cast<std::int32_t>(id) : compound::kNoEntry;
    };
    PPSDirEntry entry{};
    readEntryName(raw, entry.name);
    entry.type = raw[66];
    entry.leftSibling = entryId(littleEndian32(raw + 68));
    entry.rightSibling = entryId(littleEndian32(raw + 72));
    entry.child = entryId(littleEndian32(raw + 76));
    entry.startSector = littleEndian32(raw + 116);
    entry.size = littleEndian32(raw + 120);
    return entry;
}

}  // namespace

CPPSFile::CPPSFile(const PascalWString& name, const PascalWString& folder) {
    file = new (std::nothrow) CFile(name, folder, kAnyFileCode, kAnyFileCode, 1, 0, kGenericRead, kGenericRead);
    throwIfNull(file, __LINE__, kUnit);
    load();
}

CPPSFile::CPPSFile(CFile* source) : file(source) {
    throwIfNullObject(file, __LINE__, kUnit);
    load();
}

CPPSFile::~CPPSFile() {
    release();
}

void CPPSFile::release() {
    if (miniStream != nullptr) {
        // The copy of the mini stream is ours alone; it does not outlive the reader.
        if (miniStream->getName().length() > 0) miniStream->remove();
        delete miniStream;
        miniStream = nullptr;
    }
    delete file;
    file = nullptr;
}

void CPPSFile::load() {
    try {
        raisingOutOfMemory(__LINE__, kUnit, [this] {
            readSignature();
            readHeader();
            readFat();
            readMiniFat();
            readDirectory();
            flattenTrees();
            copyMiniStream();
        });
    } catch (const CFail&) {
        release();
        rethrowFailure();
    }
}

void CPPSFile::readSignature() {
    throwIfFailed(file->open(), __LINE__);
    std::uint8_t signature[sizeof compound::kSignature];
    const std::int16_t code = file->read(signature, sizeof signature, kFromStart, 0);
    // A file too short for the signature is not a compound file either.
    if (code == platform::error::kEndOfFile) throwFail(compound::kNotCompoundFile, __LINE__, kUnit);
    throwIfFailed(code, __LINE__);
    if (std::memcmp(signature, compound::kSignature, sizeof signature) != 0) {
        throwFail(compound::kNotCompoundFile, __LINE__, kUnit);
    }
}

void CPPSFile::readHeader() {
    throwIfFailed(file->read(header, compound::kHeaderBytes, kFromStart, 0), __LINE__);
    const std::uint16_t shift = littleEndian16(header + compound::kSectorSizeShiftOffset);
    if (shift != 9 && shift != 12) throwFail(compound::kBadFat, __LINE__, kUnit);
    sectorSize = 1 << shift;

    std::uint32_t fileSize = 0;
    throwIfFailed(file->getSize(fileSize), __LINE__);
    // Offsets are 32-bit signed: sectors past that reach are outside the file for the reader.
    const std::uint32_t reachable = std::min<std::uint32_t>(fileSize, INT32_MAX);
    const std::uint32_t size = static_cast<std::uint32_t>(sectorSize);
    sectorsInFile = reachable > size ? (reachable - size + size - 1) / size : 0;
}

std::uint32_t CPPSFile::headerValue(std::int32_t offset) const {
    return littleEndian32(header + offset);
}

bool CPPSFile::isSectorInFile(std::uint32_t sector) const {
    return sector < sectorsInFile;
}

// The FAT sector numbers: the first 109 from the header, the rest from the chain of FAT-list sectors,
// each of which holds a sector's worth of numbers and, in its last slot, the next FAT-list sector.
void CPPSFile::gatherFatSectorNumbers(std::vector<std::uint32_t>& fatSectors) {
    const std::uint32_t count = headerValue(compound::kFatSectorCountOffset);
    if (count > sectorsInFile) throwFail(compound::kBadFat, __LINE__, kUnit);
    fatSectors.reserve(count);
    for (std::int32_t slot = 0; slot < compound::kHeaderFatListSlots && fatSectors.size() < count; ++slot) {
        fatSectors.push_back(headerValue(compound::kHeaderFatListOffset + 4 * slot));
    }
    const std::int32_t slotsPerSector = sectorSize / 4 - 1;
    std::vector<std::uint8_t> listSector(static_cast<std::size_t>(sectorSize));
    std::uint32_t next = headerValue(compound::kFirstFatListSectorOffset);
    std::uint32_t listSectorsRead = 0;
    while (fatSectors.size() < count) {
        // More list sectors than the file has sectors means the chain loops.
        if (!isSectorInFile(next) || ++listSectorsRead > sectorsInFile) throwFail(compound::kBadFat, __LINE__, kUnit);
        readSector(file, (static_cast<std::int64_t>(next) + 1) * sectorSize, sectorSize, listSector.data());
        for (std::int32_t slot = 0; slot < slotsPerSector && fatSectors.size() < count; ++slot) {
            fatSectors.push_back(littleEndian32(listSector.data() + 4 * slot));
        }
        next = littleEndian32(listSector.data() + 4 * slotsPerSector);
    }
    for (const std::uint32_t sector : fatSectors) {
        if (!isSectorInFile(sector)) throwFail(compound::kBadFat, __LINE__, kUnit);
    }
}

void CPPSFile::readFat() {
    std::vector<std::uint32_t> fatSectors;
    gatherFatSectorNumbers(fatSectors);
    const std::vector<std::uint8_t> bytes = readSectors(fatSectors);
    fat.resize(bytes.size() / 4);
    for (std::size_t i = 0; i < fat.size(); ++i) fat[i] = littleEndian32(bytes.data() + 4 * i);
}

// The sectors of the chain from start through the FAT. A sector outside the FAT or the file (the free
// and FAT-list marks among them) fails with `failure`; a chain that comes back to one of its sectors
// ends there.
std::vector<std::uint32_t> CPPSFile::followChain(std::uint32_t start, std::int16_t failure) {
    std::vector<std::uint32_t> chain;
    std::vector<std::uint8_t> visited(fat.size(), 0);
    for (std::uint32_t sector = start; sector != compound::kEndOfChain; sector = fat[sector]) {
        if (sector >= fat.size() || !isSectorInFile(sector)) throwFail(failure, __LINE__, kUnit);
        if (visited[sector] != 0) break;
        visited[sector] = 1;
        chain.push_back(sector);
    }
    return chain;
}

void CPPSFile::readSector(CFile* source, std::int64_t offset, std::int32_t count, std::uint8_t* buffer) {
    if (offset > INT32_MAX) throwFail(platform::error::kEndOfFile, __LINE__, kUnit);
    throwIfFailed(source->read(buffer, count, kFromStart, static_cast<std::int32_t>(offset)), __LINE__);
}

std::vector<std::uint8_t> CPPSFile::readSectors(const std::vector<std::uint32_t>& sectors) {
    std::vector<std::uint8_t> bytes(sectors.size() * static_cast<std::size_t>(sectorSize));
    for (std::size_t i = 0; i < sectors.size(); ++i) {
        readSector(file, (static_cast<std::int64_t>(sectors[i]) + 1) * sectorSize, sectorSize,
                   bytes.data() + i * static_cast<std::size_t>(sectorSize));
    }
    return bytes;
}

void CPPSFile::readMiniFat() {
    const std::vector<std::uint32_t> chain =
        followChain(headerValue(compound::kFirstMiniFatSectorOffset), compound::kBadMiniFatChain);
    const std::vector<std::uint8_t> bytes = readSectors(chain);
    miniFat.resize(bytes.size() / 4);
    for (std::size_t i = 0; i < miniFat.size(); ++i) miniFat[i] = littleEndian32(bytes.data() + 4 * i);
}

void CPPSFile::readDirectory() {
    const std::vector<std::uint32_t> chain =
        followChain(headerValue(compound::kFirstDirectorySectorOffset), compound::kBadDirectoryChain);
    if (chain.empty()) throwFail(compound::kNoDirectory, __LINE__, kUnit);
    const std::vector<std::uint8_t> bytes = readSectors(chain);
    const std::size_t total = bytes.size() / compound::kDirectoryEntryBytes;
    entries.reserve(total);
    for (std::size_t i = 0; i < total; ++i) {
        entries.push_back(readEntry(bytes.data() + i * compound::kDirectoryEntryBytes, total));
        if (entries.back().type == compound::kRootEntry) root = static_cast<std::int32_t>(i);
    }
    if (root == compound::kNoEntry) throwFail(compound::kNoRootEntry, __LINE__, kUnit);
}

// Turns the sibling tree under `top` into one list along nextInList, the top first, then its right
// subtree, then its left; answers the list's head. An entry already in a list is not taken again, so a
// tree that links back into itself or into another storage's tree ends there. Storages met are queued
// for their own children.
std::int32_t CPPSFile::flattenSiblingTree(std::int32_t top, std::vector<std::uint8_t>& linked,
                                          std::vector<std::int32_t>& storages) {
    std::int32_t head = compound::kNoEntry;
    std::int32_t tail = compound::kNoEntry;
    std::vector<std::int32_t> pending{top};
    while (!pending.empty()) {
        const std::int32_t index = pending.back();
        pending.pop_back();
        if (index == compound::kNoEntry || linked[static_cast<std::size_t>(index)] != 0) continue;
        linked[static_cast<std::size_t>(index)] = 1;
        if (tail == compound::kNoEntry) {
            head = index;
        } else {
            nextInList[static_cast<std::size_t>(tail)] = index;
        }
        tail = index;
        const PPSDirEntry& entry = entries[static_cast<std::size_t>(index)];
        if (isStorage(entry)) storages.push_back(index);
        pending.push_back(entry.leftSibling);
        pending.push_back(entry.rightSibling);
    }
    return head;
}

void CPPSFile::flattenTrees() {
    firstChild.assign(entries.size(), compound::kNoEntry);
    nextInList.assign(entries.size(), compound::kNoEntry);
    std::vector<std::uint8_t> linked(entries.size(), 0);
    std::vector<std::int32_t> storages;
    flattenSiblingTree(root, linked, storages);
    while (!storages.empty()) {
        const std::int32_t storage = storages.back();
        storages.pop_back();
        firstChild[static_cast<std::size_t>(storage)] =
            flattenSiblingTree(entries[static_cast<std::size_t>(storage)].child, linked, storages);
    }
}

void CPPSFile::copyMiniStream() {
    miniStream = new (std::nothrow) CFile(kAnyFileCode, kAnyFileCode, 1, 0, kReadWrite, kReadWrite);
    throwIfNull(miniStream, __LINE__, kUnit);
    throwIfFailed(miniStream->create(1), __LINE__);
    throwIfFailed(miniStream->open(), __LINE__);
    copyStream(&entries[static_cast<std::size_t>(root)], miniStream, 1);
    throwIfFailed(miniStream->getSize(miniStreamSize), __LINE__);
}

void CPPSFile::copyStream(const PPSDirEntry* entry, CFile* target, std::int16_t forceRegular) {
    throwIfNullObject(entry, __LINE__, kUnit);
    throwIfNullObject(target, __LINE__, kUnit);
    const bool regular = entry->size >= compound::kMiniStreamCutoff || forceRegular == 1;
    if (!regular && miniStream == nullptr) return;
    const std::vector<std::uint32_t>& table = regular ? fat : miniFat;
    const std::int32_t size = regular ? sectorSize : compound::kMiniSectorSize;

    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(size));
    std::vector<std::uint8_t> visited(table.size(), 0);
    std::uint32_t left = entry->size;
    std::uint32_t sector = entry->startSector;
    while (left > 0 && sector < table.size() && visited[sector] == 0) {
        const std::int32_t count = static_cast<std::int32_t>(std::min<std::uint32_t>(left, static_cast<std::uint32_t>(size)));
        const std::int64_t offset = regular ? (static_cast<std::int64_t>(sector) + 1) * size
                                            : static_cast<std::int64_t>(sector) * size;
        if (regular ? !isSectorInFile(sector) : offset + count > miniStreamSize) break;
        visited[sector] = 1;
        readSector(regular ? file : miniStream, offset, count, buffer.data());
        throwIfFailed(target->write(buffer.data(), count, kFromEnd, 0), __LINE__);
        left -= static_cast<std::uint32_t>(count);
        sector = table[sector];
    }
}

const PPSDirEntry* CPPSFile::findEntry(std::int32_t start, const char* name, std::int16_t recursive) {
    if (name == nullptr || start < 0 || start >= entryCount()) return nullptr;
    // Where to go on in the lists the search has stepped down from.
    std::vector<std::int32_t> resume;
    std::int32_t index = start;
    while (true) {
        if (index == compound::kNoEntry) {
            if (resume.empty()) return nullptr;
            index = resume.back();
            resume.pop_back();
            continue;
        }
        const auto at = static_cast<std::size_t>(index);
        const PPSDirEntry& entry = entries[at];
        if (std::strcmp(entry.name, name) == 0) return &entry;
        const bool searchChildren = recursive == 1 || (resume.empty() && start == root);
        if (isStorage(entry) && searchChildren && firstChild[at] != compound::kNoEntry) {
            resume.push_back(nextInList[at]);
            index = firstChild[at];
        } else {
            index = nextInList[at];
        }
    }
}

std::int32_t CPPSFile::storageIndex(std::int32_t start, const char* name) {
    if (name == nullptr) return root;
    const PPSDirEntry* found = findEntry(start, name, 1);
    if (found == nullptr || !isStorage(*found)) return compound::kNoEntry;
    return firstChild[static_cast<std::size_t>(found - entries.data())];
}

std::int16_t CPPSFile::hasEntry(std::int32_t start, const char* name, std::int16_t recursive) {
    return findEntry(start, name, recursive) != nullptr ? 1 : 0;
}
