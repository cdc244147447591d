#include "export/CCSVExtruder.h"

#include "model/story/StoryKinds.h"

namespace {

constexpr const char* kUnit = "BL_CSV(exp)";
constexpr std::uint8_t kQuote = 0x22;
constexpr std::uint8_t kComma = 0x2C;
constexpr std::uint8_t kSlash = 0x2F;
constexpr std::uint8_t kCR = 13;
constexpr std::uint8_t kLF = 10;

// The story's anchor codes, which stand for no character of the cell; 28 to 31 are the cell's own.
bool isAnchor(std::uint8_t byte) {
    return storycode::isControl(byte) && byte <= storycode::kTableEnd;
}

// A byte that writeByte puts into an open field as it is: every character from unit 28 up but the quote.
bool standsForItself(std::uint8_t byte) {
    return byte > storycode::kTableEnd && byte != kQuote;
}

bool isBreak(std::uint8_t byte) {
    return byte >= storycode::kLineBreak && byte <= storycode::kSectionBreak;
}

}  // namespace

CCSVExtruder::CCSVExtruder(CFile* file) : pending(kUnit), file(file) {}

void CCSVExtruder::writeRun(const std::uint8_t* bytes, std::int32_t length) {
    std::int32_t index = 0;
    while (index < length) {
        // Inside an open field most bytes stand for themselves: they go out a stretch at a time.
        if (inField) {
            std::int32_t end = index;
            while (end < length && standsForItself(bytes[end])) ++end;
            if (end > index) {
                pending.putAll(bytes + index, static_cast<std::size_t>(end - index));
                index = end;
                continue;
            }
        }
        writeByte(bytes[index++]);
    }
}

void CCSVExtruder::writeByte(std::uint8_t byte) {
    // A row that is nothing but its end waits: the engine closes every story with a paragraph end of
    // its own, which must not become an empty last row. Any byte after it makes it a row after all.
    if (byte == storycode::kParagraphEnd && !inField) {
        if (emptyRowWaiting) writeEmptyRow();
        emptyRowWaiting = true;
        return;
    }
    if (emptyRowWaiting) {
        writeEmptyRow();
        emptyRowWaiting = false;
    }
    // Every byte opens a field, even one that is dropped below: a cell that begins with an anchor is
    // still a field.
    if (!inField) openField();
    if (byte == storycode::kTab) {
        closeField();
        pending.put(kComma);
    } else if (byte == storycode::kParagraphEnd) {
        closeField();
        pending.put(kCR);
        pending.put(kLF);
    } else if (isBreak(byte)) {
        // A line break inside a cell stays inside its field.
        pending.put(kCR);
        pending.put(kLF);
    } else if (byte == storycode::kOptionalHyphen) {
        pending.put(kSlash);
    } else if (byte == kQuote) {
        pending.put(kQuote);
        pending.put(kQuote);
    } else if (!isAnchor(byte) && byte != 0) {
        pending.put(byte);
    }
}

void CCSVExtruder::openField() {
    pending.put(kQuote);
    inField = true;
}

void CCSVExtruder::closeField() {
    pending.put(kQuote);
    inField = false;
}

void CCSVExtruder::writeEmptyRow() {
    openField();
    closeField();
    pending.put(kCR);
    pending.put(kLF);
}

void CCSVExtruder::closeOpenField() {
    if (inField) closeField();
    emptyRowWaiting = false;
}

void CCSVExtruder::flush() {
    pending.flush(file);
}

void CCSVExtruder::flushFullBlock() {
    if (pending.fillsBlock()) pending.flush(file);
}
