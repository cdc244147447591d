#include "engine/import/DocumentInfoWriter.h"

#include <algorithm>
#include <cstring>

#include "foundation/encoding/CharsetText.h"
#include "foundation/files/CFile.h"
#include "model/records/RecordTables.h"
#include "model/records/RecordWriting.h"

namespace {
constexpr std::int16_t kInfoVersion = 4000;
constexpr std::int16_t kInfoFlag = 0;

// A bounded copy that always ends with a 0 byte. The texts copied here are one byte per character
// (WINDOWS-1252 or the importer's ASCII name), so any cut is at a character boundary.
template <std::size_t N>
void copyBounded(char (&field)[N], const char* text) {
    const std::size_t length = std::min(std::strlen(text), N - 1);
    std::memcpy(field, text, length);
    field[length] = '\0';
}

// The mark as the text stored: its length byte, then its bytes, ended by a 0 byte.
void markText(const std::uint8_t (&mark)[kMarkBytes], char (&text)[kMarkBytes + 1]) {
    const std::size_t length = std::min<std::size_t>(mark[0], kMarkBytes - 1);
    text[0] = static_cast<char>(mark[0]);
    std::memcpy(text + 1, mark + 1, length);
    text[length + 1] = '\0';
}
}  // namespace

void fillInputFacts(XParamBlock& block, const char* importerName, CFile* inputFile) {
    copyBounded(block.head.originalFileType, importerName);
    if (inputFile == nullptr) return;
    char name[2 * kPascalTempBytes];
    uniPascalToText(inputFile->getName(), name);
    copyBounded(block.head.originalFileName, name);
    block.head.originalFileSize = inputFile->sizeOrZero();
    block.head.originalFileCrDt = inputFile->firstTimeOrZero();
    block.head.originalFileMdDt = inputFile->secondTimeOrZero();
}

void writeDocumentInfo(const XParamBlock& block, CStream& documentElement) {
    XHead head;
    copyXHead(&head, &block.head);
    char mark[kMarkBytes + 1];
    markText(block.mark, mark);
    ChildElement info(documentElement, "XInfo");
    info->writeValues(nullptr, 0, "XInfo_fVers %d XInfo_fFlag %d XInfo_fMark %s", kInfoVersion, kInfoFlag,
                      static_cast<const char*>(mark));
    writeRecordRows(*info, kXHeadTable, &head, false);
}
