#pragma once
// One stream of a compound file, copied into a temporary file that reads like any other file. The
// temporary file is deleted with the object.
#include <cstdint>

#include "foundation/files/CFile.h"
#include "package/compound/CPPSFile.h"

class CPPSStream : public CFile {
public:
    // Finds the stream as CPPSFile::findEntry does and copies it. Raises CFail (unit "BPPS") 12 when
    // there is no entry of that name, or the code of a failed create, open, read or write; no temporary
    // file is left behind then. The position is left at the end; read at explicit offsets.
    CPPSStream(CPPSFile* compoundFile, std::int32_t start, const char* name, std::int16_t recursive);
    ~CPPSStream() override;
    CPPSStream(const CPPSStream&) = delete;
    CPPSStream& operator=(const CPPSStream&) = delete;

private:
    void fill(CPPSFile* compoundFile, std::int32_t start, const char* name, std::int16_t recursive);
};
