#include "model/story/RunLookup.h"

#include <climits>

std::uint16_t exportElementMask = elementkind::kAll;

namespace {

// A negative position lies before every run; its distance to a far run may not fit 32 bits and stops
// at INT_MAX.
std::int32_t distance(std::int32_t start, std::int32_t position) {
    const std::int64_t units = static_cast<std::int64_t>(start) - position;
    return units < INT_MAX ? static_cast<std::int32_t>(units) : INT_MAX;
}

// The copy of each record kind, as the look-ups hand runs out.
XForm* copyRun(XForm* dst, const XForm* src) {
    return copyXForm(dst, src);
}
XRule* copyRun(XRule* dst, const XRule* src) {
    return copyXRule(dst, src);
}
XPage* copyRun(XPage* dst, const XPage* src) {
    return copyXPage(dst, src);
}

}  // namespace

// One walk for the three record kinds. Only the position of an entry is read before it is known to be
// a whole record (the entry before a later one), so the sentinel's missing body is never touched.
template <typename Record>
std::int32_t RunCursor<Record>::findAt(std::int32_t position, const Record** run) {
    if (runs == nullptr) return INT_MAX;
    if (position < asked) next = 1;
    asked = position;
    for (; next < count; ++next) {
        const std::int32_t start = runs[next].position;
        if (start > position) {
            *run = &runs[next - 1];
            return distance(start, position);
        }
    }
    return INT_MAX;
}

template <typename Record>
std::int32_t RunCursor<Record>::findAt(std::int32_t position, Record* out) {
    const Record* run = nullptr;
    const std::int32_t answer = findAt(position, &run);
    if (run != nullptr) copyRun(out, run);
    return answer;
}

template class RunCursor<XForm>;
template class RunCursor<XRule>;
template class RunCursor<XPage>;

std::int32_t findXFormAt(const XForm* runs, std::int32_t count, std::int32_t position, XForm* out) {
    return RunCursor<XForm>(runs, count).findAt(position, out);
}

std::int32_t findXRuleAt(const XRule* runs, std::int32_t count, std::int32_t position, XRule* out) {
    return RunCursor<XRule>(runs, count).findAt(position, out);
}

std::int32_t findXPageAt(const XPage* runs, std::int32_t count, std::int32_t position, XPage* out) {
    return RunCursor<XPage>(runs, count).findAt(position, out);
}

std::int16_t filterElementText(XParamBlock* block, std::uint16_t kindBit) {
    if ((kindBit & exportElementMask) != 0) return 1;
    block->textLength = 0;
    if (block->textBuffer != nullptr) block->textBuffer[0] = 0;
    return 0;
}
