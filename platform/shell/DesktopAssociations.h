#pragma once
// Which application the desktop opens a kind of file with, and what the application is called, from
// the desktop's own files (the XDG shared MIME database and desktop entries):
//  - extension -> MIME type: the "*.ext" globs of mime/globs2 in the data folders (highest weight
//    wins, then the longer glob, then the earlier folder), else /etc/mime.types;
//  - MIME type -> application: the first installed desktop entry that mimeapps.list names under
//    [Default Applications] (the desktop's own "<desktop>-mimeapps.list" first, then mimeapps.list, in
//    the config folders, then in the data folders' applications/), else under [Added Associations],
//    else in applications/mimeinfo.cache;
//  - desktop entry -> application: its Exec line's program, found in $PATH when it has no '/', and
//    its Name.
// Not followed: MIME subclasses and aliases, [Removed Associations], and desktop ids that stand for
// sub-folders of applications/.
//
// Results: 0, or 1155 (no application is associated) when any step finds nothing.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

namespace error {
constexpr std::int16_t kNoAssociation = 1155;
}  // namespace error

// Where the desktop keeps its associations; each folder ends with '/'. By default: $XDG_CONFIG_HOME
// (~/.config) and $XDG_CONFIG_DIRS (/etc/xdg); $XDG_DATA_HOME (~/.local/share) and $XDG_DATA_DIRS
// (/usr/local/share, /usr/share); /etc/mime.types; the names in $XDG_CURRENT_DESKTOP; $PATH.
struct DesktopSearchPaths {
    std::vector<std::string> configFolders;
    std::vector<std::string> dataFolders;
    std::string mimeTypesFile;
    std::vector<std::string> desktopNames;  // lower case, as in "gnome-mimeapps.list"
    std::string programSearchPath;
};

struct DesktopApplication {
    std::string executable;   // the full path of the program its Exec line runs
    std::string name;         // its Name, may be empty
    std::string desktopFile;  // the full path of its desktop entry
};

// The search paths in force: the test's, or the system's.
DesktopSearchPaths desktopSearchPaths();
// Tests point every look-up at folders of their own; resetDesktopSearchPaths puts the system's back.
void setDesktopSearchPathsForTesting(const DesktopSearchPaths& paths);
void resetDesktopSearchPaths();

// The MIME type of files with the extension (without the dot; case is ignored).
std::int16_t mimeTypeOfExtension(std::string_view extension, std::string& mimeType);
// The application the desktop opens files with the extension with.
std::int16_t applicationForExtension(std::string_view extension, DesktopApplication& application);
// The Name of the first desktop entry whose Exec line runs this program (the same file, links
// followed), in the order of the data folders and then of the entries' names.
std::int16_t friendlyNameOfProgram(std::string_view executablePath, std::string& name);

}  // namespace platform
