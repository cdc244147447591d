#include "model/records/section/XPageWriter.h"

#include "foundation/CFail.h"
#include "model/records/RecordKeys.h"
#include "model/records/RecordTables.h"
#include "model/records/RecordWriting.h"

namespace {

// "COLUMNS": one width and space pair per column slot, "XColumn_columnWidth03 %d XColumn_columnSpace03
// %d" for slot 3, width first; every slot is written, in use or not.
void writeColumns(CStream& element, const FieldSpec& row, const XPage& page) {
    ChildElement columns(element, row.element);
    for (int i = 0; i < kColumnSlots; ++i)
        columns->writeValues(nullptr, 0, IndexedName(row.key, i).c_str(), page.columnWidth[i], page.columnSpace[i]);
}

}  // namespace

std::int16_t writeXPage(CStream* element, const XPage* page, XParamBlock* block) {
    if (element == nullptr || page == nullptr) return result::kNullObject;
    return failureCode([&] {
        const FieldSpec& columns = tableRow(kXPageTable, "columnWidth");
        const auto handWritten = [&](const FieldSpec& row, CStream& where, const void*) {
            if (&row != &columns) failUnknownRow(row);
            writeColumns(where, row, *page);
        };
        writeRecordRows(*element, kXPageTable, page, true, handWritten);
        registerRecordColors(kXPageTable, page, true, block);
    });
}
