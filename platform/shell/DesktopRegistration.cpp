#include "platform/shell/DesktopRegistration.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/process/SystemError.h"

namespace platform {
namespace {

constexpr std::string_view kDefaultsGroup = "[Default Applications]";

std::string userFolder(const char* variable, const char* underHome) {
    const char* set = std::getenv(variable);
    std::string folder;
    if (set != nullptr && set[0] == '/') {
        folder = set;
    } else {
        const char* home = std::getenv("HOME");
        folder = home != nullptr ? home : "";
        while (!folder.empty() && folder.back() == '/') folder.pop_back();
        folder += underHome;
    }
    if (folder.back() != '/') folder += '/';
    return folder;
}

// A missing file reads as empty.
std::int16_t readText(const std::string& path, std::string& text) {
    text.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return errno == ENOENT ? 0 : errorFromErrno(errno);
    std::ostringstream whole;
    whole << in.rdbuf();
    text = whole.str();
    return 0;
}

// Written beside the old file and then put in its place, so a failure never leaves half a file.
std::int16_t writeText(const std::string& path, std::string_view text) {
    std::error_code failure;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), failure);
    if (failure) return errorFromErrno(failure.value());
    const std::string temporary = path + ".new-" + std::to_string(getpid());
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return errorFromErrno(errno);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const int writeError = errno;
    if (std::fclose(file) != 0 || !written) {
        std::remove(temporary.c_str());
        return errorFromErrno(written ? errno : writeError);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int cause = errno;
        std::remove(temporary.c_str());
        return errorFromErrno(cause);
    }
    return 0;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + '\n';
    return text;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

bool isGroupLine(std::string_view line) {
    line = trimmed(line);
    return !line.empty() && line.front() == '[';
}

// The line "type=..." of the type in the defaults group, or npos; groupEnd is where a new line goes.
struct DefaultsPlace {
    std::size_t groupLine = std::string::npos;
    std::size_t typeLine = std::string::npos;
    std::size_t groupEnd = 0;
};

DefaultsPlace findDefaults(const std::vector<std::string>& lines, std::string_view mimeType) {
    DefaultsPlace place;
    bool inGroup = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (isGroupLine(lines[i])) {
            inGroup = trimmed(lines[i]) == kDefaultsGroup;
            if (inGroup) place.groupLine = i;
            continue;
        }
        if (!inGroup) continue;
        place.groupEnd = i + 1;
        const std::size_t equals = lines[i].find('=');
        if (equals != std::string::npos && trimmed(std::string_view(lines[i]).substr(0, equals)) == mimeType)
            place.typeLine = i;
    }
    if (place.groupLine != std::string::npos && place.groupEnd == 0) place.groupEnd = place.groupLine + 1;
    return place;
}

std::vector<std::string> splitList(std::string_view list) {
    std::vector<std::string> items;
    while (!list.empty()) {
        const std::size_t semicolon = list.find(';');
        const std::string_view item = trimmed(list.substr(0, semicolon));
        if (!item.empty()) items.emplace_back(item);
        if (semicolon == std::string_view::npos) break;
        list.remove_prefix(semicolon + 1);
    }
    return items;
}

std::string valueOf(const std::string& line) {
    return std::string(trimmed(std::string_view(line).substr(line.find('=') + 1)));
}

}  // namespace

std::string userApplicationsFolder() {
    return userFolder("XDG_DATA_HOME", "/.local/share") + "applications/";
}

std::string userMimeAppsFile() {
    return userFolder("XDG_CONFIG_HOME", "/.config") + "mimeapps.list";
}

std::int16_t writeDesktopEntry(std::string_view desktopId, std::string_view text) {
    return writeText(userApplicationsFolder() + std::string(desktopId), text);
}

std::int16_t deleteOwnDesktopEntry(std::string_view desktopId, std::string_view ownerLine) {
    const std::string path = userApplicationsFolder() + std::string(desktopId);
    std::string text;
    if (const std::int16_t failure = readText(path, text); failure != 0) return failure;
    for (const std::string& line : splitLines(text)) {
        if (trimmed(line) != ownerLine) continue;
        return std::remove(path.c_str()) == 0 || errno == ENOENT ? 0 : errorFromErrno(errno);
    }
    return 0;
}

std::string userDefaultApplications(std::string_view mimeType) {
    std::string text;
    if (readText(userMimeAppsFile(), text) != 0) return {};
    const std::vector<std::string> lines = splitLines(text);
    const DefaultsPlace place = findDefaults(lines, mimeType);
    return place.typeLine == std::string::npos ? std::string() : valueOf(lines[place.typeLine]);
}

std::int16_t addDefaultApplication(std::string_view mimeType, std::string_view desktopId) {
    std::string text;
    if (const std::int16_t failure = readText(userMimeAppsFile(), text); failure != 0) return failure;
    std::vector<std::string> lines = splitLines(text);
    const DefaultsPlace place = findDefaults(lines, mimeType);
    std::string list = std::string(desktopId) + ';';
    if (place.typeLine != std::string::npos) {
        for (const std::string& item : splitList(valueOf(lines[place.typeLine])))
            if (item != desktopId) list += item + ';';
        lines[place.typeLine] = std::string(mimeType) + '=' + list;
    } else if (place.groupLine != std::string::npos) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.groupEnd), std::string(mimeType) + '=' + list);
    } else {
        lines.emplace_back(kDefaultsGroup);
        lines.push_back(std::string(mimeType) + '=' + list);
    }
    return writeText(userMimeAppsFile(), joinLines(lines));
}

std::int16_t removeDefaultApplication(std::string_view mimeType, std::string_view desktopId) {
    std::string text;
    if (const std::int16_t failure = readText(userMimeAppsFile(), text); failure != 0) return failure;
    std::vector<std::string> lines = splitLines(text);
    const DefaultsPlace place = findDefaults(lines, mimeType);
    if (place.typeLine == std::string::npos) return 0;
    const std::vector<std::string> items = splitList(valueOf(lines[place.typeLine]));
    if (std::find(items.begin(), items.end(), desktopId) == items.end()) return 0;
    std::string rest;
    for (const std::string& item : items)
        if (item != desktopId) rest += item + ';';
    if (rest.empty()) {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(place.typeLine));
    } else {
        lines[place.typeLine] = std::string(mimeType) + '=' + rest;
    }
    return writeText(userMimeAppsFile(), joinLines(lines));
}

}  // namespace platform
