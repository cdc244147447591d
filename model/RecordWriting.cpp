#include "model/RecordWriting.h"

#include <new>

#include "foundation/CFail.h"
#include "foundation/FieldMask.h"
#include "foundation/Memory.h"
#include "model/ParamBlockTables.h"
#include "model/RecordKeys.h"
#include "model/ValueRecords.h"

namespace {

constexpr const char* kUnit = "BStory";

bool rowIsStored(const FieldSpec& row, const void* record, bool onlyChanged) {
    return !onlyChanged || row.bit == kAlways || testMaskBit(record, row.bit) == 1;
}

// The row with the lowest offset above `after` (any offset when after is null); null when none is left.
// Tables are short, so a walk in member order needs no sorted copy.
const FieldSpec* nextInMemoryOrder(const RecordTable& table, const FieldSpec* after) {
    const FieldSpec* next = nullptr;
    for (const FieldSpec& row : table.fields) {
        if (after != nullptr && row.offset <= after->offset) continue;
        if (next == nullptr || row.offset < next->offset) next = &row;
    }
    return next;
}

void registerColorsOf(const FieldSpec& row, const void* member, XParamBlock* block) {
    switch (row.letter) {
    case 'B':
        addBorderColor(static_cast<const BorderSpec*>(member), block);
        break;
    case 'S':
        addShadingColors(static_cast<const ShadingSpec*>(member), block);
        break;
    case 'C':
        addColor(static_cast<const RGBColor*>(member), block);
        break;
    default:
        break;
    }
}

}  // namespace

ChildElement::ChildElement(CStream& parent, const char* name, std::int32_t line) {
    stream = new (std::nothrow) CStream(&parent, name, 1);
    throwIfNull(stream, line, kUnit);
}

ChildElement::~ChildElement() {
    disposeObject(stream);
}

void writeChildRecord(CStream& parent, const FieldSpec& row, const void* record, std::int32_t line) {
    throwIfNullObject(row.sub, __LINE__, kUnit);
    ChildElement child(parent, row.element, line);
    const void* member = fieldAddress(row, record);
    writeRecordKeys(*child, *row.sub, member, false);
    for (const FieldSpec& inner : row.sub->fields) {
        if (inner.storage == FieldStorage::kChild) writeChildRecord(*child, inner, member, __LINE__);
    }
}

void registerColors(const RecordTable& table, const void* record, XParamBlock* block, bool onlyChanged) {
    if (block == nullptr) return;
    for (const FieldSpec* row = nextInMemoryOrder(table, nullptr); row != nullptr; row = nextInMemoryOrder(table, row)) {
        if (!rowIsStored(*row, record, onlyChanged)) continue;
        const void* member = fieldAddress(*row, record);
        if (row->storage == FieldStorage::kAttribute) registerColorsOf(*row, member, block);
        if (row->storage == FieldStorage::kChild && row->sub != nullptr && row->itemCount == 1)
            registerColors(*row->sub, member, block, false);
    }
}
