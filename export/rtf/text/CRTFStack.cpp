#include "export/rtf/text/CRTFStack.h"

void CRTFStack::push(std::int16_t state) {
    if (top == kCapacity) {
        ++overflow;
        return;
    }
    entries[top++] = state;
}

std::int16_t CRTFStack::pop() {
    if (overflow > 0) {
        --overflow;
        return entries[top - 1];
    }
    if (top == 0) return 0;
    return entries[--top];
}
