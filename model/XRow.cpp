#include "model/XRow.h"

#include "model/RecordFields.h"
#include "model/RecordTables.h"

bool equalXRow(const XRow& a, const XRow& b) {
    return equalRecords(kXRowTable, &a, &b);
}

bool equalXRows(const XRows& a, const XRows& b) {
    return equalRecords(kXRowsTable, &a, &b);
}
