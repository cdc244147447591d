#include "model/records/paragraph/XRule.h"

#include "foundation/FieldMask.h"
#include "model/records/RecordFields.h"
#include "model/records/RecordTables.h"
#include "model/records/SameBytes.h"

void initXRule(XRule* rule) {
    initRecordOnce(kXRuleTable, rule);
    setMaskBit(rule->changeBits, kWidowControlBit);
}

XRule* copyXRule(XRule* dst, const XRule* src) {
    *dst = *src;
    return dst;
}

bool equalXRule(const XRule& a, const XRule& b) {
    return equalRecords(kXRuleTable, &a, &b);
}

XFrame* copyXFrame(XFrame* dst, const XFrame* src) {
    *dst = *src;
    return dst;
}

bool equalXFrame(const XFrame& a, const XFrame& b) {
    return sameBytes(a, b);
}

bool equalXLevel(const XLevel& a, const XLevel& b) {
    return sameBytes(a, b);
}
