#include "import/spreadsheet/sheets/CQueue.h"

#include "import/spreadsheet/styles/CStyle.h"

const CFont& CQueue::getFont() const {
    if (runFont) return *runFont;
    return style->font;
}

std::unique_ptr<CQueue> CQueuesArray::popFirst() {
    if (entries.empty()) return nullptr;
    std::unique_ptr<CQueue> first = std::move(entries.front());
    entries.pop_front();
    return first;
}
