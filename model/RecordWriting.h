#pragma once
// Pieces shared by the record writers (XRuleWriter.h, XRowWriter.h), on top of the key writes of
// RecordKeys.h:
//   - ChildElement: a new child element for one sub-record, released when the writer leaves its scope,
//     normally or through a failure (the element stays in the document);
//   - writeChildRecord: a child row of a field table as its element with every key of the sub-record
//     and, in turn, the sub-record's own child rows;
//   - registerColors: the colours of the stored borders and shadings entered into a block's colour table;
//   - boundedCount: a count of items clamped to the array that holds them.
//
// A child element that cannot be made raises CFail 12 in unit "BStory"; failures of the storage and of
// the colour table pass through as they are. The writers run their whole body under guarded()
// (RecordKeys.h), so such a failure becomes their result and what was written before it stays.
#include <algorithm>
#include <cstdint>

#include "model/CStream.h"
#include "model/RecordFields.h"

struct XParamBlock;

// A child element made in create mode: a new element appended to the parent even when one of that name
// exists. No object for it raises CFail 12 ("BStory", the caller's line); a storage that refuses the
// element raises its own failure.
class ChildElement {
public:
    ChildElement(CStream& parent, const char* name, std::int32_t line);
    ~ChildElement();
    ChildElement(const ChildElement&) = delete;
    ChildElement& operator=(const ChildElement&) = delete;

    CStream& operator*() const { return *stream; }
    CStream* operator->() const { return stream; }
    CStream* get() const { return stream; }

private:
    CStream* stream = nullptr;
};

// The sub-record of a child row (FieldStorage::kChild) as a new child element of `parent`: every key of
// the sub-record's table, then its own child rows, each a child element in table order. `line` is the
// caller's, for the failure that reports the element missing.
void writeChildRecord(CStream& parent, const FieldSpec& row, const void* record, std::int32_t line);

// With a block: offers to its colour table the colour of every border (letter B: its tint), shading
// (letter S: its tint, then its fill) and colour (letter C) among the table's attribute rows, and of
// those inside its child rows, in the order of the members in the record (not in key order). With
// onlyChanged a row with a change bit counts only when that bit is set in the record's change mask.
// Hand-written rows are passed over. Without a block nothing happens.
void registerColors(const RecordTable& table, const void* record, XParamBlock* block, bool onlyChanged);

// A count of items clamped to 0 .. capacity: the writers never go past the array that holds the items,
// and store the count they wrote.
template <typename Count>
Count boundedCount(Count count, int capacity) {
    return static_cast<Count>(std::clamp<int>(count, 0, capacity));
}
