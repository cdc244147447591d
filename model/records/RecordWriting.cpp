#include "model/records/RecordWriting.h"

#include <new>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "foundation/text/TextFormat.h"
#include "model/params/ParamBlockTables.h"
#include "model/records/RecordKeys.h"
#include "model/records/ValueRecords.h"

namespace {

constexpr const char* kUnit = "BStory";

// The writer's code for a table that has no hand-written rows.
constexpr auto failOnHandWrittenRow = [](const FieldSpec& row, CStream&, const void*) { failUnknownRow(row); };

// Rows that can hold a colour: colour, border and shading attributes, and single sub-records.
bool mayHoldColors(const FieldSpec& row) {
    if (row.storage == FieldStorage::kAttribute) return row.letter == 'C' || row.letter == 'B' || row.letter == 'S';
    return row.storage == FieldStorage::kChild && row.sub != nullptr && row.itemCount == 1;
}

// The rows that may hold colours, in member order (a record's colours are registered in the order its
// members lie, which is not always its key order). A record has a handful of them, so they are picked
// and sorted on the stack at each write.
constexpr std::size_t kMaxColorRows = 32;

std::size_t colorRowsInMemberOrder(const RecordTable& table, const FieldSpec* (&rows)[kMaxColorRows]) {
    std::size_t count = 0;
    for (const FieldSpec& row : table.fields) {
        if (!mayHoldColors(row)) continue;
        if (count == kMaxColorRows) throwFail(result::kNullObject, __LINE__, kUnit);  // a table slip, never data
        std::size_t place = count++;
        while (place > 0 && rows[place - 1]->offset > row.offset) {
            rows[place] = rows[place - 1];
            --place;
        }
        rows[place] = &row;
    }
    return count;
}

void registerRowColors(const FieldSpec& row, const void* member, XParamBlock* block) {
    switch (row.letter) {
    case 'C':
        addColor(static_cast<const RGBColor*>(member), block);
        break;
    case 'B':
        addBorderColor(static_cast<const BorderSpec*>(member), block);
        break;
    case 'S':
        addShadingColors(static_cast<const ShadingSpec*>(member), block);
        break;
    default:
        break;
    }
}

}  // namespace

ChildElement::ChildElement(CStream& parent, const char* name, std::source_location where) {
    stream = new (std::nothrow) CStream(&parent, name, 1);
    throwIfNull(stream, static_cast<std::int32_t>(where.line()), kUnit);
}

ChildElement::~ChildElement() {
    disposeObject(stream);
}

void writeRecordRows(CStream& element, const RecordTable& table, const void* record, bool onlyChanged,
                     HandWrittenRow handWritten) {
    for (const FieldSpec& row : table.fields) {
        if (!rowIsStored(row, record, onlyChanged)) continue;
        switch (row.storage) {
        case FieldStorage::kAttribute:
            writeRecordKey(element, row, record);
            break;
        case FieldStorage::kChild:
            writeChildRecord(element, row, record, handWritten);
            break;
        case FieldStorage::kHandWritten:
            handWritten(row, element, record);
            break;
        case FieldStorage::kNotStored:
            break;
        }
    }
}

void writeRecordRows(CStream& element, const RecordTable& table, const void* record, bool onlyChanged) {
    writeRecordRows(element, table, record, onlyChanged, failOnHandWrittenRow);
}

void writeChildRecord(CStream& parent, const FieldSpec& row, const void* record, HandWrittenRow handWritten) {
    if (row.storage != FieldStorage::kChild || row.sub == nullptr) failUnknownRow(row);
    ChildElement child(parent, row.element);
    writeRecordRows(*child, *row.sub, fieldAddress(row, record), false, handWritten);
}

void writeChildRecord(CStream& parent, const FieldSpec& row, const void* record) {
    writeChildRecord(parent, row, record, failOnHandWrittenRow);
}

void registerRecordColors(const RecordTable& table, const void* record, bool onlyChanged, XParamBlock* block) {
    if (block == nullptr) return;
    const FieldSpec* rows[kMaxColorRows];
    const std::size_t count = colorRowsInMemberOrder(table, rows);
    for (std::size_t i = 0; i < count; ++i) {
        const FieldSpec* row = rows[i];
        if (!rowIsStored(*row, record, onlyChanged)) continue;
        const void* member = fieldAddress(*row, record);
        if (row->storage == FieldStorage::kAttribute) registerRowColors(*row, member, block);
        if (row->storage == FieldStorage::kChild && row->sub != nullptr && row->itemCount == 1)
            registerRecordColors(*row->sub, member, false, block);
    }
}

void failUnknownRow(const FieldSpec& /*row*/) {
    throwFail(result::kNullObject, __LINE__, kUnit);
}
