#include "model/RecordKeys.h"

#include "foundation/FieldMask.h"

namespace {

constexpr const char* kUnit = "BStory";

}  // namespace

void readRecordKeys(CStream& element, const RecordTable& table, void* record) {
    for (const FieldSpec& row : table.fields) {
        if (row.storage != FieldStorage::kAttribute) continue;
        element.readAttribute(row.key, row.letter, StorageTarget::forMember(row.letter, fieldAddress(row, record), row.size));
    }
}

bool rowIsStored(const FieldSpec& row, const void* record, bool onlyChanged) {
    return !onlyChanged || row.bit == kAlways || testMaskBit(record, row.bit) == 1;
}

void writeRecordKey(CStream& element, const FieldSpec& row, const void* record) {
    element.writeAttribute(row.key, row.letter, StorageSource::forMember(row.letter, fieldAddress(row, record), row.size));
}

void writeRecordKeys(CStream& element, const RecordTable& table, const void* record, bool onlyChanged) {
    for (const FieldSpec& row : table.fields) {
        if (row.storage == FieldStorage::kAttribute && rowIsStored(row, record, onlyChanged)) writeRecordKey(element, row, record);
    }
}

std::int16_t readChildRecord(CStream& element, const FieldSpec& row, void* record) {
    if (row.storage != FieldStorage::kChild || row.sub == nullptr) return result::kNullObject;
    // Most run elements lack most children (a run stores only what changed): an absent child answers 12,
    // as the element look-up would fail, without raising a failure for it.
    xmlNode* node = element.getNode();
    if (node == nullptr || CStream::findChild(node->children, row.element, nullptr, nullptr, 0) == nullptr) {
        return result::kOutOfMemory;
    }
    return failureCode([&] {
        CStream child(&element, row.element, 0);
        void* member = fieldAddress(row, record);
        readRecordKeys(child, *row.sub, member);
        readChildRecords(child, *row.sub, member);
    });
}

void readChildRecords(CStream& element, const RecordTable& table, void* record) {
    for (const FieldSpec& row : table.fields) {
        if (row.storage == FieldStorage::kChild) readChildRecord(element, row, record);
    }
}

const FieldSpec& tableRow(const RecordTable& table, const char* name) {
    const FieldSpec* row = findField(table, name);
    throwIfNullObject(row, __LINE__, kUnit);
    return *row;
}
