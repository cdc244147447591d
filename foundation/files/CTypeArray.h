#pragma once
// Lists of files: sorted lists of pointers to heap copies of FileSpecs, which the list owns.
//
// Every distinct file keeps its own entry: the order is by name ignoring case, then by folder
// (ignoring case, then exactly), then by the exact name. So "a.docx" from two folders, and "a.docx"
// beside "A.docx" in one folder, are separate entries; only the same name in the same folder is one.
//
// Ownership: addFileSpec copies, removeFileSpec and freeAllFileSpecs free. LArray's own operations move
// pointers without copying: appendItem(&heapSpec) hands a heap FileSpec (allocMemory) to the list, and
// fetchItem then removeItems hands one back to the caller, who frees it.
#include <cstdint>

#include "foundation/files/FileSpec.h"
#include "foundation/memory/LArray.h"
#include "foundation/memory/LComparator.h"

// Orders items that point at FileSpecs; a key is a FileSpec* and follows the same order.
class CTypeComparator : public LComparator {
public:
    ~CTypeComparator() override;
    std::int32_t compare(const void* item1, const void* item2, std::int32_t size1, std::int32_t size2) const override;
    std::int32_t compareToKey(const void* item, std::int32_t size, const void* key) const override;
    LComparator* clone() const override;
};

// -1, 0 or 1 in the order of file lists.
std::int32_t compareFileSpecs(const FileSpec& a, const FileSpec& b);

class CTypeArray : public LArray {
public:
    CTypeArray();
    ~CTypeArray() override;

    // Adds a copy at its sorted place unless the same file is listed; answers the count after the call.
    virtual std::int32_t addFileSpec(const FileSpec& spec);
    // Takes the same file out of the list and frees its copy; answers its former 1-based position, or 0.
    virtual std::int32_t removeFileSpec(const FileSpec& spec);
    // The 1-based position of the same file, or 0.
    virtual std::int32_t indexOfFileSpec(const FileSpec& spec) const;
    // The entry at a 1-based position, null outside 1..count. Valid while the entry is listed.
    virtual FileSpec* fileSpecAt(std::int32_t position) const;
    // The first entry in list order whose file id is id; null when none, and for 0 (no id).
    virtual FileSpec* findByFileId(std::uint32_t id) const;
    // The smallest id from kFirstFileId up that no entry holds; it always fits the 26 id bits
    // (0 only if every such id were taken).
    virtual std::uint32_t nextFreeFileId() const;
    // Frees every entry's copy and empties the list; the list stays usable.
    virtual void freeAllFileSpecs();
};
