#include "package/compound/CPPSStream.h"

#include "foundation/CFail.h"
#include "foundation/FailureCode.h"
#include "foundation/encoding/FourCharCode.h"

namespace {

constexpr const char* kUnit = "BPPS";

}  // namespace

CPPSStream::CPPSStream(CPPSFile* compoundFile, std::int32_t start, const char* name, std::int16_t recursive)
    : CFile(kAnyFileCode, kAnyFileCode, 1, 0, kGenericRead | kGenericWrite, kGenericRead | kGenericWrite) {
    try {
        raisingOutOfMemory(__LINE__, kUnit, [&] { fill(compoundFile, start, name, recursive); });
    } catch (const CFail&) {
        // The destructor does not run for a constructor that raises: the file goes here.
        if (getName().length() > 0) CFile::remove();
        rethrowFailure();
    }
}

CPPSStream::~CPPSStream() {
    if (getName().length() > 0) CFile::remove();
}

void CPPSStream::fill(CPPSFile* compoundFile, std::int32_t start, const char* name, std::int16_t recursive) {
    throwIfNullObject(compoundFile, __LINE__, kUnit);
    const PPSDirEntry* entry = compoundFile->findEntry(start, name, recursive);
    throwIfNull(entry, __LINE__, kUnit);
    throwIfError(create(1), __LINE__, kUnit);
    throwIfError(open(), __LINE__, kUnit);
    compoundFile->copyStream(entry, this, 0);
}
