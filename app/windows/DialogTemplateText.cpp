#include "app/windows/DialogTemplateText.h"

#include <cctype>
#include <charconv>
#include <string>

#include "resources/DialogTemplates.h"

namespace {

struct KindName {
    std::string_view name;
    platform::ControlKind kind;
};

constexpr KindName kKinds[] = {
    {"text", platform::ControlKind::text},
    {"centred-text", platform::ControlKind::centredText},
    {"button", platform::ControlKind::button},
    {"default-button", platform::ControlKind::defaultButton},
    {"check-box", platform::ControlKind::checkBox},
    {"icon", platform::ControlKind::icon},
    {"picture", platform::ControlKind::picture},
    {"progress-bar", platform::ControlKind::progressBar},
    {"combo-box", platform::ControlKind::comboBox},
    {"edit", platform::ControlKind::edit},
    {"list-box", platform::ControlKind::listBox},
    {"group-box", platform::ControlKind::groupBox},
    {"tabs", platform::ControlKind::tabs},
};

// Words of one line: bare words, or texts in double quotes with their escapes undone.
class LineReader {
public:
    explicit LineReader(std::string_view line) : line(line) {}

    bool atEnd() {
        skipBlanks();
        return position >= line.size();
    }

    bool word(std::string& out) {
        skipBlanks();
        if (position >= line.size()) return false;
        out.clear();
        if (line[position] == '"') return quoted(out);
        while (position < line.size() && line[position] != ' ' && line[position] != '\t') out += line[position++];
        return true;
    }

    bool number(std::int32_t& out) {
        std::string text;
        if (!word(text)) return false;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
        return error == std::errc() && end == text.data() + text.size() && out >= 0 && out <= 0x7FFF;
    }

private:
    void skipBlanks() {
        while (position < line.size() && (line[position] == ' ' || line[position] == '\t')) ++position;
    }

    bool quoted(std::string& out) {
        ++position;
        while (position < line.size()) {
            const char c = line[position++];
            if (c == '"') return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (position >= line.size()) return false;
            switch (line[position++]) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            default: return false;
            }
        }
        return false;  // no closing quote
    }

    std::string_view line;
    std::size_t position = 0;
};

bool kindNamed(const std::string& name, platform::ControlKind& kind) {
    for (const KindName& known : kKinds) {
        if (known.name == name) {
            kind = known.kind;
            return true;
        }
    }
    return false;
}

bool readHeader(LineReader& reader, platform::DialogTemplate& form) {
    std::string keyword;
    if (!reader.word(keyword) || keyword != "dialog") return false;
    if (!reader.word(form.name) || !reader.number(form.width) || !reader.number(form.height) ||
        !reader.word(form.title)) {
        return false;
    }
    if (!reader.atEnd() && !reader.number(form.fontPoints)) return false;
    return reader.atEnd();
}

// "Ctrl+Shift+2", "Ctrl+O", "Delete".
bool readKey(const std::string& text, platform::AcceleratorTemplate& key) {
    std::string_view rest = text;
    for (;;) {
        if (rest.starts_with("Ctrl+")) {
            key.control = true;
            rest.remove_prefix(5);
        } else if (rest.starts_with("Shift+")) {
            key.shift = true;
            rest.remove_prefix(6);
        } else {
            break;
        }
    }
    if (rest == "Delete") {
        key.key = platform::AcceleratorTemplate::kDeleteKey;
        return true;
    }
    if (rest.size() != 1) return false;
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    key.key = static_cast<std::uint16_t>(c);
    return true;
}

// The menu lines: menu "TITLE", item ID "TEXT", separator, key KEYS ID.
bool readMenuLine(const std::string& keyword, LineReader& reader, platform::DialogTemplate& form) {
    if (keyword == "menu") {
        platform::MenuTemplate menu;
        if (!reader.word(menu.title)) return false;
        form.menus.push_back(std::move(menu));
        return reader.atEnd();
    }
    if (keyword == "key") {
        std::string keys;
        std::int32_t command = 0;
        platform::AcceleratorTemplate key;
        if (!reader.word(keys) || !readKey(keys, key) || !reader.number(command) || command == 0) return false;
        key.command = static_cast<std::uint16_t>(command);
        form.accelerators.push_back(key);
        return reader.atEnd();
    }
    if (form.menus.empty()) return false;
    platform::MenuItemTemplate item;
    if (keyword == "item") {
        std::int32_t id = 0;
        if (!reader.number(id) || id == 0 || !reader.word(item.text)) return false;
        item.id = static_cast<std::uint16_t>(id);
    }
    form.menus.back().items.push_back(std::move(item));
    return reader.atEnd();
}

bool readControl(LineReader& reader, platform::DialogTemplate& form) {
    std::string kindName;
    platform::ControlTemplate control;
    std::int32_t id = 0;
    if (!reader.word(kindName)) return false;
    if (kindName == "menu" || kindName == "item" || kindName == "separator" || kindName == "key") {
        return readMenuLine(kindName, reader, form);
    }
    if (!kindNamed(kindName, control.kind) || !reader.number(id) ||
        !reader.number(control.x) || !reader.number(control.y) || !reader.number(control.width) ||
        !reader.number(control.height)) {
        return false;
    }
    control.id = static_cast<std::uint16_t>(id);
    if (!reader.atEnd() && !reader.word(control.text)) return false;
    form.controls.push_back(std::move(control));
    return reader.atEnd();
}

}  // namespace

std::optional<platform::DialogTemplate> parseDialogTemplate(std::string_view text, std::string* problem) {
    platform::DialogTemplate form;
    bool headerRead = false;
    std::size_t start = 0;
    std::int32_t lineNumber = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        LineReader reader(line);
        if (reader.atEnd() || line.find_first_not_of(" \t") == line.find('#')) continue;
        const bool read = headerRead ? readControl(reader, form) : readHeader(reader, form);
        if (!read) {
            if (problem != nullptr) *problem = "line " + std::to_string(lineNumber) + ": " + std::string(line);
            return std::nullopt;
        }
        headerRead = true;
    }
    if (!headerRead) {
        if (problem != nullptr) *problem = "no dialog line";
        return std::nullopt;
    }
    return form;
}

std::optional<platform::DialogTemplate> loadDialogTemplate(std::string_view name) {
    const std::string_view source = dialogTemplateSource(name);
    if (source.empty()) return std::nullopt;
    return parseDialogTemplate(source);
}
