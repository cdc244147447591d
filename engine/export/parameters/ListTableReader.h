#pragma once
// The element "LISTS" under "Zevozav", read back into the block's three list arrays: the definitions
// ("LISTDEF%03d" up to "listDefCount"), the overrides ("LISTOVR%03d" up to "listOvrCount") and the
// picture bullets ("LISTPIC%03d" up to "listPicCount"). Each array is one block of the memory layer,
// cleared before its first record is read, so what the storage does not carry (a level's section record
// and style, a formatting field whose change bit is clear) reads as 0.
//
// A count of 0 or below allocates nothing and stays as stored. A bullet element without the picture's
// attributes (a bullet that had no picture) gives a null picture.
#include <cstdint>

#include "model/params/XParamBlock.h"
#include "model/storage/CStream.h"
#include "model/tables/ListRecords.h"

// Reads the level element "LEVEL%03d" (index) under parent onto the record: its text becomes the level
// text (a new buffer, or null and 0 when the element has none), then its attributes and its children
// "levelForm" and "levelRule". The record's other fields keep what the caller gave them; its levelText
// must hold no buffer (it is replaced, not freed). Also serves data files written in the same form.
// An absent element raises CFail 22 (RequiredElement.h); lacking memory, CFail 12.
void readListLevel(CStream& parent, std::int32_t index, XListLevel& level);

// An absent element raises CFail 22; lacking memory or an array too large to allocate, CFail 12. The
// block keeps what was read before a failure, counts matching their arrays, so its disposal releases
// everything.
void readListTables(CStream& documentElement, XParamBlock& block);
