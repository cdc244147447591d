#include "model/records/character/XFormWriter.h"

#include "foundation/CFail.h"
#include "model/records/RecordKeys.h"
#include "model/records/RecordTables.h"
#include "model/records/RecordWriting.h"

namespace {

constexpr std::int16_t kDropDownField = 5;

// The entries of a drop-down field, each in its own element beside "FFDATA" with one key. The count
// comes from the record and is bounded by the entries the record holds.
void writeDropDownEntries(CStream& element, const FieldSpec& row, const XForm& form) {
    if (form.fieldType != kDropDownField) return;
    const int count = boundedCount(form.ffData.dd_listEntryNum, kDropDownEntries);
    for (int i = 0; i < count; ++i) {
        ChildElement entry(element, IndexedName(row.element, i).c_str());
        entry->writeAttribute(row.key, row.letter, StorageSource::text(form.ffData.dd_listEntry[i], kDropDownEntryBytes));
    }
}

}  // namespace

std::int16_t writeXForm(CStream* element, const XForm* form, XParamBlock* block) {
    if (element == nullptr || form == nullptr) return result::kNullObject;
    return failureCode([&] {
        // Looked up once: a long document writes tens of thousands of character records.
        static const FieldSpec& dropDownEntries = tableRow(kXffDataTable, "dd_listEntry");
        static const FieldSpec& cellStyle = tableRow(kXFormTable, "cellStyle");
        // The entries come up inside "FFDATA" but stand beside it, under the record's element.
        const auto handWritten = [&](const FieldSpec& row, CStream&, const void*) {
            if (&row == &dropDownEntries) {
                writeDropDownEntries(*element, row, *form);
            } else if (&row == &cellStyle) {
                ChildElement mark(*element, row.element);
            } else {
                failUnknownRow(row);
            }
        };
        writeRecordRows(*element, kXFormTable, form, true, handWritten);
        registerRecordColors(kXFormTable, form, true, block);
    });
}
