#include "export/CCSVExtruder.h"

#include "model/story/StoryKinds.h"

namespace {

constexpr const char* kUnit = "BL_CSV(exp)";
constexpr std::uint8_t kQuote = 0x22;
constexpr std::uint8_t kComma = 0x2C;
constexpr std::uint8_t kSlash = 0x2F;
constexpr std::uint8_t kCR = 13;
constexpr std::uint8_t kLF = 10;
// What a run's bytes can give at most: each byte at most 3 of its own (a field opened and a quote
// doubled, or a field closed with its row end), and 4 for the empty row that a paragraph end leaves
// waiting, written by the byte after it; a run that starts with a row waiting from the run before
// writes that one too.
constexpr std::size_t kMostBytesPerByte = 4;

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
    if (length <= 0) return;
    // Room for the most the run can give is claimed at once and the bytes are written through a pointer.
    std::uint8_t* out = pending.claim(static_cast<std::size_t>(length) * kMostBytesPerByte + kMostBytesPerByte);
    std::int32_t index = 0;
    while (index < length) {
        // Inside an open field most bytes stand for themselves.
        if (inField) {
            while (index < length && standsForItself(bytes[index])) *out++ = bytes[index++];
            if (index == length) break;
        }
        out = writeByte(bytes[index++], out);
    }
    pending.commit(out);
}

std::uint8_t* CCSVExtruder::writeByte(std::uint8_t byte, std::uint8_t* out) {
    // A row that is nothing but its end waits: the engine closes every story with a paragraph end of
    // its own, which must not become an empty last row. Any byte after it makes it a row after all.
    if (byte == storycode::kParagraphEnd && !inField) {
        if (emptyRowWaiting) out = writeEmptyRow(out);
        emptyRowWaiting = true;
        return out;
    }
    if (emptyRowWaiting) {
        out = writeEmptyRow(out);
        emptyRowWaiting = false;
    }
    // Every byte opens a field, even one that is dropped below: a cell that begins with an anchor is
    // still a field.
    if (!inField) out = openField(out);
    if (byte == storycode::kTab) {
        out = closeField(out);
        *out++ = kComma;
    } else if (byte == storycode::kParagraphEnd) {
        out = closeField(out);
        *out++ = kCR;
        *out++ = kLF;
    } else if (isBreak(byte)) {
        // A line break inside a cell stays inside its field.
        *out++ = kCR;
        *out++ = kLF;
    } else if (byte == storycode::kOptionalHyphen) {
        *out++ = kSlash;
    } else if (byte == kQuote) {
        *out++ = kQuote;
        *out++ = kQuote;
    } else if (!isAnchor(byte) && byte != 0) {
        *out++ = byte;
    }
    return out;
}

std::uint8_t* CCSVExtruder::openField(std::uint8_t* out) {
    *out++ = kQuote;
    inField = true;
    return out;
}

std::uint8_t* CCSVExtruder::closeField(std::uint8_t* out) {
    *out++ = kQuote;
    inField = false;
    return out;
}

std::uint8_t* CCSVExtruder::writeEmptyRow(std::uint8_t* out) {
    out = openField(out);
    out = closeField(out);
    *out++ = kCR;
    *out++ = kLF;
    return out;
}

void CCSVExtruder::closeOpenField() {
    if (inField) pending.commit(closeField(pending.claim(1)));
    emptyRowWaiting = false;
}

void CCSVExtruder::flush() {
    pending.flush(file);
}

void CCSVExtruder::flushFullBlock() {
    if (pending.fillsBlock()) pending.flush(file);
}
