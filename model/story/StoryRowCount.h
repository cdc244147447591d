#pragma once
// The row count of a table story, kept while its text is written: the count the table scanner (CTable)
// makes from the story read back, without reading it back (which cost a long document more than the
// rest of its table stories' import).
//
// The scanner's rule: a row ends at a cell end (unit 16) when the paragraph run in force at the unit
// after it marks the last cell of a row; that unit is the row's end mark, also when it lies past the
// text, and the next row starts after it. Text after the last row end counts as one more step, as does
// text without a row end; a story without text counts none, as it cannot be read back. A paragraph run
// that could not be stored makes the runs read back differ from those written: the count is then unknown
// and the story must be scanned.
#include <cstdint>

class StoryRowCount {
public:
    // A paragraph run was written at the next unit's position; stored tells whether the storage took it.
    void paragraphRun(bool stored, bool lastCellOfRow);
    // The next unit of text, under the paragraph run written last.
    void unit(char16_t code);
    // The next count units of text, none of them a cell end, under the paragraph run written last.
    void plainUnits(std::int32_t count);
    // The count no longer follows the story (it was not started empty).
    void forget() { lost = true; }

    bool known() const { return !lost; }
    std::int32_t count() const;

private:
    void step(bool cellEnd);

    bool lost = false;
    bool rowEndInForce = false;  // the paragraph run written last marks the last cell of a row
    bool afterCellEnd = false;   // the unit before was a cell end that may end its row
    std::int32_t units = 0;
    std::int32_t rows = 0;
    std::int32_t nextRowStart = 0;  // the position after the last row's end mark
};
