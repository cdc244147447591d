#include "model/XRowWriter.h"

#include "foundation/CFail.h"
#include "model/RecordKeys.h"
#include "model/RecordTables.h"
#include "model/RecordWriting.h"

std::int16_t writeXRow(CStream* parent, const char* name, const XRow* cell, XParamBlock* block) {
    if (parent == nullptr || name == nullptr || cell == nullptr) return result::kNullObject;
    return guarded([&] {
        ChildElement element(*parent, name, __LINE__);
        writeRecordKeys(*element, kXRowTable, cell, false);
        for (const FieldSpec& row : kXRowTable.fields) {  // "TCBORDERS", then "TCMAR"
            if (row.storage == FieldStorage::kChild) writeChildRecord(*element, row, cell, __LINE__);
        }
        registerColors(kXRowTable, cell, block, false);
    });
}
