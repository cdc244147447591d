#pragma once
// The cells waiting to be handed to the import engine, first in, first out. The cell reader queues one
// entry per cell (one per run of a rich-text cell); each text request takes one entry, turns its value
// into the text the cell shows and ends it with its separator: a tab between cells, a paragraph end
// after the last column of a row. The queue never holds more than the runs of one cell.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "import/spreadsheet/styles/CFont.h"

class CStyle;

enum CellType : std::int16_t {
    kCellBoolean = 0,
    kCellNumber = 1,
    kCellError = 2,
    kCellSharedString = 3,
    kCellString = 4,  // a formula's text; also every empty cell
    kCellInlineString = 5,
};

struct CQueue {
    CQueue(const CStyle* style, CellType type) : style(style), type(type) {}

    // The run's font: its own (a rich-text run's "rPr" over the cell's font), else the cell's.
    const CFont& getFont() const;

    const CStyle* style;  // the cell's format, kept by the style sheet
    CellType type;
    char16_t separator = 0;  // 0, 9 (tab) or 13 (paragraph end)
    std::u16string text;
    std::unique_ptr<CFont> runFont;
};

class CQueuesArray {
public:
    void append(std::unique_ptr<CQueue> entry) { entries.push_back(std::move(entry)); }
    // The first entry, which the caller then owns; null when the queue is empty.
    std::unique_ptr<CQueue> popFirst();
    // The first entry, left in the queue; null when the queue is empty.
    const CQueue* front() const { return entries.empty() ? nullptr : entries.front().get(); }
    bool isEmpty() const { return entries.empty(); }
    void removeAll() { entries.clear(); }

private:
    std::deque<std::unique_ptr<CQueue>> entries;
};
