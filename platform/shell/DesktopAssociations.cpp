#include "platform/shell/DesktopAssociations.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <set>

#include "platform/files/ProgramSearch.h"
#include "platform/files/ResourceFile.h"
#include "platform/shell/DesktopEntry.h"

namespace platform {
namespace {

// The desktop's lists are small; a larger file is not one of them and is passed over.
constexpr std::size_t kDesktopFileMaximumBytes = 8u << 20;

std::optional<DesktopSearchPaths>& testPaths() {
    static std::optional<DesktopSearchPaths> paths;
    return paths;
}

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return withSlash(home && *home ? home : "/tmp");
}

// One folder from a variable, or the fallback below home; relative paths do not count.
std::string xdgHome(const char* variable, const char* belowHome) {
    const char* value = std::getenv(variable);
    return value && *value == '/' ? withSlash(value) : homeFolder() + belowHome;
}

// The ':'-separated absolute folders of a variable, or the fallback list.
std::vector<std::string> xdgFolders(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    std::string_view list = value && *value ? value : fallback;
    std::vector<std::string> folders;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view folder = list.substr(0, colon);
        if (!folder.empty() && folder.front() == '/') folders.push_back(withSlash(std::string(folder)));
        list.remove_prefix(colon == std::string_view::npos ? list.size() : colon + 1);
    }
    return folders;
}

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return lower;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// The file's text; empty when it is missing, unreadable or too large.
std::string readSmallFile(const std::string& path) {
    std::string text;
    if (readResourceFile(path, kDesktopFileMaximumBytes, text) != 0) text.clear();
    return text;
}

template <typename Visit>
void forEachLine(std::string_view text, Visit&& visit) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        visit(trimmed(text.substr(0, end)));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

// ---- extension -> MIME type ----

struct GlobMatch {
    int weight = -1;
    std::size_t length = 0;
    std::string mimeType;
};

// Reads the "weight:type:glob[:flags]" lines of one globs2 file into the best match so far.
void matchGlobs(std::string_view text, const std::string& suffix, GlobMatch& best) {
    const std::string lowerSuffix = lowerAscii(suffix);
    forEachLine(text, [&](std::string_view line) {
        if (line.empty() || line.front() == '#') return;
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string_view::npos ? first : line.find(':', first + 1);
        if (second == std::string_view::npos) return;
        const std::string_view weightText = line.substr(0, first);
        const std::string_view type = line.substr(first + 1, second - first - 1);
        std::string_view glob = line.substr(second + 1);
        const std::size_t third = glob.find(':');
        const std::string_view flags = third == std::string_view::npos ? std::string_view() : glob.substr(third + 1);
        glob = glob.substr(0, third);
        if (weightText.empty() || weightText.size() > 3 || type.empty() || glob.size() < 2 || glob.front() != '*') return;
        int weight = 0;
        for (const char c : weightText) {
            if (c < '0' || c > '9') return;
            weight = weight * 10 + (c - '0');
        }
        const std::string_view literal = glob.substr(1);
        if (literal.find_first_of("*?[") != std::string_view::npos) return;
        const bool caseSensitive = flags.find("cs") != std::string_view::npos;
        const bool matches = caseSensitive ? literal == suffix : lowerAscii(literal) == lowerSuffix;
        const bool better = weight > best.weight || (weight == best.weight && glob.size() > best.length);
        if (matches && better) best = GlobMatch{weight, glob.size(), std::string(type)};
    });
}

// The type that /etc/mime.types gives the extension ("type ext ext ..." lines).
std::string mimeTypesEntry(std::string_view text, const std::string& extension) {
    const std::string wanted = lowerAscii(extension);
    std::string found;
    forEachLine(text, [&](std::string_view line) {
        if (!found.empty() || line.empty() || line.front() == '#') return;
        const std::size_t blank = line.find_first_of(" \t");
        if (blank == std::string_view::npos) return;
        const std::string_view type = line.substr(0, blank);
        std::string_view rest = line.substr(blank);
        while (!(rest = trimmed(rest)).empty()) {
            const std::size_t end = rest.find_first_of(" \t");
            if (lowerAscii(rest.substr(0, end)) == wanted) {
                found = type;
                return;
            }
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
        }
    });
    return found;
}

// ---- MIME type -> desktop entry ----

// The desktop ids that a "type=a.desktop;b.desktop;" line of the group gives the type, in order.
std::vector<std::string> listedApplications(std::string_view text, std::string_view group, std::string_view type) {
    std::vector<std::string> ids;
    bool inGroup = false;
    forEachLine(text, [&](std::string_view line) {
        if (line.empty() || line.front() == '#') return;
        if (line.front() == '[') {
            inGroup = line == group;
            return;
        }
        const std::size_t equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos || trimmed(line.substr(0, equals)) != type) return;
        std::string_view list = trimmed(line.substr(equals + 1));
        while (!list.empty()) {
            const std::size_t semicolon = list.find(';');
            const std::string_view id = trimmed(list.substr(0, semicolon));
            if (!id.empty()) ids.emplace_back(id);
            list.remove_prefix(semicolon == std::string_view::npos ? list.size() : semicolon + 1);
        }
    });
    return ids;
}

std::vector<std::string> mimeAppsLists(const DesktopSearchPaths& paths) {
    std::vector<std::string> lists;
    for (const std::string& folder : paths.configFolders) {
        for (const std::string& desktop : paths.desktopNames) lists.push_back(folder + desktop + "-mimeapps.list");
        lists.push_back(folder + "mimeapps.list");
    }
    for (const std::string& folder : paths.dataFolders) {
        for (const std::string& desktop : paths.desktopNames) lists.push_back(folder + "applications/" + desktop + "-mimeapps.list");
        lists.push_back(folder + "applications/mimeapps.list");
    }
    return lists;
}

// The application of a desktop entry file, when it is one that can be run.
bool applicationOfEntry(const std::string& path, const DesktopSearchPaths& paths, DesktopApplication& application) {
    const std::string text = readSmallFile(path);
    DesktopEntry entry;
    if (text.empty() || !readDesktopEntry(text, entry)) return false;
    if (entry.hidden || entry.command.empty() || (!entry.type.empty() && entry.type != "Application")) return false;
    std::string executable = findProgram(entry.command.front(), paths.programSearchPath);
    if (executable.empty()) return false;
    application = DesktopApplication{std::move(executable), entry.name, path};
    return true;
}

// The entry of that id in the first data folder that has one (an entry there hides the ones in later
// folders, also when it cannot be run), when it is installed.
bool installedApplication(const std::string& id, const DesktopSearchPaths& paths, DesktopApplication& application) {
    if (id.find('/') != std::string::npos) return false;
    for (const std::string& folder : paths.dataFolders) {
        const std::string path = folder + "applications/" + id;
        if (::access(path.c_str(), F_OK) == 0) return applicationOfEntry(path, paths, application);
    }
    return false;
}

bool firstInstalled(const std::vector<std::string>& ids, const DesktopSearchPaths& paths, DesktopApplication& application) {
    for (const std::string& id : ids) {
        if (installedApplication(id, paths, application)) return true;
    }
    return false;
}

bool applicationForMimeType(const std::string& type, const DesktopSearchPaths& paths, DesktopApplication& application) {
    const std::vector<std::string> lists = mimeAppsLists(paths);
    for (const char* group : {"[Default Applications]", "[Added Associations]"}) {
        for (const std::string& list : lists) {
            if (firstInstalled(listedApplications(readSmallFile(list), group, type), paths, application)) return true;
        }
    }
    for (const std::string& folder : paths.dataFolders) {
        const std::string cache = readSmallFile(folder + "applications/mimeinfo.cache");
        if (firstInstalled(listedApplications(cache, "[MIME Cache]", type), paths, application)) return true;
    }
    return false;
}

// ---- program -> name ----

std::vector<std::string> desktopEntryNames(const std::string& folder) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
    if (!listing) return names;
    while (const dirent* item = ::readdir(listing.get())) {
        const std::string_view name = item->d_name;
        if (name.size() > 8 && name.substr(name.size() - 8) == ".desktop") names.emplace_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string resolvedPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

}  // namespace

DesktopSearchPaths desktopSearchPaths() {
    if (testPaths()) return *testPaths();
    DesktopSearchPaths paths;
    paths.configFolders.push_back(xdgHome("XDG_CONFIG_HOME", ".config/"));
    for (std::string& folder : xdgFolders("XDG_CONFIG_DIRS", "/etc/xdg")) paths.configFolders.push_back(std::move(folder));
    paths.dataFolders.push_back(xdgHome("XDG_DATA_HOME", ".local/share/"));
    for (std::string& folder : xdgFolders("XDG_DATA_DIRS", "/usr/local/share:/usr/share")) paths.dataFolders.push_back(std::move(folder));
    paths.mimeTypesFile = "/etc/mime.types";
    const char* desktops = std::getenv("XDG_CURRENT_DESKTOP");
    for (std::string_view list = desktops ? desktops : ""; !list.empty();) {
        const std::size_t colon = list.find(':');
        if (colon != 0) paths.desktopNames.push_back(lowerAscii(list.substr(0, colon)));
        list.remove_prefix(colon == std::string_view::npos ? list.size() : colon + 1);
    }
    paths.programSearchPath = programSearchPath();
    return paths;
}

void setDesktopSearchPathsForTesting(const DesktopSearchPaths& paths) {
    testPaths() = paths;
}

void resetDesktopSearchPaths() {
    testPaths().reset();
}

std::int16_t mimeTypeOfExtension(std::string_view extension, std::string& mimeType) {
    try {
        if (extension.empty() || extension.find_first_of("/\n") != std::string_view::npos) return error::kNoAssociation;
        const DesktopSearchPaths paths = desktopSearchPaths();
        std::string suffix(1, '.');
        suffix.append(extension);
        GlobMatch best;
        for (const std::string& folder : paths.dataFolders) matchGlobs(readSmallFile(folder + "mime/globs2"), suffix, best);
        if (best.mimeType.empty()) best.mimeType = mimeTypesEntry(readSmallFile(paths.mimeTypesFile), std::string(extension));
        if (best.mimeType.empty()) return error::kNoAssociation;
        mimeType = best.mimeType;
        return 0;
    } catch (const std::bad_alloc&) {
        return error::kNoAssociation;
    }
}

std::int16_t applicationForExtension(std::string_view extension, DesktopApplication& application) {
    try {
        std::string type;
        if (mimeTypeOfExtension(extension, type) != 0) return error::kNoAssociation;
        return applicationForMimeType(type, desktopSearchPaths(), application) ? 0 : error::kNoAssociation;
    } catch (const std::bad_alloc&) {
        return error::kNoAssociation;
    }
}

std::int16_t friendlyNameOfProgram(std::string_view executablePath, std::string& name) {
    try {
        const DesktopSearchPaths paths = desktopSearchPaths();
        const std::string wanted = resolvedPath(std::string(executablePath));
        std::set<std::string> seen;  // an entry in an earlier folder hides one of the same id
        for (const std::string& folder : paths.dataFolders) {
            const std::string applications = folder + "applications/";
            for (const std::string& id : desktopEntryNames(applications)) {
                if (!seen.insert(id).second) continue;
                DesktopApplication application;
                if (!applicationOfEntry(applications + id, paths, application)) continue;
                if (application.executable != executablePath && resolvedPath(application.executable) != wanted) continue;
                if (application.name.empty()) continue;
                name = application.name;
                return 0;
            }
        }
        return error::kNoAssociation;
    } catch (const std::bad_alloc&) {
        return error::kNoAssociation;
    }
}

}  // namespace platform
