#include "model/records/cell/XRowWriter.h"

#include "foundation/CFail.h"
#include "model/records/RecordKeys.h"
#include "model/records/RecordTables.h"
#include "model/records/RecordWriting.h"

std::int16_t writeXRow(CStream* parent, const char* name, const XRow* cell, XParamBlock* block) {
    if (parent == nullptr || name == nullptr || cell == nullptr) return result::kNullObject;
    return failureCode([&] {
        ChildElement element(*parent, name);
        // All ten keys before the children, not in table order: a cell that fails at "TCBORDERS" keeps
        // its keys.
        writeRecordKeys(*element, kXRowTable, cell, false);
        for (const FieldSpec& row : kXRowTable.fields) {  // "TCBORDERS", then "TCMAR"
            if (row.storage == FieldStorage::kChild) writeChildRecord(*element, row, cell);
        }
        registerRecordColors(kXRowTable, cell, false, block);
    });
}
