#include "foundation/text/TextBoundary.h"

#include <cstring>

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the sequence a lead byte starts; 1 for anything that is not a multi-byte lead.
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 1;
}

}  // namespace

std::size_t utf8CutPoint(std::string_view text, std::size_t limit) {
    if (limit >= text.size()) return text.size();
    // Look back over at most three continuation bytes for the lead of the character at the cut.
    std::size_t start = limit;
    while (start > 0 && limit - start < 3 && isContinuation(static_cast<unsigned char>(text[start]))) --start;
    const auto lead = static_cast<unsigned char>(text[start]);
    if (start < limit && sequenceLength(lead) > limit - start) return start;  // the character straddles the cut
    return limit;
}

std::size_t placeUtf8(char* out, std::size_t capacity, std::string_view text) {
    const std::size_t count = utf8CutPoint(text, capacity - 1);
    if (count > 0) std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return count;
}

std::size_t utf16CutPoint(std::u16string_view text, std::size_t limit) {
    if (limit >= text.size()) return text.size();
    if (limit > 0) {
        const char16_t last = text[limit - 1];
        const char16_t next = text[limit];
        if (isHighSurrogate(last) && isLowSurrogate(next)) return limit - 1;
    }
    return limit;
}
