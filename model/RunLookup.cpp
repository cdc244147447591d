#include "model/RunLookup.h"

#include <climits>

std::uint16_t exportElementMask = elementkind::kAll;

namespace {

// A negative position lies before every run; its distance to a far run may not fit 32 bits and stops
// at INT_MAX.
std::int32_t distance(std::int32_t start, std::int32_t position) {
    const std::int64_t units = static_cast<std::int64_t>(start) - position;
    return units < INT_MAX ? static_cast<std::int32_t>(units) : INT_MAX;
}

// One walk for the three record kinds. Only the position of an entry is read before it is known to be
// a whole record (the entry before a later one), so the sentinel's missing body is never touched.
template <typename Record, Record* (*copy)(Record*, const Record*)>
std::int32_t findRunAt(const Record* runs, std::int32_t count, std::int32_t position, Record* out) {
    if (runs == nullptr) return INT_MAX;
    for (std::int32_t i = 1; i < count; ++i) {
        const std::int32_t start = runs[i].position;
        if (start > position) {
            copy(out, &runs[i - 1]);
            return distance(start, position);
        }
    }
    return INT_MAX;
}

}  // namespace

std::int32_t findXFormAt(const XForm* runs, std::int32_t count, std::int32_t position, XForm* out) {
    return findRunAt<XForm, copyXForm>(runs, count, position, out);
}

std::int32_t findXRuleAt(const XRule* runs, std::int32_t count, std::int32_t position, XRule* out) {
    return findRunAt<XRule, copyXRule>(runs, count, position, out);
}

std::int32_t findXPageAt(const XPage* runs, std::int32_t count, std::int32_t position, XPage* out) {
    return findRunAt<XPage, copyXPage>(runs, count, position, out);
}

std::int16_t filterElementText(XParamBlock* block, std::uint16_t kindBit) {
    if ((kindBit & exportElementMask) != 0) return 1;
    block->textLength = 0;
    if (block->textBuffer != nullptr) block->textBuffer[0] = 0;
    return 0;
}
