#include "model/RecordWriting.h"

#include <new>

#include "foundation/CFail.h"
#include "foundation/FieldMask.h"
#include "foundation/Memory.h"
#include "model/ParamBlockTables.h"
#include "model/ValueRecords.h"

namespace {

constexpr const char* kUnit = "BStory";

void writeAttributeRow(CStream& element, const FieldSpec& row, const void* record) {
    element.writeAttribute(row.key, row.letter, StorageSource::forMember(row.letter, fieldAddress(row, record), row.size));
}

void registerColorRow(const FieldSpec& row, const void* record, XParamBlock* block) {
    const void* member = fieldAddress(row, record);
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

ChildElement::ChildElement(CStream& parent, const char* name) {
    child = new (std::nothrow) CStream(&parent, name, 1);
    throwIfNull(child, __LINE__, kUnit);
}

ChildElement::~ChildElement() {
    disposeObject(child);
}

bool rowIsTaken(const FieldSpec& row, const void* record, bool onlyChanged) {
    return !onlyChanged || row.bit == kAlways || testMaskBit(record, row.bit) == 1;
}

void writeRecordRows(CStream& element, const RecordTable& table, const void* record, bool onlyChanged,
                     HandWrittenRow handWritten) {
    for (const FieldSpec& row : table.fields) {
        if (row.storage == FieldStorage::kNotStored || !rowIsTaken(row, record, onlyChanged)) continue;
        switch (row.storage) {
        case FieldStorage::kAttribute:
            writeAttributeRow(element, row, record);
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
    const auto none = [](const FieldSpec& row, CStream&, const void*) { failUnknownRow(row); };
    writeRecordRows(element, table, record, onlyChanged, none);
}

void writeChildRecord(CStream& element, const FieldSpec& row, const void* record, HandWrittenRow handWritten) {
    if (row.storage != FieldStorage::kChild || row.sub == nullptr) failUnknownRow(row);
    ChildElement child(element, row.element);
    writeRecordRows(child.stream(), *row.sub, fieldAddress(row, record), false, handWritten);
}

void registerRecordColors(const RecordTable& table, const void* record, bool onlyChanged, XParamBlock* block) {
    if (block == nullptr) return;
    for (const FieldSpec& row : table.fields) {
        if (row.storage != FieldStorage::kAttribute || !rowIsTaken(row, record, onlyChanged)) continue;
        registerColorRow(row, record, block);
    }
}

void failUnknownRow(const FieldSpec& /*row*/) {
    throwFail(result::kNullObject, __LINE__, kUnit);
}
