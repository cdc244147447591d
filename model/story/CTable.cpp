#include "model/story/CTable.h"

#include <new>

#include "foundation/CFail.h"
#include "foundation/memory/Memory.h"
#include "model/story/RunLookup.h"
#include "model/story/StoryKinds.h"

namespace {

constexpr const char* kUnit = "BTable";

XRows* copyRowDefinition(XRows* dst, const XRows* src) {
    *dst = *src;
    return dst;
}

}  // namespace

CTable::CTable(CStory* scanned) : story(scanned) {}

std::int32_t CTable::run() {
    std::int32_t count = 0;
    try {
        throwIfNullObject(story, __LINE__, kUnit);
        std::int32_t storyType = 0;
        std::int32_t storyMark = 0;
        char storyName[kStoryNameBytes] = {};
        loaded.load(*story, &storyType, &storyMark, &storyName);
        loaded.startCursors();
        std::int32_t position = 0;
        std::int32_t cellCount = 0;
        CellEntry cells[kRowScratchCells];
        do {
            nextRow(&position, &cellCount, cells, kRowScratchCells, &scratchRow);
            ++count;
        } while (position < loaded.textLength);
    } catch (const CFail&) {
        // The count so far stands.
    }
    return count;
}

void CTable::addCell(CellEntry* cells, std::int32_t capacity, std::int32_t& count, std::int32_t start) {
    // The look-ups run for every cell, recorded or not: the paragraph run they leave decides where the
    // row ends.
    // Only the distances of the character and section runs are wanted: those runs are not copied out.
    const XForm* form = nullptr;
    const XPage* page = nullptr;
    const CellEntry entry{start, loaded.formCursor.findAt(start, &form), loaded.ruleCursor.findAt(start, &lastRule),
                          loaded.pageCursor.findAt(start, &page)};
    if (cells == nullptr || count >= capacity) return;
    cells[count] = entry;
    ++count;
}

void CTable::nextRow(std::int32_t* position, std::int32_t* cellCount, CellEntry* cells, std::int32_t capacity,
                     XRows* row) {
    std::int32_t p = *position < 0 ? 0 : *position;  // a scan never starts before the text
    std::int32_t count = 0;
    bool rowEnded = false;
    addCell(cells, capacity, count, p);
    while (p < loaded.textLength) {
        if (loaded.text[p] == storycode::kCellEnd) {
            addCell(cells, capacity, count, p + 1);
            if (lastRule != nullptr && lastRule->lastCellOfRow == 1) {
                if (row != nullptr) copyRowDefinition(row, &lastRule->rows);
                ++p;  // the row's end mark
                rowEnded = true;
                break;
            }
        }
        ++p;
    }
    if (cellCount != nullptr) *cellCount = rowEnded ? count : 0;
    *position = p + 1;
}

std::int16_t countStoryRows(XParamBlock* /*block*/, CStory* story) {
    CTable* table = nullptr;
    try {
        throwIfNullObject(story, __LINE__, kUnit);
        std::int32_t rows = 0;
        if (story->writtenRows().known()) {
            rows = story->writtenRows().count();
        } else {
            table = new (std::nothrow) CTable(story);
            throwIfNull(table, __LINE__, kUnit);
            rows = table->run();
        }
        story->writeRows(rows);
    } catch (const CFail&) {
        disposeObject(table);
        return 0;
    }
    disposeObject(table);
    return 1;
}
