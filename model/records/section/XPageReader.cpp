#include "model/records/section/XPageReader.h"

#include "foundation/CFail.h"
#include "model/records/RecordKeys.h"
#include "model/records/RecordTables.h"
#include "model/storage/IndexedName.h"

namespace {

// One key list per column slot, "XColumn_columnWidth03 %d XColumn_columnSpace03 %d" for slot 3.
void readColumns(CStream& element, XPage& page) {
    static const FieldSpec& row = tableRow(kXPageTable, "columnWidth");  // looked up once
    CStream columns(&element, row.element, 0);
    for (int i = 0; i < kColumnSlots; ++i) {
        columns.readValues(nullptr, nullptr, IndexedName(row.key, i).c_str(), &page.columnWidth[i], &page.columnSpace[i]);
    }
}

}  // namespace

std::int16_t readXPage(CStream* element, XPage* page) {
    if (element == nullptr || page == nullptr) return result::kNullObject;
    const std::int16_t keys = failureCode([&] { readRecordKeys(*element, kXPageTable, page); });
    if (keys != result::kSuccess) return keys;

    failureCode([&] { readColumns(*element, *page); });
    readChildRecords(*element, kXPageTable, page);  // the note formats, line and page numbering
    return result::kSuccess;
}
