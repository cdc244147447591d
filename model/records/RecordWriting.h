#pragma once
// The record writers' walk over a field table (RecordFields.h), on top of the key writes of RecordKeys.h.
// A record goes into a storage element row by row, in table order, so that the attributes and children
// stand in the order of the table and a failure leaves in the storage exactly what the rows before it
// wrote:
//   - an attribute row sets its key on the element;
//   - a child row makes its child element under the element, writes the sub-record's table into it
//     whole (the rows of a sub-record carry no change bits) and releases it;
//   - a hand-written row goes to the writer's own code (HandWrittenRow), with the element that the row's
//     table is being written into and the record or sub-record that holds the row's member; hand-written
//     rows of a child's table are passed on the same way, in their place in that table, with the child;
//   - a row that is not stored is passed over.
// With onlyChanged, a row with a change bit is taken only when that bit is set in the record's change
// mask (rowIsStored, RecordKeys.h), tested afresh at the row; head rows are always taken.
//
//     return failureCode([&] {
//         writeRecordRows(*element, kXPageTable, page, true, writeColumns);
//         registerRecordColors(kXPageTable, page, true, block);
//     });
//
// A record stored whole whose keys must all come before its children (a table cell, a row set) is
// written with writeRecordKeys and then writeChildRecord for each child, the same pieces.
//
// Every failure is a CFail and stops the walk where it happens; nothing already written is undone. A
// child element that cannot be made raises CFail 12 in unit "BStory"; failures of the storage and of the
// colour table pass through as they are. The writers run their whole body under `failureCode`
// (RecordKeys.h), which makes the failure their 16-bit result.
#include <source_location>
#include <type_traits>

#include "model/BoundedCount.h"
#include "model/records/RecordFields.h"
#include "model/storage/CStream.h"
#include "model/storage/IndexedName.h"

struct XParamBlock;

// A child element made in create mode (a new last child of the parent, even when one of that name
// exists), and the stream object that stands for it, released when the holder goes; the element stays in
// the document. A stream object that cannot be allocated raises CFail 12 in unit "BStory" with the line
// of the code that asked for the child; an element that the storage cannot add fails in the storage.
class ChildElement {
public:
    ChildElement(CStream& parent, const char* name, std::source_location where = std::source_location::current());
    ~ChildElement();
    ChildElement(const ChildElement&) = delete;
    ChildElement& operator=(const ChildElement&) = delete;

    CStream& operator*() const { return *stream; }
    CStream* operator->() const { return stream; }

private:
    CStream* stream = nullptr;
};

// The writer's own code for its hand-written rows: called with the row, the element that the row's
// table is being written into and the record (or sub-record) that holds the row's member. It refers to
// the callable it was made from, which must outlive it (a lambda passed straight to the walk does); it
// never allocates, so a walk under an allocation-failure test fails only where the storage does.
class HandWrittenRow {
public:
    template <typename Write>
        requires(!std::is_same_v<std::remove_cvref_t<Write>, HandWrittenRow> &&
                 std::is_invocable_v<Write&, const FieldSpec&, CStream&, const void*>)
    HandWrittenRow(Write&& write)  // NOLINT: implicit on purpose, so that the walk takes a lambda
        : object(const_cast<void*>(static_cast<const void*>(&write))),
          call([](void* target, const FieldSpec& row, CStream& element, const void* record) {
              (*static_cast<std::remove_reference_t<Write>*>(target))(row, element, record);
          }) {}

    void operator()(const FieldSpec& row, CStream& element, const void* record) const {
        call(object, row, element, record);
    }

private:
    void* object;
    void (*call)(void*, const FieldSpec&, CStream&, const void*);
};

// Writes the rows of the table that the walk takes, in table order (see above).
void writeRecordRows(CStream& element, const RecordTable& table, const void* record, bool onlyChanged,
                     HandWrittenRow handWritten);
// The same for a table without hand-written rows: meeting one raises CFail 22.
void writeRecordRows(CStream& element, const RecordTable& table, const void* record, bool onlyChanged);

// One child row of `record`'s table: its element under `parent`, holding the sub-record's rows. A row
// that is not a child row raises CFail 22.
void writeChildRecord(CStream& parent, const FieldSpec& row, const void* record, HandWrittenRow handWritten);
void writeChildRecord(CStream& parent, const FieldSpec& row, const void* record);

// With a block: offers to its colour table the colour of every colour row (letter C: the colour; B: a
// border's tint; S: a shading's tint, then its fill) that the walk takes, and of those inside its child
// rows, in the order of the members in the record (not in key order: a table's borders are stored left
// and right first but kept top, left, bottom, right). Hand-written rows are passed over. The table keeps
// each colour once and never the automatic colour. Without a block nothing happens.
void registerRecordColors(const RecordTable& table, const void* record, bool onlyChanged, XParamBlock* block);

// A hand-written row that the writer has no code for: CFail 22, unit "BStory".
[[noreturn]] void failUnknownRow(const FieldSpec& row);
