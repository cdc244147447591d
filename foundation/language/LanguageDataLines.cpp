#include "foundation/language/LanguageDataLines.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "foundation/text/NumberText.h"
#include "foundation/text/TextBoundary.h"

namespace {

constexpr std::size_t kNone = std::string_view::npos;
// The longest digit text a number field may hold; longer ones do not fit a record's number.
constexpr std::size_t kMaximumDigits = 24;

// The text from `start` on; empty when start lies past the end (a field that would begin beyond
// the line is empty, never the next line's bytes).
std::string_view from(std::string_view line, std::size_t start) {
    return start <= line.size() ? line.substr(start) : std::string_view{};
}

// The text from `start` up to (not including) `end`; empty when the two are out of order.
std::string_view between(std::string_view line, std::size_t start, std::size_t end) {
    if (end > line.size()) end = line.size();
    return start < end ? line.substr(start, end - start) : std::string_view{};
}

// Copies the text into a fixed field of `size` bytes, cut so that the NUL fits and no character is
// split. The field is cleared first.
void copyText(char* field, std::size_t size, std::string_view text) {
    std::memset(field, 0, size);
    const std::size_t length = utf8CutPoint(text, size - 1);
    if (length > 0) std::memcpy(field, text.data(), length);
}

bool isDigitOfRadix(char c, int radix) {
    if (c >= '0' && c <= '9') return c - '0' < radix;
    return radix > 10 && c >= 'A' && c < 'A' + (radix - 10);
}

// The number at the start of the field (digits 0-9 and A-Z up to the radix; it ends at the first
// character that is no digit). False when the field does not begin with a digit or the number does
// not fit `maximum`.
bool readNumber(std::string_view field, int radix, std::uint64_t maximum, std::uint64_t& value) {
    std::size_t digits = 0;
    while (digits < field.size() && isDigitOfRadix(field[digits], radix)) ++digits;
    if (digits == 0 || digits > kMaximumDigits) return false;
    char text[kMaximumDigits + 1] = {};
    std::memcpy(text, field.data(), digits);
    std::int16_t sign = 1;
    value = textToNumber(text, static_cast<std::int16_t>(radix), '0', &sign);
    return value <= maximum;
}

bool readCode(std::string_view field, std::uint32_t& code) {
    std::uint64_t value = 0;
    if (!readNumber(field, 16, std::numeric_limits<std::uint32_t>::max(), value)) return false;
    code = static_cast<std::uint32_t>(value);
    return true;
}

bool readEncoding(std::string_view field, std::int32_t& encoding) {
    std::uint64_t value = 0;
    if (!readNumber(field, 16, std::numeric_limits<std::int32_t>::max(), value)) return false;
    encoding = static_cast<std::int32_t>(value);
    return true;
}

}  // namespace

bool readSectionHeader(std::string_view line, LanguageRecord& record) {
    std::memset(&record, 0, sizeof record);
    if (line.empty() || line.front() != '[') return false;
    const std::size_t close = line.find(']', 1);
    if (close == kNone) return false;
    const std::string_view name = between(line, 1, close);
    if (name.empty() || name.size() >= kLanguageNameSize) return false;
    copyText(record.name, sizeof record.name, name);

    // The word after the last blank is the language id when it begins with a digit, and never part
    // of the description, which runs from the first blank to that last one.
    const std::size_t firstBlank = line.find(' ');
    const std::size_t lastBlank = line.rfind(' ');
    if (lastBlank == kNone) return true;
    std::uint64_t id = 0;
    if (readNumber(from(line, lastBlank + 1), 10, std::numeric_limits<std::uint16_t>::max(), id)) {
        record.languageId = static_cast<std::uint16_t>(id);
    }
    if (lastBlank > firstBlank) {
        copyText(record.description, sizeof record.description, between(line, firstBlank + 1, lastBlank));
    }
    return true;
}

bool readScriptEntry(std::string_view line, ScriptEntry& entry) {
    std::memset(&entry, 0, sizeof entry);
    const std::size_t open = line.find('[');
    if (open == kNone) return false;
    const std::size_t close = line.find(']', open + 1);
    if (close == kNone) return false;
    // The tag is four bytes as written, without a NUL: a shorter tag leaves the rest zero.
    const std::string_view tag = between(line, open + 1, close);
    const std::size_t tagLength = tag.size() < kScriptTagSize ? tag.size() : kScriptTagSize;
    if (tagLength > 0) std::memcpy(entry.tag, tag.data(), tagLength);
    copyText(entry.name, sizeof entry.name, from(line, close + 2));
    return true;
}

bool readExceptionLine(std::string_view line, RangeRecord& record) {
    std::memset(&record, 0, sizeof record);
    const std::size_t blank = line.find(' ');
    if (blank == kNone) return false;
    const std::size_t semicolon = line.find(';', blank + 1);
    if (semicolon == kNone) return false;
    if (!readCode(between(line, 0, blank), record.low)) return false;
    if (!readEncoding(from(line, semicolon + 2), record.textEncoding)) return false;
    record.high = record.low;
    copyText(record.name, sizeof record.name, between(line, blank + 1, semicolon));
    return true;
}

bool readBlockLine(std::string_view line, RangeRecord& record) {
    std::memset(&record, 0, sizeof record);
    const std::size_t dot = line.find('.');
    if (dot == kNone) return false;
    const std::size_t firstSemicolon = line.find(';', dot + 1);
    if (firstSemicolon == kNone) return false;
    if (!readCode(between(line, 0, dot), record.low)) return false;
    if (!readCode(between(line, dot + 2, firstSemicolon), record.high)) return false;
    if (record.high < record.low) return false;

    const std::size_t secondSemicolon = line.find(';', firstSemicolon + 1);
    if (secondSemicolon == kNone) return true;  // no name and the encoding 0
    copyText(record.name, sizeof record.name, between(line, firstSemicolon + 2, secondSemicolon));
    // The encoding stands two bytes after the second ';' when there is more than one byte after it;
    // text there that holds no number leaves the encoding 0, as when it is missing.
    if (from(line, secondSemicolon + 1).size() > 1) readEncoding(from(line, secondSemicolon + 2), record.textEncoding);
    return true;
}
