#pragma once
// The formatting in force at a text position of a loaded story, and the filter that keeps story elements
// of unwanted kinds away from an exporter.
//
// A run array is what CStory::loadAll hands out: n records of one kind in text order, then a sentinel
// that has only the three head fields (changeBits 0, position INT_MAX). The count that travels with the
// array includes the sentinel. A run covers the units from its own position up to the unit before the
// next entry's position.
//
//     XForm form;
//     std::int32_t distance = findXFormAt(forms, formCount, 120, &form);
//     // form: the run covering unit 120; distance: units from 120 to the next run's start
//
// A look-up walks the array from its second entry and stops at the first entry whose position is
// greater than the given one: the entry before it is copied out and the answer is that entry's position
// minus the given position. So the last of several runs that start at one position covers it, a
// position before the first run's start is covered by the first run, and inside the last real run the
// answer is the distance to the sentinel (INT_MAX minus the position). INT_MAX itself means that nothing
// was found (a null array, fewer than two entries, a position at or past the sentinel's): the output
// record is then left as it was. The sentinel is compared but never copied.
#include <cstdint>

#include "model/params/XParamBlock.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/records/section/XPage.h"

// A look-up that remembers where it stopped, for walks that ask for rising positions (the table
// scanner, an exporter going through a story's text): each look-up starts at the entry where the last
// one stopped instead of the second entry, so walking a story from start to end reads each run once.
// The answers are exactly those of the walk from the second entry described above, for any array:
// every entry that the cursor passes started at or before a position already asked for, so it starts
// at or before any later, greater position too. Asking for a position below the last one starts over
// from the second entry. The cursor does not own the array, which must outlive it.
template <typename Record>
class RunCursor {
public:
    RunCursor() = default;
    RunCursor(const Record* runs, std::int32_t count) : runs(runs), count(count) {}

    // The run covering the position, copied out as the functions below copy it; the distance to the
    // next run's start, or INT_MAX when nothing was found (out is then left as it was).
    std::int32_t findAt(std::int32_t position, Record* out);
    // The same without the copy: *run points at the run in the array (left as it was when nothing was
    // found), for a caller that reads a field or two of it.
    std::int32_t findAt(std::int32_t position, const Record** run);

private:
    const Record* runs = nullptr;
    std::int32_t count = 0;
    std::int32_t next = 1;                  // every entry in 1 .. next-1 starts at or before `asked`
    std::int32_t asked = INT32_MIN;         // the last position asked for
};

extern template class RunCursor<XForm>;
extern template class RunCursor<XRule>;
extern template class RunCursor<XPage>;

// The character run covering the position, copied with copyXForm (its picture is shared, not cloned).
std::int32_t findXFormAt(const XForm* runs, std::int32_t count, std::int32_t position, XForm* out);
// The paragraph run covering the position, copied with copyXRule.
std::int32_t findXRuleAt(const XRule* runs, std::int32_t count, std::int32_t position, XRule* out);
// The section run covering the position, copied with copyXPage.
std::int32_t findXPageAt(const XPage* runs, std::int32_t count, std::int32_t position, XPage* out);

// One bit per kind of story element that can be kept from an exporter; the same layout as an exporter's
// story mask.
namespace elementkind {
constexpr std::uint16_t kTables = 0x001;
constexpr std::uint16_t kHeaders = 0x002;
constexpr std::uint16_t kFooters = 0x004;
constexpr std::uint16_t kFields = 0x008;
constexpr std::uint16_t kComments = 0x010;
constexpr std::uint16_t kBookmarks = 0x020;
constexpr std::uint16_t kFootnotes = 0x040;
constexpr std::uint16_t kEndnotes = 0x080;
constexpr std::uint16_t kGraphics = 0x100;
constexpr std::uint16_t kAll = 0x1FF;
}  // namespace elementkind

// The kinds of element that reach exporters; every kind, and nothing changes it.
extern std::uint16_t exportElementMask;

// 1 when the kind bit is among exportElementMask's (the block is left alone); otherwise empties the
// block's text run (length 0, first unit 0) and answers 0. The block carries its text buffer.
std::int16_t filterElementText(XParamBlock* block, std::uint16_t kindBit);
