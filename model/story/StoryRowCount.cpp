#include "model/story/StoryRowCount.h"

#include "model/story/StoryKinds.h"

void StoryRowCount::paragraphRun(bool stored, bool lastCellOfRow) {
    if (!stored) lost = true;
    rowEndInForce = lastCellOfRow;
}

void StoryRowCount::unit(char16_t code) {
    step(code == storycode::kCellEnd);
}

void StoryRowCount::plainUnits(std::int32_t count) {
    if (count <= 0) return;
    step(false);
    units += count - 1;  // after a unit that is no cell end, the others change nothing but the position
}

void StoryRowCount::step(bool cellEnd) {
    if (afterCellEnd && rowEndInForce) {
        // This unit is the row's end mark, never a cell end of the next row.
        ++rows;
        nextRowStart = units + 1;
        afterCellEnd = false;
    } else {
        afterCellEnd = cellEnd;
    }
    ++units;
}

// A last cell end whose row ends past the text makes the same one step as text after the last row.
std::int32_t StoryRowCount::count() const {
    if (units == 0) return 0;
    return rows + (rows == 0 || nextRowStart < units ? 1 : 0);
}
