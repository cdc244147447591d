#include "model/storage/AttributeWriteFailure.h"

namespace {

bool armed = false;
std::int64_t remaining = 0;
std::int64_t counted = 0;

}  // namespace

void failNthAttributeWrite(std::int64_t n) {
    armed = n > 0;
    remaining = n;
    counted = 0;
}

void disarmAttributeWriteFailure() {
    armed = false;
}

bool attributeWriteShouldFail() {
    if (!armed) return false;
    ++counted;
    if (--remaining > 0) return false;
    armed = false;
    return true;
}

std::int64_t attributeWritesCountedSinceArmed() {
    return counted;
}
