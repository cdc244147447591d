#pragma once
// The cells waiting to be handed to the import engine, first in, first out. The cell reader queues one
// entry per cell (one per run of a rich-text cell); each text request takes one entry, turns its value
// into the text the cell shows and ends it with its separator: a tab between cells, a paragraph end
// after the last column of a row. The queue never holds more than the runs of one cell.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// A sheet passes hundreds of thousands of cells through a queue that holds one or two: its entries are
// slots of a ring that keep their text's storage, so a cell costs no allocation once the ring has grown.
class CQueuesArray {
public:
    // A new last entry of the style and type, with no text, separator or run font.
    CQueue& append(const CStyle* style, CellType type);
    // The first entry, left in the queue; null when the queue is empty.
    const CQueue* front() const { return count == 0 ? nullptr : &slots[head]; }
    CQueue* front() { return count == 0 ? nullptr : &slots[head]; }
    // Forgets the first entry; nothing when the queue is empty.
    void dropFirst();
    bool isEmpty() const { return count == 0; }
    void removeAll();

private:
    std::vector<CQueue> slots;
    std::size_t head = 0;   // the slot of the first entry
    std::size_t count = 0;  // entries held, from head on, wrapping at the end of slots
};
