#include "model/XPageWriter.h"

#include <cstdio>

#include "foundation/CFail.h"
#include "model/RecordKeys.h"
#include "model/RecordTables.h"
#include "model/RecordWriting.h"

namespace {

constexpr const char* kUnit = "BStory";

// "COLUMNS": one width and space pair per column slot, "XColumn_columnWidth03 %d XColumn_columnSpace03
// %d" for slot 3, width first; every slot is written, in use or not.
void writeColumns(CStream& element, const FieldSpec& row, const XPage& page) {
    ChildElement columns(element, row.element);
    for (int i = 0; i < kColumnSlots; ++i) {
        char keys[96];
        const int length = std::snprintf(keys, sizeof keys, row.key, i, i);
        if (length < 0 || length >= static_cast<int>(sizeof keys)) throwFail(result::kNullObject, __LINE__, kUnit);
        columns.stream().writeValues(nullptr, 0, keys, page.columnWidth[i], page.columnSpace[i]);
    }
}

}  // namespace

std::int16_t writeXPage(CStream* element, const XPage* page, XParamBlock* block) {
    if (element == nullptr || page == nullptr) return result::kNullObject;
    return guarded([&] {
        const FieldSpec& columns = tableRow(kXPageTable, "columnWidth");
        const auto handWritten = [&](const FieldSpec& row, CStream&, const void*) {
            if (&row != &columns) failUnknownRow(row);
            writeColumns(*element, row, *page);
        };
        writeRecordRows(*element, kXPageTable, page, true, handWritten);
        registerRecordColors(kXPageTable, page, true, block);
    });
}
