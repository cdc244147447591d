#pragma once
// A compound file (OLE2 structured storage), read far enough to find a stream by name and copy it out.
// The password-protected Office document is such a file, whose "EncryptedPackage" stream holds the
// encrypted package.
//
// The constructor loads the header, the whole FAT (also FAT sectors listed outside the header), the
// mini FAT, the directory, and a copy of the mini stream in a temporary file that the destructor
// deletes. Everything read from the file is checked before it is used: sector numbers must lie inside
// the FAT and the file, and chains and sibling trees that loop are cut where they meet themselves,
// keeping what was read before.
//
// Sibling trees are flattened into lists: each storage's children are one list, followed through
// nextInList from firstChild.
#include <cstdint>
#include <vector>

#include "foundation/CBase.h"
#include "foundation/files/CFile.h"
#include "foundation/text/PascalWString.h"
#include "package/compound/CompoundFileFormat.h"

class CPPSFile : public CBase {
public:
    // Opens the file for reading and loads it. Raises CFail (unit "BPPS") with the codes of
    // CompoundFileFormat.h, 12 for lack of memory, or the file's own code of a failed open or read;
    // everything built so far is released first.
    CPPSFile(const PascalWString& name, const PascalWString& folder);
    // The same over a file object made by the caller (not yet opened); the reader owns it from here on,
    // also when it raises.
    explicit CPPSFile(CFile* source);
    ~CPPSFile() override;
    CPPSFile(const CPPSFile&) = delete;
    CPPSFile& operator=(const CPPSFile&) = delete;

    // With a null name the root entry's index; otherwise the child list of the storage of that name found
    // from start (recursively), or kNoEntry.
    virtual std::int32_t storageIndex(std::int32_t start, const char* name);
    virtual std::int16_t hasEntry(std::int32_t start, const char* name, std::int16_t recursive);
    // Appends the entry's stream to the target at its end: through the FAT when the stream is 4096 bytes
    // or more or forceRegular is 1, else through the mini FAT. A chain that ends, leaves its table or
    // meets itself before the size is reached yields the bytes copied so far. A failed read or write
    // raises its code.
    virtual void copyStream(const PPSDirEntry* entry, CFile* target, std::int16_t forceRegular);
    // Walks the list from start along the sibling links; the first entry whose name equals `name` byte
    // for byte. A storage's children are searched too when recursive is 1, and the root's children when
    // the search starts at the root. Null when nothing matches or start is no entry.
    virtual const PPSDirEntry* findEntry(std::int32_t start, const char* name, std::int16_t recursive);

    std::int32_t rootIndex() const { return root; }
    std::int32_t entryCount() const { return static_cast<std::int32_t>(entries.size()); }

private:
    void load();
    void readSignature();
    void readHeader();
    std::uint32_t headerValue(std::int32_t offset) const;
    void gatherFatSectorNumbers(std::vector<std::uint32_t>& fatSectors);
    void readFat();
    bool isSectorInFile(std::uint32_t sector) const;
    std::vector<std::uint32_t> followChain(std::uint32_t start, std::int16_t failure);
    std::vector<std::uint8_t> readSectors(const std::vector<std::uint32_t>& sectors);
    void readMiniFat();
    void readDirectory();
    void flattenTrees();
    std::int32_t flattenSiblingTree(std::int32_t top, std::vector<std::uint8_t>& linked,
                                    std::vector<std::int32_t>& storages);
    void copyMiniStream();
    void readSector(CFile* source, std::int64_t offset, std::int32_t count, std::uint8_t* buffer);
    void release();

    CFile* file = nullptr;        // owned
    CFile* miniStream = nullptr;  // owned; a temporary file, deleted with the reader
    std::uint32_t miniStreamSize = 0;
    std::uint8_t header[compound::kHeaderBytes] = {};
    std::int32_t sectorSize = 512;
    std::uint32_t sectorsInFile = 0;
    std::vector<std::uint32_t> fat;
    std::vector<std::uint32_t> miniFat;
    std::vector<PPSDirEntry> entries;
    std::vector<std::int32_t> firstChild;  // per entry: the head of its children's list
    std::vector<std::int32_t> nextInList;  // per entry: the next entry of its list
    std::int32_t root = compound::kNoEntry;
};
