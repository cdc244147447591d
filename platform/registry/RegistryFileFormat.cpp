#include "platform/registry/RegistryFileFormat.h"

#include <vector>

#include "platform/registry/Registry.h"

namespace platform {
namespace {

constexpr std::string_view kClassesRootName = "HKEY_CLASSES_ROOT";
constexpr std::string_view kCurrentUserName = "HKEY_CURRENT_USER";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kFileComment =
    "# The registry of Vostrandimeko: keys and their string values. The program rewrites this file whole;\n"
    "# lines it cannot read are kept in \"<name>.damaged\" when it does.\n";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    return line;
}

bool sameAsciiIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a quoted text at the start of `rest` and moves past it; false when it is not one.
bool readQuoted(std::string_view& rest, std::string& text) {
    if (rest.empty() || rest.front() != '"') return false;
    std::size_t i = 1;
    text.clear();
    while (i < rest.size()) {
        const char c = rest[i++];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"') {
            rest.remove_prefix(i);
            return true;
        }
        if (byte < 0x20 || byte == 0x7F) return false;
        if (c != '\\') {
            text += c;
            continue;
        }
        if (i >= rest.size()) return false;
        const char escape = rest[i++];
        switch (escape) {
            case '\\': text += '\\'; break;
            case '"': text += '"'; break;
            case 'n': text += '\n'; break;
            case 'r': text += '\r'; break;
            case 't': text += '\t'; break;
            case 'x': {
                if (i + 2 > rest.size()) return false;
                const int high = hexDigit(rest[i]);
                const int low = hexDigit(rest[i + 1]);
                if (high < 0 || low < 0) return false;
                text += static_cast<char>(high * 16 + low);
                i += 2;
                break;
            }
            default: return false;
        }
    }
    return false;  // the line ended inside the quotes
}

// "[ROOT\path]": the key it names, made in the tree; null when the line is not a key line that can be
// read.
RegistryNode* readKeyLine(std::string_view line, RegistryTree& tree) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return nullptr;
    std::string_view inside = line.substr(1, line.size() - 2);
    const std::size_t separator = inside.find('\\');
    const std::string_view rootName = inside.substr(0, separator);
    RegistryNode* node = nullptr;
    if (sameAsciiIgnoringCase(rootName, kClassesRootName)) node = &tree.classesRoot;
    if (sameAsciiIgnoringCase(rootName, kCurrentUserName)) node = &tree.currentUser;
    if (!node || separator == std::string_view::npos) return node;

    // Check the whole path before making any key, so a damaged line adds nothing.
    std::vector<std::string_view> names;
    std::string_view path = inside.substr(separator + 1);
    while (true) {
        const std::size_t next = path.find('\\');
        const std::string_view name = path.substr(0, next);
        if (!isValidRegistryKeyName(name) || names.size() >= kRegistryDepthLimit) return nullptr;
        names.push_back(name);
        if (next == std::string_view::npos) break;
        path.remove_prefix(next + 1);
    }
    for (const std::string_view name : names) node = &node->childOrNew(name);
    return node;
}

// "@=\"data\"" or "\"name\"=\"data\"" into the key; false when the line cannot be read.
bool readValueLine(std::string_view line, RegistryNode& key) {
    std::string name;
    if (!line.empty() && line.front() == '@') {
        line.remove_prefix(1);
    } else if (!readQuoted(line, name)) {
        return false;
    }
    line = trimmed(line);
    if (line.empty() || line.front() != '=') return false;
    line = trimmed(line.substr(1));
    std::string data;
    if (!readQuoted(line, data) || !trimmed(line).empty()) return false;
    key.setValue(name, data);
    return true;
}

void appendQuoted(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '"': out += "\\\""; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    out += "\\x";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0x0F];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

// A key line is written only where it says something its keys below do not: the key holds values, or
// it is a leaf. A key with keys below it is made again by their lines, so every path is written once
// and the file stays as long as the tree's text, however deep the keys nest. `path` is the key's path
// with its root; it is extended for the keys below and given back as it was.
void writeKey(std::string& out, const RegistryNode& node, std::string& path, bool isRoot) {
    const bool isLeaf = node.children.empty();
    if (!node.values.empty() || (isLeaf && !isRoot)) {
        out += '[';
        out += path;
        out += "]\n";
    }
    for (const auto& [folded, value] : node.values) {
        if (value.name.empty()) {
            out += '@';
        } else {
            appendQuoted(out, value.name);
        }
        out += '=';
        appendQuoted(out, value.data);
        out += '\n';
    }
    const std::size_t pathLength = path.size();
    for (const auto& [folded, child] : node.children) {
        path += '\\';
        path += child->name;
        writeKey(out, *child, path, false);
        path.resize(pathLength);
    }
}

}  // namespace

bool readRegistryText(std::string_view text, RegistryTree& tree) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    bool formatSeen = false;
    bool whole = true;
    RegistryNode* key = nullptr;  // the key that value lines belong to; null after a damaged key line
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = trimmed(line);
        if (line.empty() || line.front() == '#') continue;
        if (!formatSeen) {
            if (line != kRegistryFormatLine) return false;
            formatSeen = true;
            continue;
        }
        if (line.front() == '[') {
            key = readKeyLine(line, tree);
            if (!key) whole = false;
        } else if (!key || !readValueLine(line, *key)) {
            whole = false;
        }
    }
    return whole;
}

std::string writeRegistryText(const RegistryTree& tree) {
    std::string out(kFileComment);
    out += kRegistryFormatLine;
    out += '\n';
    std::string path(kClassesRootName);
    writeKey(out, tree.classesRoot, path, true);
    path = kCurrentUserName;
    writeKey(out, tree.currentUser, path, true);
    return out;
}

}  // namespace platform
