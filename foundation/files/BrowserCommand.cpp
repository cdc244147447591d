#include "foundation/files/BrowserCommand.h"

namespace {

constexpr std::string_view kAddressMark = "%1";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string withAddress(std::string_view word, std::string_view address) {
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = word.find(kAddressMark); at != std::string_view::npos; at = word.find(kAddressMark, from)) {
        result.append(word.substr(from, at - from));
        result.append(address);
        from = at + kAddressMark.size();
    }
    result.append(word.substr(from));
    return result;
}

}  // namespace

std::vector<std::string> splitArgumentText(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;  // "" is an empty word
        } else if (isBlank(c) && !quoted) {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

BrowserCommand browserCommandFor(std::string_view commandLine, std::string_view address) {
    BrowserCommand command;
    std::string_view arguments;
    if (!commandLine.empty() && commandLine.front() == '"') {
        const std::size_t closing = commandLine.find('"', 1);
        command.program = commandLine.substr(1, closing == std::string_view::npos ? std::string_view::npos : closing - 1);
        if (closing != std::string_view::npos) arguments = commandLine.substr(closing + 1);
    } else {
        const std::size_t blank = commandLine.find(' ');
        command.program = commandLine.substr(0, blank);
        if (blank != std::string_view::npos) arguments = commandLine.substr(blank + 1);
    }
    const bool marked = arguments.find(kAddressMark) != std::string_view::npos;
    for (const std::string& word : splitArgumentText(arguments)) command.arguments.push_back(withAddress(word, address));
    if (!marked) command.arguments.emplace_back(address);
    return command;
}
