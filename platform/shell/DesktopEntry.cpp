#include "platform/shell/DesktopEntry.h"

namespace platform {
namespace {

constexpr std::string_view kEntryGroup = "[Desktop Entry]";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// The escapes of a string value: \s blank, \n, \t, \r, \\; any other backslash stays as it is, for
// the Exec quoting to read.
std::string unescapedValue(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 >= value.size()) {
            text += value[i];
            continue;
        }
        switch (value[i + 1]) {
            case 's': text += ' '; break;
            case 'n': text += '\n'; break;
            case 't': text += '\t'; break;
            case 'r': text += '\r'; break;
            case '\\': text += '\\'; break;
            default: text += '\\'; text += value[i + 1]; break;
        }
        ++i;
    }
    return text;
}

}  // namespace

bool splitExecLine(std::string_view exec, std::vector<std::string>& words) {
    words.clear();
    std::size_t i = 0;
    while (true) {
        while (i < exec.size() && isBlank(exec[i])) ++i;
        if (i >= exec.size()) return true;
        std::string word;
        while (i < exec.size() && !isBlank(exec[i])) {
            if (exec[i] != '"') {
                word += exec[i++];
                continue;
            }
            ++i;  // inside quotes up to the closing one
            while (true) {
                if (i >= exec.size()) return false;
                const char c = exec[i++];
                if (c == '"') break;
                if (c == '\\' && i < exec.size() && std::string_view("\"`$\\").find(exec[i]) != std::string_view::npos) {
                    word += exec[i++];
                } else {
                    word += c;
                }
            }
        }
        words.push_back(std::move(word));
    }
}

bool readDesktopEntry(std::string_view text, DesktopEntry& entry) {
    entry = DesktopEntry{};
    bool inGroup = false;
    bool groupSeen = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            inGroup = line == kEntryGroup;
            groupSeen = groupSeen || inGroup;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos) continue;
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string value = unescapedValue(trimmed(line.substr(equals + 1)));
        if (key == "Type") entry.type = value;
        if (key == "Hidden") entry.hidden = value == "true";
        if (key == "Name") entry.name = value;
        if (key == "Exec" && !splitExecLine(value, entry.command)) return false;
    }
    return groupSeen;
}

}  // namespace platform
