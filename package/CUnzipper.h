#pragma once
// One open zip package, handing out single members read whole into heap blocks. The package is
// read through the zip library with our own file callbacks (ZipFileCallbacks.h); sizes written in the
// archive are claims, not facts: a member's data is checked against them as it is read.
#include <minizip/unzip.h>

#include <cstdint>
#include <memory>

#include "foundation/CBase.h"
#include "foundation/text/PascalWString.h"
#include "package/PartByteStream.h"

class CUnzipper : public CBase {
public:
    // The largest member handed out, and the most a member may inflate relative to its compressed
    // size; anything beyond either is taken for a zip bomb and refused with 22 before memory fills.
    static constexpr std::uint64_t kLargestMember = std::uint64_t{256} * 1024 * 1024;
    static constexpr std::uint64_t kLargestInflation = 1000;

    // Opens the package folder + name; a package that is missing, unreadable or not a zip file raises
    // CFail 12.
    CUnzipper(const PascalWString& name, const PascalWString& folder);
    ~CUnzipper() override;
    CUnzipper(const CUnzipper&) = delete;
    CUnzipper& operator=(const CUnzipper&) = delete;

    // Reads the member stored under exactly this name ('/' separators, case-sensitive) into a new heap
    // block released with freeMemory. 0 on success; otherwise the block is null and the answer is the
    // failure's code: -100 no such member, -105 the data does not match its checksum, 22 an empty
    // member, data shorter than its stated size or a zip bomb, 12 no memory, minizip's negative code
    // for other damage. The size is the number of bytes in the block.
    virtual std::int16_t extractMember(const char* memberName, void** buffer, std::int32_t* size);
    // The same member as a stream (PartByteStream.h) through a handle of its own, with the same checks
    // and codes, raised as CFail. A large member is inflated ahead on a thread of its own.
    std::unique_ptr<PartByteStream> openMemberStream(const char* memberName) const;

    // Makes the member stored under this name the archive's current one and answers its stated size;
    // a missing member, damage, or a member taken for a zip bomb raises CFail with the codes above.
    static std::uint64_t locateMember(unzFile archive, const char* memberName);

private:
    void readOpenMember(std::uint64_t statedSize, void** buffer, std::int32_t* size);

    unzFile handle;
    char16_t packageFile[2 * kPascalCapacity + 4];  // as the zip file callbacks take it
};
