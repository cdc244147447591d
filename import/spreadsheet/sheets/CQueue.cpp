#include "import/spreadsheet/sheets/CQueue.h"

#include <algorithm>

#include "import/spreadsheet/styles/CStyle.h"

const CFont& CQueue::getFont() const {
    if (runFont) return *runFont;
    return style->font;
}

CQueue& CQueuesArray::append(const CStyle* style, CellType type) {
    if (count == slots.size()) {
        // Full: the entries are put in order from the first slot on, and the new one goes after them.
        std::rotate(slots.begin(), slots.begin() + static_cast<std::ptrdiff_t>(head), slots.end());
        head = 0;
        slots.emplace_back(style, type);
        ++count;
        return slots.back();
    }
    CQueue& entry = slots[(head + count) % slots.size()];
    ++count;
    entry.style = style;
    entry.type = type;
    entry.separator = 0;
    entry.text.clear();
    entry.runFont.reset();
    return entry;
}

void CQueuesArray::dropFirst() {
    if (count == 0) return;
    head = (head + 1) % slots.size();
    --count;
}

void CQueuesArray::removeAll() {
    head = 0;
    count = 0;
}
