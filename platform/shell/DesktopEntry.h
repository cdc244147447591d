#pragma once
// A desktop entry file (".desktop"): what the desktop knows about one application. Only the group
// [Desktop Entry] is read, and in it the keys Type, Hidden, Exec and Name (the unlocalised one).
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct DesktopEntry {
    std::string type;                  // "Application" for a program
    bool hidden = false;               // Hidden=true: the entry counts as deleted
    std::vector<std::string> command;  // Exec split into the program and its arguments
    std::string name;
};

// Reads the entry; false when the text has no [Desktop Entry] group or its Exec line cannot be split.
bool readDesktopEntry(std::string_view text, DesktopEntry& entry);

// Splits an Exec value (its escapes already resolved) into words: blanks separate them, and a part in
// double quotes keeps its blanks, with \" \` \$ and \\ inside standing for the character. False for
// a quote that is never closed.
bool splitExecLine(std::string_view exec, std::vector<std::string>& words);

}  // namespace platform
