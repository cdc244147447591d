#include "package/PartName.h"

#include <charconv>
#include <cstdint>
#include <vector>

namespace {

std::optional<std::string> percentDecoded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        // Exactly two hexadecimal digits: no sign, no prefix, nothing shorter.
        const char* const digits = text.data() + i + 1;
        std::uint8_t byte = 0;
        const auto [stop, error] = std::from_chars(digits, digits + 2, byte, 16);
        if (error != std::errc() || stop != digits + 2) return std::nullopt;
        out += static_cast<char>(byte);
        i += 2;
    }
    return out;
}

std::string_view folderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

}  // namespace

std::optional<std::string> resolvePartName(std::string_view sourceFolder, std::string_view target) {
    target = target.substr(0, target.find('#'));
    std::optional<std::string> decoded = percentDecoded(target);
    if (!decoded || decoded->empty() || decoded->find('\0') != std::string::npos) return std::nullopt;
    const bool absolute = decoded->front() == '/';
    const std::string path = absolute ? *decoded : std::string(sourceFolder) + *decoded;
    std::vector<std::string_view> segments;
    std::string_view rest = path;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view segment = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (segment.empty() || segment == ".") continue;
        if (segment == "..") {
            if (segments.empty()) return std::nullopt;  // above the package root
            segments.pop_back();
            continue;
        }
        segments.push_back(segment);
    }
    if (segments.empty()) return std::nullopt;
    std::string name;
    for (const std::string_view segment : segments) {
        if (!name.empty()) name += '/';
        name += segment;
    }
    if (!isPlainPartName(name)) return std::nullopt;
    return name;
}

bool isPlainPartName(std::string_view name) {
    if (name.empty() || name.front() == '/') return false;
    if (name.find('\\') != std::string_view::npos || name.find('\0') != std::string_view::npos) return false;
    std::string_view rest = name;
    while (true) {
        const std::size_t slash = rest.find('/');
        const std::string_view segment = rest.substr(0, slash);
        if (segment == "." || segment == "..") return false;
        if (slash == std::string_view::npos) return true;
        rest = rest.substr(slash + 1);
    }
}

std::string sourceFolderOfRels(std::string_view relsPath) {
    const std::string_view folder = folderOf(relsPath);
    constexpr std::string_view kRelsFolder = "_rels/";
    if (folder == kRelsFolder) return "";
    if (folder.size() > kRelsFolder.size() && folder.substr(folder.size() - kRelsFolder.size()) == kRelsFolder &&
        folder[folder.size() - kRelsFolder.size() - 1] == '/') {
        return std::string(folder.substr(0, folder.size() - kRelsFolder.size()));
    }
    return std::string(folder);
}
