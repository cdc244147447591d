#include "model/XFormReader.h"

#include <algorithm>
#include <string>

#include "foundation/CFail.h"
#include "foundation/TextFormat.h"
#include "model/RecordKeys.h"
#include "model/RecordTables.h"

namespace {

// The entries "FFDDLIST%03d" beside "FFDATA", each with one key; the first absent entry ends the list.
void readDropDownEntries(CStream& element, XffData& data) {
    data.dd_listEntryNum = std::clamp<std::int16_t>(data.dd_listEntryNum, 0, kDropDownEntries);
    const FieldSpec& row = tableRow(kXffDataTable, "dd_listEntry");
    for (int i = 0; i < data.dd_listEntryNum; ++i) {
        const std::string name = formatToString(row.element, i);
        CStream entry(&element, name.c_str(), 0);
        entry.readAttribute(row.key, row.letter, StorageTarget::textBuffer(data.dd_listEntry[i], kDropDownEntryBytes));
    }
}

}  // namespace

std::int16_t readXForm(CStream* element, XForm* form) {
    if (element == nullptr || form == nullptr) return result::kNullObject;
    const std::int16_t keys = guarded([&] { readRecordKeys(*element, kXFormTable, form); });
    if (keys != result::kSuccess) return keys;

    readChildRecords(*element, kXFormTable, form);  // "FIELD", "FFDATA"
    guarded([&] { readDropDownEntries(*element, form->ffData); });
    // "CELLSTYLE" carries no keys: there is nothing to read from it.
    return result::kSuccess;
}
