#pragma once
// Where the program and the user's files live on this build, each overridable in tests.
// Every folder answered ends with the path separator.
#include <string>

namespace platform {

constexpr char kPathSeparator = '/';

// The folder holding the running program (from /proc/self/exe).
std::string programFolder();
// Per-user application data: $XDG_CONFIG_HOME or ~/.config.
std::string applicationDataFolder();
// The user's Desktop and Documents folders (XDG user folders, ~/Desktop and ~/Documents by default).
std::string desktopFolder();
std::string documentsFolder();
// Where temporary files go: $XDG_CACHE_HOME or ~/.cache.
std::string temporaryFilesFolder();

enum class Folder { Program, ApplicationData, Desktop, Documents, TemporaryFiles };
// Tests point a folder elsewhere; an empty text restores the system's answer.
void overrideFolderForTesting(Folder which, const std::string& path);

}  // namespace platform
