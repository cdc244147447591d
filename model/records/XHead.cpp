#include "model/records/XHead.h"

#include "model/records/RecordFields.h"
#include "model/records/RecordTables.h"

void initXHead(XHead* head) {
    initRecordOnce(kXHeadTable, head);
}

XHead* copyXHead(XHead* dst, const XHead* src) {
    *dst = *src;
    return dst;
}

bool equalXHead(const XHead& a, const XHead& b) {
    return equalRecords(kXHeadTable, &a, &b);
}
