#include "package/CUnzipper.h"


#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "package/PrefetchedByteStream.h"
#include "package/ZipFileCallbacks.h"
#include "package/ZipMemberStream.h"

namespace {

constexpr const char* kUnit = "BUnzip";
// A member is read into a block of the size the archive states, in one piece: growing it step by step
// copied a large part once per doubling. The block is only reserved, not touched, until data is
// inflated into it, so memory in use still follows the data, not the claim (which locateMember
// bounds). Data beyond the stated size is never read.

void raiseIfError(int code, int line) {
    if (code != UNZ_OK) throwFail(code, line, kUnit);
}

// Closes the open member on every path out of a read that failed.
class OpenMember {
public:
    explicit OpenMember(unzFile archive) : archive(archive) {}
    ~OpenMember() {
        if (archive) unzCloseCurrentFile(archive);
    }
    OpenMember(const OpenMember&) = delete;
    OpenMember& operator=(const OpenMember&) = delete;
    // Closes it here, where the zip library checks the data against its checksum.
    int close() {
        const int closed = unzCloseCurrentFile(archive);
        archive = nullptr;
        return closed;
    }

private:
    unzFile archive;
};

// Members from this size on are inflated ahead on a thread while their reader works through the
// bytes before; a smaller one is not worth a thread.
constexpr std::uint64_t kPrefetchedMember = std::uint64_t{1} << 20;

bool looksLikeABomb(std::uint64_t uncompressedSize, std::uint64_t compressedSize) {
    if (uncompressedSize > CUnzipper::kLargestMember) return true;
    // A compressed size this large cannot be exceeded 1000 times by an allowed member (and would
    // overflow the product).
    if (compressedSize >= CUnzipper::kLargestMember) return false;
    return uncompressedSize > compressedSize * CUnzipper::kLargestInflation;
}

}  // namespace

std::uint64_t CUnzipper::locateMember(unzFile archive, const char* memberName) {
    if (memberName == nullptr) throwFail(result::kNullObject, __LINE__, kUnit);
    raiseIfError(unzLocateFile(archive, memberName, 1), __LINE__);
    unz_file_info64 info;
    raiseIfError(unzGetCurrentFileInfo64(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0), __LINE__);
    if (looksLikeABomb(info.uncompressed_size, info.compressed_size)) throwFail(result::kNullObject, __LINE__, kUnit);
    return info.uncompressed_size;
}

CUnzipper::CUnzipper(const PascalWString& name, const PascalWString& folder) : handle(nullptr) {
    char16_t* const path = packageFile;
    pstringToWString(path, folder);
    appendPStringToWString(path, name);
    zlib_filefunc_def callbacks;
    fillZipFileFuncs(&callbacks);
    handle = unzOpen2(reinterpret_cast<const char*>(path), &callbacks);
    if (!handle) throwFail(result::kOutOfMemory, __LINE__, kUnit);
}

CUnzipper::~CUnzipper() {
    if (!handle) return;
    unzCloseCurrentFile(handle);
    unzClose(handle);
}

std::int16_t CUnzipper::extractMember(const char* memberName, void** buffer, std::int32_t* size) {
    *buffer = nullptr;
    *size = 0;
    try {
        if (!handle) throwFail(result::kNullObject, __LINE__, kUnit);
        readOpenMember(locateMember(handle, memberName), buffer, size);
        return result::kSuccess;
    } catch (const CFail& failure) {
        freeMemory(*buffer);
        *size = 0;
        return failure.error;
    }
}

void CUnzipper::readOpenMember(std::uint64_t statedSize, void** buffer, std::int32_t* size) {
    raiseIfError(unzOpenCurrentFile(handle), __LINE__);
    OpenMember member(handle);
    std::uint64_t filled = 0;
    auto* block = static_cast<std::uint8_t*>(allocMemory(static_cast<std::int32_t>(statedSize)));
    throwIfNull(block, __LINE__, kUnit);
    *buffer = block;
    while (filled < statedSize) {
        const int read = unzReadCurrentFile(handle, block + filled, static_cast<unsigned>(statedSize - filled));
        if (read < 0) throwFail(read, __LINE__, kUnit);
        if (read == 0) break;
        filled += static_cast<std::uint64_t>(read);
    }
    // An empty member, or data that ends before its stated size: nothing whole to hand out.
    if (filled == 0 || filled < statedSize) throwFail(result::kNullObject, __LINE__, kUnit);
    raiseIfError(member.close(), __LINE__);
    *size = static_cast<std::int32_t>(filled);
}

std::unique_ptr<PartByteStream> CUnzipper::openMemberStream(const char* memberName) const {
    auto member = std::make_unique<ZipMemberStream>(packageFile, memberName);
    if (member->statedSize() < kPrefetchedMember) return member;
    return std::make_unique<PrefetchedByteStream>(std::move(member));
}
