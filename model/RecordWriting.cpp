#include "model/RecordWriting.h"

#include <new>

#include "foundation/CFail.h"
#include "foundation/Memory.h"
#include "foundation/TextFormat.h"
#include "model/ParamBlockTables.h"
#include "model/RecordKeys.h"
#include "model/ValueRecords.h"

namespace {

constexpr const char* kUnit = "BStory";

// The writer's code for a table that has no hand-written rows.
constexpr auto failOnHandWrittenRow = [](const FieldSpec& row, CStream&, const void*) { failUnknownRow(row); };

// The row with the lowest offset above `after` (any offset when after is null); null when none is left.
// Tables are short, so a walk in member order needs no sorted copy.
const FieldSpec* nextInMemberOrder(const RecordTable& table, const FieldSpec* after) {
    const FieldSpec* next = nullptr;
    for (const FieldSpec& row : table.fields) {
        if (after != nullptr && row.offset <= after->offset) continue;
        if (next == nullptr || row.offset < next->offset) next = &row;
    }
    return next;
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
    for (const FieldSpec* row = nextInMemberOrder(table, nullptr); row != nullptr; row = nextInMemberOrder(table, row)) {
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

IndexedName::IndexedName(const char* pattern, int index) {
    formatStringInto(text, static_cast<std::int32_t>(sizeof text), pattern, index, index);
}
