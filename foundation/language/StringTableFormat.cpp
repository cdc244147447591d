#include "foundation/language/StringTableFormat.h"

#include <bitset>
#include <memory>

#include "foundation/encoding/Utf8Codec.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    return line;
}

// Whether the bytes are UTF-8 that reads back unchanged (no malformed or overlong sequence).
bool isWellFormedUtf8(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return utf16ToUtf8String(utf8ToUtf16String(text)) == text;
    }
    return true;
}

// Splits the source into lines, one at a time, without the line ends.
class LineReader {
public:
    explicit LineReader(std::string_view source) : rest(source) {}

    bool next(std::string_view& line) {
        if (rest.empty()) return false;
        const std::size_t end = rest.find('\n');
        line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++number;
        return true;
    }

    std::size_t lineNumber() const { return number; }

private:
    std::string_view rest;
    std::size_t number = 0;
};

// Reads one entry line ("<id> "<text>""); answers an empty reason on success.
std::string readEntry(std::string_view line, StringTableEntry& entry) {
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;
    std::uint64_t id = 0;
    const std::size_t digitsStart = i;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
        id = id * 10 + static_cast<std::uint64_t>(line[i] - '0');
        if (id > 0xFFFF) return "the string id is above 65535";
        ++i;
    }
    if (i == digitsStart) return "a string line starts with its id";
    if (i == line.size() || !isBlank(line[i])) return "blanks must follow the id";
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i == line.size() || line[i] != '"') return "the text must be in double quotes";
    ++i;
    std::string text;
    for (;;) {
        if (i == line.size()) return "the text has no closing quote";
        const char c = line[i++];
        if (c == '"') break;
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return "raw control character in the text";
        if (c != '\\') {
            text.push_back(c);
            continue;
        }
        if (i == line.size()) return "the text has no closing quote";
        switch (line[i++]) {
            case '\\': text.push_back('\\'); break;
            case '"': text.push_back('"'); break;
            case 'n': text.push_back('\n'); break;
            case 'r': text.push_back('\r'); break;
            case 't': text.push_back('\t'); break;
            default: return "unknown escape (\\\\, \\\", \\n, \\r and \\t are known)";
        }
    }
    if (!trimmed(line.substr(i)).empty()) return "text after the closing quote";
    if (!isWellFormedUtf8(text)) return "the text is not well-formed UTF-8";
    entry.id = static_cast<std::uint16_t>(id);
    entry.text = std::move(text);
    return {};
}

}  // namespace

bool parseStringTable(std::string_view source, std::vector<StringTableEntry>& entries, std::string& error) {
    entries.clear();
    error.clear();
    if (source.starts_with(kByteOrderMark)) source.remove_prefix(kByteOrderMark.size());
    auto seen = std::make_unique<std::bitset<0x10000>>();
    enum class Expect { FormatLine, Entries, Nothing } expect = Expect::FormatLine;
    LineReader lines(source);
    std::string_view line;
    auto fail = [&](const std::string& reason) {
        error = "line " + std::to_string(lines.lineNumber()) + ": " + reason;
        entries.clear();
        return false;
    };
    while (lines.next(line)) {
        const std::string_view content = trimmed(line);
        if (content.empty() || content.front() == '#') continue;
        switch (expect) {
            case Expect::FormatLine:
                if (content != kStringTableFormatLine) return fail("not a string table (the first line must be \"vostrandimeko-strings 1\")");
                expect = Expect::Entries;
                break;
            case Expect::Entries: {
                if (content == kStringTableEndLine) {
                    expect = Expect::Nothing;
                    break;
                }
                StringTableEntry entry{};
                const std::string reason = readEntry(line, entry);
                if (!reason.empty()) return fail(reason);
                if (seen->test(entry.id)) return fail("the id " + std::to_string(entry.id) + " occurs twice");
                seen->set(entry.id);
                entries.push_back(std::move(entry));
                break;
            }
            case Expect::Nothing:
                return fail("nothing may follow the end line");
        }
    }
    if (expect != Expect::Nothing) {
        error = expect == Expect::FormatLine ? "end of file: not a string table (no format line)"
                                             : "end of file: the table has no end line (is the file cut off?)";
        entries.clear();
        return false;
    }
    return true;
}
