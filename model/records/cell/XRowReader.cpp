#include "model/records/cell/XRowReader.h"

#include "foundation/CFail.h"
#include "model/records/RecordKeys.h"
#include "model/records/RecordTables.h"

std::int16_t readXRow(CStream* parent, const char* name, XRow* cell) {
    if (parent == nullptr || name == nullptr || cell == nullptr) return result::kNullObject;
    return failureCode([&] {
        CStream element(parent, name, 0);
        readRecordKeys(element, kXRowTable, cell);
        readChildRecords(element, kXRowTable, cell);  // "TCBORDERS", "TCMAR"
    });
}
