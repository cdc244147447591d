#include "model/XRowReader.h"

#include "foundation/CFail.h"
#include "model/RecordKeys.h"
#include "model/RecordTables.h"

std::int16_t readXRow(CStream* parent, const char* name, XRow* cell) {
    if (parent == nullptr || name == nullptr || cell == nullptr) return result::kNullObject;
    return failureCode([&] {
        CStream element(parent, name, 0);
        readRecordKeys(element, kXRowTable, cell);
        readChildRecords(element, kXRowTable, cell);  // "TCBORDERS", "TCMAR"
    });
}
