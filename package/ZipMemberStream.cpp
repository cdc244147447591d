#include "package/ZipMemberStream.h"

#include <algorithm>

#include "foundation/CFail.h"
#include "package/CUnzipper.h"
#include "package/ZipFileCallbacks.h"

namespace {

constexpr const char* kUnit = "BUnzip";

void raiseIfError(int code, int line) {
    if (code != UNZ_OK) throwFail(code, line, kUnit);
}

}  // namespace

ZipMemberStream::ZipMemberStream(const char16_t* packageFile, const char* memberName) {
    zlib_filefunc_def callbacks;
    fillZipFileFuncs(&callbacks);
    archive = unzOpen2(reinterpret_cast<const char*>(packageFile), &callbacks);
    if (archive == nullptr) throwFail(result::kOutOfMemory, __LINE__, kUnit);
    try {
        stated = CUnzipper::locateMember(archive, memberName);
        raiseIfError(unzOpenCurrentFile(archive), __LINE__);
        memberOpen = true;
    } catch (...) {
        close();
        throw;
    }
}

ZipMemberStream::~ZipMemberStream() { close(); }

void ZipMemberStream::close() {
    if (archive == nullptr) return;
    if (memberOpen) unzCloseCurrentFile(archive);
    memberOpen = false;
    unzClose(archive);
    archive = nullptr;
}

std::int32_t ZipMemberStream::read(char* into, std::int32_t room) {
    if (ended || room <= 0) return 0;
    // Data beyond the stated size is never read.
    const auto wanted = static_cast<unsigned>(std::min<std::uint64_t>(static_cast<std::uint64_t>(room), stated - filled));
    const int read = wanted > 0 ? unzReadCurrentFile(archive, into, wanted) : 0;
    if (read < 0) throwFail(read, __LINE__, kUnit);
    if (read == 0) {
        finish();
        return 0;
    }
    filled += static_cast<std::uint64_t>(read);
    return read;
}

// The member's end: it must have filled its stated size, and the data must match its checksum.
void ZipMemberStream::finish() {
    ended = true;
    if (filled == 0 || filled < stated) throwFail(result::kNullObject, __LINE__, kUnit);
    memberOpen = false;
    raiseIfError(unzCloseCurrentFile(archive), __LINE__);
}
