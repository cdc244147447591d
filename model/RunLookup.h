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

#include "model/XForm.h"
#include "model/XPage.h"
#include "model/XParamBlock.h"
#include "model/XRule.h"

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
