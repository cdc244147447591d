#pragma once
// The element "XInfo" under "Zevozav", read back: the storage's version and flag, the mark and every
// field of the document head, into a working record that the document-parameter reader places into the
// block only once every table has been read.
#include <cstdint>

#include "model/params/XParamBlock.h"
#include "model/records/XHead.h"
#include "model/storage/CStream.h"

struct XInfo {
    std::int16_t fVers;  // read and carried, never checked
    std::int16_t fFlag;
    XHead head;
    std::uint8_t fMark[kMarkBytes];  // length-prefixed, as the block's mark
};

// Version and flag 0, the head's defaults (view mode 1, scale 100), an empty mark: what a key absent
// from "XInfo" leaves.
void initXInfo(XInfo& info);

// Reads "XInfo" (a child of the document element; absent: CFail 22, RequiredElement.h) onto info.
// Texts are cut to their fields; a mark whose length byte claims more bytes than were stored keeps the
// bytes there are.
void readDocumentInfo(CStream& documentElement, XInfo& info);

// The head and the mark of the working record into the block.
void placeDocumentInfo(const XInfo& info, XParamBlock& block);
