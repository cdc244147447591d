#pragma once
// The bytes of a worksheet part as the byte scanner (PlainXmlScanner.h) sees them when the part comes
// piece by piece (PartByteStream.h): a window over the part that the scanner reads through, refilled
// before each step while fewer than a step's worth of unread bytes are left in it. The unread tail then
// moves to the front and the stream fills the rest, so the part is never held whole (a 36 MB sheet
// would otherwise be inflated into one block, and every page of it faulted in fresh).
//
// A step that still runs past the window's end (a text or tag longer than the lookahead) makes the
// scanner give up as at a part's end, and the caller reads the part with the parser: slower, never
// different.
#include <cstdint>
#include <memory>

#include "package/PartByteStream.h"

// A step takes the text before a tag and the tag: 256 KB holds the longest text a spreadsheet program
// puts in a cell (32767 characters) several times over. A refill moves at most the lookahead's bytes and
// brings in the rest of the capacity.
struct SheetWindowSize {
    std::int32_t lookahead = 256 * 1024;
    std::int32_t capacity = 1 << 20;  // at least twice the lookahead
};

class SheetByteWindow {
public:
    // Fills the window from the stream; a failure to read raises CFail, here or in keepAhead.
    explicit SheetByteWindow(std::unique_ptr<PartByteStream> stream, SheetWindowSize size = {});

    const char* bytes() const { return buffer.get(); }
    std::int32_t size() const { return length; }
    // Whether the window holds the part to its end.
    bool holdsEnd() const { return ended; }

    // Before a step of the scanner over this window: refills it while the unread bytes are short.
    template <typename Scanner>
    void keepAhead(Scanner& scanner) {
        if (ended || scanner.unread() >= limits.lookahead) return;
        scanner.keepNames();
        const std::int32_t unread = scanner.unread();
        shiftToFront(scanner.position(), unread);
        scanner.moveTo(buffer.get(), length);
    }

private:
    void shiftToFront(const char* unreadBytes, std::int32_t unread);
    void fill();

    std::unique_ptr<PartByteStream> stream;
    SheetWindowSize limits;
    std::unique_ptr<char[]> buffer;
    std::int32_t length = 0;
    bool ended = false;
};
