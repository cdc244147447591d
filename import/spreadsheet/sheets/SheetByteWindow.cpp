#include "import/spreadsheet/sheets/SheetByteWindow.h"

#include <algorithm>
#include <cstring>

SheetByteWindow::SheetByteWindow(std::unique_ptr<PartByteStream> stream, SheetWindowSize size)
    : stream(std::move(stream)), limits(size) {
    limits.lookahead = std::max(limits.lookahead, 1);
    limits.capacity = std::max(limits.capacity, 2 * limits.lookahead);
    // Left uncleared: only the bytes the stream fills are ever read, and a small part touches few pages.
    buffer.reset(new char[static_cast<std::size_t>(limits.capacity)]);
    fill();
}

void SheetByteWindow::shiftToFront(const char* unreadBytes, std::int32_t unread) {
    std::memmove(buffer.get(), unreadBytes, static_cast<std::size_t>(unread));
    length = unread;
    fill();
}

void SheetByteWindow::fill() {
    while (!ended && length < limits.capacity) {
        const std::int32_t read = stream->read(buffer.get() + length, limits.capacity - length);
        if (read <= 0) ended = true;
        else length += read;
    }
}
