#pragma once
// The Unicode writer's extruder: turns the UTF-16 text of a story into the units of the file. Paragraph
// ends, a table's cell marks and line, column, page and section breaks become CR LF, tabs stay, the
// other units below 28 (anchors, marks, the two hyphens) are dropped, and every unit from 28 up is
// written as it stands, surrogates included, so no character is lost.
#include <cstdint>

#include "export/PendingChunks.h"
#include "foundation/CBase.h"

class CFile;

class CUnicodeExtruder : public CBase {
public:
    // file: the output file, borrowed.
    explicit CUnicodeExtruder(CFile* file);

    // Encodes the units into pending output; nothing reaches the file before flush.
    void writeRun(const char16_t* units, std::int32_t length);
    void flush();

private:
    PendingChunks<char16_t> pending;
    CFile* file;
};
