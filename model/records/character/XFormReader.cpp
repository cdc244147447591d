#include "model/records/character/XFormReader.h"

#include "foundation/CFail.h"
#include "model/BoundedCount.h"
#include "model/records/RecordKeys.h"
#include "model/records/RecordTables.h"
#include "model/storage/IndexedName.h"

namespace {

// The entries "FFDDLIST%03d" beside "FFDATA", each with one key; the first absent entry ends the list.
// The count stays in the record as it was stored; only the entries looked up are bounded by the array.
void readDropDownEntries(CStream& element, XffData& data) {
    const int count = boundedCount(data.dd_listEntryNum, kDropDownEntries);
    static const FieldSpec& row = tableRow(kXffDataTable, "dd_listEntry");  // looked up once
    for (int i = 0; i < count; ++i) {
        CStream entry(&element, IndexedName(row.element, i).c_str(), 0);
        entry.readAttribute(row.key, row.letter, StorageTarget::textBuffer(data.dd_listEntry[i], kDropDownEntryBytes));
    }
}

}  // namespace

std::int16_t readXForm(CStream* element, XForm* form) {
    if (element == nullptr || form == nullptr) return result::kNullObject;
    const std::int16_t keys = failureCode([&] { readRecordKeys(*element, kXFormTable, form); });
    if (keys != result::kSuccess) return keys;

    readChildRecords(*element, kXFormTable, form);  // "FIELD", "FFDATA"
    failureCode([&] { readDropDownEntries(*element, form->ffData); });
    // "CELLSTYLE" carries no keys: there is nothing to read from it.
    return result::kSuccess;
}
