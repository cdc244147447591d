#include "app/requests/OpenCommand.h"

#include "platform/files/FileName.h"

namespace {

bool equalsIgnoringAsciiCase(std::string_view text, std::string_view lowerCase) {
    if (text.size() != lowerCase.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != lowerCase[i]) return false;
    }
    return true;
}

}  // namespace

bool parseOpenCommand(std::string_view data, std::u16string& path) {
    const std::size_t end = data.find('\0');
    std::string_view text = data.substr(0, end);
    if (text.empty() || text.front() != '[') return false;
    text.remove_prefix(1);
    const std::size_t open = text.find('(');
    if (open == std::string_view::npos || open > kMaxCommandNameBytes) return false;
    const std::string_view name = text.substr(0, open);
    text.remove_prefix(open + 1);
    if (text.empty() || text.front() != '"') return false;
    text.remove_prefix(1);
    const std::size_t close = text.find('"');
    if (close == std::string_view::npos || close > kMaxCommandPathBytes) return false;
    const std::string_view pathBytes = text.substr(0, close);
    if (text.substr(close) != "\")]") return false;
    if (!equalsIgnoringAsciiCase(name, "open") || pathBytes.empty() || pathBytes.front() != '/') return false;
    path = platform::fileNameFromBytes(pathBytes);
    return true;
}

std::string makeOpenCommand(std::string_view path) {
    if (path.empty() || path.size() > kMaxCommandPathBytes || path.find_first_of(std::string_view("\"\0", 2)) != std::string_view::npos)
        return {};
    std::string command = "[Open(\"";
    command.append(path);
    command += "\")]";
    return command;
}
