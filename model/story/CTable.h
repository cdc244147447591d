#pragma once
// The table scanner: walks the text of a table story row by row and cell by cell, using the story's
// runs. Its use is countStoryRows, which stores a table story's row count ("StoryRows") after the story
// was written; the count the story kept while it was written (StoryRowCount.h) stands in for the scan
// whenever it is known, and always agrees with it.
//
// A row is a run of cells, each ended by the cell-end code 16; the row ends at the cell end after which
// the paragraph run in force has lastCellOfRow set, and the unit after that cell end is the row's end
// mark. A row's entries are the starts of its cells followed by one entry for the end mark; the next
// row starts right after the mark. Text after the last row end counts as one more step, and a story
// without text counts 1.
//
// A row may hold more cells than the caller's entry array: the extra cells are scanned (the row still
// ends where it ends) but not recorded.
#include <cstdint>

#include "foundation/CBase.h"
#include "model/params/XParamBlock.h"
#include "model/records/character/XForm.h"
#include "model/records/paragraph/XRule.h"
#include "model/records/section/XPage.h"
#include "model/story/CStory.h"
#include "model/story/LoadedStory.h"
#include "model/story/RunLookup.h"

// One cell start of a row, with the distances from it to the starts of the next character, paragraph
// and section runs (INT_MAX when no later run was found).
struct CellEntry {
    std::int32_t start;
    std::int32_t formDistance;
    std::int32_t ruleDistance;
    std::int32_t pageDistance;
};

// The entries a row scan records: 63 cells and the end mark.
constexpr std::int32_t kRowScratchCells = 64;

class CTable : public CBase {
public:
    // Over the story (not owned); run loads it.
    explicit CTable(CStory* story);
    CTable(const CTable&) = delete;
    CTable& operator=(const CTable&) = delete;

    // Loads the story and counts its rows (the scan steps). A failure ends the count early and is not
    // passed on: the count so far is the answer (0 when the story could not be loaded).
    virtual std::int32_t run();
    // Scans one row from *position: the cell entries go into cells (at most capacity of them), their
    // number into *cellCount (0 when the text ended before the row did), the row definition of the end
    // mark's paragraph into *row, and where the next scan starts into *position.
    virtual void nextRow(std::int32_t* position, std::int32_t* cellCount, CellEntry* cells, std::int32_t capacity,
                         XRows* row);

private:
    void addCell(CellEntry* cells, std::int32_t capacity, std::int32_t& count, std::int32_t start);

    CStory* story;
    // The cells are looked up in rising positions: each kind's look-ups go on from where the last stopped.
    LoadedStory loaded;
    // The paragraph run in force at the last look-up (in the loaded rules; none before the first).
    const XRule* lastRule = nullptr;
    XRows scratchRow{};
};

// Counts the rows of a table story and stores the count in it: the count kept while the story was
// written, or else the scanner's. Answers 1, or 0 when the scanner could not be made or the count not
// stored (the failure is not passed on). The block is not used.
std::int16_t countStoryRows(XParamBlock* block, CStory* story);
