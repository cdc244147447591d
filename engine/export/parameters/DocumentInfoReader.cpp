#include "engine/export/parameters/DocumentInfoReader.h"

#include <algorithm>
#include <cstring>

#include "engine/export/parameters/RequiredElement.h"
#include "foundation/text/PascalText.h"
#include "model/records/RecordKeys.h"
#include "model/records/RecordTables.h"

namespace {

// The stored mark is its length byte followed by its bytes, taken as one text.
void markFromText(const char* text, std::uint8_t (&mark)[kMarkBytes]) {
    const std::size_t stored = text[0] != '\0' ? strnlen(text + 1, kMarkBytes - 1) : 0;
    const std::size_t length = std::min<std::size_t>(static_cast<std::uint8_t>(text[0]), stored);
    std::memset(mark, 0, sizeof mark);
    mark[0] = static_cast<std::uint8_t>(length);
    std::memcpy(mark + 1, text + 1, length);
}

}  // namespace

void initXInfo(XInfo& info) {
    std::memset(static_cast<void*>(&info), 0, sizeof info);
    initXHead(&info.head);
}

void readDocumentInfo(CStream& documentElement, XInfo& info) {
    RequiredElement element(documentElement, "XInfo");
    char mark[kMarkBytes + 1] = {};
    element->readValues(nullptr, nullptr, "XInfo_fVers %d XInfo_fFlag %d XInfo_fMark %s", &info.fVers, &info.fFlag,
                        mark);
    markFromText(mark, info.fMark);
    readRecordKeys(*element, kXHeadTable, &info.head);
}

void placeDocumentInfo(const XInfo& info, XParamBlock& block) {
    copyXHead(&block.head, &info.head);
    copyPascal(block.mark, info.fMark, 0);
}
